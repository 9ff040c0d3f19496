#include "config/mod_config.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.hpp"
#include "common/text.hpp"
#include "config/config_bindings.hpp"
#include "config/mod_database.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

using test::ExecSql;
using test::QueryColumn;
using test::QueryOne;

class ConfigTest : public test::AddinTest {
 protected:
  std::wstring Db() const { return install.File("config/config.mdb"); }
  int SelectsSent() const {
    int n = 0;
    for (const auto& s : ctx->Conn.Journal()) n += s.rfind(L"select * from  config", 0) == 0;
    return n;
  }
};

TEST_F(ConfigTest, GroupFilterIsCaseInsensitiveButDictTypeKeepsTheCallersCase) {
  GetConfigInfo(*ctx, L"ZBXCONFIG");
  ASSERT_TRUE(ctx->Config);
  EXPECT_EQ(ctx->Config->Text(L"DictType"), L"ZBXCONFIG");
  EXPECT_EQ(ctx->Config->Number(L"intK"), 5);
  EXPECT_EQ(ctx->Config->Number(L"intKD"), 8);
  EXPECT_FALSE(ctx->Config->Exists(L"iMathType")) << "only the coordinate group is loaded";
  EXPECT_EQ(ctx->Conn.Journal().back(),
            L"select * from  config  where configtype='zbxconfig'  order by id asc");
  EXPECT_FALSE(ctx->Conn.IsOpen());

  int before = SelectsSent();
  ConfigGroup(*ctx, L"zbxconfig");
  EXPECT_EQ(SelectsSent(), before + 1) << "a different DictType reloads";
  ConfigGroup(*ctx, L"zbxconfig");
  EXPECT_EQ(SelectsSent(), before + 1) << "the same DictType does not";
}

TEST_F(ConfigTest, ShapeGroupUsesItsStoredName) {
  GetConfigInfo(*ctx, L"shpconfig");
  EXPECT_EQ(ctx->Conn.Journal().back(),
            L"select * from  config  where configtype='ShpConfig'  order by id asc");
  EXPECT_TRUE(ctx->Config->Exists(L"LineWeight"));
}

TEST_F(ConfigTest, OtherNamesLoadEveryRow) {
  GetConfigInfo(*ctx, L"zhijuan");
  int rows = std::stoi(QueryOne(Db(), "select count(*) from config"));
  EXPECT_EQ(ctx->Config->Count(), static_cast<size_t>(rows) + 1);
  EXPECT_EQ(ctx->Conn.Journal().back(), L"select * from  config   order by id asc");
  EXPECT_EQ(ctx->Config->Number(L"intK"), 5);
  EXPECT_EQ(ctx->Config->Number(L"iMathType"), 0);
  EXPECT_FALSE(ctx->Config->Text(L"JuanTou").empty());
  EXPECT_EQ(ctx->Config->Keys().front(), L"DictType");
  EXPECT_EQ(ctx->Config->Keys()[1], L"blEmbedAllFonts") << "rows in id order";
}

TEST_F(ConfigTest, NullRules) {
  ExecSql(Db(), "update config set configvalue=NULL where configname='intK'");
  GetConfigInfo(*ctx, L"all");
  EXPECT_EQ(ctx->Config->Text(L"txtShuiYin"), L"Null");
  EXPECT_EQ(ctx->Config->Text(L"intK"), L"");
  EXPECT_EQ(ctx->Config->Text(L"NoSuchKey"), L"");
  EXPECT_FALSE(ctx->Config->Exists(L"NoSuchKey")) << "reading does not add the key";
}

TEST_F(ConfigTest, EmptyGroupLeavesTheDictionaryAsItWas) {
  GetConfigInfo(*ctx, L"zbxconfig");
  ExecSql(Db(), "delete from config where configtype='wordconfig'");
  GetConfigInfo(*ctx, L"wordconfig");
  EXPECT_EQ(ctx->Config->Text(L"DictType"), L"zbxconfig");
  EXPECT_EQ(ctx->Config->Number(L"intK"), 5);
}

