#include "dialog_window.hpp"

#include <algorithm>

#include <com/sun/star/awt/ScrollBarOrientation.hpp>
#include <com/sun/star/awt/Selection.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XButton.hpp>
#include <com/sun/star/awt/XCheckBox.hpp>
#include <com/sun/star/awt/XComboBox.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XListBox.hpp>
#include <com/sun/star/awt/XRadioButton.hpp>
#include <com/sun/star/awt/XScrollBar.hpp>
#include <com/sun/star/awt/XTextComponent.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/lang/XComponent.hpp>

#include "common/error.hpp"
#include "dialog_pictures.hpp"
#include "dialog_windows.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::oxt {

using namespace css;
using docif::lo::FromOUString;
using docif::lo::ToOUString;

namespace {

// A frame's caption line and bottom margin, as the layout engine leaves
// them around a scrolled group's content.
constexpr int kFrameTop = 12;
constexpr int kFrameBottom = 6;
constexpr int kScrollBarWidth = 5;  // in the frame's right margin

const char* const kFixedText = "com.sun.star.awt.UnoControlFixedTextModel";
const char* const kGroupBox = "com.sun.star.awt.UnoControlGroupBoxModel";
const char* const kButton = "com.sun.star.awt.UnoControlButtonModel";
const char* const kImage = "com.sun.star.awt.UnoControlImageControlModel";

bool IsPicture(const Control& c) { return c.kind == ControlKind::Label && NamesPictureFile(ShownText(c)); }

// What the window was made for: each control with what decides its parts.
std::wstring Signature(const Control& c) {
  return c.name + L"|" + std::to_wstring(static_cast<int>(c.kind)) + L"|" +
         (c.kind == ControlKind::OptionGroup ? std::to_wstring(c.items.size()) : L"") + (IsPicture(c) ? L"|p" : L"");
}

uno::Reference<awt::XWindow2> WindowOf(const uno::Reference<awt::XControl>& control) {
  return uno::Reference<awt::XWindow2>(control, uno::UNO_QUERY);
}

}  // namespace

DialogWindow::~DialogWindow() { Dispose(); }

void DialogWindow::Open(const uno::Reference<uno::XComponentContext>& office,
                        const uno::Reference<awt::XWindowPeer>& parent, bool show) {
  office_ = office;
  model_.emplace(office);
  Build();
  dialog_.set(office->getServiceManager()->createInstanceWithContext("com.sun.star.awt.UnoControlDialog", office),
              uno::UNO_QUERY_THROW);
  dialog_->setModel(uno::Reference<awt::XControlModel>(model_->Get(), uno::UNO_QUERY_THROW));
  dialog_->createPeer(uno::Reference<awt::XToolkit>(awt::Toolkit::create(office), uno::UNO_QUERY_THROW), parent);
  // The view models' captions set no shortcut letters, and the layout has
  // no room for the "(A)" the office would add to each.
  NoShortcutLetters(dialog_->getPeer());
  uno::Reference<awt::XTopWindow>(dialog_, uno::UNO_QUERY_THROW)
      ->addTopWindowListener(new WindowListener([weak = weak_from_this()](const WindowEvent& e) {
        if (auto self = weak.lock()) self->On(SIZE_MAX, e);
      }));
  Connect(dialog_);
  Refresh();
  if (show) uno::Reference<awt::XWindow>(dialog_, uno::UNO_QUERY_THROW)->setVisible(true);
}

void DialogWindow::Build() {
  geometry_ = LayOut(*form_);
  names_.clear();
  for (const auto& c : form_->Controls()) names_.push_back(Signature(c));
  parts_.clear();
  offsets_.clear();
  previewSvg_.clear();
  model_->Clear();
  const ControlModel dialog = model_->Dialog();
  Put(dialog, "Title", uno::Any(ToOUString(geometry_.title)));
  Put(dialog, "Width", uno::Any(sal_Int32(geometry_.width)));
  Put(dialog, "Height", uno::Any(sal_Int32(geometry_.height)));
  Put(dialog, "Closeable", uno::Any(true));
  Put(dialog, "Moveable", uno::Any(true));
  AddTabs();
  for (size_t f = 0; f < geometry_.frames.size(); ++f) AddFrame(static_cast<int>(f));
  lastRadio_.clear();
  for (const auto& placed : geometry_.controls) AddControl(placed);
  for (size_t a = 0; a < geometry_.areas.size(); ++a) {
    const PlacedArea& area = geometry_.areas[a];
    Part part{Role::Area, L"", static_cast<int>(a), area.box, area.page, -1};
    Put(AddPart(std::move(part), kImage, L"#area" + std::to_wstring(a)).model, "Border", uno::Any(sal_Int16(1)));
  }
}

