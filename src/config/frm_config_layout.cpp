// The settings dialog's layout: the tab strip `SSTab1` with a page per
// configuration group, each setting's control on its group's page (in two
// columns when the page holds many), the formula page with the rules box
// under them, and the buttons under the tabs.
#include "config/config_bindings.hpp"
#include "config/frm_config.hpp"

namespace plx {
namespace {

using namespace layout;

constexpr size_t kOneColumn = 8;  // settings a page shows in one column

LayoutNode SettingField(const SettingBinding& s) {
  switch (s.control) {
    case SettingControl::Choice: return Field(s.key).Columns(static_cast<int>(std::min<size_t>(3, s.options.size())));
    case SettingControl::Text: return Field(s.key).Chars(s.number ? 8 : 24);
    default: return Field(s.key);
  }
}

LayoutNode SettingsPage(const SettingsTab& tab) {
  std::vector<LayoutNode> first, second;
  const size_t half = tab.settings.size() > kOneColumn ? (tab.settings.size() + 1) / 2 : tab.settings.size();
  for (size_t i = 0; i < tab.settings.size(); ++i) (i < half ? first : second).push_back(SettingField(tab.settings[i]));
  std::vector<LayoutNode> page = {Row({Column(std::move(first)), Column(std::move(second))})};
  if (tab.group == L"gsconfig") page.push_back(Field(L"txtRules").CaptionAbove().Lines(5).Stretch());
  return Page(tab.caption, std::move(page));
}

}  // namespace

DialogLayout frmConfig::Layout() const {
  std::vector<LayoutNode> pages;
  for (const auto& tab : SettingsTabs()) pages.push_back(SettingsPage(tab));
  return {L"设置", Column({Tabs(L"SSTab1", std::move(pages)), Fields({L"cmdOk", L"cmdCancel", L"cmdImport"})})};
}

}  // namespace plx
