#include "formula/omath_builder.hpp"

#include <gtest/gtest.h>

namespace plx {
namespace {

struct OMathBuild : ::testing::Test {
  FormulaSettings settings;
  std::vector<std::wstring> notices;
  FormulaNotice notice = [this](const std::wstring& m) { notices.push_back(m); };
  std::wstring Linear(const std::wstring& text) { return SetOMathEq(text, settings, notice); }
};

TEST_F(OMathBuild, ConicsAndCircles) {
  EXPECT_EQ(Linear(L"yuan(3)"), L"x^2+y^2=9");
  EXPECT_EQ(Linear(L"yuan(r)"), L"x^2+y^2=r^2");
  EXPECT_EQ(Linear(L"yuan(-1,2,2)"), L"(x+1)^2+(y-2)^2＝4");
  EXPECT_EQ(Linear(L"yuan(1,0,r)"), L"(x-1)^2+y^2=r^2");
  EXPECT_EQ(Linear(L"yuan(0,-b,a+b)"), L"x^2+(y+b)^2＝(a+b)^2") << "the whole radius is squared";
  EXPECT_EQ(Linear(L"ty(4,3)"), L"(x^2)/(4)+(y^2)/(3)＝1");
  EXPECT_EQ(Linear(L"ty(,a+1)"), L"x^2+(y^2)/(a+1)＝1");
  EXPECT_EQ(Linear(L"ty(4,)"), L"(x^2)/(4)+y^2=1");
  EXPECT_EQ(Linear(L"sqx(4,5)"), L"(x^2)/(4)-(y^2)/(5)＝1");
  EXPECT_EQ(Linear(L"sqx(4,)"), L"(x^2)/(4)-y^2＝1");
  EXPECT_EQ(Linear(L"sqx(,5)"), L"x^2-(y^2)/(5)＝1");
  EXPECT_EQ(Linear(L"sqx(-4,5)"), L"(y^2)/(5)-(x^2)/(4)＝1");
  EXPECT_EQ(Linear(L"sqx(-,5)"), L"(y^2)/(5)-x^2＝1");
  EXPECT_EQ(Linear(L"sqx(-4,)"), L"y^2-(x^2)/(4)＝1");
}

TEST_F(OMathBuild, CalculusArraysAndSystems) {
  EXPECT_EQ(Linear(L"jx(x,0)"), L"lim┬(x→0)");
  // What follows a limit is its function: the fraction is built after it.
  EXPECT_EQ(Linear(L"jx(x,0)(sinx)/x=jx(x,0)=1"), L"lim┬(x→0)\u2061(sinx)/x=lim┬(x→0)=1");
  EXPECT_EQ(Linear(L"jx(x,0,sinx/x)"), L"lim┬(x→0)\u2061〖sinx/x〗");
  EXPECT_EQ(Linear(L"jx(x,g(a,b),f(x))"), L"lim┬(x→g(a,b))\u2061〖f(x)〗");
  EXPECT_EQ(Linear(L"jx()"), L"lim┬(n→∞)\u2061〖(1+1/n)^n 〗");
  EXPECT_EQ(Linear(L"jx(n)"), L"lim┬(n)") << "the typed argument is kept";
  EXPECT_EQ(Linear(L"jf(x^2dx)"), L"∫x^2dx");
  EXPECT_EQ(Linear(L"jf(0,1)"), L"∫_0^1");
  EXPECT_EQ(Linear(L"jf(-1,a+1,x^2dx)"), L"∫_-1^(a+1)▒〖x^2dx〗");
  EXPECT_EQ(Linear(L"qh(i=1,n,i^2)"), L"(∑┬(i=1))┴(n) i^2");
  EXPECT_EQ(Linear(L"jz(1,2|3,4)"), L"(■(1&2@3&4))");
  EXPECT_EQ(Linear(L"hls(a,b|c,d)"), L"|■(a&b@c&d)|");
  EXPECT_EQ(Linear(L"fcz(x+y=1, x-y=3)"), L"{█(&x+y=1@&x-y=3)┤");
  EXPECT_EQ(Linear(L"fcz(f(x,y)=0,y=gh(x))"), L"{█(&f(x,y)=0@&y=√(x))┤");
}

TEST_F(OMathBuild, RootsScriptsAndFractions) {
  EXPECT_EQ(Linear(L"gh2+gh@a+sqrt(x+1)"), L"√(2)+√(α)+√(x+1)");
  EXPECT_EQ(Linear(L"gh(3,x)"), L"√(3&x)");
  EXPECT_EQ(Linear(L"gh(3,f(x,y))"), L"√(3&f(x,y))");
  // Scripts and fractions are the linear format's own.
  EXPECT_EQ(Linear(L"a_12/x^(n+1)"), L"a_12/x^(n+1)");
  EXPECT_EQ(Linear(L"(a+b)/(c+d)+gh(x)/2+gh(3,y)/4"), L"(a+b)/(c+d)+√(x)/2+√(3&y)/4");
  EXPECT_EQ(Linear(L"____"), L"____");
  EXPECT_TRUE(notices.empty());
}

TEST_F(OMathBuild, IndicesMarksAndSymbols) {
  settings.blPLZH = false;
  EXPECT_EQ(Linear(L"PLA(5,2)+PLP(n,m)"), L"A_(2)^(5)+P_(m)^(n)");
  settings.blPLZH = true;
  EXPECT_EQ(Linear(L"PLC(5,2)"), L"C_(5)^(2)");
  EXPECT_EQ(Linear(L"PL(n,m)"), L"〖〗_(n)^(m)");
  EXPECT_EQ(Linear(L"hu(AB)"), L"(AB)\u23DC");
  EXPECT_EQ(Linear(L"xl(a)"), L"(a)\u20D7");
  EXPECT_EQ(Linear(L"fei(AB)"), L"¯(AB)");
  EXPECT_EQ(Linear(L"xhx(  )"), L"▁(  )");
  EXPECT_EQ(Linear(L"@a+@b=pi"), L"α+β=π");
  EXPECT_EQ(Linear(L"x>=1"), L"x≥1");
  settings.blSymbolReplace = false;
  EXPECT_EQ(Linear(L"x>=1"), L"x>=1");
}

}  // namespace
}  // namespace plx
