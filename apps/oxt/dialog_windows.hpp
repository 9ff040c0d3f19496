#pragma once
// The windows of the add-in's open dialogs. After every command and every
// action in a window the windows are brought in step with the context's
// list of open dialogs: a dialog that opened gets its window, one that
// unloaded loses it, the others show their view models as they are now.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "addin/addin_context.hpp"
#include "dialog_window.hpp"

namespace plx::oxt {

class DialogWindows {
 public:
  // Runs an action of the teacher's in a window the way the add-in runs a
  // command (one at a time, failures shown in a box); `catchUp` asks for
  // the documents to be read again first, as the action may change them.
  using Runner = std::function<void(const std::function<void()>& action, bool catchUp)>;
  using Parent = std::function<css::uno::Reference<css::awt::XWindowPeer>()>;

  DialogWindows(AddinContext& ctx, Runner run, Parent parent)
      : ctx_(ctx), run_(std::move(run)), parent_(std::move(parent)) {}

  void SetOffice(const css::uno::Reference<css::uno::XComponentContext>& office) { office_ = office; }
  AddinContext& Context() { return ctx_; }
  void Sync();
  // Shows the dialog `name` (already loaded) modally until `closed()`.
  void RunModal(const std::wstring& name, const std::function<bool()>& closed);
  // Whether a modal dialog is running: its actions belong to the command
  // that showed it.
  bool InModal() const { return modal_ > 0; }
  void Run(const std::function<void()>& action, bool catchUp) { run_(action, catchUp); }
  // Brings the window of the dialog `name` before the others.
  void ToFront(const std::wstring& name);
  // Closes every window (the office is closing).
  void CloseAll();

 private:
  AddinContext& ctx_;
  Runner run_;
  Parent parent_;
  css::uno::Reference<css::uno::XComponentContext> office_;
  std::vector<std::shared_ptr<DialogWindow>> windows_;
  // Windows closed by an action in themselves: their office objects go at
  // the next Sync, after the action has returned to the office.
  std::vector<std::shared_ptr<DialogWindow>> closed_;
  std::wstring opening_;  // the dialog about to run modally, made hidden
  std::atomic<int> modal_{0};
};

}  // namespace plx::oxt
