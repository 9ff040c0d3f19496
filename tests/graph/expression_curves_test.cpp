// Curves of typed expressions, drawn through the insertion run.
#include <gtest/gtest.h>

#include "graph/curves/expression_curves.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/frame/insertion.hpp"
#include "support/test_addin.hpp"

namespace plx::graph {
namespace {

class ExpressionCurvesTest : public test::AddinTest {
 protected:
  void SetUp() override {
    host = MakeHost();
    doc = host->GetDocuments()->Add();
    ctx->App = host;
    random = ScriptedRandom({0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8});
  }
  std::shared_ptr<docif::model::ModelApplication> host;
  std::shared_ptr<docif::Document> doc;
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
  EXPECT_EQ(ReplaceParameter(L"sin(t)+tan(t)*cot(t)-int(t)+det(t)+sint"), L"sin(x)+tan(x)*cot(x)-int(x)+det(x)+sint");
  ParamRecord polar = PolarAsParametric(L"2*t", 0, 6.28, {});
  EXPECT_EQ(polar.xExpression, L"(2*x)*cos(x)");
  EXPECT_EQ(polar.yExpression, L"(2*x)*sin(x)");
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
