#include "formula/eq_builder.hpp"

#include <gtest/gtest.h>

#include "formula/brackets.hpp"
#include "formula/rewrite_engine.hpp"

namespace plx {
namespace {

struct EqBuild : ::testing::Test {
  FormulaSettings settings;
  std::vector<std::wstring> notices;
  FormulaNotice notice = [this](const std::wstring& m) { notices.push_back(m); };
  std::wstring Eq(const std::wstring& text) { return SetEQ(text, settings, notice); }
};

TEST_F(EqBuild, ConicsAndCircles) {
  settings.blChangeKH = false;
  EXPECT_EQ(Eq(L"yuan(3)"), L"x\\S(2)+y\\S(2)=9");
  EXPECT_EQ(Eq(L"yuan(r)"), L"x\\S(2)+y\\S(2)=r\\S(2)");
  EXPECT_EQ(Eq(L"yuan(0.5)"), L"x\\S(2)+y\\S(2)=0.25");
  EXPECT_EQ(Eq(L"yuan(-1,2,2)"), L"(x+1)\\s\\up3(2)+(y-2)\\s\\up3(2)＝4");
  EXPECT_EQ(Eq(L"yuan(0,0,r)"), L"x\\S(2)+y\\S(2)=r\\S(2)");
  EXPECT_EQ(Eq(L"yuan(1,0,a+b)"), L"(x-1)\\s\\up3(2)+y\\S(2)=(a+b)\\s\\up3(2)")
      << "a radius of more than one symbol is squared in brackets";
  EXPECT_EQ(Eq(L"yuan(a,-b,1)"), L"(x-a)\\s\\up3(2)+(y+b)\\s\\up3(2)＝1");
  EXPECT_EQ(Eq(L"ty(4,3)"), L"\\F(x\\S(2),4)+\\F(y\\S(2),3)＝1");
  EXPECT_EQ(Eq(L"ty(,3)"), L"x\\S(2)+\\F(y\\S(2),3)＝1");
  EXPECT_EQ(Eq(L"ty(4,)"), L"\\F(x\\S(2),4)+y\\S(2)=1");
  EXPECT_EQ(Eq(L"sqx(4,5)"), L"\\F(x\\S(2),4)-\\F(y\\S(2),5)＝1");
  EXPECT_EQ(Eq(L"sqx(-4,5)"), L"\\F(y\\S(2),5)-\\F(x\\S(2),4)＝1");
  EXPECT_EQ(Eq(L"sqx(-,5)"), L"\\F(y\\S(2),5)-x\\S(2)＝1");
  EXPECT_EQ(Eq(L"sqx(-4,)"), L"y\\S(2)-\\F(x\\S(2),4)＝1");
  EXPECT_EQ(Eq(L"sqx(,5)"), L"x\\S(2)-\\F(y\\S(2),5)＝1");
}

TEST_F(EqBuild, CalculusAndArrays) {
  settings.blChangeKH = false;
  settings.blSymbolReplace = false;
  EXPECT_EQ(Eq(L"jx(x,0)"), L"\\o\\ac(lim,\\S\\DO7(x→0))");
  EXPECT_EQ(Eq(L"jx(x,0,(sinx)/x)=1"), L"\\o\\ac(lim,\\S\\DO7(x→0))\\F(sinx,x)=1") << "the function stays";
  EXPECT_EQ(Eq(L"jf(x)"), L"\\b\\lc\\∫(x)");
  EXPECT_EQ(Eq(L"jf(0,1)"), L"\\b\\lc\\∫(\\a(\\S\\UP2(1),\\S\\DO2(0)))");
  EXPECT_EQ(Eq(L"jf(0,1,x^2dx)"), L"\\b\\lc\\∫(\\a(\\S\\UP2(1),\\S\\DO2(0))x\\S(2)dx)");
  EXPECT_EQ(Eq(L"qh(i=1,n,a_i)"), L"\\i\\su(\\S(i=1),\\S(n),a\\S\\DO(i))");
  EXPECT_EQ(Eq(L"jz(1,2,3,4)"), L"\\b(\\a\\co2\\vs2\\hs4(1,2,3,4))");
  EXPECT_EQ(Eq(L"jz(1,2,3)"), L"\\b(\\a(1,2,3))");
  EXPECT_EQ(Eq(L"hls(a,b|c,d)"), L"\\b\\bc\\|(\\a\\co2\\vs2\\hs4(a,b,c,d))");
  EXPECT_EQ(Eq(L"fcz(x+y=1,x-y=3)"), L"\\B\\lc\\{(\\a\\al(x+y=1,x-y=3))");
  EXPECT_EQ(Eq(L"fcz(f(x,y)=0,x=1)"), L"\\B\\lc\\{(\\a\\al(f(x,y)=0,x=1))");
  EXPECT_EQ(Eq(L"fcz(x=1)"), L"fcz(x=1)");  // one equation: left as typed
}

TEST_F(EqBuild, RootsScriptsAndFractions) {
  settings.blChangeKH = false;
  EXPECT_EQ(Eq(L"gh2"), L"\\R(,2)");
  EXPECT_EQ(Eq(L"gh@a"), L"\\R(,α)");
  EXPECT_EQ(Eq(L"sqrt(x+1)"), L"\\R(,x+1)");
  EXPECT_EQ(Eq(L"gh(3,x)"), L"\\R(\\S\\DO(3),x)");
  EXPECT_EQ(Eq(L"gh(3,f(x))"), L"\\R(3,f(x))");
  EXPECT_EQ(Eq(L"x^12"), L"x\\S(1)2");
  EXPECT_EQ(Eq(L"x_12"), L"x\\S\\DO(12)");
  EXPECT_EQ(Eq(L"x_1+y_12"), L"x\\S\\DO(1)+y\\S\\DO(12)");
  EXPECT_EQ(Eq(L"2/3+12/35"), L"\\F(2,3)+\\F(12,35)");
  EXPECT_EQ(Eq(L"jx(x,g(a,b))"), L"\\o\\ac(lim,\\S\\DO7(x→g(a,b)))");
  EXPECT_EQ(Eq(L"x^(n+1)"), L"x\\S\\UP6(n+1)");
  EXPECT_EQ(Eq(L"x^(1/2)"), L"x\\S\\UP8(\\F(1,2))");
  EXPECT_EQ(Eq(L"a_(n+1)"), L"a\\S\\DO(n+1)");
  EXPECT_EQ(Eq(L"(a+b)/(c+d)"), L"\\F(a+b,c+d)");
  EXPECT_EQ(Eq(L"[a+b]/2"), L"\\F([a+b],2)");
  EXPECT_EQ(Eq(L"12/5"), L"\\F(12,5)");
  settings.blLXNumber = false;
  EXPECT_EQ(Eq(L"12/5"), L"1\\F(2,5)");
  EXPECT_EQ(Eq(L"(@p)/2"), L"\\F(π,2)");
  EXPECT_EQ(Eq(L"1/@p"), L"\\F(1,π)");
  // Table order, not text order: the root is built before the power and the fraction.
  EXPECT_EQ(Eq(L"x^2+gh(x)/2"), L"x\\S(2)+\\F(\\R(,x),2)");
  // A name with its group, or a construct built earlier, is one operand.
  EXPECT_EQ(Eq(L"f(x)/2"), L"\\F(f(x),2)");
  EXPECT_EQ(Eq(L"1/sin(x)+1/x(x+1)"), L"\\F(1,sin(x))+\\F(1,x)(x+1)");
  settings.blPLZH = false;
  EXPECT_EQ(Eq(L"PLC(5,2)=PLA(5,2)/PLA(2,2)"),
            L"C\\o\\al(\\S\\UP5(5),\\S\\DO3(2))=\\F(A\\o\\al(\\S\\UP5(5),\\S\\DO3(2)),A\\o\\al(\\S\\UP5(2),\\S\\DO3(2)))");
  settings.blPLZH = true;
  EXPECT_EQ(Eq(L"2/gh(x)+1"), L"\\F(2,\\R(,x))+1");
  EXPECT_EQ(Eq(L"1/(a+b)^2"), L"\\F(1,(a+b)\\s\\up3(2))");
  EXPECT_EQ(Eq(L"a_(n)/a_(n+1)"), L"\\F(a\\S\\DO(n),a\\S\\DO(n+1))");
  // A base with a subscript and a power is one numerator, scripts and all.
  EXPECT_EQ(Eq(L"x_1^2/a^2+y_1^2/b^2=1"),
            L"\\F(x\\S\\DO(1)\\s\\up3(2),a\\S(2))+\\F(y\\S\\DO(1)\\s\\up3(2),b\\S(2))=1");
  EXPECT_EQ(Eq(L"gh(x)^2/3"), L"\\F(\\R(,x)\\s\\up3(2),3)");
}

TEST_F(EqBuild, MarksAndStackedIndices) {
  settings.blPLZH = false;
  EXPECT_EQ(Eq(L"PLC(5,2)"), L"C\\o\\al(\\S\\UP5(5),\\S\\DO3(2))");
  settings.blPLZH = true;
  EXPECT_EQ(Eq(L"PLC(5,2)"), L"C\\o\\al(\\S\\UP5(2),\\S\\DO3(5))");
  EXPECT_EQ(Eq(L"PLA(5,2)"), L"A\\o\\al(\\S\\UP5(2),\\S\\DO3(5))");
  EXPECT_EQ(Eq(L"PL(n,m)"), L"\\o\\al(\\S\\UP5(m),\\S\\DO3(n))");
  EXPECT_EQ(Eq(L"hu(AB)"), L"\\o\\ac(\\S\\UP7(⌒),AB)");
  EXPECT_EQ(Eq(L"xl(a)"), L"\\o\\ac(\\S\\UP7(→),a)");
  EXPECT_EQ(Eq(L"fei(A)"), L"\\x\\to(A)");
  EXPECT_EQ(Eq(L"xhx( A )"), L"\\x\\bo( A )");
  EXPECT_EQ(Eq(L"@a+@b=pi"), L"α+β=π");
  EXPECT_EQ(Eq(L"x>=1"), L"x≥1");
}

TEST_F(EqBuild, FinishingSteps) {
  EXPECT_EQ(LiftSuperscripts(L"(x+1)\\S(2)"), L"(x+1)\\s\\up3(2)");
  EXPECT_EQ(LiftSuperscripts(L"(\\F(1,2))\\S(2)"), L"(\\F(1,2))\\s\\up12(2)");
  EXPECT_EQ(StretchBrackets(L"(\\F(1,2)+1)"), L"\\b\\bc\\((\\l(\\F(1,2)+1))");
  EXPECT_EQ(StretchBrackets(L"[x+\\R(,2)]"), L"[x+\\R(,2)]");  // a radical is not tall
  EXPECT_EQ(StretchBrackets(L"(a+b)\\F(1,2)"), L"(a+b)\\F(1,2)");  // a switch's own list stays
  EXPECT_EQ(Eq(L"(1/2+x)^2"), L"\\b\\bc\\((\\l(\\F(1,2)+x))\\s\\up12(2)");
  EXPECT_EQ(ReplaceSymbols(L"a>=b<>c", L">=,≥|<>,≠|broken"), L"a≥b≠c");
}

TEST_F(EqBuild, TextsThatAreNoFormulaEndUnchanged) {
  EXPECT_EQ(Eq(L"________"), L"________");
  EXPECT_EQ(Eq(L"f("), L"f(");
  EXPECT_EQ(Eq(L"x=____"), L"x=____");
  EXPECT_EQ(Eq(L"a_ b_."), L"a_ b_.");
  EXPECT_EQ(Eq(L"2x+____=5"), L"2x+____=5") << "no underscore of a blank is a subscript";
  EXPECT_EQ(Eq(L"mgh/2"), L"mg\\F(h,2)") << "gh before a sign is no root";
  EXPECT_EQ(Eq(L"x^"), L"x^");
  EXPECT_EQ(Eq(L"2gh"), L"2gh");
  EXPECT_EQ(Eq(L"/"), L"\\F(,)");
  EXPECT_EQ(Eq(L"a/"), L"\\F(a,)");
  EXPECT_EQ(Eq(L"/b"), L"\\F(,b)");
  EXPECT_EQ(Eq(L"yuan(3"), L"x\\S(2)+y\\S(2)=\\S(2)(3");
  EXPECT_TRUE(notices.empty());
  // Nested sums deeper than the builder allows are refused, not overflowed.
  std::wstring deep;
  for (int i = 0; i < 200; ++i) deep += L"qh(1,2,";
  deep += L"x" + std::wstring(200, L')');
  EXPECT_THROW(Eq(deep), FormulaStopped);
}

TEST(Brackets, GroupsOperandsAndBalance) {
  FormulaNotice quiet = [](const std::wstring&) {};
  EXPECT_TRUE(IsBracketBalanced(L"\\{(a)"));
  EXPECT_TRUE(IsBracketBalanced(L")("));
  EXPECT_FALSE(IsBracketBalanced(L"(a]"));
  EXPECT_EQ(GetBracketGroup(L"f(a(b)c)d", 1, quiet), L"(a(b)c)");
  EXPECT_EQ(GetBracketGroup(L"f(a(b)c)d", 7, quiet), L"(a(b)c)");
  EXPECT_EQ(GetBracketGroup(L"(a\\)b)", 0, quiet), L"(a\\)b)");
  EXPECT_EQ(GetBracketGroup(L"[a(b]c)]", 0, quiet), L"");  // never balanced
  EXPECT_EQ(GetBracketGroup(L"(ab", 0, quiet), L"");
  std::wstring said;
  EXPECT_EQ(GetBracketGroup(L"ab", 0, [&](const std::wstring& m) { said = m; }), L"");
  EXPECT_EQ(said, L"您提供的字符串开始字符不是括号的一部分");
  EXPECT_EQ(strGetFZ(L"x+12/5", 4, true, quiet), L"12");
  EXPECT_EQ(strGetFZ(L"x+12/5", 4, false, quiet), L"2");
  EXPECT_EQ(strGetFZ(L"3@p/2", 3, true, quiet), L"@p");
  EXPECT_EQ(strGetFM(L"1/[a+b]c", 1, true, quiet), L"[a+b]");
  EXPECT_EQ(ReplacePi(L"2pi+PI/Pi-pI"), L"2@p+@p/@p-@p");
}

}  // namespace
}  // namespace plx
