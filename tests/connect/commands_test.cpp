// Every command reaches its handler: the command table, the ribbon and
// legacy dispatch, images, toolbars, mode toggles, About, symbols.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "common/text.hpp"
#include "docif/model/model_application.hpp"
#include "connect/commands/command_table.hpp"
#include "connect/connect.hpp"
#include "addin/form.hpp"
#include "connect/legacy_toolbars.hpp"
#include "symbols/symbol_table.hpp"
#include "platform/codepage.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

class CommandsTest : public test::AddinTest {
 protected:
  void SetUp() override { Use(L"16.0"); }
  void Use(const std::wstring& version) {
    host = std::make_shared<docif::model::ModelApplication>(version);
    host->GetDocuments()->Add();
    connect = std::make_unique<Connect>(*ctx);
    connect->AddinInstance_OnConnection(host);
  }
  void Press(const std::wstring& id) { connect->rxButtonClick({id, L""}); }
  std::wstring Text() { return host->ActiveDocument()->Content()->Text(); }

  std::shared_ptr<docif::model::ModelApplication> host;
  std::unique_ptr<Connect> connect;
};

TEST(CommandTable, HoldsEveryRibbonIdentifierOnce) {
  const auto& table = CommandTable();
  ASSERT_EQ(table.size(), 284u);
  std::set<std::wstring> ids;
  for (const auto& e : table) ids.insert(e.id);
  EXPECT_EQ(ids.size(), 283u);
  int zhuanhua = 0;
  for (const auto& e : table) zhuanhua += e.id == L"rxBtnonekey_zhuanhua";
  EXPECT_EQ(zhuanhua, 2);
  EXPECT_EQ(FindRibbonAction(L"rxBtnonekey_zhuanhua")->name, L"对话框 frmConvertEquation")
      << "the first entry wins; the second is never reached";
  // The ribbon definition has a button for each, plus the 20 number symbols.
  test::TestInstall install;
  std::wstring ribbon = ReadTextFile(install.File("config/wordui.txt"), "GB2312");
  for (const auto& id : ids) EXPECT_TRUE(Contains(ribbon, L"id=\"" + id + L"\"")) << WideToUtf8(id);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_TRUE(Contains(ribbon, L"\"rxBtn_ShuZiFuHao_kuohao" + std::to_wstring(n) + L"\""));
    EXPECT_TRUE(Contains(ribbon, L"\"rxBtn_ShuZiFuHao_daiquanshuzi" + std::to_wstring(n) + L"\""));
  }
}

