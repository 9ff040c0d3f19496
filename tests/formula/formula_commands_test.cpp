// The formula commands against a model document: typed and selected
// formulas on the three routes, the input-box dialogue, and the direct
// buttons that build fields around formatted text.
#include <gtest/gtest.h>

#include "config/mod_config.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "formula/formula_commands.hpp"
#include "formula/formula_input.hpp"
#include "formula/formula_output.hpp"
#include "formula/formula_prep.hpp"
#include "formula/rewrite_engine.hpp"
#include "support/addin_fixtures.hpp"

namespace plx {
namespace {

class FormulaCommands : public test::DocumentAddinTest {
 protected:
  void Setting(const std::wstring& key, const std::wstring& value) { ConfigGroup(*ctx, L"gsconfig").Set(key, value); }
  // Types the text and selects [start, end).
  void Select(const std::wstring& text, long start, long end) {
    doc->Content()->InsertBefore(text);
    host->GetSelection()->SetRange(start, end);
  }
};

TEST_F(FormulaCommands, TypedFormulaBecomesAnEqField) {
  ui.QueueText(L"ｙｕａｎ（３）");  // full-width typing is folded
  InputGS(*ctx, L"");
  EXPECT_EQ(Codes(), std::vector<std::wstring>{L"EQ x\\S(2)+y\\S(2)=9"});
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].text, kFormulaPrompt);
  EXPECT_EQ(ui.Boxes()[0].title, kFormulaTitle);
  // A plain result is typed as text, not as a field.
  ClickAtEnd();
  InputGS(*ctx, L"x+1");
  EXPECT_EQ(Codes().size(), 1u);
  EXPECT_NE(Text().find(L"x+1"), std::wstring::npos);
}

TEST_F(FormulaCommands, UnbalancedBracketsAreAskedAgainUntilBalancedOrBlank) {
  ui.Queue(Answer::OK);
  ui.QueueText(L"(x+1)/2");
  InputGS(*ctx, L"(x+1/2");
  EXPECT_EQ(Codes(), std::vector<std::wstring>{L"EQ \\F(x+1,2)"});
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_EQ(ui.Boxes()[0].text, L"您输入的表达式括号不匹配，请检查您的输入");
  ui.Queue(Answer::OK);
  ui.QueueText(L"  ");
  InputGS(*ctx, L"gh(2");
  EXPECT_EQ(Codes().size(), 1u) << "a blank answer ends the command";
}

TEST_F(FormulaCommands, HelpOpensTheGuideDocument) {
  auto guide = std::make_shared<docif::model::DocData>(host->SharedPtr());
  docif::ooxml::SaveDocx(*guide, install.WPath() + L"/" + kFormulaGuideName);
  ui.QueueText(L"HELP");
  InputGS(*ctx, L"");
  EXPECT_EQ(host->GetDocuments()->Count(), 2);
  EXPECT_TRUE(Codes().empty());
}

TEST_F(FormulaCommands, SelectionRoutes) {
  // An EQ field in the selection becomes text again and is rebuilt.
  Select(L"yuan(3) 与 ", 0, 8);
  GS_Main(*ctx);
  ASSERT_EQ(Codes().size(), 1u);
  host->GetSelection()->SetRange(0, doc->Content()->End() - 1);
  GS_Main(*ctx);
  EXPECT_EQ(Codes(), std::vector<std::wstring>{L"EQ x\\S(2)+y\\S(2)=9与 "});
  // TeX goes to the equation editor add-in.
  doc->Content()->SetText(L"x^(n+1)");
  Setting(L"iMathType", L"1");
  host->GetSelection()->SetRange(0, 7);
  GS_Main(*ctx);
  EXPECT_EQ(host->GetSelection()->Text(), L"$x^{n+1}$");
  EXPECT_EQ(host->Journal().back(), L"Run MTCommand_TeXToggle");
}

TEST_F(FormulaCommands, SuperscriptRunsAreWrittenInTheLanguage) {
  Select(L"x2+1", 0, 4);
  auto two = doc->GetRange(1, 2);
  docif::FontFormat sup;
  sup.Superscript = true;
  two->SetFont(sup);
  EXPECT_EQ(ChangeSXb(*host->GetSelection()), L"x^(2)+1");
  GS_Main(*ctx);
  EXPECT_EQ(Codes(), std::vector<std::wstring>{L"EQ x\\S\\UP6(2)+1"});
}

TEST_F(FormulaCommands, HostEquationsNeedANewEnoughHost) {
  Setting(L"iMathType", L"2");
  InputGS(*ctx, L"ty(4,3)");
  auto equations = doc->Content()->GetOMaths();
  ASSERT_EQ(equations->Count(), 1);
  EXPECT_EQ(equations->Item(1)->GetRange()->Text(), L"(x^2)/(4)+(y^2)/(3)＝1");
  EXPECT_TRUE(equations->Item(1)->IsBuiltUp());
  EXPECT_EQ(equations->Item(1)->GetRange()->Font().Name, L"Latin Modern Math");

  StartHost(L"11.0");
  Setting(L"iMathType", L"2");
  Select(L"x^2", 0, 3);
  ui.Queue(Answer::OK);
  GS_Main(*ctx);
  EXPECT_EQ(ui.Boxes().back().text, L"此公式类型只支持07以上版本的word，请检查您的word版本是否符合。");
  EXPECT_EQ(doc->Content()->GetOMaths()->Count(), 0);
}

