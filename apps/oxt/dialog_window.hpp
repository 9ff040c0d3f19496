#pragma once
// One of the add-in's dialogs as a window of the office: made from the view
// model and its placed layout (a frame for each group, a tab per page with
// only the chosen page's controls shown, a scroll bar for a scrolled group,
// pictures for previews), and kept in step with it both ways. What the
// teacher does in the window reaches the view model's handlers the way a
// script's set, click, dblclick and focus do; after every handler the
// window shows the view model as it is now (values, entries, captions,
// enabled, shown). A view model given controls at run time gets its
// window made again.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <com/sun/star/awt/XControl.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "addin/dialog_geometry.hpp"
#include "addin/form.hpp"
#include "dialog_controls.hpp"
#include "dialog_events.hpp"

namespace plx::oxt {

class DialogWindows;

class DialogWindow : public std::enable_shared_from_this<DialogWindow> {
 public:
  DialogWindow(DialogWindows& owner, std::shared_ptr<Form> form) : owner_(owner), form_(std::move(form)) {}
  ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  const std::shared_ptr<Form>& ViewModel() const { return form_; }
  // Makes the window over `parent`; shown at once unless it is to run modally.
  void Open(const css::uno::Reference<css::uno::XComponentContext>& office,
            const css::uno::Reference<css::awt::XWindowPeer>& parent, bool show);
  // Shows the view model as it is now.
  void Refresh();
  void ToFront();
  // Runs the window modally until Close (at once in a headless office).
  void RunModal();
  // Hides the window and ends its modal run; the office's objects go at Dispose.
  void Close();
  void Dispose();

 private:
  // What a part of the window stands for.
  enum class Role { Own, Option, Caption, Frame, Tab, Pages, Area, ScrollBar, Separator };
  struct Part {
    Part(Role r, std::wstring c, int i, LayoutBox b, int p, int s)
        : role(r), control(std::move(c)), index(i), box(b), page(p), scroll(s) {}
    Role role = Role::Own;
    std::wstring control;  // the view model's control it shows, if any
    int index = -1;        // Option: the option; Frame, ScrollBar: the frame; Tab: the page; Area: the area
    LayoutBox box;
    int page = -1, scroll = -1;
    ControlModel model;
    css::uno::Reference<css::awt::XControl> window;
    std::wstring name;     // its model's name in the dialog
    std::wstring picture;  // the picture file shown, for a picture
  };

  void Build();
  void Connect(const css::uno::Reference<css::awt::XControl>& dialog);
  Part& AddPart(Part part, const char* kind, const std::wstring& name);
  void AddControl(const PlacedControl& placed);
  void AddTabs();
  void AddFrame(int index);
  // Frames and tabs show these controls' captions themselves.
  bool IsCaptionControl(const std::wstring& name) const;
  // Whether the view model's controls are still the ones the window was made for.
  bool SameControls() const;
  void Show(Part& part);
  void ShowValue(Part& part, const Control& c);
  void ShowArea(Part& part);
  int CurrentPage() const;
  bool Shown(const Part& part) const;
  LayoutBox Scrolled(const Part& part) const;

  // The teacher's action on a part, run through the owner.
  void On(size_t part, const WindowEvent& event);
  void Act(const Part& part, const WindowEvent& event);
  void Typed(const Part& part);
  void Chosen(const Part& part, int value);

  DialogWindows& owner_;
  std::shared_ptr<Form> form_;
  css::uno::Reference<css::uno::XComponentContext> office_;
  std::optional<DialogModel> model_;
  css::uno::Reference<css::awt::XControl> dialog_;
  DialogGeometry geometry_;
  std::vector<std::wstring> names_;  // the view model's controls the window was made for
  std::vector<Part> parts_;
  int page_ = 0;                // the page shown when no control chooses it
  std::map<int, int> offsets_;  // a scrolled group's offset, by frame
  std::string previewSvg_;      // what the preview shows now
  // A typed text the view model refused, kept in the box until the focus
  // leaves it: the control and what it said.
  std::optional<std::pair<std::wstring, std::wstring>> refused_;
  std::wstring lastRadio_;  // the option group whose buttons were added last
  bool pushing_ = false;  // the window is being set from the view model
  bool modal_ = false;
};

}  // namespace plx::oxt
