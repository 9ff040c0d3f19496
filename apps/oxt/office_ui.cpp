#include "office_ui.hpp"

#include <algorithm>

#include <com/sun/star/awt/MessageBoxButtons.hpp>
#include <com/sun/star/awt/MessageBoxResults.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XMessageBox.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/task/XStatusIndicatorFactory.hpp>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/uno/uno_text.hpp"
#include "input_box.hpp"
#include "pickers.hpp"

namespace plx::oxt {

using namespace css;
using docif::lo::FromOUString;
using docif::lo::ToOUString;

namespace {

// The buttons with the first one as the default, as the word processor's
// boxes have them: Enter answers OK or Yes. Without a default the office
// makes No the default of a question, and Enter would turn down what the
// teacher was asked to confirm.
sal_Int32 BoxButtons(Buttons buttons) {
  using namespace awt::MessageBoxButtons;
  switch (buttons) {
    case Buttons::OK: return BUTTONS_OK | DEFAULT_BUTTON_OK;
    case Buttons::OKCancel: return BUTTONS_OK_CANCEL | DEFAULT_BUTTON_OK;
    case Buttons::YesNo: return BUTTONS_YES_NO | DEFAULT_BUTTON_YES;
    case Buttons::YesNoCancel: return BUTTONS_YES_NO_CANCEL | DEFAULT_BUTTON_YES;
  }
  return BUTTONS_OK | DEFAULT_BUTTON_OK;
}

// A box closed without a button (or returning at once, headless) answers
// as its way out: Cancel, or No where there is no Cancel.
Answer BoxAnswer(sal_Int16 result, Buttons buttons) {
  switch (result) {
    case awt::MessageBoxResults::OK: return Answer::OK;
    case awt::MessageBoxResults::YES: return Answer::Yes;
    case awt::MessageBoxResults::NO: return Answer::No;
    default: break;
  }
  if (buttons == Buttons::OK) return Answer::OK;
  return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

// The add-in writes line breaks as CR LF; the office's boxes break at LF.
std::wstring BoxText(const std::wstring& text) { return Replace(Replace(text, L"\r\n", L"\n"), L"\r", L"\n"); }

// A box that cannot be shown is the add-in's run-time error, which its
// commands trap and report like any other.
template <class Show>
auto Shown(Show show) {
  try {
    return show();
  } catch (const uno::Exception& e) {
    Raise(err::kInvalidCall, L"LibreOffice 无法显示对话框：" + FromOUString(e.Message));
  }
}

}  // namespace

void OfficeUi::BeginCommand(const uno::Reference<uno::XComponentContext>& office,
                            const uno::Reference<frame::XFrame>& frame) {
  office_ = office;
  frame_ = frame;
  error_.reset();
}

void OfficeUi::EndCommand() {
  try {
    if (indicator_.is()) indicator_->end();
  } catch (const uno::Exception&) {
    // the window went away with its status bar
  }
  indicator_.clear();
  frame_.clear();
}

uno::Reference<frame::XFrame> OfficeUi::Frame() const {
  if (frame_.is()) return frame_;
  return frame::Desktop::create(office_)->getCurrentFrame();
}

uno::Reference<awt::XWindowPeer> OfficeUi::ParentWindow() const {
  uno::Reference<awt::XWindowPeer> parent;
  if (uno::Reference<frame::XFrame> frame = Frame(); frame.is()) parent.set(frame->getContainerWindow(), uno::UNO_QUERY);
  return parent;
}

Answer OfficeUi::MsgBox(const std::wstring& text, Buttons buttons, const std::wstring& title, BoxLook look) {
  const bool error = IsErrorBox(text, title, look);
  if (error && !error_) error_ = text;
  return Shown([&] {
    const awt::MessageBoxType type = error ? awt::MessageBoxType_ERRORBOX
                                     : buttons == Buttons::OK ? awt::MessageBoxType_INFOBOX
                                                              : awt::MessageBoxType_QUERYBOX;
    uno::Reference<awt::XMessageBox> box = awt::Toolkit::create(office_)->createMessageBox(
        ParentWindow(), type, BoxButtons(buttons), ToOUString(title.empty() ? L"Plendrix" : title),
        ToOUString(BoxText(text)));
    const sal_Int16 result = box->execute();
    if (uno::Reference<lang::XComponent> done{box, uno::UNO_QUERY}; done.is()) done->dispose();
    return BoxAnswer(result, buttons);
  });
}

std::wstring OfficeUi::InputBox(const std::wstring& prompt, const std::wstring& title,
                                const std::wstring& defaultText) {
  return Shown([&] { return AskText(office_, ParentWindow(), BoxText(prompt), title, defaultText).value_or(L""); });
}

std::wstring OfficeUi::ChooseFolder(const std::wstring& prompt) {
  return Shown([&] { return PickFolder(office_, prompt); });
}

std::wstring OfficeUi::ChooseSaveFile(const std::wstring& prompt, const std::vector<FileFilter>& filters,
                                      const std::wstring& defaultName) {
  return Shown([&] { return PickSaveFile(office_, prompt, filters, defaultName); });
}

std::optional<uint32_t> OfficeUi::ChooseColor(uint32_t initial) {
  return Shown([&] { return PickColor(office_, ParentWindow(), initial); });
}

task::XStatusIndicator& OfficeUi::Indicator() {
  if (!indicator_.is()) {
    uno::Reference<task::XStatusIndicatorFactory> factory(Frame(), uno::UNO_QUERY_THROW);
    indicator_ = factory->createStatusIndicator();
    indicator_->start(rtl::OUString(), 100);
  }
  return *indicator_;
}

// Progress and status texts only inform: a status bar that cannot show
// them never stops a command.
void OfficeUi::Progress(int percent, const std::wstring& text) {
  try {
    Indicator().setText(ToOUString(text));
    Indicator().setValue(std::clamp(percent, 0, 100));
    if (percent >= 100) {
      indicator_->end();
      indicator_.clear();
    }
  } catch (const uno::Exception&) {
  }
}

void OfficeUi::StatusText(const std::wstring& text) {
  try {
    if (!text.empty()) Indicator().setText(ToOUString(text));
    else if (indicator_.is()) Indicator().setText(rtl::OUString());
  } catch (const uno::Exception&) {
  }
}

void OfficeUi::RunModal(const std::wstring& dialog, const std::function<bool()>& closed) {
  if (windows_) Shown([&] { windows_->RunModal(dialog, closed); });
}

}  // namespace plx::oxt