TEST_F(FormulaCommands, SettingsGivenForTheRunSurviveReloadingTheirGroup) {
  Setting(L"iMathType", L"1");
  ConfigGroup(*ctx, L"zbxconfig").Set(L"intK", L"2");
  // The formula engine and the graph code each load their own group again.
  EXPECT_EQ(LoadFormulaSettings(*ctx).iMathType, 1);
  EXPECT_EQ(ConfigGroup(*ctx, L"zbxconfig").Number(L"intK"), 2);
  EXPECT_EQ(LoadFormulaSettings(*ctx).iMathType, 1);
  EXPECT_EQ(ConfigGroup(*ctx, L"all").Text(L"intK"), L"2");
}

TEST_F(FormulaCommands, PreparationRules) {
  FormulaSettings s;
  FormulaNotice quiet = [](const std::wstring&) {};
  EXPECT_EQ(BuildFormulaCode(FormulaRoute::Field, L"qj[0,1)", s, quiet), L" \\b\\lc\\[\\rc\\)(\\l(0,1))");
  EXPECT_EQ(BuildFormulaCode(FormulaRoute::TeX, L"qj[0,1)", s, quiet), L"$\\left[ 0,1 \\right)$");
  EXPECT_EQ(BuildFormulaCode(FormulaRoute::TeX, L"x∈qj(0,x^2]", s, quiet), L"$x∈\\left( 0,x^2 \\right]$")
      << "text around the interval is kept";
  s.blGsExp = true;
  EXPECT_EQ(BuildFormulaCode(FormulaRoute::Field, L"sin^2x", s, quiet), L"sin\\s\\up3(2)x");
  EXPECT_EQ(BuildFormulaCode(FormulaRoute::Field, L"log/2", s, quiet), L"\\F(log,2)");
  EXPECT_THROW(BuildFormulaCode(FormulaRoute::Field, L"(x", s, quiet), FormulaStopped);
  s.blNarrowExp = true;
  s.txtNarrowExp = L"，";
  EXPECT_EQ(NarrowFormulaText(L"ａ，ｂ（１）", s), L"a，b(1)");
  EXPECT_EQ(NarrowFormulaText(L"ａ，", s), L"a");
}

TEST_F(FormulaCommands, FractionButtonMovesFormattedPartsIntoTheField) {
  Select(L"ab/cd", 0, 5);
  docif::FontFormat bold;
  bold.Bold = true;
  doc->GetRange(0, 1)->SetFont(bold);
  GS_FenShu(*ctx);
  ASSERT_EQ(Codes(), std::vector<std::wstring>{L"EQ \\F(ab,cd)"});
  auto code = doc->GetFields()->Item(1)->Code();
  auto a = doc->GetRange(code->Start() + 6, code->Start() + 7);
  EXPECT_EQ(a->Text(), L"a");
  EXPECT_EQ(a->Font().Bold, true);
  EXPECT_FALSE(doc->GetBookmarks()->Exists(L"fz"));

  doc->Content()->SetText(L"abc");
  host->GetSelection()->SetRange(0, 3);
  ui.Queue(Answer::OK);
  GS_FenShu(*ctx);
  EXPECT_EQ(ui.Boxes().back().text, L"没有“/”符号，不能区分分子和分母，请重新选择！");
}

TEST_F(FormulaCommands, SystemsArcsVectorsAndRecurringDecimals) {
  ui.QueueText(L"x+y=1，x-y=3");
  GS_FCZ(*ctx);
  EXPECT_EQ(Codes(), std::vector<std::wstring>{L"EQ \\B\\lc\\{(\\a\\al(x+y=1,x-y=3))"});
  ClickAtEnd();
  ui.QueueText(L"AB");
  GS_Hu(*ctx);
  EXPECT_EQ(Codes().back(), L"EQ \\o\\ac(\\S\\UP7(⌒),AB)");

  doc->Content()->SetText(L"a");
  host->GetSelection()->SetRange(0, 1);
  GS_XL(*ctx);
  EXPECT_EQ(Codes(), std::vector<std::wstring>{L"EQ \\o\\ac(\\S\\UP7(→),a)"});

  doc->Content()->SetText(L"0.1/234");
  host->GetSelection()->SetRange(0, 7);
  GS_XHXS(*ctx);
  EXPECT_EQ(Codes(), (std::vector<std::wstring>{L"eq \\o(\\s\\up 3(˙),2)", L"eq \\o(\\s\\up 3(˙),4)"}));
  EXPECT_EQ(doc->GetRange(0, 3)->Font().Name, L"宋体");

  doc->Content()->SetText(L"12/");
  host->GetSelection()->SetRange(0, 3);
  ui.Queue(Answer::Cancel);
  GS_XHXS(*ctx);
  EXPECT_EQ(ui.Boxes().back().text, L"您选择的小数没有小数点,您还是要生成循环小数吗?");
  EXPECT_EQ(Text(), L"12/\r");
}

}  // namespace
}  // namespace plx
