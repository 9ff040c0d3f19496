#pragma once
// The ribbon definition as the extension's toolbar and menu need it: its
// groups in order, each holding buttons and drop-down menus of buttons, with
// the captions the ribbon shows and the picture each button asks for.
#include <string>
#include <variant>
#include <vector>

namespace plx::oxt {

struct RibbonButton {
  std::wstring id;
  std::wstring label;
  std::wstring tip;    // the screentip, or empty
  std::wstring image;  // the picture's name in img/ (rxGetImage), or empty
};

struct RibbonMenu {
  std::wstring id;
  std::wstring label;
  std::vector<RibbonButton> buttons;
};

struct RibbonGroup {
  std::wstring id;
  std::wstring label;
  std::vector<std::variant<RibbonButton, RibbonMenu>> entries;
};

// Reads the ribbon definition (UTF-8). Throws std::runtime_error naming the
// file and the element for anything the toolbar cannot show: a file that is
// not XML, a control other than a button or menu, a button without an
// identifier or a caption, or one that does not send its press to
// rxButtonClick, and an identifier used twice.
std::vector<RibbonGroup> ReadRibbon(const std::string& path);

// Every button of the groups, in ribbon order.
std::vector<RibbonButton> AllButtons(const std::vector<RibbonGroup>& groups);

}  // namespace plx::oxt
