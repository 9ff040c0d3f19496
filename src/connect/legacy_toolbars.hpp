#pragma once
// The 2003 host's toolbars: the main bar built at connection, the
// secondary bars built on their first toggle, and the event sinks through
// which their buttons dispatch by their Parameter key.
#include <memory>
#include <string>
#include <vector>

#include "docif/command_bars.hpp"

namespace plx {

class AddinContext;

// One sink per button: a click dispatches the lower-cased Parameter to the
// command table, then cancels the host's default action.
class ButtonEvent {
 public:
  explicit ButtonEvent(AddinContext& ctx) : ctx_(ctx) {}
  void Button_Click(docif::CommandBarControl& ctrl, bool& cancelDefault);

 private:
  AddinContext& ctx_;
};

class ButtonEventCol {
 public:
  explicit ButtonEventCol(AddinContext& ctx) : ctx_(ctx) {}
  // Creates a sink and attaches it to the button's click event.
  void Add(const std::shared_ptr<docif::CommandBarControl>& button);
  size_t Count() const { return sinks_.size(); }

 private:
  AddinContext& ctx_;
  std::vector<std::shared_ptr<ButtonEvent>> sinks_;
};

// Builds "plendrix_Main" with its buttons and menus.
void BuildMainToolbar(AddinContext& ctx);
// Shows or hides the secondary bar of a "其它工具栏" caption, building it
// on first use, and ticks its menu entry; other captions do nothing.
void ToggleToolbar(AddinContext& ctx, const std::wstring& caption);
// The full name of a secondary bar ("plendrix_TXCL" + site label), or "".
std::wstring ToolbarName(const std::wstring& caption);

}  // namespace plx
