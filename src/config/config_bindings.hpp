#pragma once
// Which control shows each stored setting in the settings dialog, tab by
// tab in the dialog's order.
#include <optional>
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

// The numbers a text box's setting takes (margins, weights, effect numbers).
struct NumberRange {
  double min, max;
  bool whole;  // whole numbers only
};

struct SettingBinding {
  std::wstring key;
  SettingControl control;
  std::wstring caption;
  std::vector<std::wstring> options;  // Choice: captions of the buttons
  std::wstring partner;               // OptionFlag: the other button of the pair
  std::optional<NumberRange> number;  // Text: a number in this range, when given
};

struct SettingsTab {
  std::wstring group;  // the group loaded when the tab is shown
  std::wstring caption;
  std::vector<SettingBinding> settings;
};

// The ten tabs in order.
const std::vector<SettingsTab>& SettingsTabs();

// The setting a key names; nullptr for a key no tab shows.
const SettingBinding* FindSetting(const std::wstring& key);
// Why the setting cannot hold the value, naming its key ("设置项“blAutoSize”
// …"); empty when it can. A flag takes what the program reads as a
// boolean (True, False or a number), a group of option buttons the index
// of one of them, a colour an RGB integer, a font size a size name or a
// positive number of points, a numeric text box a number in its range; a
// plain text or a font name takes any text.
std::wstring SettingValueProblem(const SettingBinding& setting, const std::wstring& value);

// The font-size list: size names, then point sizes.
const std::vector<std::wstring>& FontSizeChoices();

}  // namespace plx
