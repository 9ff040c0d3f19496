// Equations and EQ fields as LibreOffice Math formulas: from the formula
// language through the host-equation builder and its Office Math Markup,
// and from markup the builder never writes but a field or a file may hold.
#include "docif/starmath.hpp"

#include <gtest/gtest.h>

#include "docif/office_math.hpp"
#include "formula/omath_builder.hpp"

namespace plx {
namespace {

class StarMath : public ::testing::Test {
 protected:
  // The formula of a typed formula, as the equation route builds it.
  std::wstring Of(const std::wstring& typed) {
    return docif::StarMathOfEquation(SetOMathEq(typed, settings, [](const std::wstring&) {}));
  }
  static std::wstring OfXml(const std::string& inside) {
    return docif::StarMathOfOfficeMath("<m:oMath>" + inside + "</m:oMath>");
  }
  FormulaSettings settings;
};

TEST_F(StarMath, FractionsRootsScriptsAndBrackets) {
  EXPECT_EQ(Of(L"ty(4,3)"), L"{{{{x}^{2}}} over {4}} + {{{{y}^{2}}} over {3}} \"＝\" 1");
  EXPECT_EQ(Of(L"yuan(-1,2,2)"),
            L"{{{left ( {x + 1} right )}}^{2}} + {{{left ( {y - 2} right )}}^{2}} \"＝\" 4");
  EXPECT_EQ(Of(L"gh(3,x+1)+(gh2)/2"), L"{nroot{3}{x + 1}} + {{{sqrt{2}}} over {2}}");
  EXPECT_EQ(Of(L"a_12/x^(n+1)"), L"{{{{a}_{12}}} over {{{x}^{n + 1}}}}");
  EXPECT_EQ(Of(L"PLA(5,2)+PLC(5,2)=30"), L"{{A}_{5}^{2}} + {{C}_{5}^{2}} = 30");
  EXPECT_EQ(Of(L"PL(n,m)"), L"{{}_{n}^{m}}") << "scripts on nothing keep an empty base";
  // Brackets Math stretches, one-sided ones and those it has none for.
  EXPECT_EQ(OfXml("<m:d><m:dPr><m:begChr m:val=\"&#x230A;\"/><m:endChr m:val=\"&#x230B;\"/></m:dPr><m:e><m:r><m:t>x</m:t></m:r></m:e></m:d>"),
            L"{left lfloor {x} right rfloor}");
  EXPECT_EQ(OfXml("<m:d><m:dPr><m:begChr m:val=\"&#x2016;\"/><m:endChr m:val=\"\"/></m:dPr><m:e><m:r><m:t>a</m:t></m:r></m:e></m:d>"),
            L"{left ldline {a} right none}");
  EXPECT_EQ(OfXml("<m:d><m:dPr><m:begChr m:val=\"&#x3010;\"/><m:endChr m:val=\"]\"/></m:dPr><m:e/><m:e/></m:d>"),
            L"{\"【\" left none {} mline {} right ]}");
  EXPECT_EQ(OfXml("<m:d><m:e><m:r><m:t>x</m:t></m:r></m:e></m:d>"), L"{left ( {x} right )}") << "round by default";
}

TEST_F(StarMath, MatricesSystemsAndLargeOperators) {
  EXPECT_EQ(Of(L"jz(1,2|3,4)"), L"{left ( {{matrix{{1} # {2} ## {3} # {4}}}} right )}");
  EXPECT_EQ(Of(L"hls(a,b|c,d)"), L"{left lline {{matrix{{a} # {b} ## {c} # {d}}}} right rline}");
  EXPECT_EQ(Of(L"fcz(x+y=1, x-y=3)"),
            L"{left lbrace {{stack{alignl {x + y = 1} # alignl {x - y = 3}}}} right none}");
  // Rows aligned inside meet in two columns.
  const std::string row = "<m:e><m:r><m:t>x</m:t></m:r><m:r><m:rPr><m:aln/></m:rPr><m:t>=1</m:t></m:r></m:e>";
  EXPECT_EQ(OfXml("<m:eqArr>" + row + row + "</m:eqArr>"),
            L"{matrix{alignr {x} # alignl {{} = 1} ## alignr {x} # alignl {{} = 1}}}");
  EXPECT_EQ(Of(L"jf(0,1,x^2dx)=1/3"), L"{int from{0} to{1} {{{x}^{2}} dx}} = {{1} over {3}}");
  EXPECT_EQ(Of(L"jf(-1,a+1,x^2dx)"), L"{int from{- 1} to{a + 1} {{{x}^{2}} dx}}");
  EXPECT_EQ(Of(L"qh(i=1,n,i^2)"), L"{sum from{i = 1} to{n} {{{i}^{2}}}}");
  EXPECT_EQ(Of(L"jx(x,0)(sinx)/x=jx(x,0)=1"),
            L"{lim from{x toward 0} {{{sinx} over {x}}}} = {lim from{x toward 0} {}} = 1");
  EXPECT_EQ(Of(L"jx()"), L"{lim from{n toward infinity} {{{{left ( {1 + {{1} over {n}}} right )}}^{n}} ~}}");
  EXPECT_EQ(OfXml("<m:nary><m:naryPr><m:chr m:val=\"&#x22C3;\"/><m:supHide m:val=\"1\"/></m:naryPr><m:sub><m:r><m:t>i</m:t></m:r></m:sub><m:sup/><m:e><m:r><m:t>A</m:t></m:r></m:e></m:nary>"),
            L"{oper \u22C3 from{i} {A}}");
}

TEST_F(StarMath, FunctionsAccentsAndBars) {
  EXPECT_EQ(OfXml("<m:func><m:fName><m:r><m:rPr><m:sty m:val=\"p\"/></m:rPr><m:t>sin</m:t></m:r></m:fName><m:e><m:r><m:t>x</m:t></m:r></m:e></m:func>"),
            L"{sin {x}}");
  EXPECT_EQ(OfXml("<m:func><m:fName><m:r><m:rPr><m:sty m:val=\"p\"/></m:rPr><m:t>lg</m:t></m:r></m:fName><m:e><m:r><m:t>x</m:t></m:r></m:e></m:func>"),
            L"{func lg {x}}");
  EXPECT_EQ(Of(L"hu(AB)"), L"{{AB} csup {size *2 \"\u2312\"}}");
  EXPECT_EQ(Of(L"xl(a)+xl(AB)"), L"{vec {a}} + {widevec {AB}}");
  EXPECT_EQ(Of(L"fei(AB)"), L"{overline {AB}}");
  EXPECT_EQ(Of(L"xhx(  )"), L"{underline {~ ~}}") << "the blanks of an answer line are kept";
  EXPECT_EQ(OfXml("<m:acc><m:accPr><m:chr m:val=\"&#x307;\"/></m:accPr><m:e><m:r><m:t>x</m:t></m:r></m:e></m:acc>"),
            L"{dot {x}}");
}

TEST_F(StarMath, SignsTextAndMathSyntaxInRuns) {
  EXPECT_EQ(Of(L"@a+@b=pi"), L"%alpha + %beta = %pi");
  EXPECT_EQ(Of(L"x>=1"), L"x >= 1");
  EXPECT_EQ(OfXml("<m:r><m:t>x∈A∪B，△ABC≌△DEF，∠A=90°</m:t></m:r>"),
            L"x in A union B \"，\" △ ABC ≌ △ ital \"DEF\" \"，\" ∠ A = 90 °")
      << "DEF is Math's \"def\": keywords are read in any case";
  EXPECT_EQ(OfXml("<m:r><m:t>a⊥b，a∥c，x≠0，x≤y≥z，±1×2÷3·4，∅⊆A，∞</m:t></m:r>"),
            L"a ortho b \"，\" a parallel c \"，\" x <> 0 \"，\" x <= y >= z \"，\" +- 1 times 2 div 3 cdot 4 \"，\" "
            L"emptyset subseteq A \"，\" infinity");
  // An operator with nothing on a side gets an empty group; Math would refuse it.
  EXPECT_EQ(OfXml("<m:r><m:t>=3+</m:t></m:r>"), L"{} = 3 + {}");
  // Words Math reads as commands and its syntax are quoted.
  EXPECT_EQ(OfXml("<m:r><m:t>x in over ab</m:t></m:r>"), L"x ~ ital \"in\" ~ ital \"over\" ~ ab");
  EXPECT_EQ(OfXml("<m:r><m:rPr><m:lit/></m:rPr><m:t>(|_&amp;#%\"</m:t></m:r>"),
            L"\"(\" \"|\" \"_\" \"&\" \"#\" \"%\" \"\u201D\"");
  EXPECT_EQ(OfXml("<m:r><m:t>已知函数f(x)</m:t></m:r>"), L"\"已知函数\" f \"(\" x \")\"");
  EXPECT_EQ(docif::StarMathOfOfficeMath("<m:oMath"), L"") << "markup that does not read gives nothing";
}

TEST_F(StarMath, EqFieldCodesThroughTheirMarkup) {
  auto field = [](const std::wstring& code) { return docif::StarMathOfOfficeMath(*docif::OfficeMathOfEqField(code)); };
  EXPECT_EQ(field(L" EQ \\F(1,2) "), L"{{1} over {2}}");
  EXPECT_EQ(field(L"EQ \\R(3,x)+x\\S(2)"), L"{nroot{3}{x}} + {{x}^{2}}");
}

}  // namespace
}  // namespace plx
