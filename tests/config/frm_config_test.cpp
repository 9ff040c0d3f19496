#include "config/frm_config.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "common/error.hpp"
#include "common/text.hpp"
#include "config/config_bindings.hpp"
#include "platform/fonts.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

using test::ExecSql;
using test::QueryColumn;
using test::QueryOne;

class SettingsDialog : public test::AddinTest {
 protected:
  std::wstring Db() const { return install.File("config/config.mdb"); }
  std::shared_ptr<frmConfig> Open() {
    auto form = std::make_shared<frmConfig>(*ctx);
    form->Show();
    return form;
  }
  std::string Stored(const std::string& key) {
    return QueryOne(Db(), "select configvalue from config where configname='" + key + "'");
  }
  void ShowEveryTab(frmConfig& form) {
    for (size_t tab = 0; tab < SettingsTabs().size(); ++tab) form.SetValue(L"SSTab1", std::to_wstring(tab));
  }
};

TEST_F(SettingsDialog, EveryStoredKeyHasOneControlOnItsGroupsTab) {
  auto keys = QueryColumn(Db(), "select configname from config order by id");
  std::vector<std::string> bound;
  for (const auto& tab : SettingsTabs())
    for (const auto& s : tab.settings) bound.push_back(WideToUtf8(s.key));
  std::sort(keys.begin(), keys.end());
  std::sort(bound.begin(), bound.end());
  EXPECT_EQ(bound, keys);
  for (const auto& tab : SettingsTabs())
    for (const auto& s : tab.settings)
      EXPECT_EQ(QueryOne(Db(), "select configtype from config where configname='" + WideToUtf8(s.key) + "'"),
                WideToUtf8(tab.group))
          << WideToUtf8(s.key);
}

TEST_F(SettingsDialog, OkWithoutChangesWritesEveryKeyBackAsItWas) {
  ExecSql(Db(), "update config set configvalue='1' where configname='blPLZH'");
  auto before = QueryColumn(Db(), "select id || '=' || ifnull(configvalue, '<null>') from config order by id");
  auto form = Open();
  ShowEveryTab(*form);
  EXPECT_EQ(form->ValueText(L"blPLZH"), L"1");
  EXPECT_EQ(form->ValueText(L"iMathType"), L"0");
  EXPECT_EQ(form->ValueText(L"txtShuiYin"), L"Null") << "a Null watermark text reads as Null";
  form->Click(L"cmdOk");
  EXPECT_FALSE(form->Loaded());
  EXPECT_EQ(QueryColumn(Db(), "select id || '=' || ifnull(configvalue, '<null>') from config order by id"), before);
  const auto& journal = ctx->Conn.Journal();
  EXPECT_NE(std::find(journal.begin(), journal.end(), L"select * from  config  order by id asc"), journal.end());
}

TEST_F(SettingsDialog, ChangedControlsAreWrittenWithTheirEncodings) {
  auto form = Open();
  ShowEveryTab(*form);
  form->SetValue(L"blPLZH", L"0");         // check box: 0 or 1
  form->SetValue(L"iMathType", L"2");      // option group: the index
  form->SetValue(L"blDH1", L"1");          // option pair: booleans, the other button cleared
  form->SetValue(L"sxbFontSize", L"10.5");  // font sizes as typed
  form->SetValue(L"pptFontSize", L"小四");
  form->SetValue(L"txtAnsKey", L"【答】");
  ui.QueueColor(0x00FF00);
  form->Click(L"LineColor");
  form->Click(L"cmdOk");
  EXPECT_EQ(Stored("blPLZH"), "0");
  EXPECT_EQ(Stored("iMathType"), "2");
  EXPECT_EQ(Stored("blDH1"), "True");
  EXPECT_EQ(Stored("blDH0"), "False");
  EXPECT_EQ(Stored("sxbFontSize"), "10.5");
  EXPECT_EQ(Stored("pptFontSize"), "小四");
  EXPECT_EQ(Stored("txtAnsKey"), "【答】");
  EXPECT_EQ(Stored("LineColor"), "65280");
  EXPECT_EQ(Stored("txtShuiYin"), "<null>") << "an untouched Null stays Null";
}

