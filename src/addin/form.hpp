#pragma once
// A dialog as a view model. Its controls are named fields ("txtXmin",
// "optType") and its handlers are methods bound to them, so the
// command-line host, the tests and the dialog memory set and read every
// dialog the same way, by name. Show loads the dialog (Form_Load runs); a
// modeless dialog stays in the context's list of open dialogs, which keeps
// it alive, until it unloads. Dialogs are made with std::make_shared.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "addin/dialog_layout.hpp"

namespace plx {

class AddinContext;

enum class ControlKind { Label, TextBox, CheckBox, OptionGroup, ComboBox, ListBox, Button };

struct Control {
  std::wstring name;
  ControlKind kind = ControlKind::TextBox;
  std::wstring caption;
  std::wstring text;                 // text boxes, combo boxes
  int value = 0;                     // check box 0/1; option or list index (-1 none)
  std::vector<std::wstring> items;   // list entries; option captions
  bool listOnly = false;             // a drop-down list: its text is one of its items
  std::optional<std::pair<double, double>> range;  // a number box: the numbers it takes
  bool enabled = true;
  bool visible = true;
  std::function<void()> click;
  std::function<void(int)> dblClick;
  std::function<void()> change;
  std::function<void()> gotFocus;
  // The selected part of a text or combo box's text, as the user would
  // overtype it.
  size_t selStart = 0, selLength = 0;

  // A list's entries with the first one chosen (none for no entries).
  void ListWithFirstChosen(std::vector<std::wstring> entries) {
    items = std::move(entries);
    text = items.empty() ? L"" : items.front();
    value = items.empty() ? -1 : 0;
  }
};

class Form : public std::enable_shared_from_this<Form> {
 public:
  Form(AddinContext& ctx, std::wstring name) : ctx_(ctx), name_(std::move(name)) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::wstring& Name() const { return name_; }
  bool Loaded() const { return loaded_; }
  // Loads and shows the dialog without blocking.
  void Show();
  // Closes the dialog (Form_Unload runs once).
  void Unload();
  // Closes the dialog without running Form_Unload, so nothing the dialog
  // does on closing (saving its inputs) happens: for looking at a dialog.
  void Dismiss();

  const std::vector<Control>& Controls() const { return controls_; }
  // Error 730 ("控件不存在") for an unknown name.
  Control& GetControl(const std::wstring& name);
  // Sets a control as the user would: a text box's text, a check box 0/1,
  // an option group's or list's index, a combo box's text; runs its change
  // handler. Error 380 for a value the control cannot take: a check box
  // takes 0 or 1, an option group or list an index of its entries (-1 for
  // none), a drop-down list one of its items, a number box a number in its
  // range.
  void SetValue(const std::wstring& name, const std::wstring& value);
  // The value as SetValue takes it.
  std::wstring ValueText(const std::wstring& name);
  void Click(const std::wstring& name);
  // The control gets the focus (tabbed into or clicked); error 380 when it
  // is disabled or hidden, as such a control cannot take the focus.
  void Focus(const std::wstring& name);
  // A double click; on a list box the index must be one of its entries
  // (error 380 otherwise).
  void DblClick(const std::wstring& name, int index);
  // A picture of the dialog's preview as SVG; error 5 for a dialog without one.
  virtual std::string PreviewSvg();
  // The dialog's layout: what stands where, read row by row in tab order
  // (dialog_geometry sizes and places it). Error 5 for a dialog without one.
  virtual DialogLayout Layout() const;

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  AddinContext& Ctx() { return ctx_; }
  Control& AddControl(Control control);
  // A focus handler that selects the whole text, so typing replaces it.
  std::function<void()> SelectAllOnFocus(const std::wstring& name);

 private:
  AddinContext& ctx_;
  std::wstring name_;
  bool loaded_ = false;
  std::vector<Control> controls_;
};

}  // namespace plx
