// Curves of typed expressions, drawn through the insertion run.
#include <gtest/gtest.h>

#include "graph/curves/expression_curves.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/frame/insertion.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::graph {
namespace {

class ExpressionCurvesTest : public test::DocumentAddinTest {
 protected:
  void SetUp() override {
    DocumentAddinTest::SetUp();
    random = ScriptedRandom({0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8});
  }
  GraphContext g;
};

TEST_F(ExpressionCurvesTest, IntervalsStopWhereTheFunctionIsUndefinedOrLeavesTheFrame) {
  g.frame = {-5, 5, -5, 5};
  auto pieces = FindIntervals(g, NormaliseExpression(L"1/x"), -5, 5);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_NEAR(pieces[0].lower, -4.99, 1e-9);
  EXPECT_NEAR(pieces[0].upper, -0.2, 1e-9);
  EXPECT_NEAR(pieces[1].lower, 0.2, 1e-9);
  EXPECT_NEAR(pieces[1].upper, 5, 1e-9);
  pieces = FindIntervals(g, NormaliseExpression(L"sqr(x)"), -5, 5);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_NEAR(pieces[0].lower, 0.005, 0.006) << "from about 0 at the 0.01 grid";
  // x^2 at negative x is the square, not its negative.
  pieces = FindIntervals(g, NormaliseExpression(L"x^2"), -5, 5);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_NEAR(pieces[0].lower, -2.23, 1e-9);
  EXPECT_TRUE(FindIntervals(g, NormaliseExpression(L"log(0-1)"), -5, 5).empty());
}

TEST_F(ExpressionCurvesTest, ParameterAndPolarForms) {
  EXPECT_EQ(ReplaceParameter(L"sin(t)+tan(t)*cot(t)-int(t)+det(t)"), L"sin(x)+tan(x)*cot(x)-int(x)+det(x)");
  // Function names keep their letters; the products with t are written after the substitution.
  EXPECT_EQ(ReplaceParameter(L"atn(t)+sqrt(t)"), L"atn(x)+sqrt(x)");
  EXPECT_EQ(NormaliseExpression(ReplaceParameter(L"tcos(t)")), L"x*cos(x)");
  EXPECT_EQ(NormaliseExpression(ReplaceParameter(L"sin2t+sint")), L"sin(2*x)+sin(x)");
  ParamRecord polar = PolarAsParametric(L"2t", 0, 6.28, {});
  EXPECT_EQ(polar.xExpression, L"(2*x)*cos(x)");
  EXPECT_EQ(polar.yExpression, L"(2*x)*sin(x)");
  Extent e;
  std::wstring failure;
  ASSERT_TRUE(ParametricExtent(polar, e, failure));
  EXPECT_NEAR(e.xmax, 12.56, 0.05) << "the spiral reaches r = 12.56 at t = 6.28";
  ParamRecord broken{L"abc", L"x", 0, 1, {}};
  EXPECT_FALSE(ParametricExtent(broken, e, failure));
  EXPECT_FALSE(failure.empty());
}

TEST_F(ExpressionCurvesTest, TeachersWayOfTypingAFunction) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"y=x^2", L"x^2"},           {L"sin x", L"sin(x)"},      {L"x²", L"x^2"},
      {L"ｘ＾２", L"x^2"},          {L"|x|", L"abs(x)"},        {L"2|x-1|+|x|", L"2*abs(x-1)+abs(x)"},
      {L"1e3", L"(1*10^(3))"},      {L"f(x) = 3x", L"3*x"},     {L"2x·π", L"2*x*3.14159"},
  };
  for (const auto& [typed, expected] : cases) EXPECT_EQ(NormaliseExpression(typed), expected);
  g.frame = {-5, 5, -5, 5};
  std::wstring failure;
  EXPECT_EQ(FindIntervals(g, NormaliseExpression(L"1e3*x/1000"), -5, 5, &failure).size(), 1u) << "1e3 is a number";
  EXPECT_TRUE(FindIntervals(g, NormaliseExpression(L"2x+"), -5, 5, &failure).empty());
  EXPECT_FALSE(failure.empty()) << "the evaluator says why";
  EXPECT_TRUE(FindIntervals(g, NormaliseExpression(L"x+100"), -5, 5, &failure).empty());
  EXPECT_TRUE(failure.empty()) << "values, only none inside the frame";
}

TEST_F(ExpressionCurvesTest, TheInsertionRunDrawsEachPieceAndTheParametricCurve) {
  g.frame = {-5, 5, -5, 5};
  AnyRecord inverse;
  inverse.expression = NormaliseExpression(L"1/x");
  inverse.intervals = FindIntervals(g, inverse.expression, -5, 5);
  g.anyTable.push_back(inverse);
  g.paramTable.push_back({L"3*cos(x)", L"3*sin(x)", 0, 6.28318, {0, 1, 0x0000FF}});
  g.List1 = {L"任意函数(ANY) 1", L"参数方程(Param) 1", L"任意函数(ANY) 7"};
  doc->GetRange(0, 0)->Select();
  InsertGraphs(*ctx, g);
  auto group = doc->GetShapes()->Item(1);
  ASSERT_EQ(group->Type(), docif::kShapeGroup);
  auto items = group->GroupItems();
  ASSERT_EQ(items->Count(), 3) << "two pieces of 1/x and the circle; figure 7 does not exist";
  EXPECT_TRUE(items->Item(1)->Name().starts_with(L"任意函数："));
  EXPECT_TRUE(items->Item(3)->Name().starts_with(L"参数方程："));
  // The circle closes on itself: its first and last points coincide.
  auto circle = items->Item(3)->Points();
  EXPECT_NEAR(circle.front().x, circle.back().x, 0.05);
  EXPECT_NEAR(circle.front().y, circle.back().y, 0.05);
  EXPECT_EQ(items->Item(3)->Line().ForeColor, 0x0000FFu);
}

}  // namespace
}  // namespace plx::graph