TEST(CommandTable, EachIdentifierAndLegacyKeyLandsOnItsAction) {
  struct Case { const wchar_t* id; const wchar_t* legacy; const wchar_t* action; };
  for (const Case& c : std::initializer_list<Case>{
           {L"rxBtnFS_fd", L"放大", L"放大"},
           {L"rxBtnFS_sx", L"缩小", L"缩小"},
           {L"rxBtnFS_lzyss", L"左右略收缩", L"左右略收缩"},
           {L"rxBtnXZ_z45", L"逆时针45度", L"逆时针45度"},
           {L"rxBtnXZ_f90", L"顺时针90度", L"顺时针90度"},
           {L"rxBtnFS_zdy", L"自定义放缩", L"对话框 frmFangSuo"},
           {L"rxBtnzt1", L"画圆", L"画圆"},
           {L"rxBtnGS_gsms", L"公式模式", L"公式模式"},
           {L"rxBtnztqt_hstx", L"函数图象", L"对话框 frmGraph"},
           {L"rxBtnztqt_xtms", L"绘图模式", L"绘图模式"},
           {L"rxBtnqt_2ppt4", L"send2ppt4", L"发送到PPT 4"},
           {L"rxBtnPMJH_XDT", L"线段图", L"对话框 frmXDT"},
           {L"rxBtntiku_sjgl", L"试卷信息", L"对话框 frmTiKu_PaperInfo"},
           {L"rxBtnJIHE_JHzhenbaohan", L"jhzhenbaohan", L"符号 JHzhenbaohan"},
           {L"rxBtnSET_C", L"c", L"符号 C"},
           {L"rxBtnQITA_qt6", L"qt6", L"符号 qt6"},
           {L"rxBtnXILAZIMU_omega", L"omega", L"希腊字母 omega"},
           {L"rxBtnAbout_ThisVersion", L"当前版本", L"当前版本"},
           {L"rxBtnSource_WebView", L"网络资源", L"对话框 frmWeb"}}) {
    const Action* ribbon = FindRibbonAction(c.id);
    ASSERT_NE(ribbon, nullptr) << WideToUtf8(c.id);
    EXPECT_EQ(ribbon->name, c.action) << WideToUtf8(c.id);
    const Action* legacy = FindLegacyAction(c.legacy);
    ASSERT_NE(legacy, nullptr) << WideToUtf8(c.legacy);
    EXPECT_EQ(legacy->name, ribbon->name) << WideToUtf8(c.legacy);
  }
  EXPECT_EQ(FindLegacyAction(L"JHZhenBaoHan")->name, L"符号 JHzhenbaohan") << "keys compare lower-cased";
  EXPECT_EQ(FindLegacyAction(L"插入公式")->name, FindRibbonAction(L"rxBtnGS_kjgs")->name);
  EXPECT_EQ(FindLegacyAction(L"hengdengyu")->name, L"符号 hengdengyu");
  EXPECT_EQ(FindLegacyAction(L"daiquanshuzi7")->name, L"数字符号 daiquanshuzi7");
  EXPECT_EQ(FindRibbonAction(L"rxbtnFS_fd"), nullptr) << "identifiers are case-sensitive";
  for (const wchar_t* none : {L"rxBtnSource_JiaoAn", L"rxBtnSource_ShiJuan", L"rxBtnSource_eBook"})
    EXPECT_EQ(FindRibbonAction(none)->name, L"无动作") << WideToUtf8(none);
}

TEST(CommandTable, LegacyKeysRunTheSameActionAsTheirRibbonIdentifier) {
  for (const auto& e : CommandTable()) {
    if (e.legacy.empty()) continue;
    const Action* legacy = FindLegacyAction(e.legacy);
    ASSERT_NE(legacy, nullptr) << WideToUtf8(e.legacy);
    EXPECT_EQ(legacy->name, FindRibbonAction(e.id)->name) << WideToUtf8(e.legacy);
  }
}

TEST_F(CommandsTest, EveryIdentifierCanBePressed) {
  ui.OnUnexpected([](const ShownBox&) {});  // boxes take their first button
  for (const auto& e : CommandTable()) EXPECT_NO_THROW(Press(e.id)) << WideToUtf8(e.id);
  for (const auto& [key, action] : LegacyOnlyKeys()) {
    if (action.run) {
      EXPECT_NO_THROW(action.run(*ctx)) << WideToUtf8(key);
    }
  }
  for (const auto& f : ctx->OpenForms) EXPECT_TRUE(f->Loaded());
  auto forms = ctx->OpenForms;
  for (const auto& f : forms) f->Unload();
}

