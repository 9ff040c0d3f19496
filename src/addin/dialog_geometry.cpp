#include "addin/dialog_geometry.hpp"

#include <algorithm>

#include "addin/form.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx {
namespace {

using Kind = LayoutNode::Kind;
using CaptionAt = LayoutNode::CaptionAt;

// Spacing in dialog units, as the office's own dialogs have it.
constexpr int kMargin = 6;      // dialog edge to its content
constexpr int kGapX = 4;        // between controls side by side
constexpr int kGapY = 3;        // between rows
constexpr int kLabelGap = 3;    // a label and its box
constexpr int kBoxHeight = 12;  // text and combo boxes
constexpr int kButtonHeight = 14;
constexpr int kCheckHeight = 10;  // check and option buttons
constexpr int kLineHeight = 8;    // a line of label text
constexpr int kIndicator = 12;    // a check or option button's mark and the space after it
constexpr int kButtonPad = 12;    // a button's caption to its edges
constexpr int kFramePadX = 6;
constexpr int kFrameTop = 12;  // a frame's caption line
constexpr int kFrameBottom = 6;
constexpr int kTabHeight = 14;
constexpr int kTabPad = 12;  // a tab's caption to its edges
constexpr int kPagePad = 6;
constexpr int kDropButton = 20;  // a combo box's drop button and margins

bool IsWide(wchar_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

int CharWidth(wchar_t c) { return IsWide(c) ? 8 : 4; }

// The rows that pieces of these widths fill when each row is `width` wide
// (a piece wider than a row takes one of its own).
int FlowRows(const std::vector<int>& widths, int width) {
  int rows = 1, used = 0;
  for (int w : widths) {
    if (used > 0 && used + w > width) {
      ++rows;
      used = 0;
    }
    used += w;
  }
  return rows;
}

struct Extent {
  int width = 0, height = 0;
};

// Where the node being placed stands.
struct Place {
  int page = -1, frame = -1, scroll = -1;
};

class Engine {
 public:
  Engine(const Form& form, DialogGeometry& out) : form_(form), out_(out) {}

  Extent Measure(const LayoutNode& n, int labelWidth = -1) {
    switch (n.kind) {
      case Kind::Control: return MeasureControl(n, labelWidth);
      case Kind::Row: {
        Extent e;
        for (const auto& c : n.children) {
          const Extent ce = Measure(c);
          e.width += ce.width + (e.width ? kGapX : 0);
          e.height = std::max(e.height, ce.height);
        }
        return e;
      }
      case Kind::Column:
      case Kind::Page: {
        Extent e;
        const int labels = ColumnLabelWidth(n);
        for (const auto& c : n.children) {
          const Extent ce = Measure(c, labels);
          e.width = std::max(e.width, ce.width);
          e.height += ce.height + (e.height ? kGapY : 0);
        }
        return e;
      }
      case Kind::Grid: {
        if (n.children.empty()) return {};
        const Extent cell = GridCell(n);
        const int columns = std::min<int>(GridColumns(n), static_cast<int>(n.children.size()));
        const int rows = (static_cast<int>(n.children.size()) + GridColumns(n) - 1) / GridColumns(n);
        return {columns * (cell.width + kGapX) - kGapX, rows * (cell.height + kGapY) - kGapY};
      }
      case Kind::Frame: {
        const Extent inner = MeasureContent(n);
        return {std::max(inner.width, TextWidth(CaptionOf(n))) + 2 * kFramePadX,
                inner.height + kFrameTop + kFrameBottom};
      }
      case Kind::Scroll: {
        const Extent inner = MeasureContent(n);
        return {std::max(inner.width, TextWidth(n.caption)) + 2 * kFramePadX, n.height};
      }
      case Kind::Tabs: {
        Extent pages;
        for (const auto& p : n.children) {
          const Extent pe = Measure(p);
          pages.width = std::max(pages.width, pe.width);
          pages.height = std::max(pages.height, pe.height);
        }
        int widest = 0;
        for (const auto& p : n.children) widest = std::max(widest, TabWidth(p));
        const int width = std::max(pages.width + 2 * kPagePad, widest);
        return {width, StripRows(n, width) * kTabHeight + pages.height + 2 * kPagePad};
      }
      case Kind::Area: return {n.width, n.height};
    }
    return {};
  }

  // Places the node at (x, y) in `width` units; returns its height.
  int Lay(const LayoutNode& n, int x, int y, int width, Place at, int labelWidth = -1) {
    switch (n.kind) {
      case Kind::Control: return LayControl(n, x, y, width, at, labelWidth);
      case Kind::Row: {
        const Extent natural = Measure(n);
        int stretchers = 0;
        for (const auto& c : n.children) stretchers += Stretches(c) ? 1 : 0;
        int extra = std::max(0, width - natural.width);
        int cx = x;
        for (const auto& c : n.children) {
          int w = Measure(c).width;
          if (Stretches(c) && stretchers > 0) {
            const int share = extra / stretchers--;
            w += share;
            extra -= share;
          }
          Lay(c, cx, y, w, at);
          cx += w + kGapX;
        }
        return natural.height;
      }
      case Kind::Column:
      case Kind::Page: {
        const int labels = ColumnLabelWidth(n);
        int cy = y;
        for (const auto& c : n.children) {
          const int w = Fills(c) ? width : Measure(c, labels).width;
          cy += Lay(c, x, cy, w, at, labels) + kGapY;
        }
        return n.children.empty() ? 0 : cy - kGapY - y;
      }
      case Kind::Grid: {
        const Extent cell = GridCell(n);
        for (size_t i = 0; i < n.children.size(); ++i) {
          const int column = static_cast<int>(i) % GridColumns(n), row = static_cast<int>(i) / GridColumns(n);
          Lay(n.children[i].Stretch(), x + column * (cell.width + kGapX), y + row * (cell.height + kGapY), cell.width,
              at);
        }
        return Measure(n).height;
      }
      case Kind::Frame: {
        const int h = Measure(n).height;
        const std::wstring caption = CaptionOf(n);
        at.frame = AddFrame(caption, {x, y, width, h}, at);
        out_.frames[static_cast<size_t>(at.frame)].label = n.name;
        if (!n.name.empty()) AddCaptionControl(n.name, {x + kFramePadX, y, TextWidth(caption), kLineHeight}, at);
        Lay(Content(n), x + kFramePadX, y + kFrameTop, width - 2 * kFramePadX, at);
        return h;
      }
      case Kind::Scroll: {
        at.frame = AddFrame(n.caption, {x, y, width, n.height}, at);
        at.scroll = at.frame;
        out_.frames[at.frame].scrolls = true;
        const int content = Lay(Content(n), x + kFramePadX, y + kFrameTop, width - 2 * kFramePadX, at);
        out_.frames[at.frame].extent = std::max(n.height, content + kFrameTop + kFrameBottom);
        return n.height;
      }
      case Kind::Tabs: return LayTabs(n, x, y, width, at);
      case Kind::Area: out_.areas.push_back({n.name, {x, y, n.width, n.height}, at.page, at.frame}); return n.height;
    }
    return 0;
  }

 private:
  const Control& Find(const std::wstring& name) {
    for (const auto& c : form_.Controls())
      if (c.name == name) return c;
    Raise(err::kInvalidCall, L"对话框“" + form_.Name() + L"”的布局写了它没有的控件“" + name + L"”。");
  }

  // A frame's or page's caption: its caption control's text when it has one.
  std::wstring CaptionOf(const LayoutNode& n) { return n.name.empty() ? n.caption : ShownText(Find(n.name)); }

  static CaptionAt Placement(const LayoutNode& n, const Control& c) {
    if (n.captionAt != CaptionAt::Default) return n.captionAt;
    switch (c.kind) {
      case ControlKind::TextBox:
      case ControlKind::ComboBox: return c.caption.empty() ? CaptionAt::None : CaptionAt::Left;
      case ControlKind::ListBox: return c.caption.empty() ? CaptionAt::None : CaptionAt::Above;
      default: return CaptionAt::Default;  // on the control itself
    }
  }

  static bool HasOwnCaption(const Control& c) {
    return c.kind == ControlKind::CheckBox || c.kind == ControlKind::Button || c.kind == ControlKind::Label ||
           c.kind == ControlKind::OptionGroup;
  }

  // The width of the left labels of a column's text boxes, so their boxes line up.
  int ColumnLabelWidth(const LayoutNode& column) {
    int w = -1;
    for (const auto& n : column.children) {
      if (n.kind != Kind::Control) continue;
      const Control& c = Find(n.name);
      if (!HasOwnCaption(c) && Placement(n, c) == CaptionAt::Left) w = std::max(w, TextWidth(c.caption));
    }
    return w;
  }

  // The box's own width, its caption aside.
  int BoxWidth(const LayoutNode& n, const Control& c) {
    if (n.width > 0 && Placement(n, c) != CaptionAt::Above) return n.width;
    switch (c.kind) {
      case ControlKind::TextBox: {
        if (n.chars > 0) return n.chars * 4 + 8;
        const bool number = c.range || (IsNumeric(c.text) && c.text.size() <= 8);
        return number ? 40 : 100;
      }
      case ControlKind::ComboBox: {
        int widest = TextWidth(c.text);
        for (const auto& item : c.items) widest = std::max(widest, TextWidth(item));
        return std::clamp(widest + kDropButton, 40, 120);
      }
      case ControlKind::ListBox: return n.width > 0 ? n.width : 100;
      case ControlKind::CheckBox: return kIndicator + TextWidth(c.caption);
      case ControlKind::Button: return std::max(40, TextWidth(c.caption) + kButtonPad);
      case ControlKind::Label: return n.width > 0 ? n.width : std::max(4, TextWidth(ShownText(c)));
      case ControlKind::OptionGroup: return OptionsExtent(n, c).width;
    }
    return 0;
  }

  int BoxHeight(const LayoutNode& n, const Control& c, int width) {
    switch (c.kind) {
      case ControlKind::TextBox: return n.lines > 1 ? n.lines * kLineHeight + 4 : kBoxHeight;
      case ControlKind::ComboBox: return kBoxHeight;
      case ControlKind::ListBox: return n.height > 0 ? n.height : 60;
      case ControlKind::CheckBox: return kCheckHeight;
      case ControlKind::Button: return kButtonHeight;
      case ControlKind::Label: return n.height > 0 ? n.height : WrappedLines(ShownText(c), width) * kLineHeight;
      case ControlKind::OptionGroup: return OptionsExtent(n, c).height;
    }
    return 0;
  }

  static bool Framed(const LayoutNode& n, const Control& c) {
    return c.kind == ControlKind::OptionGroup && !c.caption.empty() && n.captionAt != CaptionAt::None;
  }

  std::vector<int> OptionColumns(const LayoutNode& n, const Control& c) {
    const int columns = std::max(1, n.columns);
    std::vector<int> widths(static_cast<size_t>(columns), 0);
    for (size_t i = 0; i < c.items.size(); ++i)
      widths[i % columns] = std::max(widths[i % columns], kIndicator + TextWidth(c.items[i]));
    return widths;
  }

  Extent OptionsExtent(const LayoutNode& n, const Control& c) {
    const std::vector<int> widths = OptionColumns(n, c);
    int width = 0;
    for (int w : widths) width += w + (width ? kGapX * 2 : 0);
    const int columns = static_cast<int>(widths.size());
    const int rows = (static_cast<int>(c.items.size()) + columns - 1) / columns;
    int height = std::max(0, rows * (kCheckHeight + 2) - 2);
    if (Framed(n, c)) {
      width = std::max(width, TextWidth(c.caption)) + 2 * kFramePadX;
      height += kFrameTop + kFrameBottom;
    }
    if (n.width > width) width = n.width;
    return {width, height};
  }

  Extent MeasureControl(const LayoutNode& n, int labelWidth) {
    const Control& c = Find(n.name);
    const int box = BoxWidth(n, c);
    switch (Placement(n, c)) {
      case CaptionAt::Left: {
        const int label = std::max(labelWidth, TextWidth(c.caption));
        return {label + kLabelGap + box, std::max(kBoxHeight, BoxHeight(n, c, box))};
      }
      case CaptionAt::Above: {
        const int width = n.width > 0 ? n.width : std::max(box, TextWidth(c.caption));
        return {width, WrappedLines(c.caption, width) * kLineHeight + 2 + BoxHeight(n, c, width)};
      }
      default: return {box, BoxHeight(n, c, box)};
    }
  }

  int LayControl(const LayoutNode& n, int x, int y, int width, Place at, int labelWidth) {
    const Control& c = Find(n.name);
    PlacedControl p;
    p.name = c.name;
    p.page = at.page;
    p.frame = at.frame;
    p.scroll = at.scroll;
    int height = 0;
    switch (Placement(n, c)) {
      case CaptionAt::Left: {
        const int label = std::max(labelWidth, TextWidth(c.caption));
        const int boxWidth = std::max(BoxWidth(n, c), width - label - kLabelGap);
        const int boxHeight = BoxHeight(n, c, boxWidth);
        p.hasLabel = true;
        p.label = {x, y + (kBoxHeight - kLineHeight) / 2, TextWidth(c.caption), kLineHeight};
        p.box = {x + label + kLabelGap, y, boxWidth, boxHeight};
        height = std::max(kBoxHeight, boxHeight);
        break;
      }
      case CaptionAt::Above: {
        const int labelLines = WrappedLines(c.caption, width);
        p.hasLabel = true;
        p.label = {x, y, width, labelLines * kLineHeight};
        const int top = y + labelLines * kLineHeight + 2;
        p.box = {x, top, width, BoxHeight(n, c, width)};
        height = p.box.Bottom() - y;
        break;
      }
      default: {
        const int w = n.stretch ? std::max(width, BoxWidth(n, c)) : BoxWidth(n, c);
        p.box = {x, y, w, BoxHeight(n, c, w)};
        height = p.box.height;
        if (c.kind == ControlKind::OptionGroup) PlaceOptions(n, c, p);
      }
    }
    out_.controls.push_back(std::move(p));
    return height;
  }

  void PlaceOptions(const LayoutNode& n, const Control& c, PlacedControl& p) {
    const std::vector<int> widths = OptionColumns(n, c);
    const bool framed = Framed(n, c);
    const int left = p.box.x + (framed ? kFramePadX : 0), top = p.box.y + (framed ? kFrameTop : 0);
    for (size_t i = 0; i < c.items.size(); ++i) {
      const size_t column = i % widths.size();
      int ox = left;
      for (size_t k = 0; k < column; ++k) ox += widths[k] + kGapX * 2;
      const int oy = top + static_cast<int>(i / widths.size()) * (kCheckHeight + 2);
      p.options.push_back({ox, oy, widths[column], kCheckHeight});
    }
  }

  static int GridColumns(const LayoutNode& grid) { return std::max(1, grid.columns); }

  // The size of a grid's cells: its widest and tallest child.
  Extent GridCell(const LayoutNode& grid) {
    Extent cell;
    for (const auto& c : grid.children) {
      const Extent e = Measure(c);
      cell.width = std::max(cell.width, e.width);
      cell.height = std::max(cell.height, e.height);
    }
    return cell;
  }

  // A frame's children as the column it holds.
  static LayoutNode Content(const LayoutNode& n) {
    LayoutNode column;
    column.kind = Kind::Column;
    column.children = n.children;
    return column;
  }

  Extent MeasureContent(const LayoutNode& n) { return Measure(Content(n)); }

  // Frames, tabs, rows and stretched controls take the column's width.
  static bool Fills(const LayoutNode& n) {
    return n.kind == Kind::Frame || n.kind == Kind::Scroll || n.kind == Kind::Tabs || n.kind == Kind::Row ||
           n.kind == Kind::Column || n.stretch;
  }

  static bool Stretches(const LayoutNode& n) { return n.stretch; }

  int TabWidth(const LayoutNode& page) { return TextWidth(CaptionOf(page)) + kTabPad; }

  void AddCaptionControl(const std::wstring& name, LayoutBox box, Place at) {
    PlacedControl p;
    p.name = Find(name).name;
    p.box = box;
    p.page = at.page;
    p.frame = at.frame;
    p.scroll = at.scroll;
    out_.controls.push_back(std::move(p));
  }

  // The rows of tabs the strip needs at this width.
  int StripRows(const LayoutNode& tabs, int width) {
    std::vector<int> widths;
    for (const auto& p : tabs.children) widths.push_back(TabWidth(p));
    return FlowRows(widths, width);
  }

  int AddFrame(const std::wstring& caption, LayoutBox box, Place at) {
    out_.frames.push_back({caption, box, at.page, at.frame, false, 0, L""});
    return static_cast<int>(out_.frames.size()) - 1;
  }

  int LayTabs(const LayoutNode& n, int x, int y, int width, Place at) {
    if (!out_.pages.empty() || at.page >= 0)
      Raise(err::kInvalidCall, L"对话框“" + form_.Name() + L"”的布局有不止一组选项卡。");
    const int rows = StripRows(n, width);
    std::vector<LayoutBox> strip;
    int tx = x, ty = y;
    for (const auto& p : n.children) {
      const int w = TabWidth(p);
      if (tx > x && tx + w > x + width) {
        tx = x;
        ty += kTabHeight;
      }
      strip.push_back({tx, ty, w, kTabHeight});
      tx += w;
    }
    out_.strip = strip;
    out_.stripControl = n.name;
    if (!n.name.empty()) {
      AddCaptionControl(n.name, {x, y, width, rows * kTabHeight}, at);
      out_.controls.back().options = strip;
    }
    for (size_t i = 0; i < n.children.size(); ++i) {
      out_.pageLabels.push_back(n.children[i].name);
      if (!n.children[i].name.empty()) AddCaptionControl(n.children[i].name, strip[i], at);
    }
    int pageHeight = 0;
    for (const auto& p : n.children) pageHeight = std::max(pageHeight, Measure(p).height);
    const int top = y + rows * kTabHeight;
    for (const auto& p : n.children) {
      out_.pages.push_back(CaptionOf(p));
      Place on = at;
      on.page = static_cast<int>(out_.pages.size()) - 1;
      Lay(p, x + kPagePad, top + kPagePad, width - 2 * kPagePad, on);
    }
    const int height = rows * kTabHeight + pageHeight + 2 * kPagePad;
    out_.tabs = {x, y, width, height};
    return height;
  }

  const Form& form_;
  DialogGeometry& out_;
};

}  // namespace

bool LayoutBox::Overlaps(const LayoutBox& o) const {
  return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
}

bool LayoutBox::Contains(const LayoutBox& o) const {
  return o.x >= x && o.y >= y && o.Right() <= Right() && o.Bottom() <= Bottom();
}

std::wstring ShownText(const Control& c) {
  return c.kind == ControlKind::Label && c.caption.empty() ? c.text : c.caption;
}

int TextWidth(const std::wstring& text) {
  int w = 0;
  for (wchar_t c : text) w += CharWidth(c);
  return w;
}

int WrappedLines(const std::wstring& text, int width) {
  std::vector<int> widths;
  for (wchar_t c : text) widths.push_back(CharWidth(c));
  return FlowRows(widths, width);
}

DialogGeometry LayOut(const Form& form) {
  const DialogLayout description = form.Layout();
  DialogGeometry g;
  g.title = description.title;
  Engine engine(form, g);
  const int width = engine.Measure(description.root).width;
  const int height = engine.Lay(description.root, kMargin, kMargin, width, {});
  g.width = width + 2 * kMargin;
  g.height = height + 2 * kMargin;
  return g;
}

}  // namespace plx