TEST_F(ConfigTest, MissingDatabaseGivesTwoBoxes) {
  std::filesystem::remove(install.Path() / "config/config.mdb");
  ui.Queue(Answer::OK);
  ui.Queue(Answer::OK);
  GetConfigInfo(*ctx, L"zbxconfig");
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"modDatabase.OpenDatabase-->line"), std::wstring::npos);
  EXPECT_NE(ui.Boxes()[1].text.find(L"modConfig.GetConfigInfo-->line"), std::wstring::npos);
  EXPECT_EQ(ui.Boxes()[1].title, L"错误号: 3704");
}

TEST_F(ConfigTest, SavingUnchangedRewritesEveryRowAsItWas) {
  auto before = QueryColumn(Db(), "select ifnull(configvalue,'<null>') from config order by id");
  SaveConfigInfo(*ctx, {});
  EXPECT_EQ(QueryColumn(Db(), "select ifnull(configvalue,'<null>') from config order by id"), before);
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='txtShuiYin'"), "<null>");
  int updates = 0;
  for (const auto& s : ctx->Conn.Journal()) updates += s == L"select * from  config  order by id asc";
  EXPECT_EQ(updates, 1);
  EXPECT_FALSE(ctx->Conn.IsOpen());
}

TEST_F(ConfigTest, SavingWritesNewValuesAndAFailureKeepsTheOldOnes) {
  SaveConfigInfo(*ctx, {{L"intK", L"6"}, {L"txtShuiYin", L"样卷"}});
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='intK'"), "6");
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='txtShuiYin'"), "样卷");

  // A row near the end refuses the update: nothing of this save may stay.
  ExecSql(Db(), "create trigger refuse before update on config when new.configname='AnsFontColor' "
                "begin select raise(abort, 'refused'); end;");
  EXPECT_THROW(SaveConfigInfo(*ctx, {{L"intK", L"7"}}), VbError);
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='intK'"), "6");
  EXPECT_FALSE(ctx->Conn.IsOpen());
}

class ImportTest : public ConfigTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(old.Path() / "config");
    std::wstring oldDb = old.WPath() + L"/config/config.mdb";
    ExecSql(oldDb,
            "create table config (id integer primary key, configtype text, configname text, "
            "configvalue text, remtxt text);"
            "insert into config values (1,'zbxconfig','intK','9','旧说明');"
            "insert into config values (2,'oldgroup','OnlyOld','x',NULL);");
  }
  test::TempDir old;
};

TEST_F(ImportTest, CopiesKnownKeysKeepsTheRest) {
  std::string intKDBefore = QueryOne(Db(), "select configvalue from config where configname='intKD'");
  ui.QueueText(old.WPath() + L"/");  // a trailing separator doubles up and is collapsed
  ui.Queue(Answer::OK);
  ImportConfigInfo(*ctx);
  EXPECT_EQ(ui.Boxes()[0].text, L"请选择旧版Plendrix所在文件夹");
  EXPECT_EQ(ui.Boxes().back().text, L"配置数据导入完成！");
  EXPECT_EQ(QueryOne(Db(), "select configvalue||'|'||remtxt from config where configname='intK'"), "9|旧说明");
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='intKD'"), intKDBefore);
  EXPECT_EQ(QueryOne(Db(), "select count(*) from config where configname='OnlyOld'"), "0");
  EXPECT_FALSE(ctx->Conn.IsOpen());
  EXPECT_FALSE(ctx->BakConn.IsOpen());
}

TEST_F(ImportTest, OldValuesASettingCannotHoldAreRefusedByName) {
  ExecSql(old.WPath() + L"/config/config.mdb",
          "insert into config values (3,'word2pptconfig','blAutoSize','maybe','旧');"
          "insert into config values (4,'gsconfig','iMathType','7','旧');"
          "insert into config values (5,'word2pptconfig','txtPPAniID','98','旧');"
          "insert into config values (6,'word2pptconfig','blOver','-1','旧');");
  ui.QueueText(old.WPath());
  ui.Queue(Answer::OK);
  ImportConfigInfo(*ctx);
  const std::wstring done = ui.Boxes().back().text;
  EXPECT_TRUE(done.starts_with(L"配置数据导入完成！\r\n以下设置的旧值不能使用，保留了现在的值：")) << WideToUtf8(done);
  for (const wchar_t* key : {L"“blAutoSize”", L"“iMathType”", L"“txtPPAniID”"})
    EXPECT_TRUE(Contains(done, key)) << WideToUtf8(key);
  EXPECT_FALSE(Contains(done, L"blOver"));
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='blAutoSize'"), "False");
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='iMathType'"), "0");
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='txtPPAniID'"), "1");
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='blOver'"), "-1");
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where configname='intK'"), "9");
}