TEST_F(CommandsTest, PressingInsertsSymbolsAndUnknownIdentifiersDoNothing) {
  Press(L"rxBtnSET_shuyu");
  Press(L"rxBtnQITA_qt6");
  Press(L"rxBtn_ShuZiFuHao_kuohao3");       // in no table entry, still inserted
  Press(L"rxBtn_ShuZiFuHao_daiquanshuzi10");
  Press(L"rxBtnYUNSUAN_fuzhenghao");        // typed as text
  Press(L"rxBtnSET_R");
  EXPECT_EQ(Text(), L"∈∈⑶⑩∓\xF052\r");
  auto doc = host->ActiveDocument();
  EXPECT_EQ(doc->GetRange(2, 3)->Font().NameFarEast, L"宋体");
  EXPECT_EQ(doc->GetRange(5, 6)->Font().NameAscii, L"Euclid Math Two");
  // A symbol replaces the selection.
  doc->GetRange(0, 2)->Select();
  Press(L"rxBtnJIHE_du");
  EXPECT_EQ(Text(), L"°⑶⑩∓\xF052\r");
  for (const wchar_t* nothing : {L"rxbtnFS_fd", L"rxBtnNoSuchThing", L"rxBtn_ShuZiFuHao_kuohao11", L"rxBtnSource_eBook"})
    Press(nothing);
  EXPECT_EQ(Text(), L"°⑶⑩∓\xF052\r");
  // The paper-size buttons set the page.
  Press(L"rxBtnzhijuan_16K");
  EXPECT_NEAR(doc->PageSetup().PageWidth, 18.4 / 2.54 * 72, 0.5);
  ui.Queue(Answer::OK);
  Press(L"rxBtnQITA_genhao");
  EXPECT_EQ(ui.Boxes().back().text, L"此符号暂末完成，请耐心等待 -->genhao");
}

