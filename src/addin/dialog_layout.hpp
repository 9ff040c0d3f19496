#pragma once
// A dialog's layout as a structure: tab pages, captioned frames, rows and
// columns of controls, lists and previews that take a given area. The
// description names the view model's controls and says what goes where; the
// layout engine (dialog_geometry) sizes every control from its kind and
// caption and gives each a box in dialog units, the units of the office's
// dialogs (x a quarter of the dialog font's average character width, y an
// eighth of its height). The order controls are read in the description,
// row by row, is the dialog's tab order.
#include <string>
#include <vector>

namespace plx {

struct LayoutNode {
  enum class Kind {
    Control,  // one control of the view model, by name
    Row,      // children side by side
    Column,   // children one below the other; text boxes' labels line up
    Grid,     // children in rows of `columns`, every cell as wide as the widest
    Frame,    // a captioned group around a column
    Tabs,     // tab pages, one shown at a time
    Page,     // one page of a Tabs
    Area,     // a region that is no control (the preview, a web view)
    Scroll,   // a captioned group of a fixed height whose content scrolls
  };
  // Where a control's caption stands: on the control itself (check boxes,
  // buttons, labels, option groups), as a label left of it or above it
  // (text, combo and list boxes), or not at all (a frame around it says it).
  enum class CaptionAt { Default, Left, Above, None };

  Kind kind = Kind::Column;
  // Control: the control; Tabs: the tab strip control, if any; Frame, Page:
  // the label control that is their caption, if any; Area: its name.
  std::wstring name;
  std::wstring caption;  // Frame, Page, Scroll (one named by its caption control shows that control's text)
  std::vector<LayoutNode> children;
  int width = 0;         // a width asked for (0: sized from the content)
  int height = 0;        // Area, Scroll, list boxes, labels: the height they take
  int chars = 0;         // text box: the Latin characters it shows (0: sized from its kind)
  int lines = 1;         // text box: lines shown
  int columns = 1;       // option group: columns of its options; grid: cells a row
  bool stretch = false;  // takes what width its row or column has left
  CaptionAt captionAt = CaptionAt::Default;

  // Modifiers, written after the node they change: Field(L"txtA").Chars(6).
  LayoutNode Chars(int n) const;
  LayoutNode Lines(int n) const;
  LayoutNode Width(int w) const;
  LayoutNode Size(int w, int h) const;
  LayoutNode Columns(int n) const;
  LayoutNode Stretch() const;
  LayoutNode CaptionAbove() const;
  LayoutNode NoCaption() const;
};

struct DialogLayout {
  std::wstring title;  // the window's caption
  LayoutNode root;     // a column
};

namespace layout {

LayoutNode Field(const std::wstring& control);
LayoutNode Row(std::vector<LayoutNode> children);
LayoutNode Column(std::vector<LayoutNode> children);
LayoutNode Frame(const std::wstring& caption, std::vector<LayoutNode> children);
// Pages of tabs; `strip` names the control that chooses the page (empty when
// the view model has none).
LayoutNode Tabs(const std::wstring& strip, std::vector<LayoutNode> pages);
LayoutNode Page(const std::wstring& caption, std::vector<LayoutNode> children);
// A frame or tab page whose caption is a label control of the view model.
LayoutNode FrameOf(const std::wstring& label, std::vector<LayoutNode> children);
LayoutNode PageOf(const std::wstring& label, std::vector<LayoutNode> children);
LayoutNode Area(const std::wstring& name, int width, int height);
LayoutNode Scroll(const std::wstring& caption, int height, std::vector<LayoutNode> children);
// Controls in one row, by name.
LayoutNode Fields(const std::vector<std::wstring>& controls);
// Controls in rows of `perRow` cells of one width, by name.
LayoutNode Grid(const std::vector<std::wstring>& controls, size_t perRow);

}  // namespace layout
}  // namespace plx