DialogWindow::Part& DialogWindow::AddPart(Part part, const char* kind, const std::wstring& name) {
  part.model = model_->Add(kind, name, part.box);
  part.name = name;
  parts_.push_back(std::move(part));
  return parts_.back();
}

void DialogWindow::AddTabs() {
  if (geometry_.pages.empty()) return;
  const LayoutBox& tabs = geometry_.tabs;
  int stripBottom = tabs.y;
  for (const auto& t : geometry_.strip) stripBottom = std::max(stripBottom, t.Bottom());
  // The office rounds each place and size to pixels on its own: tabs that
  // touch in units may share a pixel, so each gives up its last unit.
  AddPart({Role::Pages, L"", -1, {tabs.x, stripBottom + 1, tabs.width, tabs.Bottom() - stripBottom - 1}, -1, -1},
          kGroupBox, L"#pages");
  for (size_t i = 0; i < geometry_.strip.size(); ++i) {
    LayoutBox box = geometry_.strip[i];
    --box.width;
    Part& tab = AddPart({Role::Tab, geometry_.stripControl, static_cast<int>(i), box, -1, -1}, kButton,
                        L"#tab" + std::to_wstring(i));
    Put(tab.model, "Toggle", uno::Any(true));
    Put(tab.model, "Tabstop", uno::Any(true));
  }
}

void DialogWindow::AddFrame(int index) {
  const PlacedFrame& frame = geometry_.frames[static_cast<size_t>(index)];
  AddPart({Role::Frame, frame.label, index, frame.box, frame.page, -1}, kGroupBox,
          L"#frame" + std::to_wstring(index));
  if (!frame.scrolls) return;
  const LayoutBox bar{frame.box.Right() - kFrameBottom, frame.box.y + kFrameTop, kScrollBarWidth,
                      frame.box.height - kFrameTop - kFrameBottom};
  const ControlModel model =
      AddPart({Role::ScrollBar, L"", index, bar, frame.page, -1}, "com.sun.star.awt.UnoControlScrollBarModel",
              L"#scroll" + std::to_wstring(index))
          .model;
  const sal_Int32 visible = frame.box.height - kFrameTop - kFrameBottom;
  Put(model, "Orientation", uno::Any(sal_Int32(awt::ScrollBarOrientation::VERTICAL)));
  Put(model, "ScrollValueMax", uno::Any(sal_Int32(std::max(0, frame.extent - frame.box.height))));
  Put(model, "VisibleSize", uno::Any(visible));
  Put(model, "BlockIncrement", uno::Any(visible));
  Put(model, "LineIncrement", uno::Any(sal_Int32(12)));
}

bool DialogWindow::IsCaptionControl(const std::wstring& name) const {
  if (name.empty()) return false;
  if (name == geometry_.stripControl) return true;
  if (std::find(geometry_.pageLabels.begin(), geometry_.pageLabels.end(), name) != geometry_.pageLabels.end()) return true;
  return std::any_of(geometry_.frames.begin(), geometry_.frames.end(), [&](const auto& f) { return f.label == name; });
}

