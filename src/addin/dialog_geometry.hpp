#pragma once
// The layout engine: a dialog's layout description made into boxes in
// dialog units ("appfont"), each control sized from its kind and caption.
//
// The estimate of a caption's width: the average Latin character is 4 units
// wide (the unit is a quarter of the font's average character width), a
// Chinese or other full-width character 8 (one em, twice a Latin one).
//
// The screen a dialog must fit: 1280 x 800 pixels. LibreOffice makes its
// dialog unit from the dialog font: x = max(average character width / 4,
// text height / 8), y = text height / 8 (vcl's ImplInitAppFontData). With
// Segoe UI 9 pt at 96 dpi, the dialog font of LibreOffice on Windows, the
// text height is 16 px and the average width of "aemnnxEM" under 8 px, so a
// unit is 2 px wide and 2 px high; LibreOffice's own default (an 8 pt sans
// font where the desktop names none) gives about 1.8 x 1.6 px. At 2 x 2 px
// the screen holds 640 x 400 units.
#include <string>
#include <vector>

#include "addin/dialog_layout.hpp"

namespace plx {

class Form;
struct Control;

struct LayoutBox {
  int x = 0, y = 0, width = 0, height = 0;
  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  bool Overlaps(const LayoutBox& o) const;
  bool Contains(const LayoutBox& o) const;
};

struct PlacedFrame {
  std::wstring caption;
  LayoutBox box;
  int page = -1;    // the tab page it stands on, -1 outside the tabs
  int parent = -1;  // the frame it stands in, -1 none
  // A scrolled group: its content runs from the box's top for `extent`
  // units and is seen through the box.
  bool scrolls = false;
  int extent = 0;
  std::wstring label;  // the label control that is its caption, if any
};

struct PlacedControl {
  std::wstring name;
  LayoutBox box;
  bool hasLabel = false;  // its caption stands apart, in `label`
  LayoutBox label;
  std::vector<LayoutBox> options;  // an option group's buttons; a tab strip's tabs
  int page = -1;                   // the tab page it stands on, -1 outside the tabs
  int frame = -1;                  // the innermost frame it stands in, -1 none
  int scroll = -1;                 // the scrolled group it stands in, -1 none
};

struct PlacedArea {
  std::wstring name;
  LayoutBox box;
  int page = -1;
  int frame = -1;
};

struct DialogGeometry {
  std::wstring title;
  int width = 0, height = 0;
  std::vector<std::wstring> pages;  // the tab pages' captions
  LayoutBox tabs;                   // the tab control, when there are pages
  std::vector<LayoutBox> strip;     // its tabs, one a page
  std::wstring stripControl;        // the control choosing the page, if any
  std::vector<std::wstring> pageLabels;  // each page's caption control, if any
  std::vector<PlacedFrame> frames;
  std::vector<PlacedControl> controls;  // in tab order
  std::vector<PlacedArea> areas;
};

// Pixels of one dialog unit and the screen a dialog must fit (see above).
inline constexpr double kPixelsPerUnitX = 2.0;
inline constexpr double kPixelsPerUnitY = 2.0;
inline constexpr int kScreenWidthPx = 1280;
inline constexpr int kScreenHeightPx = 800;

// The text a control shows as its caption: a label without a caption
// shows its text.
std::wstring ShownText(const Control& c);
// The estimated width of a text in dialog units.
int TextWidth(const std::wstring& text);
// Lines a text takes when wrapped at `width` units (at least 1).
int WrappedLines(const std::wstring& text, int width);

// Lays out the form by its description (`Form::Layout`). A description that
// names a control the form lacks, or more than one tab control, is refused
// with error 5 naming the dialog.
DialogGeometry LayOut(const Form& form);

}  // namespace plx