TEST_F(ConfigTest, EveryShippedValueFitsItsSettingAndWrongOnesAreNamed) {
  GetConfigInfo(*ctx, L"all");
  for (const auto& tab : SettingsTabs())
    for (const auto& s : tab.settings)
      EXPECT_EQ(SettingValueProblem(s, ctx->Config->Text(s.key)), L"") << WideToUtf8(s.key);
  struct Case {
    const wchar_t* key;
    const wchar_t* value;
    bool fits;
  };
  for (const Case& c : {Case{L"blAutoSize", L"maybe", false}, Case{L"blAutoSize", L"TRUE", true},
                        Case{L"blAutoSize", L"", false}, Case{L"iMathType", L"1.5", false},
                        Case{L"iMathType", L" 2 ", true}, Case{L"AnsFontColor", L"16777216", false},
                        Case{L"pptFontSize", L"小四", true}, Case{L"pptFontSize", L"-3", false},
                        Case{L"intLeft", L"20abc", false}, Case{L"txtAniID", L"54", false},
                        Case{L"txtLiangDu", L"-20", true}, Case{L"txtMFX", L"任何文字", true}}) {
    std::wstring problem = SettingValueProblem(*FindSetting(c.key), c.value);
    EXPECT_EQ(problem.empty(), c.fits) << WideToUtf8(c.key) << "=" << WideToUtf8(c.value);
    if (!c.fits) {
      EXPECT_TRUE(Contains(problem, std::wstring(L"“") + c.key + L"”")) << WideToUtf8(problem);
    }
  }
  EXPECT_EQ(SettingValueProblem(*FindSetting(L"iMathType"), L"7"),
            L"设置项“iMathType”（公式输出形式）不能取“7”，只能取0～2的整数（0 域代码公式，1 TeX（交公式编辑器），"
            L"2 Word公式）。");
}

TEST_F(ImportTest, ShortAnswerStopsAndQuotesInKeysAreSafe) {
  ui.QueueText(L"x");
  ImportConfigInfo(*ctx);
  EXPECT_EQ(ui.Boxes().size(), 1u);

  ExecSql(Db(), "insert into config values (999,'x','it''s','mine',NULL)");
  ExecSql(old.WPath() + L"/config/config.mdb", "insert into config values (3,'x','it''s','theirs',NULL)");
  ui.QueueText(old.WPath());
  ui.Queue(Answer::OK);
  ImportConfigInfo(*ctx);
  EXPECT_EQ(ui.Boxes().back().text, L"配置数据导入完成！");
  EXPECT_EQ(QueryOne(Db(), "select configvalue from config where id=999"), "theirs");
}

TEST_F(ImportTest, MissingOldDatabaseIsReportedAndChangesNothing) {
  auto before = QueryColumn(Db(), "select ifnull(configvalue,'') from config order by id");
  ui.QueueText(L"/nonexistent/folder");
  ui.Queue(Answer::OK);
  ImportConfigInfo(*ctx);
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_NE(ui.Boxes()[1].text.find(L"CloseBackUpDatabase-->line"), std::wstring::npos);
  EXPECT_EQ(QueryColumn(Db(), "select ifnull(configvalue,'') from config order by id"), before);
}

TEST(ConfigDictionary, FlagsAndNumbers) {
  ConfigDictionary d;
  d.Add(L"blA", L"True");
  d.Add(L"blB", L"0");
  d.Add(L"blC", L"maybe");
  d.Add(L"intK", L"5abc");
  EXPECT_TRUE(d.Flag(L"blA"));
  EXPECT_FALSE(d.Flag(L"blB"));
  EXPECT_THROW(d.Flag(L"blC"), VbError);
  EXPECT_EQ(d.Number(L"intK"), 5);
  EXPECT_THROW(d.Add(L"blA", L"x"), VbError);
}

}  // namespace
}  // namespace plx