void DialogWindow::AddControl(const PlacedControl& placed) {
  // The captions of frames and tabs are shown by the frame or the tab.
  if (IsCaptionControl(placed.name)) return;
  const Control& c = form_->GetControl(placed.name);
  Part own{Role::Own, c.name, -1, placed.box, placed.page, placed.scroll};
  if (placed.hasLabel) {
    // A caption left of its box reaches into the gap before it: the
    // layout's estimate of a Latin text's width may fall a little short.
    LayoutBox caption = placed.label;
    if (caption.Right() < placed.box.x) caption.width = placed.box.x - 1 - caption.x;
    Part label{Role::Caption, c.name, -1, caption, placed.page, placed.scroll};
    Put(AddPart(std::move(label), kFixedText, c.name + L"#label").model, "MultiLine", uno::Any(placed.label.height > 8));
  }
  switch (c.kind) {
    case ControlKind::Label: {
      if (IsPicture(c)) {
        Part& picture = AddPart(std::move(own), kImage, c.name);
        Put(picture.model, "ScaleMode", uno::Any(sal_Int16(1)));  // the whole picture, its shape kept
        Put(picture.model, "Border", uno::Any(sal_Int16(0)));
      } else {
        Put(AddPart(std::move(own), kFixedText, c.name).model, "MultiLine", uno::Any(placed.box.height > 8));
      }
      break;
    }
    case ControlKind::TextBox: {
      const ControlModel edit = AddPart(std::move(own), "com.sun.star.awt.UnoControlEditModel", c.name).model;
      const bool lines = placed.box.height > 12;
      Put(edit, "MultiLine", uno::Any(lines));
      Put(edit, "VScroll", uno::Any(lines));
      break;
    }
    case ControlKind::CheckBox: AddPart(std::move(own), "com.sun.star.awt.UnoControlCheckBoxModel", c.name); break;
    case ControlKind::OptionGroup: {
      // A captioned group stands in its frame: its first option is below its top.
      if (!placed.options.empty() && placed.options.front().y > placed.box.y)
        AddPart({Role::Caption, c.name, -1, placed.box, placed.page, placed.scroll}, kGroupBox,
                c.name + L"#frame");
      // Option buttons following each other in tab order are one group to
      // the office: another group's buttons just before start a new one
      // after a hidden separator.
      if (!lastRadio_.empty() && lastRadio_ != c.name)
        AddPart({Role::Separator, L"", -1, {placed.box.x, placed.box.y, 0, 0}, placed.page, placed.scroll},
                kFixedText, c.name + L"#start");
      for (size_t i = 0; i < placed.options.size(); ++i)
        AddPart({Role::Option, c.name, static_cast<int>(i), placed.options[i], placed.page, placed.scroll},
                "com.sun.star.awt.UnoControlRadioButtonModel", c.name + L"#" + std::to_wstring(i));
      lastRadio_ = c.name;
      return;
    }
    case ControlKind::ComboBox: {
      const ControlModel box = AddPart(std::move(own),
                                       c.listOnly ? "com.sun.star.awt.UnoControlListBoxModel"
                                                  : "com.sun.star.awt.UnoControlComboBoxModel",
                                       c.name)
                                   .model;
      Put(box, "Dropdown", uno::Any(true));
      Put(box, "LineCount", uno::Any(sal_Int16(12)));
      break;
    }
    case ControlKind::ListBox: AddPart(std::move(own), "com.sun.star.awt.UnoControlListBoxModel", c.name); break;
    case ControlKind::Button: AddPart(std::move(own), kButton, c.name); break;
  }
  lastRadio_.clear();
}

void DialogWindow::Connect(const uno::Reference<awt::XControl>& dialog) {
  uno::Reference<awt::XControlContainer> container(dialog, uno::UNO_QUERY_THROW);
  for (size_t i = 0; i < parts_.size(); ++i) {
    Part& part = parts_[i];
    part.window = container->getControl(ToOUString(part.name));
    if (!part.window.is()) continue;
    uno::Reference<WindowListener> listener(new WindowListener([weak = weak_from_this(), i](const WindowEvent& e) {
      if (auto self = weak.lock()) self->On(i, e);
    }));
    if (uno::Reference<awt::XButton> b{part.window, uno::UNO_QUERY}; b.is()) b->addActionListener(listener.get());
    if (uno::Reference<awt::XCheckBox> b{part.window, uno::UNO_QUERY}; b.is()) b->addItemListener(listener.get());
    if (uno::Reference<awt::XRadioButton> b{part.window, uno::UNO_QUERY}; b.is()) b->addItemListener(listener.get());
    if (uno::Reference<awt::XListBox> b{part.window, uno::UNO_QUERY}; b.is()) {
      b->addItemListener(listener.get());
      b->addActionListener(listener.get());  // a double click on an entry
    }
    if (uno::Reference<awt::XComboBox> b{part.window, uno::UNO_QUERY}; b.is()) b->addItemListener(listener.get());
    if (uno::Reference<awt::XTextComponent> t{part.window, uno::UNO_QUERY}; t.is() && part.role == Role::Own) {
      uno::Reference<awt::XListBox> list{part.window, uno::UNO_QUERY};
      if (!list.is()) t->addTextListener(listener.get());
    }
    if (uno::Reference<awt::XScrollBar> s{part.window, uno::UNO_QUERY}; s.is()) s->addAdjustmentListener(listener.get());
    if (uno::Reference<awt::XWindow> w{part.window, uno::UNO_QUERY}; w.is() && part.role == Role::Own) {
      w->addFocusListener(listener.get());
      w->addMouseListener(listener.get());
    }
    NoShortcutLetters(part.window->getPeer());
  }
}

