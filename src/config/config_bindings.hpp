#pragma once
// Which control shows each stored setting in the settings dialog, tab by
// tab in the dialog's order.
#include <string>
#include <vector>

namespace plx {

enum class SettingControl {
  Check,       // a check box, written as 0 or 1
  OptionFlag,  // one option button of a pair, written as True or False
  Choice,      // a group of option buttons, written as the chosen index
  Text,        // a text box, written as typed
  FontName,    // a list of the installed fonts, written as typed
  FontSize,    // a list of Chinese size names and point sizes, written as typed
  Colour,      // a colour swatch, written as the RGB integer
};

struct SettingBinding {
  std::wstring key;
  SettingControl control;
  std::wstring caption;
  std::vector<std::wstring> options;  // Choice: captions of the buttons
  std::wstring partner;               // OptionFlag: the other button of the pair
};

struct SettingsTab {
  std::wstring group;  // the group loaded when the tab is shown
  std::wstring caption;
  std::vector<SettingBinding> settings;
};

// The ten tabs in order.
const std::vector<SettingsTab>& SettingsTabs();

// The font-size list: size names, then point sizes.
const std::vector<std::wstring>& FontSizeChoices();

}  // namespace plx
