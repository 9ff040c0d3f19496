#include "config/frm_config.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/vbnum.hpp"
#include "config/config_bindings.hpp"
#include "config/mod_config.hpp"
#include "platform/fonts.hpp"
#include "platform/xml.hpp"

namespace plx {
namespace {

constexpr const wchar_t* kFirstFont = L"Times New Roman";

const SettingsTab* TabOf(const std::wstring& group) {
  for (const auto& tab : SettingsTabs())
    if (tab.group == group) return &tab;
  return nullptr;
}

}  // namespace

frmConfig::frmConfig(AddinContext& ctx) : Form(ctx, L"frmConfig") {
  std::vector<std::wstring> captions;
  for (const auto& tab : SettingsTabs()) captions.push_back(tab.caption);
  Control& tabs = AddControl(Options(L"SSTab1", L"设置", captions));
  tabs.change = [this] { SSTab1_Click(GetControl(L"SSTab1").value); };

  for (const auto& tab : SettingsTabs()) {
    for (const auto& s : tab.settings) {
      switch (s.control) {
        case SettingControl::Check:
          AddControl(Check(s.key, s.caption, 0));
          break;
        case SettingControl::OptionFlag: {
          // The two buttons of a pair exclude each other.
          const std::wstring partner = s.partner;
          AddControl(Check(s.key, s.caption, 0, [this, key = s.key, partner] {
            if (GetControl(key).value == 1) GetControl(partner).value = 0;
          }));
          break;
        }
        case SettingControl::Choice:
          AddControl(Options(s.key, s.caption, s.options));
          break;
        case SettingControl::Text:
          AddControl(Box(s.key, s.caption, L""));
          break;
        case SettingControl::FontName: {
          Control& fonts = AddControl(Combo(s.key, s.caption, {kFirstFont}, L""));
          fonts.click = fonts.gotFocus = [this] { FillFontLists(); };
          break;
        }
        case SettingControl::FontSize:
          AddControl(Combo(s.key, s.caption, FontSizeChoices(), L""));
          break;
        case SettingControl::Colour:
          AddControl(Box(s.key, s.caption, L"0")).click = [this, key = s.key] {
            Control& swatch = GetControl(key);
            if (auto colour = Ctx().Ui().ChooseColor(static_cast<uint32_t>(Val(swatch.text))))
              swatch.text = std::to_wstring(*colour);
          };
          break;
      }
    }
  }
  Control& rules = AddControl(Box(L"txtRules", L"自定义规则", L""));
  rules.enabled = false;  // read only
  AddControl(Button(L"cmdOk", L"确定", [this] { cmdOk_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { cmdCancel_Click(); }));
  AddControl(Button(L"cmdImport", L"导入旧版配置", [this] { cmdImport_Click(); }));
}

void frmConfig::Form_Load() {
  // Every tab shows its stored values from the start, so a value set on a
  // tab not yet looked at (a script's `set`) is saved by 确定 like any
  // other instead of being dropped as a tab never shown.
  for (const auto& tab : SettingsTabs()) ApplyConfigInfo(tab.group);
  GetControl(L"SSTab1").value = 0;
  SSTab1_Click(0);
}

// Font lists are filled with the installed fonts when they first get the
// focus; until then they offer the first font only.
void frmConfig::FillFontLists() {
  if (fontsFilled_) return;
  fontsFilled_ = true;
  std::vector<std::wstring> fonts = InstalledFontFamilies();
  fonts.insert(fonts.begin(), kFirstFont);
  for (const auto& tab : SettingsTabs())
    for (const auto& s : tab.settings)
      if (s.control == SettingControl::FontName) GetControl(s.key).items = fonts;
}

void frmConfig::SSTab1_Click(int tab) {
  if (tab < 0 || tab >= static_cast<int>(SettingsTabs().size())) return;
  ApplyConfigInfo(SettingsTabs()[tab].group);
  if (SettingsTabs()[tab].group == L"gsconfig") ShowRules();
}

void frmConfig::ApplyConfigInfo(const std::wstring& group) {
  const SettingsTab* tab = TabOf(group);
  if (!tab) return;
  try {
    GetConfigInfo(Ctx(), group);
    if (!Ctx().Config) return;
    const ConfigDictionary& dict = *Ctx().Config;
    for (const auto& s : tab->settings) {
      // A key the loaded group lacks (the database could not be read) is
      // left alone, so saving cannot overwrite it with an empty control.
      if (!dict.Exists(s.key)) continue;
      const std::wstring stored = dict.Text(s.key);
      Control& c = GetControl(s.key);
      switch (s.control) {
        case SettingControl::Check:
        case SettingControl::OptionFlag: c.value = dict.Flag(s.key) ? 1 : 0; break;
        case SettingControl::Choice: {
          const int index = static_cast<int>(Val(stored));
          c.value = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
          break;
        }
        default: c.text = stored;
      }
      loaded_[s.key] = {stored, ValueText(s.key)};
    }
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmConfig.ApplyConfigInfo-->line", __LINE__);
  }
}

void frmConfig::ShowRules() {
  Control& box = GetControl(L"txtRules");
  box.text.clear();
  const std::wstring path = AppFile(Ctx(), L"config/zdygz.txt");
  XmlDocument xml;
  if (!xml.Load(path) || xml.DocumentElement().IsNull()) {
    Ctx().Ui().MsgBox(L"自定义规则文件（" + path + L"）可能不存在或无法读取，请检查相关设置。", Buttons::OK, L"");
    return;
  }
  int number = 0;
  for (const XmlNode& rule : xml.DocumentElement().Children()) {
    if (number > 0) box.text += L"\r\n";
    box.text += L"自定义规则" + std::to_wstring(++number) + L"：" + rule.Child(L"org").Text() + L" ---> " +
                rule.Child(L"res").Text();
  }
}

void frmConfig::cmdOk_Click() {
  try {
    std::vector<std::pair<std::wstring, std::wstring>> values;
    for (const auto& tab : SettingsTabs()) {
      for (const auto& s : tab.settings) {
        auto it = loaded_.find(s.key);
        if (it == loaded_.end()) continue;  // its group could not be read: the stored value stays
        const Control& c = GetControl(s.key);
        std::wstring value;
        if (ValueText(s.key) == it->second.shown) value = it->second.stored;
        else if (s.control == SettingControl::Check) value = c.value ? L"1" : L"0";
        else if (s.control == SettingControl::OptionFlag) value = c.value ? L"True" : L"False";
        else if (s.control == SettingControl::Choice) value = std::to_wstring(c.value);
        else value = c.text;
        values.emplace_back(s.key, value);
      }
    }
    SaveConfigInfo(Ctx(), values);
    Unload();
  } catch (const std::exception& e) {
    ShowErrLong(Ctx(), e, L"cmdOk_Click", L"frmConfig", __LINE__, true);
  }
}

void frmConfig::cmdCancel_Click() {
  try {
    Unload();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmConfig.cmdCancel_Click-->line", __LINE__);
  }
}

void frmConfig::cmdImport_Click() {
  ImportConfigInfo(Ctx());
  // The imported values replace what the tabs show.
  std::map<std::wstring, LoadedKey> shown;
  shown.swap(loaded_);
  for (const auto& tab : SettingsTabs())
    if (shown.count(tab.settings.front().key)) ApplyConfigInfo(tab.group);
}

}  // namespace plx
