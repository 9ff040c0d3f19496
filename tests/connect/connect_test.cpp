#include "connect/connect.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.hpp"
#include "connect/frm_browse.hpp"
#include "addin/services.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

class ConnectTest : public test::AddinTest {
 protected:
  std::wstring Db() const { return install.File("config/config.mdb"); }
  std::string Row1Date() const { return test::QueryOne(Db(), "select Date from record where id=1"); }
  bool DailyWriteJournaled() const {
    for (const auto& s : ctx->Conn.Journal())
      if (s == L"select * from  record  where id =1") return true;
    return false;
  }
};

TEST_F(ConnectTest, LegacyHostBuildsToolbarsAndNeverReadsTheRibbon) {
  std::filesystem::remove(install.Path() / "config/wordui.txt");
  auto host = MakeHost(L"11.0");
  Connect c(*ctx);
  c.AddinInstance_OnConnection(host);
  EXPECT_TRUE(ui.Boxes().empty()) << "the ribbon file must not be read on the legacy host";
  EXPECT_EQ(c.IRibbonExtensibility_GetCustomUI(L"any"), L"");
  auto bar = host->GetCommandBars()->Item(L"plendrix_Main");
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Position(), docif::BarPosition::Top);
  EXPECT_TRUE(ctx->Config.has_value());
}

TEST_F(ConnectTest, EveryOtherVersionReadsTheGb2312Ribbon) {
  for (const wchar_t* version : {L"16.0", L"12.0", L"14.0", L"10.0", L"11"}) {
    auto host = MakeHost(version);
    Connect c(*ctx);
    c.AddinInstance_OnConnection(host);
    std::wstring ribbon = c.IRibbonExtensibility_GetCustomUI(L"Microsoft.Word.Document");
    EXPECT_NE(ribbon.find(L"onAction=\"rxButtonClick\""), std::wstring::npos) << version;
    EXPECT_NE(ribbon.find(L"id=\"rxBtnFS_fd\""), std::wstring::npos) << version;
    EXPECT_NE(ribbon.find(L"函数图象"), std::wstring::npos) << "decoded from GB2312";
    EXPECT_EQ(host->GetCommandBars()->Count(), 0) << version;
  }
}

TEST_F(ConnectTest, LeftoverBarsAreDeletedBeforeTheMainBarIsBuilt) {
  auto host = MakeHost(L"11.0");
  auto bars = host->GetCommandBars();
  auto oldMain = bars->Add(L"plendrix_Main", docif::BarPosition::Top, false, true);
  bars->Add(L"plendrix_TXCL(example)", docif::BarPosition::Top, false, true);
  bars->Add(L"Standard", docif::BarPosition::Top, false, false);
  bars->Add(L"Plendrix_Other", docif::BarPosition::Top, false, false);  // other letter case stays
  Connect c(*ctx);
  c.AddinInstance_OnConnection(host);
  ASSERT_EQ(bars->Count(), 3);
  EXPECT_EQ(bars->Item(1)->Name(), L"Standard");
  EXPECT_EQ(bars->Item(2)->Name(), L"Plendrix_Other");
  EXPECT_EQ(bars->Item(3)->Name(), L"plendrix_Main");
  EXPECT_THROW(oldMain->Visible(), VbError) << "the old bar object is gone";

  c.AddinInstance_OnDisconnection();
  EXPECT_EQ(bars->Count(), 2);
  EXPECT_FALSE(ctx->Config.has_value());
}

// Each command is one undo step named by its caption, on the ribbon and on
// the legacy toolbars; a command that fails still closes its step.
TEST_F(ConnectTest, EachCommandIsOneUndoStepNamedByItsCaption) {
  auto host = MakeHost(L"16.0");
  host->GetDocuments()->Add();
  Connect c(*ctx);
  c.AddinInstance_OnConnection(host);
  c.rxButtonClick({L"rxBtnonekey_chongxinbianhao", L""});
  c.rxButtonClick({L"rxBtnSET_jiaoji", L""});
  EXPECT_EQ(host->UndoRecords(), (std::vector<std::wstring>{L"重新编号", L"∩"}));
  host->StartCustomRecord(L"外层");
  host->EndCustomRecord();
  EXPECT_EQ(host->UndoRecords().back(), L"外层") << "the records above were all closed";

  auto legacy = MakeHost(L"11.0");
  legacy->GetDocuments()->Add();
  Connect old(*ctx);
  old.AddinInstance_OnConnection(legacy);
  auto button = legacy->GetCommandBars()->FindControl(L"刷新");
  ASSERT_TRUE(button);
  static_cast<docif::model::ModelControl&>(*button).Click();
  ASSERT_FALSE(legacy->UndoRecords().empty());
  EXPECT_EQ(legacy->UndoRecords().back(), L"刷新");
}