TEST_F(SettingsDialog, EveryKeyRoundTripsInTheFormItWasStoredIn) {
  // Stored forms a control shows differently (-1 for a ticked box, an index
  // past the last button, a font this machine lacks) go back exactly as
  // they were stored when the user leaves the control alone.
  std::map<std::wstring, std::string> stored;
  for (const auto& tab : SettingsTabs())
    for (const auto& s : tab.settings) {
      std::string value;
      switch (s.control) {
        case SettingControl::Check: value = "-1"; break;
        case SettingControl::OptionFlag: value = "true"; break;
        case SettingControl::Choice: value = "7"; break;
        case SettingControl::Text: value = "它''s \"引号\"" "\r\n" "第二行"; break;
        case SettingControl::FontName: value = "本机没有的字体"; break;
        case SettingControl::FontSize: value = "小六"; break;
        case SettingControl::Colour: value = "16777215"; break;
      }
      ExecSql(Db(), "update config set configvalue='" + value + "' where configname='" + WideToUtf8(s.key) + "'");
      stored[s.key] = Stored(WideToUtf8(s.key));
    }
  auto form = Open();
  ShowEveryTab(*form);
  EXPECT_EQ(form->ValueText(L"blPLZH"), L"1");
  form->Click(L"FontName");  // fills the font lists; the typed name stays
  form->Click(L"cmdOk");
  for (const auto& [key, value] : stored) EXPECT_EQ(Stored(WideToUtf8(key)), value) << WideToUtf8(key);
}

TEST_F(SettingsDialog, TabsNeverShownKeepTheirStoredValuesAndSaveWhatWasSetOnThem) {
  ExecSql(Db(), "update config set configvalue='7' where configname='intK'");
  auto form = Open();  // only the first tab is shown
  EXPECT_EQ(form->ValueText(L"intK"), L"7");
  form->Click(L"cmdOk");
  EXPECT_EQ(Stored("intK"), "7");
  EXPECT_EQ(Stored("JuanTou"), "____学年度第____学期期中考试____年级数学试卷");

  form = Open();
  form->SetValue(L"intK", L"2");  // on the coordinate tab, never shown
  form->Click(L"cmdOk");
  EXPECT_EQ(Stored("intK"), "2");
}

TEST_F(SettingsDialog, CancelAndAFailingSaveKeepTheDatabase) {
  auto before = QueryColumn(Db(), "select ifnull(configvalue, '<null>') from config order by id");
  auto form = Open();
  ShowEveryTab(*form);
  form->SetValue(L"blPLZH", L"0");
  form->Click(L"cmdCancel");
  EXPECT_FALSE(form->Loaded());
  EXPECT_EQ(QueryColumn(Db(), "select ifnull(configvalue, '<null>') from config order by id"), before);

  form = Open();
  ShowEveryTab(*form);
  form->SetValue(L"blPLZH", L"0");
  std::filesystem::remove(Db());
  ui.OnUnexpected([](const ShownBox&) {});  // the database layer reports the missing file first
  form->Click(L"cmdOk");
  ASSERT_FALSE(ui.Boxes().empty());
  EXPECT_NE(ui.Boxes().back().text.find(L" in procedure cmdOk_Click of Form frmConfig in line "), std::wstring::npos);
  EXPECT_TRUE(form->Loaded()) << "the dialog stays open after a failed save";
}

TEST_F(SettingsDialog, RulesBoxListsTheCustomRulesOrSaysTheFileIsMissing) {
  auto form = Open();
  form->SetValue(L"SSTab1", L"1");
  const std::wstring rules = form->ValueText(L"txtRules");
  EXPECT_EQ(rules.substr(0, rules.find(L"\r\n")), L"自定义规则1：log(p1,p2) ---> log_(p1)p2");
  EXPECT_NE(rules.find(L"\r\n自定义规则3：mo(p1) ---> |xl(p1)|"), std::wstring::npos);
  EXPECT_THROW(form->SetValue(L"txtRules", L"x"), VbError) << "the rules box is read only";

  std::filesystem::remove(install.File("config/zdygz.txt"));
  ui.Queue(Answer::OK);
  form->SetValue(L"SSTab1", L"1");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].text.find(L"自定义规则文件（"), 0u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"）可能不存在或无法读取，请检查相关设置。"), std::wstring::npos);
  EXPECT_EQ(form->ValueText(L"txtRules"), L"");
}

TEST_F(SettingsDialog, FontListsOfferTheInstalledFontsAndTheChineseSizes) {
  auto form = Open();
  const Control& names = form->GetControl(L"FontName");
  ASSERT_EQ(names.items.size(), 1u);
  EXPECT_EQ(names.items[0], L"Times New Roman");
  form->Click(L"FontName");
  const auto installed = InstalledFontFamilies();
  ASSERT_FALSE(installed.empty()) << "fontconfig lists no fonts";
  EXPECT_EQ(form->GetControl(L"pptFontName").items.size(), installed.size() + 1);
  const auto& sizes = form->GetControl(L"sxbFontSize").items;
  ASSERT_EQ(sizes.size(), 40u);
  EXPECT_EQ(sizes.front(), L"初号");
  EXPECT_EQ(sizes[15], L"八号");
  EXPECT_EQ(sizes[16], L"5");
  EXPECT_EQ(sizes.back(), L"72");
}

}  // namespace
}  // namespace plx