bool DialogWindow::SameControls() const {
  const auto& controls = form_->Controls();
  if (controls.size() != names_.size()) return false;
  for (size_t i = 0; i < controls.size(); ++i)
    if (Signature(controls[i]) != names_[i]) return false;
  return true;
}

int DialogWindow::CurrentPage() const {
  const int pages = static_cast<int>(geometry_.pages.size());
  const int page = geometry_.stripControl.empty() ? page_ : form_->GetControl(geometry_.stripControl).value;
  return std::clamp(page, 0, std::max(0, pages - 1));
}

LayoutBox DialogWindow::Scrolled(const Part& part) const {
  LayoutBox box = part.box;
  if (part.scroll >= 0)
    if (auto it = offsets_.find(part.scroll); it != offsets_.end()) box.y -= it->second;
  return box;
}

bool DialogWindow::Shown(const Part& part) const {
  if (part.role == Role::Separator) return false;
  if (!part.control.empty() && part.role != Role::Tab && part.role != Role::Frame &&
      !form_->GetControl(part.control).visible)
    return false;
  if (part.page >= 0 && part.page != CurrentPage()) return false;
  if (part.scroll < 0) return true;
  // A scrolled group shows what stands wholly in its view.
  const LayoutBox& frame = geometry_.frames[static_cast<size_t>(part.scroll)].box;
  const LayoutBox box = Scrolled(part);
  return box.y >= frame.y + kFrameTop && box.Bottom() <= frame.Bottom() - kFrameBottom;
}

void DialogWindow::Refresh() {
  if (!dialog_.is()) return;
  if (!SameControls()) {
    Build();
    Connect(dialog_);
  }
  pushing_ = true;
  try {
    for (Part& part : parts_) Show(part);
  } catch (...) {
    pushing_ = false;
    throw;
  }
  pushing_ = false;
}

void DialogWindow::Show(Part& part) {
  Place(part.model, Scrolled(part));
  if (!part.control.empty() && part.role != Role::Tab) {
    const Control& c = form_->GetControl(part.control);
    Put(part.model, "Enabled", uno::Any(c.enabled));
    switch (part.role) {
      case Role::Own: ShowValue(part, c); break;
      case Role::Option:
        Put(part.model, "Label", uno::Any(CaptionText(c.items[static_cast<size_t>(part.index)])));
        Put(part.model, "State", uno::Any(sal_Int16(c.value == part.index ? 1 : 0)));
        break;
      case Role::Caption: Put(part.model, "Label", uno::Any(CaptionText(c.caption))); break;
      case Role::Frame: Put(part.model, "Label", uno::Any(CaptionText(ShownText(c)))); break;
      default: break;
    }
  } else if (part.role == Role::Frame) {
    Put(part.model, "Label", uno::Any(CaptionText(geometry_.frames[static_cast<size_t>(part.index)].caption)));
  } else if (part.role == Role::Tab) {
    const std::wstring& label = geometry_.pageLabels[static_cast<size_t>(part.index)];
    const std::wstring caption =
        label.empty() ? geometry_.pages[static_cast<size_t>(part.index)] : ShownText(form_->GetControl(label));
    Put(part.model, "Label", uno::Any(CaptionText(caption)));
    Put(part.model, "State", uno::Any(sal_Int16(part.index == CurrentPage() ? 1 : 0)));
  } else if (part.role == Role::Area) {
    ShowArea(part);
  }
  if (const auto window = WindowOf(part.window); window.is() && window->isVisible() != Shown(part))
    window->setVisible(Shown(part));
}

