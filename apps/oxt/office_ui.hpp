#pragma once
// The add-in's user interface inside LibreOffice: its message boxes are the
// office's own, over the window of the document the command was given in;
// input boxes are small office dialogs; the add-in's dialogs are office
// windows (dialog_windows), a modal one run by RunModal; the choosers are the office's file,
// folder and colour pickers; progress and status texts go to the
// document's status bar while the command runs. In a headless office
// every box returns at once, as cancelled.
#include <optional>
#include <string>
#include <utility>

#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/task/XStatusIndicator.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "dialog_windows.hpp"
#include "platform/ui.hpp"

namespace plx::oxt {

namespace css = ::com::sun::star;

class OfficeUi final : public UserInterface {
 public:
  // The boxes of the command about to run belong to the window of `frame`
  // (the office's active one when the frame is gone).
  void BeginCommand(const css::uno::Reference<css::uno::XComponentContext>& office,
                    const css::uno::Reference<css::frame::XFrame>& frame);
  // Ends the command's progress and status texts and lets go of its window.
  void EndCommand();
  // The text of the first error box the add-in showed since the command
  // began or since the last call, which forgets it.
  std::optional<std::wstring> TakeError() { return std::exchange(error_, std::nullopt); }

  Answer MsgBox(const std::wstring& text, Buttons buttons, const std::wstring& title,
                BoxLook look = BoxLook::Plain) override;
  std::wstring InputBox(const std::wstring& prompt, const std::wstring& title,
                        const std::wstring& defaultText) override;
  std::wstring ChooseFolder(const std::wstring& prompt) override;
  std::wstring ChooseSaveFile(const std::wstring& prompt, const std::vector<FileFilter>& filters,
                              const std::wstring& defaultName) override;
  std::optional<uint32_t> ChooseColor(uint32_t initial) override;
  void Progress(int percent, const std::wstring& text) override;
  void StatusText(const std::wstring& text) override;
  // Shows the dialog's window modally until it closes (at once in a
  // headless office, when the caller closes the dialog).
  void RunModal(const std::wstring& dialog, const std::function<bool()>& closed) override;
  void SetWindows(DialogWindows& windows) { windows_ = &windows; }
  // The window of the command's document (the office's active one outside a command).
  css::uno::Reference<css::awt::XWindowPeer> ParentWindow() const;

 private:
  css::uno::Reference<css::frame::XFrame> Frame() const;
  css::task::XStatusIndicator& Indicator();

  css::uno::Reference<css::uno::XComponentContext> office_;
  css::uno::Reference<css::frame::XFrame> frame_;
  css::uno::Reference<css::task::XStatusIndicator> indicator_;
  std::optional<std::wstring> error_;
  DialogWindows* windows_ = nullptr;
};

}  // namespace plx::oxt