TEST_F(CommandsTest, ImagesExistForTheImageTableOnly) {
  std::filesystem::create_directories(install.Path() / "img");
  std::filesystem::copy(std::filesystem::path(build_paths::ImageDir()) / "img", install.Path() / "img",
                        std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
  int pictures = 0;
  for (const auto& e : CommandTable()) {
    if (auto p = connect->rxGetImage({e.id, L""})) {
      ++pictures;
      EXPECT_EQ(p->bytes.substr(0, 2), "BM") << WideToUtf8(p->path);
    }
  }
  for (int n = 1; n <= 10; ++n) {
    EXPECT_TRUE(connect->rxGetImage({L"rxBtn_ShuZiFuHao_kuohao" + std::to_wstring(n), L""}));
    EXPECT_TRUE(connect->rxGetImage({L"rxBtn_ShuZiFuHao_daiquanshuzi" + std::to_wstring(n), L""}));
  }
  EXPECT_EQ(pictures, 109);  // with the 20 number symbols: 129
  EXPECT_EQ(connect->rxGetImage({L"rxBtnFS_lfd", L""})->path, install.WPath() + L"/img/fd.bmp");
  EXPECT_FALSE(connect->rxGetImage({L"rxBtnFS_fd2", L""}));
  EXPECT_FALSE(connect->rxGetImage({L"rxBtnQITA_genhao", L""}));
}

TEST_F(CommandsTest, ModeTogglesAskFirstAndDecliningChangesNothing) {
  auto doc = host->ActiveDocument();
  doc->SetSnapToGrid(false);
  ui.Queue(Answer::Cancel);
  Press(L"rxBtnztqt_xtms");
  EXPECT_EQ(ui.Boxes().back().text, L"当前已经是绘图模式，你要切换到网格模式吗？");
  EXPECT_EQ(ui.Boxes().back().title, L"绘图模式与网格模式切换");
  EXPECT_FALSE(doc->SnapToGrid());
  ui.Queue(Answer::OK);
  Press(L"rxBtnztqt_xtms");
  EXPECT_TRUE(doc->SnapToGrid());
  EXPECT_TRUE(doc->SnapToShapes());

  auto ac = host->GetAutoCorrect();
  ASSERT_TRUE(ac->ReplaceText());
  ui.Queue(Answer::OK);
  Press(L"rxBtnGS_gsms");
  EXPECT_EQ(ui.Boxes().back().text, L"当前是公式模式，你要切换到文字模式吗？");
  EXPECT_FALSE(ac->ReplaceText());
  EXPECT_TRUE(ac->CorrectSentenceCaps());
}

TEST_F(CommandsTest, AboutAndWebCommands) {
  ui.Queue(Answer::OK);
  Press(L"rxBtnAbout_ThisVersion");
  EXPECT_EQ(ui.Boxes().back().text, L"当前Plendrix的版本号是：1.0.0");
  Press(L"rxBtnAbout_homepage");
  host->ActiveDocument()->Content()->InsertBefore(L"求函数\r的定义域");
  host->ActiveDocument()->Content()->Select();
  Press(L"rxBtnSource_SearchAnswer");
  ASSERT_EQ(shell.opened.size(), 2u);
  EXPECT_TRUE(StartsWith(shell.opened[0], L"https://"));
  EXPECT_TRUE(EndsWithText(shell.opened[1], L"求函数的定义域"));
}

TEST_F(CommandsTest, ShapeToolsFlowchartAndEquationObject) {
  Press(L"rxBtnzt1");
  auto shapes = host->ActiveDocument()->GetShapes();
  ASSERT_EQ(shapes->Count(), 1);
  auto circle = shapes->Item(1);
  EXPECT_EQ(circle->AutoShapeType(), docif::kAutoShapeOval);
  EXPECT_DOUBLE_EQ(circle->Left(), 200);
  EXPECT_DOUBLE_EQ(circle->Width(), 80);
  EXPECT_FALSE(*circle->Fill().Visible);
  EXPECT_EQ(host->GetSelection()->Type(), docif::kSelectionShape);
  Press(L"rxBtncxkt_start");  // below the selected circle, after the arrow joining them
  EXPECT_EQ(shapes->Item(3)->AutoShapeType(), docif::kAutoShapeFlowchartTerminator);
  EXPECT_EQ(shapes->Item(3)->TextRange()->Text(), L"开　始");
  EXPECT_EQ(shapes->Item(3)->TextRange()->Font().NameFarEast, L"宋体");
  host->ActiveDocument()->GetRange(0, 0)->Select();
  Press(L"rxBtnQT_matheq");
  EXPECT_EQ(host->ActiveDocument()->GetInlineShapes()->Item(1)->Type(), docif::kInlineShapeEmbeddedOle);
}

TEST_F(CommandsTest, LegacyToolbarsDispatchByKeyAndToggle) {
  Use(L"11.0");
  auto bars = host->GetCommandBars();
  auto main = bars->Item(L"plendrix_Main");
  auto version = bars->FindControl(L"当前版本");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->Parameter(), L"当前版本");
  ui.Queue(Answer::OK);
  EXPECT_TRUE(static_cast<docif::model::ModelControl&>(*version).Click()) << "the default action is cancelled";
  EXPECT_EQ(ui.Boxes().back().text, L"当前Plendrix的版本号是：1.0.0");

  auto entry = bars->FindControl(L"集合符号");
  static_cast<docif::model::ModelControl&>(*entry).Click();
  auto setBar = bars->Item(ToolbarName(L"集合符号"));
  EXPECT_TRUE(setBar->Visible());
  EXPECT_TRUE(entry->State());
  auto bingji = bars->FindControl(L"bingji");
  ASSERT_NE(bingji, nullptr);
  EXPECT_EQ(bingji->Style(), docif::ButtonStyle::IconAndCaption);
  EXPECT_TRUE(EndsWithText(bingji->Picture(), L"/img/bingji.bmp"));
  static_cast<docif::model::ModelControl&>(*bingji).Click();
  EXPECT_EQ(Text(), L"∪\r");
  // Closed by hand, the bar comes back with its tick.
  setBar->SetVisible(false);
  static_cast<docif::model::ModelControl&>(*entry).Click();
  EXPECT_TRUE(setBar->Visible());
  EXPECT_TRUE(entry->State());
  static_cast<docif::model::ModelControl&>(*entry).Click();
  EXPECT_FALSE(setBar->Visible());
  EXPECT_FALSE(entry->State());
  EXPECT_EQ(bars->Count(), 2);

  connect->AddinInstance_OnDisconnection();
  EXPECT_EQ(bars->Count(), 0) << "disconnection removes every bar of the add-in";
}

