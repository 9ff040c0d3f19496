// TeX that becomes a host equation: the TeX the formula builder writes is
// read back into the formula language, and the model application answers
// the TeX toggle by building equations where no equation editor exists.
#include <gtest/gtest.h>

#include "config/mod_config.hpp"
#include "formula/formula_input.hpp"
#include "formula/omath_builder.hpp"
#include "formula/tex_builder.hpp"
#include "formula/tex_route/tex_equations.hpp"
#include "formula/tex_route/tex_to_formula.hpp"
#include "support/addin_fixtures.hpp"

namespace plx {
namespace {

const FormulaNotice kQuiet = [](const std::wstring&) {};

std::wstring TeXOf(const std::wstring& formula) {
  TeXPieces pieces;
  return RestoreTeXPieces(SetTeXEq(formula, FormulaSettings{}, kQuiet, pieces), pieces);
}

// The linear equation text the round trip through TeX ends in.
std::wstring ThroughTeX(const std::wstring& formula) {
  const auto back = TeXToFormula(TeXOf(formula));
  if (!back) return L"<unread: " + TeXOf(formula) + L">";
  return SetOMathEq(*back, FormulaSettings{}, kQuiet);
}

TEST(TeXToFormula, EveryKindTheTeXBuilderWritesIsReadBack) {
  for (const wchar_t* formula :
       {L"yuan(-1,2,2)", L"ty(4,3)", L"sqx(-4,3)", L"jx(x,0)", L"jf(0,1,x^2dx)", L"jf(x)", L"qh(1,n,k^2)",
        L"jz(1,2,3,4)", L"hls(1,2|3,4)", L"gh(3,x+1)+(gh2)/2", L"x^(n+1)", L"a_(n+1)", L"(a+b)/(c+d)",
        L"PLA(5,2)", L"PLC(5,2)", L"hu(AB)", L"xl(a)", L"fcz(x+y=1,x-y=3)", L"fei(A)", L"xhx(A)", L"@a+@A",
        L"5du", L"a>=b", L"x<>1", L"+-1", L"wqd"}) {
    const auto back = TeXToFormula(TeXOf(formula));
    ASSERT_TRUE(back) << formula << " -> " << TeXOf(formula);
    EXPECT_EQ(back->find(L'\\'), std::wstring::npos) << formula;
  }
}

TEST(TeXToFormula, RoundTripsKeepTheMathematics) {
  EXPECT_EQ(ThroughTeX(L"(a+b)/(c+d)"), SetOMathEq(L"(a+b)/(c+d)", FormulaSettings{}, kQuiet));
  EXPECT_EQ(ThroughTeX(L"gh(3,x)"), L"√(3&x)");
  EXPECT_EQ(TeXToFormula(TeXOf(L"jf(0,1,x^2dx)")).value_or(L"?"), L"jf(0,1,x^2dx)");
  EXPECT_EQ(TeXToFormula(TeXOf(L"jz(1,2|3,4)")).value_or(L"?"), L"jz(1,2|3,4)");
  EXPECT_EQ(TeXToFormula(TeXOf(L"hls(1,2|3,4)")).value_or(L"?"), L"hls(1,2|3,4)");
  EXPECT_EQ(TeXToFormula(L"\\left[ 0,1 \\right)").value_or(L"?"), L"qj[0,1)");
  EXPECT_EQ(ThroughTeX(L"(x+1)/2"), L"(x+1)/(2)");
  EXPECT_EQ(TeXToFormula(TeXOf(L"fcz(x+y=1,x-y=3)")).value_or(L"?"), L"fcz(x+y=1,x-y=3)");
  EXPECT_EQ(TeXToFormula(TeXOf(L"hu(AB)+xl(a)")).value_or(L"?"), L"hu(AB)+xl(a)");
  EXPECT_EQ(TeXToFormula(TeXOf(L"@a+@A")).value_or(L"?"), L"α + Α");
  EXPECT_EQ(TeXToFormula(TeXOf(L"5du")).value_or(L"?"), L"5 °");
  EXPECT_EQ(TeXToFormula(L"\\sin x \\cdot \\{1,2\\}"), L"sin x · {1,2}");
}

TEST(TeXToFormula, UnknownCommandsAndOpenGroupsAreNotRead) {
  EXPECT_FALSE(TeXToFormula(L"\\foo{x}"));
  EXPECT_FALSE(TeXToFormula(L"\\frac{1}{2"));
  EXPECT_FALSE(TeXToFormula(L"a & b"));
}

class TeXToggle : public test::DocumentAddinTest {
 protected:
  void SetUp() override {
    DocumentAddinTest::SetUp();
    host->SetMacro(kTeXToggleMacro, [this] { TeXToggleToEquations(*ctx); });
  }
};

TEST_F(TeXToggle, TheTeXRouteEndsInAnEquation) {
  ConfigGroup(*ctx, L"gsconfig").Set(L"iMathType", L"1");
  doc->Content()->InsertBefore(L"解：");
  host->GetSelection()->SetRange(2, 2);
  InputGS(*ctx, L"(a+b)/(c+d)+x^(n+1)");
  ASSERT_EQ(doc->Content()->GetOMaths()->Count(), 1);
  EXPECT_EQ(doc->Content()->Text().find(L'$'), std::wstring::npos);
  EXPECT_TRUE(doc->Content()->Text().starts_with(L"解："));
  EXPECT_TRUE(doc->Content()->GetOMaths()->Item(1)->IsBuiltUp());
  EXPECT_TRUE(ui.StatusTexts().empty());
}

TEST_F(TeXToggle, UnreadableTeXStaysWithAStatusMessage) {
  doc->Content()->InsertBefore(L"甲$\\foo{x}$乙$x^{2}$丙");
  host->GetSelection()->SetRange(0, doc->Content()->End() - 1);
  host->Run(kTeXToggleMacro);
  EXPECT_EQ(doc->Content()->GetOMaths()->Count(), 1);
  const std::wstring text = doc->Content()->Text();
  EXPECT_TRUE(text.starts_with(L"甲$\\foo{x}$乙")) << text;
  EXPECT_TRUE(text.ends_with(L"丙\r")) << text;
  ASSERT_EQ(ui.StatusTexts().size(), 1u);
  EXPECT_EQ(ui.StatusTexts()[0], L"有 1 处 TeX 无法识别，保留为原文。");
  EXPECT_EQ(host->GetSelection()->Start(), static_cast<long>(text.size()) - 1);
}

}  // namespace
}  // namespace plx
