// Formula embellishment: operator forms, the teacher's rules file, and the
// embellishment command on fields and plain text of a model document.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "config/mod_config.hpp"
#include "formula/embellish/custom_rules.hpp"
#include "formula/embellish/embellish_settings.hpp"
#include "formula/embellish/mhgs.hpp"
#include "formula/embellish/replace_symbol.hpp"
#include "formula/formula_commands.hpp"
#include "formula/formula_input.hpp"
#include "support/addin_fixtures.hpp"

namespace plx {
namespace {

TEST(ReplaceSymbol, TwoCharacterFormsFirst) {
  EXPECT_EQ(ReplaceSymbol(L"a>=b"), L"a≥b");
  EXPECT_EQ(ReplaceSymbol(L"x<=1"), L"x≤1");
  EXPECT_EQ(ReplaceSymbol(L"x+1-2=3<4>5"), L"x＋1－2＝3＜4＞5");
}

TEST(CustomRules, CallsAreRewrittenWithTheirArguments) {
  const std::vector<CustomRule> frac{{L"f(a,b)", L"(a)/(b)"}};
  EXPECT_EQ(ApplyRules(L"f(x+1,2)", frac), L"(x+1)/(2)");
  // Arguments that spell the other parameter stay as they are.
  EXPECT_EQ(ApplyRules(L"f(b,a)", frac), L"(b)/(a)");
  // Commas inside an argument's brackets belong to it; calls nest.
  EXPECT_EQ(ApplyRules(L"f(f(1,2),g(x,y))+1", frac), L"((1)/(2))/(g(x,y))+1");
  // A call with another argument count, or never closed, is left alone.
  EXPECT_EQ(ApplyRules(L"f(x)+f(1,2)", frac), L"f(x)+(1)/(2)");
  EXPECT_EQ(ApplyRules(L"f(1,2", frac), L"f(1,2");
  // A rule that writes its own call ends.
  const std::wstring grown = ApplyRules(L"g(1)", {{L"g(p)", L"g(p)+1"}});
  EXPECT_TRUE(grown.starts_with(L"g(1)+1"));
}

class Embellish : public test::DocumentAddinTest {
 protected:
  void Mh(const std::wstring& key, const std::wstring& value) { ConfigGroup(*ctx, L"mhgsconfig").Set(key, value); }
  void Gs(const std::wstring& key, const std::wstring& value) { ConfigGroup(*ctx, L"gsconfig").Set(key, value); }
  std::wstring Code(int i) { return doc->GetFields()->Item(i)->Code()->Text(); }
  docif::FontFormat FontAt(long p) { return doc->GetRange(p, p + 1)->Font(); }
  void At(long p) { host->GetSelection()->SetRange(p, p); }
};

TEST_F(Embellish, RulesFileRewritesTypedFormulasOrSaysItIsMissing) {
  Gs(L"blZDMH", L"False");
  InputGS(*ctx, L"log(2,8)+djf(0,1,x^2)");
  EXPECT_EQ(ApplyZDYGZ(*ctx, L"log(2,8)"), L"log_(2)8");
  ASSERT_EQ(doc->GetFields()->Count(), 1);
  EXPECT_NE(Code(1).find(L"dx"), std::wstring::npos) << Code(1);  // djf became an integral with dx
  std::filesystem::remove(install.File("config/zdygz.txt"));
  ui.Queue(Answer::OK);
  EXPECT_EQ(ApplyZDYGZ(*ctx, L"log(2,8)"), L"log(2,8)");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_TRUE(ui.Boxes()[0].text.starts_with(L"自定义规则文件（"));
  EXPECT_TRUE(ui.Boxes()[0].text.ends_with(L"）可能不存在或无法读取，请检查相关设置。"));
}

TEST_F(Embellish, ArcsWidenOverTwoAndThreeCapitals) {
  InputGS(*ctx, L"hu(AB)");
  At(doc->Content()->End() - 1);
  InputGS(*ctx, L"hu(ABC)");
  At(doc->Content()->End() - 1);
  InputGS(*ctx, L"xl(AB)+xl(a)");
  EXPECT_EQ(Code(1), L"EQ \\o\\ac(\\S\\UP7(⌒⌒),AB)");
  EXPECT_EQ(Code(2), L"EQ \\o\\ac(\\S\\UP7(⌒⌒⌒),ABC)");
  EXPECT_NE(Code(3).find(L"(→→),AB)"), std::wstring::npos) << Code(3);
  EXPECT_NE(Code(3).find(L"(→),a)"), std::wstring::npos) << Code(3);
  EXPECT_FALSE(doc->GetFields()->Item(1)->ShowCodes());  // hidden again
}

TEST_F(Embellish, WholeDocumentLettersDigitsFunctionsAndRules) {
  doc->Content()->InsertBefore(L"解：sinx>=2，");
  At(0);
  Mhgs(*ctx);
  EXPECT_EQ(doc->Content()->Text(), L"解：sinx≥2，\r");
  EXPECT_FALSE(FontAt(0).Italic.value_or(false));               // Chinese stays upright
  EXPECT_FALSE(FontAt(2).Italic.value_or(true));                // sin upright
  EXPECT_EQ(FontAt(5).Name.value_or(L""), L"Times New Roman");  // x
  EXPECT_TRUE(FontAt(5).Italic.value_or(false));
  EXPECT_FALSE(FontAt(7).Italic.value_or(true));                // 2
}

TEST_F(Embellish, ScopeRules) {
  doc->Content()->InsertBefore(L"x+y");
  Mh(L"noSelection", L"2");
  At(1);
  Mhgs(*ctx);
  EXPECT_FALSE(FontAt(0).Italic.value_or(false));  // nothing happens
  // A selection of two characters or more is the scope, whatever noSelection says.
  host->GetSelection()->SetRange(2, 3);
  Mhgs(*ctx);
  EXPECT_FALSE(FontAt(2).Italic.value_or(false));
  host->GetSelection()->SetRange(1, 3);
  Mhgs(*ctx);
  EXPECT_TRUE(FontAt(2).Italic.value_or(false));
  EXPECT_FALSE(FontAt(0).Italic.value_or(false));
  // 1: the page that holds the insertion point.
  Mh(L"noSelection", L"1");
  At(1);
  Mhgs(*ctx);
  EXPECT_TRUE(FontAt(0).Italic.value_or(false));
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(Embellish, ScriptSizeFollowsTheSetting) {
  EmbellishSettings s;
  EXPECT_EQ(s.ScriptSize(10.5), 9);    // 小五
  s.sxbFontSize = L"二号";
  EXPECT_EQ(s.ScriptSize(10.5), 10.5);  // never above the text
  s.sxbFontSize = L"";
  EXPECT_EQ(s.ScriptSize(12), 8);
}

TEST_F(Embellish, EmbellishFormulaOnAnArcField) {
  doc->Content()->InsertBefore(L"@a+-pi<>");
  host->GetSelection()->SetRange(0, 8);
  GS_Hu(*ctx);
  ASSERT_EQ(doc->GetFields()->Count(), 1);
  EXPECT_EQ(Code(1), L"EQ \\o\\ac(\\S\\UP7(⌒),α±π≠)");
  auto code = doc->GetFields()->Item(1)->Code();
  const long alpha = code->Start() + static_cast<long>(Code(1).find(L'α'));
  EXPECT_TRUE(FontAt(alpha).Italic.value_or(false));
  EXPECT_EQ(FontAt(alpha + 1).Name.value_or(L""), L"宋体");
  const long arc = code->Start() + static_cast<long>(Code(1).find(L'⌒'));
  EXPECT_EQ(FontAt(arc).Name.value_or(L""), L"Times New Roman");
  EXPECT_FALSE(FontAt(code->Start()).Italic.value_or(false));  // "EQ" is no mathematics
}

}  // namespace
}  // namespace plx