TEST_F(ConnectTest, MissingRibbonFileGivesOneErrorBoxAndNoRibbon) {
  std::filesystem::remove(install.Path() / "config/wordui.txt");
  Connect c(*ctx);
  ui.Queue(Answer::OK);
  c.AddinInstance_OnConnection(MakeHost(L"16.0"));
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].title, L"错误号: 53");
  EXPECT_NE(ui.Boxes()[0].text.find(L"\r\nConnect.AddinInstance_OnConnection-->line "), std::wstring::npos);
  EXPECT_EQ(c.IRibbonExtensibility_GetCustomUI(L""), L"");
  EXPECT_FALSE(DailyWriteJournaled()) << "connection ends at the failing step";
  EXPECT_EQ(Row1Date(), "");
}

TEST_F(ConnectTest, DailyStepRunsOnceADay) {
  Connect c(*ctx);
  c.AddinInstance_OnConnection(MakeHost());
  EXPECT_EQ(Row1Date(), "2026/12/6");
  EXPECT_EQ(test::QueryOne(Db(), "select Time from record where id=1"), "9:30:15");
  EXPECT_EQ(ctx->FindForm<frmBrowse>(), nullptr) << "offline: the news window closes itself";
  EXPECT_FALSE(ctx->Conn.IsOpen()) << "nothing stays open after the step";

  ctx->Conn.ClearJournal();
  clock.Set({2026, 12, 6, 23, 59, 59});
  c.AddinInstance_OnConnection(MakeHost());
  EXPECT_FALSE(DailyWriteJournaled());

  clock.Set({2026, 12, 7, 0, 0, 1});
  network.SetConnected(true);
  c.AddinInstance_OnConnection(MakeHost());
  EXPECT_EQ(Row1Date(), "2026/12/7");
  auto news = ctx->FindForm<frmBrowse>();
  ASSERT_NE(news, nullptr);
  EXPECT_EQ(news->Opacity(), 200);
  EXPECT_TRUE(news->Silent());
  EXPECT_FALSE(news->Address().empty());
}

TEST_F(ConnectTest, MissingDatabaseIsReportedByTheOpenRoutineAndConnectionCompletes) {
  std::filesystem::remove(install.Path() / "config/config.mdb");
  ui.Queue(Answer::OK);
  Connect c(*ctx);
  c.AddinInstance_OnConnection(MakeHost());
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"modDatabase.OpenDatabase-->line"), std::wstring::npos);
  EXPECT_FALSE(c.IRibbonExtensibility_GetCustomUI(L"").empty());
}

class AppPathTest : public test::AddinTest {
 protected:
  void SetUp() override {
    ctx->ModuleFolder = []() -> std::wstring { throw VbError(53, L"no module"); };
    host = MakeHost();
    ctx->App = host;
  }
  void Register(const std::wstring& progId, const std::wstring& guid, const std::wstring& module,
                unsigned long type = kRegSz) {
    host->AddIns().Add(std::make_shared<docif::model::ModelAddIn>(progId, guid));
    registry.Set(Hive::LocalMachine, L"Software\\Classes\\CLSID\\" + guid + L"\\InprocServer32", L"",
                 {type, module});
  }
  std::shared_ptr<docif::model::ModelApplication> host;
};

TEST_F(AppPathTest, ModuleFolderComesFirst) {
  ctx->ModuleFolder = [] { return std::wstring(L"/opt/plendrix"); };
  EXPECT_EQ(GetAppPath(*ctx), L"/opt/plendrix");
}

TEST_F(AppPathTest, NoRegisteredAddInGivesEmptyPath) {
  host->AddIns().Add(std::make_shared<docif::model::ModelAddIn>(L"Other.Connect", L"{1}"));
  EXPECT_EQ(GetAppPath(*ctx), L"");
  EXPECT_EQ(AppFile(*ctx, L"config/config.mdb"), L"/config/config.mdb");
}

TEST_F(AppPathTest, FallsBackThroughTheAddInListAndTheRegistry) {
  Register(L"Plendrix4Word.Connect", L"{ABC}", std::wstring(L"/opt/plx/libplendrix4word.so\0junk", 33));
  EXPECT_EQ(GetAppPath(*ctx), L"/opt/plx");
}

TEST_F(AppPathTest, ModuleAtTheRootIsAPathError) {
  Register(L"plendrix4word.connect", L"{ABC}", L"/libplendrix4word.so");
  ui.Queue(Answer::OK);
  EXPECT_EQ(GetAppPath(*ctx), L"");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].text, L"文件路径获取错误，请检查！");
}

TEST_F(AppPathTest, NonStringRegistryValueReadsEmpty) {
  Register(L"Plendrix4Word.Connect", L"{ABC}", L"/opt/plx/lib.so", kRegDword);
  EXPECT_EQ(ReadRegString(*ctx, Hive::LocalMachine, L"software\\classes\\clsid\\{abc}\\inprocserver32", L""), L"");
  ui.Queue(Answer::OK);  // an empty module path has no separator
  EXPECT_EQ(GetAppPath(*ctx), L"");
}

}  // namespace
}  // namespace plx