void DialogWindow::ShowValue(Part& part, const Control& c) {
  switch (c.kind) {
    case ControlKind::Label:
      if (IsPicture(c)) {
        if (part.picture != ShownText(c)) {
          part.picture = ShownText(c);
          part.model->setPropertyValue("Graphic", uno::Any(FileGraphic(office_, part.picture)));
        }
      } else {
        Put(part.model, "Label", uno::Any(CaptionText(ShownText(c))));
      }
      break;
    case ControlKind::TextBox:
      if (!refused_ || refused_->first != c.name) Put(part.model, "Text", uno::Any(ToOUString(c.text)));
      break;
    case ControlKind::CheckBox:
      Put(part.model, "Label", uno::Any(CaptionText(c.caption)));
      Put(part.model, "State", uno::Any(sal_Int16(c.value ? 1 : 0)));
      break;
    case ControlKind::ComboBox:
      Put(part.model, "StringItemList", uno::Any(ItemList(c.items)));
      if (c.listOnly) {
        // A drop-down list's value is its text (what the handlers read and
        // set, a figure's line style loaded back among them): the entry
        // showing is the one of that text, whatever index was chosen last.
        const auto entry = std::find(c.items.begin(), c.items.end(), c.text);
        Put(part.model, "SelectedItems",
            uno::Any(Selected(entry == c.items.end() ? -1 : static_cast<int>(entry - c.items.begin()))));
      } else {
        Put(part.model, "Text", uno::Any(ToOUString(c.text)));
      }
      break;
    case ControlKind::ListBox:
      Put(part.model, "StringItemList", uno::Any(ItemList(c.items)));
      Put(part.model, "SelectedItems", uno::Any(Selected(c.value)));
      break;
    case ControlKind::Button: Put(part.model, "Label", uno::Any(CaptionText(c.caption))); break;
    case ControlKind::OptionGroup: break;  // shown by its options
  }
}

void DialogWindow::ShowArea(Part& part) {
  // The dialog's preview, drawn by the add-in's renderer; a dialog without
  // one (the news window's web page) leaves the area empty.
  std::string svg;
  try {
    svg = form_->PreviewSvg();
  } catch (const VbError&) {
    return;
  }
  if (svg == previewSvg_) return;
  previewSvg_ = svg;
  part.model->setPropertyValue("Graphic", uno::Any(SvgGraphic(office_, svg)));
  Put(part.model, "ScaleMode", uno::Any(sal_Int16(1)));
}

void DialogWindow::ToFront() {
  if (dialog_.is()) uno::Reference<awt::XTopWindow>(dialog_, uno::UNO_QUERY_THROW)->toFront();
}

void DialogWindow::RunModal() {
  if (!dialog_.is()) return;
  modal_ = true;
  uno::Reference<awt::XDialog>(dialog_, uno::UNO_QUERY_THROW)->execute();
  modal_ = false;
}

void DialogWindow::Close() {
  if (!dialog_.is()) return;
  try {
    if (modal_) uno::Reference<awt::XDialog>(dialog_, uno::UNO_QUERY_THROW)->endExecute();
    uno::Reference<awt::XWindow>(dialog_, uno::UNO_QUERY_THROW)->setVisible(false);
  } catch (const uno::Exception&) {
    // the window went already
  }
}

void DialogWindow::Dispose() {
  if (!dialog_.is()) return;
  try {
    uno::Reference<lang::XComponent>(dialog_, uno::UNO_QUERY_THROW)->dispose();
  } catch (const uno::Exception&) {
  }
  dialog_.clear();
  parts_.clear();
}

// ---- What the teacher does ----

void DialogWindow::On(size_t index, const WindowEvent& event) {
  if (pushing_ || !dialog_.is()) return;
  const auto keep = shared_from_this();
  if (index == SIZE_MAX) {
    // The window's close button closes the dialog as the view model's own
    // close would: its closing handler runs.
    if (event.kind == WindowEvent::Kind::Closing) owner_.Run([this] { form_->Unload(); }, true);
    return;
  }
  if (index >= parts_.size()) return;
  const Part part = parts_[index];
  switch (event.kind) {
    case WindowEvent::Kind::Scrolled: {
      offsets_[part.index] = event.value;
      pushing_ = true;
      for (Part& p : parts_)
        if (p.scroll == part.index) Show(p);
      pushing_ = false;
      return;
    }
    case WindowEvent::Kind::Typed: Typed(part); return;
    case WindowEvent::Kind::FocusOut:
      if (refused_ && refused_->first == part.control) {
        const std::wstring message = std::exchange(refused_, std::nullopt)->second;
        owner_.Run([this, message] { owner_.Context().Ui().MsgBox(message, Buttons::OK, L"Plendrix"); }, false);
      }
      return;
    default: break;
  }
  const bool acts = event.kind == WindowEvent::Kind::Pressed || event.kind == WindowEvent::Kind::Clicked;
  owner_.Run([this, part, event] { Act(part, event); }, acts);
}