TEST_F(CommandsTest, LegacyModeButtonsShowTheCurrentMode) {
  Use(L"11.0");
  auto bars = host->GetCommandBars();
  auto formula = bars->FindControl(L"公式模式");
  ASSERT_NE(formula, nullptr);
  ui.Queue(Answer::OK);
  static_cast<docif::model::ModelControl&>(*formula).Click();
  EXPECT_EQ(ui.Boxes().back().text, L"当前是公式模式，你要切换到文字模式吗？");
  EXPECT_EQ(formula->Caption(), L"文字模式");
  EXPECT_FALSE(host->GetAutoCorrect()->ReplaceText());
  ui.Queue(Answer::Cancel);
  static_cast<docif::model::ModelControl&>(*formula).Click();
  EXPECT_EQ(ui.Boxes().back().text, L"当前是文字模式，你要切换到公式模式吗？");
  EXPECT_EQ(formula->Caption(), L"文字模式") << "declined: nothing changes";

  static_cast<docif::model::ModelControl&>(*bars->FindControl(L"图形处理")).Click();
  auto draw = bars->FindControl(L"绘图模式");
  ASSERT_NE(draw, nullptr);
  ui.Queue(Answer::OK);
  static_cast<docif::model::ModelControl&>(*draw).Click();
  EXPECT_EQ(ui.Boxes().back().text, L"当前已经是绘图模式，你要切换到网格模式吗？");
  EXPECT_EQ(draw->Caption(), L"网格模式");
  EXPECT_TRUE(host->ActiveDocument()->SnapToShapes());
}

TEST(Symbols, TableAsData) {
  struct Case { const wchar_t* key; SymbolKind kind; char32_t code; const wchar_t* font; };
  for (const Case& c : std::initializer_list<Case>{
           {L"chenghao", SymbolKind::Code, 0xD7, nullptr}, {L"jueduizhi", SymbolKind::Code, 0x2502, L"Times New Roman"},
           {L"derta", SymbolKind::Code, 0xF044, L"Symbol"}, {L"denghao", SymbolKind::Text, U'＝', nullptr},
           {L"and", SymbolKind::Code, 0xF0B8, L"plendrix"}, {L"Z", SymbolKind::Code, 0xF05A, L"Euclid Math Two"},
           {L"yuan", SymbolKind::Code, 0x2299, L"宋体"}, {L"jiao1", SymbolKind::Placeholder, 0, nullptr},
           {L"wuqiongda", SymbolKind::Code, 0xF0A5, L"Symbol"}, {L"maoy", SymbolKind::Code, 0x177, L"Times New Roman"}}) {
    auto s = FindSymbol(c.key);
    ASSERT_TRUE(s) << WideToUtf8(c.key);
    EXPECT_EQ(s->kind, c.kind) << WideToUtf8(c.key);
    EXPECT_EQ(s->code, c.code) << WideToUtf8(c.key);
    EXPECT_EQ(s->font ? std::wstring(s->font) : L"", c.font ? std::wstring(c.font) : L"") << WideToUtf8(c.key);
  }
  EXPECT_EQ(FindSymbol(L"shuyu")->code, FindSymbol(L"qt6")->code);
  EXPECT_FALSE(FindSymbol(L"z")) << "keys are case-sensitive";
  EXPECT_EQ(FindGreek(L"lambda")->code, 0x3BBu);
  EXPECT_EQ(FindNumberSymbol(L"kuohao1")->code, 0x2474u);
  EXPECT_EQ(FindNumberSymbol(L"daiquanshuzi10")->code, 0x2469u);
  EXPECT_FALSE(FindNumberSymbol(L"kuohao0"));
  EXPECT_FALSE(FindNumberSymbol(L"heiquanshuzi1"));
  // Every symbol command of the table finds its symbol.
  for (const auto& e : CommandTable()) {
    if (!StartsWith(e.action.name, L"符号 ")) continue;
    EXPECT_TRUE(FindSymbol(e.id.substr(e.id.find(L'_') + 1))) << WideToUtf8(e.id);
  }
}

}  // namespace
}  // namespace plx
