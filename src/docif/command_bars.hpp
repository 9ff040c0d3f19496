#pragma once
// The host's command bars: the legacy toolbars, their buttons and popup
// menus. Objects are shared like the host's reference-counted ones; a
// deleted object raises an error when it is used again.
#include <functional>
#include <memory>
#include <string>

namespace plx::docif {

enum class ControlType { Button = 1, Popup = 10 };
enum class ButtonStyle { Automatic = 0, Icon = 1, Caption = 2, IconAndCaption = 3 };
enum class BarPosition { Left = 0, Top = 1, Right = 2, Bottom = 3, Floating = 4 };

class CommandBarControls;

class CommandBarControl {
 public:
  using ClickHandler = std::function<void(CommandBarControl& control, bool& cancelDefault)>;
  virtual ~CommandBarControl() = default;
  virtual ControlType Type() const = 0;
  virtual std::wstring Caption() const = 0;
  virtual void SetCaption(const std::wstring&) = 0;
  virtual std::wstring Parameter() const = 0;
  virtual void SetParameter(const std::wstring&) = 0;
  virtual std::wstring Tag() const = 0;
  virtual void SetTag(const std::wstring&) = 0;
  virtual std::wstring TooltipText() const = 0;
  virtual void SetTooltipText(const std::wstring&) = 0;
  virtual ButtonStyle Style() const = 0;
  virtual void SetStyle(ButtonStyle) = 0;
  // Checked state (a tick in a menu).
  virtual bool State() const = 0;
  virtual void SetState(bool) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool) = 0;
  // Picture file shown on the button.
  virtual void SetPicture(const std::wstring& bitmapPath) = 0;
  virtual std::wstring Picture() const = 0;
  // The items of a popup menu; null for a button.
  virtual std::shared_ptr<CommandBarControls> Controls() = 0;
  // Attaches a click event sink (a button's Click event).
  virtual void AddClickHandler(ClickHandler handler) = 0;
  // Runs the control's action as if the user clicked it.
  virtual void Execute() = 0;
  virtual void Delete() = 0;
};

class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;
  virtual int Count() const = 0;
  // 1-based; error 5 when out of range.
  virtual std::shared_ptr<CommandBarControl> Item(int index) = 0;
  virtual std::shared_ptr<CommandBarControl> Add(ControlType type, bool temporary) = 0;
};

class CommandBar {
 public:
  virtual ~CommandBar() = default;
  virtual std::wstring Name() const = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool) = 0;
  virtual BarPosition Position() const = 0;
  virtual std::shared_ptr<CommandBarControls> Controls() = 0;
  virtual void Delete() = 0;
};

class CommandBars {
 public:
  virtual ~CommandBars() = default;
  virtual int Count() const = 0;
  // 1-based; error 5 when out of range.
  virtual std::shared_ptr<CommandBar> Item(int index) = 0;
  // By full name; error 5 when there is no such bar.
  virtual std::shared_ptr<CommandBar> Item(const std::wstring& name) = 0;
  virtual std::shared_ptr<CommandBar> Add(const std::wstring& name, BarPosition position,
                                          bool menuBar, bool temporary) = 0;
  // A control of any bar, the host's built-in ones included, by caption;
  // null when there is none.
  virtual std::shared_ptr<CommandBarControl> FindControl(const std::wstring& caption) = 0;
};

}  // namespace plx::docif