void DialogWindow::Act(const Part& part, const WindowEvent& event) {
  Form& f = *form_;
  if (part.role == Role::Tab) {
    if (event.kind != WindowEvent::Kind::Pressed) return;
    if (!geometry_.stripControl.empty()) f.SetValue(geometry_.stripControl, std::to_wstring(part.index));
    else page_ = part.index;
    const std::wstring& label = geometry_.pageLabels[static_cast<size_t>(part.index)];
    if (!label.empty() && f.GetControl(label).click) f.Click(label);
    return;
  }
  if (part.control.empty()) return;
  const Control& c = f.GetControl(part.control);
  if (part.role == Role::Option) {
    if (event.kind == WindowEvent::Kind::Chosen && event.value == 1 && c.value != part.index)
      f.SetValue(c.name, std::to_wstring(part.index));
    return;
  }
  if (part.role != Role::Own) return;
  switch (event.kind) {
    case WindowEvent::Kind::Pressed:
      if (c.kind == ControlKind::Button) {
        f.Click(c.name);
      } else if (c.kind == ControlKind::ListBox) {
        const int entry = uno::Reference<awt::XListBox>(part.window, uno::UNO_QUERY_THROW)->getSelectedItemPos();
        if (entry >= 0) f.DblClick(c.name, entry);
      }
      break;
    case WindowEvent::Kind::Chosen: Chosen(part, event.value); break;
    case WindowEvent::Kind::Clicked:
      if (event.clicks == 2 && c.dblClick) f.DblClick(c.name, 0);
      else if (event.clicks == 1 && c.click && c.kind != ControlKind::Button) f.Click(c.name);
      break;
    case WindowEvent::Kind::FocusIn:
      if (c.gotFocus) {
        f.Focus(c.name);
        // What the handler selected is what typing replaces.
        const Control& now = f.GetControl(c.name);
        if (uno::Reference<awt::XTextComponent> text{part.window, uno::UNO_QUERY}; text.is())
          text->setSelection(awt::Selection(static_cast<sal_Int32>(now.selStart),
                                            static_cast<sal_Int32>(now.selStart + now.selLength)));
      }
      break;
    default: break;
  }
}

void DialogWindow::Chosen(const Part& part, int value) {
  Form& f = *form_;
  const Control& c = f.GetControl(part.control);
  switch (c.kind) {
    case ControlKind::CheckBox:
      if (c.value != (value ? 1 : 0)) f.SetValue(c.name, value ? L"1" : L"0");
      break;
    case ControlKind::ListBox: {
      const int entry = uno::Reference<awt::XListBox>(part.window, uno::UNO_QUERY_THROW)->getSelectedItemPos();
      if (entry != c.value) f.SetValue(c.name, std::to_wstring(entry));
      break;
    }
    case ControlKind::ComboBox:
      if (c.listOnly) {
        const int entry = uno::Reference<awt::XListBox>(part.window, uno::UNO_QUERY_THROW)->getSelectedItemPos();
        if (entry >= 0 && entry < static_cast<int>(c.items.size()) && c.items[static_cast<size_t>(entry)] != c.text)
          f.SetValue(c.name, c.items[static_cast<size_t>(entry)]);
      } else {
        Typed(part);
      }
      break;
    default: break;
  }
}

void DialogWindow::Typed(const Part& part) {
  if (part.role != Role::Own) return;
  const std::wstring text =
      FromOUString(uno::Reference<awt::XTextComponent>(part.window, uno::UNO_QUERY_THROW)->getText());
  const Control& c = form_->GetControl(part.control);
  if (text == c.text) {
    // Typed back to the control's own value (over a selection, "-" on the
    // way to "-5"): what was refused on the way is gone from the box.
    if (refused_ && refused_->first == c.name) refused_.reset();
    return;
  }
  // A text the control cannot take (a letter in a number box, typed on the
  // way to a number) stays in the box; the teacher is told when leaving it.
  owner_.Run(
      [this, name = c.name, text] {
        try {
          form_->SetValue(name, text);
          refused_.reset();
        } catch (const VbError& e) {
          if (e.number() != 380) throw;
          refused_ = {name, e.description()};
        }
      },
      false);
}

}  // namespace plx::oxt
