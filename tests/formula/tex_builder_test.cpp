#include "formula/tex_builder.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "formula/brackets.hpp"
#include "formula/rewrite_engine.hpp"
#include "formula/tex_to_asc.hpp"

namespace plx {
namespace {

struct TeXBuild : ::testing::Test {
  FormulaSettings settings;
  std::vector<std::wstring> notices;
  FormulaNotice notice = [this](const std::wstring& m) { notices.push_back(m); };
  TeXPieces pieces;
  // The TeX as the route hands it on: keys restored.
  std::wstring Tex(const std::wstring& text) {
    pieces.Clear();
    return RestoreTeXPieces(SetTeXEq(text, settings, notice, pieces), pieces);
  }
};

TEST_F(TeXBuild, ConicsAndCircles) {
  EXPECT_EQ(Tex(L"yuan(3)"), L"{{x}^{2}}+{{y}^{2}}=9");
  EXPECT_EQ(Tex(L"yuan(r)"), L"{{x}^{2}}+{{y}^{2}}={{r}^{2}}");
  // The right side is one balanced group.
  EXPECT_EQ(Tex(L"yuan(-1,2,2)"), L"{{(x+1)}^{2}}+{{(y-2)}^{2}}={4}");
  EXPECT_EQ(Tex(L"yuan(a,-b,r)"), L"{{(x-a)}^{2}}+{{(y+b)}^{2}}={{{r}^{2}}}");
  EXPECT_EQ(Tex(L"yuan(0,0,a+b)"), L"{{x}^{2}}+{{y}^{2}}={{{(a+b)}^{2}}}");
  EXPECT_EQ(Tex(L"ty(4,3)"), L"\\frac{{{x}^{2}}}{4}+\\frac{{{y}^{2}}}{3}=1");
  // An empty denominator is 1: the bare square, never \frac{...}{}.
  EXPECT_EQ(Tex(L"ty(,3)"), L"{{x}^{2}}+\\frac{{{y}^{2}}}{3}=1");
  EXPECT_EQ(Tex(L"ty(4,)"), L"\\frac{{{x}^{2}}}{4}+{{y}^{2}}=1");
  EXPECT_EQ(Tex(L"sqx(4,5)"), L"\\frac{{{x}^{2}}}{4}-\\frac{{{y}^{2}}}{5}=1");
  EXPECT_EQ(Tex(L"sqx(-4,5)"), L"\\frac{{{y}^{2}}}{5}-\\frac{{{x}^{2}}}{4}=1");
  EXPECT_EQ(Tex(L"sqx(-,5)"), L"\\frac{{{y}^{2}}}{5}-{{x}^{2}}=1");
}

TEST_F(TeXBuild, CalculusArraysAndSystems) {
  EXPECT_EQ(Tex(L"jx(x,0)"), L"\\underset{x\\to 0}{\\mathop{\\lim}}\\,");
  EXPECT_EQ(Tex(L"jx(x,a)"), L"\\underset{x\\to a}{\\mathop{\\lim}}\\,") << "\\toa would be an unknown command";
  EXPECT_EQ(Tex(L"jx(n,wqd,(1+1/n)^n)"), L"\\underset{n\\to  \\infty }{\\mathop{\\lim}}\\,(1+\\frac{1}{n})^n");
  EXPECT_EQ(Tex(L"jf(x^2dx)"), L"\\int{x^2dx}");
  EXPECT_EQ(Tex(L"jf(0,1)"), L"\\int_{0}^{1}");
  EXPECT_EQ(Tex(L"jf(0,1,x^2dx)"), L"\\int_{0}^{1}{x^2dx}");
  EXPECT_EQ(Tex(L"qh(i=1,n,i^2)"), L"\\sum\\limits_{i=1}^{n}{i^2}");
  EXPECT_EQ(Tex(L"jz(1,2|3,4)"), L"\\left(\\begin{matrix}1&2\\\\3&4\\\\\\end{matrix}\\right)");
  EXPECT_EQ(Tex(L"hls(a,b|c,d)"), L"\\left|\\begin{matrix}a&b\\\\c&d\\\\\\end{matrix}\\right|");
  // Each equation is built on its own, commas inside brackets kept.
  EXPECT_EQ(Tex(L"fcz(x^2+y^2=1, y>=1/x)"),
            L"\\left\\{ \\begin{align} x^2+y^2=1 \\\\ y \\ge \\frac{1}{x} \\\\ \\end{align}\\right.");
  EXPECT_EQ(Tex(L"fcz(f(x,y)=0,x=@a)"),
            L"\\left\\{ \\begin{align} f(x,y)=0 \\\\ x= \\alpha  \\\\ \\end{align}\\right.");
  std::wstring deep;
  for (int i = 0; i < 100; ++i) deep += L"fcz(x,";
  deep += L"y" + std::wstring(100, L')');
  EXPECT_THROW(Tex(deep), FormulaStopped);
}

TEST_F(TeXBuild, RootsAndScriptsStandAsKeysUntilRestored) {
  const std::wstring raw = SetTeXEq(L"x^2", settings, notice, pieces);
  ASSERT_EQ(pieces.keys.size(), 1u);
  EXPECT_EQ(raw, L"x" + pieces.keys[0] + L"2");
  EXPECT_EQ(pieces.keys[0].rfind(L"MyRStr", 0), 0u);
  EXPECT_EQ(RestoreTeXPieces(raw, pieces), L"x^2");
  EXPECT_EQ(Tex(L"x^(n+1)"), L"x^{n+1}");
  EXPECT_EQ(Tex(L"a_n+a_(n+1)"), L"a_n+a_{n+1}");
  EXPECT_EQ(Tex(L"a_12"), L"a_{12}") << "a run of digits is one subscript";
  EXPECT_EQ(Tex(L"gh2+gh@a"), L"\\sqrt{2}+\\sqrt{ \\alpha }");
  EXPECT_EQ(Tex(L"sqrt(x+1)"), L"\\sqrt{x+1}");
  EXPECT_EQ(Tex(L"gh(3,x)"), L"\\sqrt [3]{x}");
  EXPECT_EQ(Tex(L"gh(3,f(x,y))"), L"\\sqrt [3]{f(x,y)}");
  EXPECT_EQ(Tex(L"x^gh2"), L"x^{\\sqrt{2}}");
  // Blanks to fill in are no subscripts and are left alone.
  EXPECT_EQ(Tex(L"____"), L"____");
  EXPECT_EQ(Tex(L"x=____, a_ b_."), L"x=____, a_ b_.");
  EXPECT_EQ(Tex(L"x^"), L"x^");
  EXPECT_TRUE(notices.empty());
}

TEST_F(TeXBuild, FractionsTakeWholeOperands) {
  EXPECT_EQ(Tex(L"(a+b)/(c+d)+gh(x)/2+gh(3,y)/4"),
            L"\\frac{a+b}{c+d}+\\frac{\\sqrt{x}}{2}+\\frac{\\sqrt [3]{y}}{4}");
  EXPECT_EQ(Tex(L"[a+b]/2"), L"\\frac{[a+b]}{2}");
  EXPECT_EQ(Tex(L"2/3+12/35"), L"\\frac{2}{3}+\\frac{12}{35}");
  // A script stays with its base on both sides; the key's digits are never an operand.
  EXPECT_EQ(Tex(L"x^2/4+y^2/3=1"), L"\\frac{x^2}{4}+\\frac{y^2}{3}=1");
  EXPECT_EQ(Tex(L"(x+1)^2/(x-1)"), L"\\frac{(x+1)^2}{x-1}");
  EXPECT_EQ(Tex(L"x_1^2/2+1/x^(n)"), L"\\frac{x_1^2}{2}+\\frac{1}{x^{n}}");
  EXPECT_EQ(Tex(L"x^23/4"), L"x^2\\frac{3}{4}");
  EXPECT_EQ(Tex(L"a/b/c"), L"\\frac{\\frac{a}{b}}{c}");
  EXPECT_EQ(Tex(L"1/jf(0,1,x)+qh(1,n,i)/2"),
            L"\\frac{1}{\\int_{0}^{1}{x}}+\\frac{\\sum\\limits_{1}^{n}{i}}{2}");
  EXPECT_EQ(Tex(L"hls(a,b|c,d)/2"),
            L"\\frac{\\left|\\begin{matrix}a&b\\\\c&d\\\\\\end{matrix}\\right|}{2}");
  EXPECT_EQ(Tex(L"1/@p"), L"\\frac{1}{ \\pi }");
  // A keyword ranked after "/" keeps its name with its group on either side.
  EXPECT_EQ(Tex(L"PLA(5,2)/2+1/PLC(5,2)"), L"\\frac{A^{2}_{5}}{2}+\\frac{1}{C^{2}_{5}}");
  EXPECT_EQ(Tex(L"xl(a)/2+f(x)/sin(x)"), L"\\frac{\\vec{a}}{2}+\\frac{f(x)}{sin(x)}");
  EXPECT_EQ(Tex(L"@f(x)/2"), L"\\frac{ \\varphi (x)}{2}");
  settings.blLXNumber = false;
  EXPECT_EQ(Tex(L"12/5"), L"1\\frac{2}{5}");
}

TEST_F(TeXBuild, IndicesMarksGreekAndSymbolWords) {
  settings.blPLZH = false;
  EXPECT_EQ(Tex(L"PLA(5,2)+PLP(n,m)"), L"A^{5}_{2}+P^{n}_{m}");
  settings.blPLZH = true;
  EXPECT_EQ(Tex(L"PLA(5,2)"), L"A^{2}_{5}");
  EXPECT_EQ(Tex(L"PLC(n,m)"), L"C^{m}_{n}");
  EXPECT_EQ(Tex(L"PL(n,m)"), L"^{m}_{n}");
  EXPECT_EQ(Tex(L"hu(AB)+xl(a)+fei(A)"), L"\\widehat {AB}+\\vec{a}+\\overline{A}");
  EXPECT_EQ(Tex(L"xhx(  )"), L"\\underline{\\ \\ }") << "the blank to fill in stays visible";
  EXPECT_EQ(Tex(L"@a+@A"), L" \\alpha + \\Alpha ");
  EXPECT_EQ(Tex(L"@o@O@q@`"), L" o  {\\mathrm O}  \\theta @`");
  EXPECT_EQ(Tex(L"2pi"), L"2 \\pi ");
  EXPECT_EQ(Tex(L"5du"), L"5 ^\\circ ");
  EXPECT_EQ(Tex(L"30du15fen20miao"), L"30 ^\\circ 15\\text'20\\text''");
  EXPECT_EQ(Tex(L"jiaoABC=90du"), L"\\angle ABC=90 ^\\circ ");
  EXPECT_EQ(Tex(L"a>=b<=c<>d+-1-+wqd"), L"a \\ge b \\le c \\ne d \\pm 1 \\mp  \\infty ");
  // "@" + letter is one Greek letter even where a keyword or symbol word follows.
  EXPECT_EQ(Tex(L"@gh2+@du"), L" \\gamma h2+ \\delta u");
}

TEST_F(TeXBuild, WorksheetFormulasComeOutBalancedWithEveryKeyRestored) {
  for (const wchar_t* f :
       {L"yuan(-1,2,gh3)", L"ty(a^2,b^2)", L"sqx(-9,16)", L"x^2+2x+1", L"(x+1)/(x-1)", L"gh(3,x+1)/2",
        L"jf(0,1,x^2dx)=1/3", L"jx(x,0,sinx/x)=1", L"a_(n+1)=2a_n+1", L"PLC(5,2)+PLA(5,2)/2", L"hls(a,b|c,d)",
        L"fcz(x+y=1,x-y=3)", L"sin^2@a+cos^2@a=1", L"qh(i=1,n,i^2)/n", L"xl(AB)+xl(BC)", L"12/5+gh2",
        L"1/(1+1/(1+1/x))", L"x_1^2/x_2^2", L"2^(x^2/2)/gh(2@p)"}) {
    const std::wstring tex = Tex(f);
    EXPECT_TRUE(IsBracketBalanced(tex)) << tex;
    EXPECT_EQ(tex.find(L"MyRStr"), std::wstring::npos) << tex;
    EXPECT_TRUE(std::none_of(tex.begin(), tex.end(), [](wchar_t c) { return c >= 0xE000 && c < 0xF800; })) << tex;
  }
  EXPECT_EQ(Tex(L"1/(1+1/(1+1/x))"), L"\\frac{1}{1+\\frac{1}{1+\\frac{1}{x}}}");
  EXPECT_EQ(Tex(L"2^(x^2/2)/gh(2@p)"), L"\\frac{2^{\\frac{x^2}{2}}}{\\sqrt{2 \\pi }}");
}

TEST(TeXPieceList, KeysAreReusedAndRestoredLongestFirst) {
  TeXPieces p;
  EXPECT_EQ(p.Add(L"^"), L"MyRStr1");
  EXPECT_EQ(p.Add(L"_"), L"MyRStr2");
  EXPECT_EQ(p.Add(L"^"), L"MyRStr1");
  for (int i = 3; i <= 10; ++i) p.Add(L"piece" + std::to_wstring(i));
  EXPECT_EQ(p.keys.back(), L"MyRStr10");
  EXPECT_EQ(RestoreTeXPieces(L"MyRStr10|MyRStr1|MyRStr2", p), L"piece10|^|_");
  p.Clear();
  EXPECT_TRUE(p.keys.empty() && p.pieces.empty());
  EXPECT_EQ(RestoreTeXPieces(L"MyRStr1", p), L"MyRStr1");
}

TEST(TeXToAsc, ReadsTeXBackIntoTheFormulaText) {
  FormulaNotice quiet = [](const std::wstring&) {};
  EXPECT_EQ(TeX2Asc(L"\\frac{a}{b}", quiet), L"(a)/(b)");
  EXPECT_EQ(TeX2Asc(L"\\sqrt{x}", quiet), L"gh(x)");
  EXPECT_EQ(TeX2Asc(L"\\sqrt[3]{x}+\\sqrt [n]{y}", quiet), L"gh(3,x)+gh(n,y)");
  EXPECT_EQ(TeX2Asc(L"x^{2}+a_{n}", quiet), L"x^(2)+a_(n)");
  EXPECT_EQ(TeX2Asc(L"\\left( x \\right)", quiet), L"( x )");
  EXPECT_EQ(TeX2Asc(L"\\frac{\\sqrt{x}}{x^{2}}", quiet), L"(gh(x))/(x^(2))");
  EXPECT_EQ(TeX2Asc(L"\\frac12", quiet), L"(1)/(2)");
  EXPECT_EQ(TeX2Asc(L"\\left. x \\right|", quiet), L" x |");
  EXPECT_EQ(TeX2Asc(L"x\\rightarrow 0", quiet), L"x\\rightarrow 0") << "only the whole word \\right goes";
  // Malformed TeX ends and keeps its text.
  EXPECT_EQ(TeX2Asc(L"\\frac{a}", quiet), L"\\frac{a}");
  EXPECT_EQ(TeX2Asc(L"\\frac", quiet), L"\\frac");
  EXPECT_EQ(TeX2Asc(L"\\sqrt[3]", quiet), L"\\sqrt[3]");
  EXPECT_EQ(TeX2Asc(L"x^{2+\\frac{1}{", quiet), L"x^{2+\\frac{1}{");
  EXPECT_EQ(TeX2Asc(L"\\frac{\\frac{a}{b}", quiet), L"\\frac{(a)/(b)");
}

TEST(TeXToAsc, ChangeTeXSymbol) {
  EXPECT_EQ(ChangeTeXSymbol(L"x>=1,y<=2,a<>b,+-1,-+1"), L"x\\ge 1,y\\le 2,a\\ne b,\\pm 1,\\mp 1");
  EXPECT_EQ(ChangeTeXSymbol(L"wqd,30du,5fen,6miao,jiaoA"), L"\\infty ,30^\\circ ,5\\text',6\\text'',\\angle A");
  EXPECT_EQ(ChangeTeXSymbol(L"α+Φ+φ+ο+ω"), L"\\alpha +\\varphi +\\phi + o +\\omega ");
  EXPECT_EQ(ChangeTeXSymbol(L"f(x)∈[0,1]"), L"f\\left( x \\right)∈\\left[ 0,1 \\right]");
}

}  // namespace
}  // namespace plx
