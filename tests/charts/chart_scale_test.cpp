// Reading chart data and choosing the scale of the axes.
#include <gtest/gtest.h>

#include <limits>

#include "charts/chart_data.hpp"
#include "charts/statistic_chart.hpp"
#include "common/text.hpp"

namespace plx::charts {
namespace {

TEST(ChartData, SeparatorsTrailingCommaAndFullWidthReadTheSame) {
  const std::vector<float> expected{3, 5, 2};
  for (const wchar_t* typed : {L"3,5,2,", L"3:5:2", L" ３，５：２ ", L"3、5、2", L"3；5；2、", L"3;5,2"})
    EXPECT_EQ(ReadChartData(typed).values, expected) << WideToUtf8(typed);
  EXPECT_EQ(ReadChartData(L"\u22123,4").values, (std::vector<float>{-3, 4})) << "a minus sign copied from a paper";
  EXPECT_TRUE(ReadChartData(L"   ").values.empty());
  EXPECT_EQ(SingleText(0.1f), L"0.1");
  EXPECT_EQ(ReadChartData(L"1e60,-1e60").values, (std::vector<float>{std::numeric_limits<float>::max(),
                                                                     -std::numeric_limits<float>::max()}))
      << "beyond single precision, not undefined";
}

TEST(ChartData, ItemsThatAreNoNumbersAreNamed) {
  for (const auto& [typed, item] : {std::pair{L"1.5,abc", L"abc"}, std::pair{L"3 5 2", L"3 5 2"},
                                    std::pair{L"3、五、2", L"五"}}) {
    const ChartData d = ReadChartData(typed);
    EXPECT_TRUE(d.values.empty()) << WideToUtf8(typed);
    EXPECT_TRUE(Contains(d.problem, std::wstring(L"“") + item + L"”不是数")) << WideToUtf8(d.problem);
  }
}

TEST(ChartScale, AutomaticLineChartYCanAlwaysBeDrawn) {
  // Decimal data: the smallest gap (0.2, 0.8) does not divide the range, so
  // the step narrows in tenths.
  AxisValues a = LineChartAutoY({36.5f, 37.2f, 36.8f, 37.0f}, false);
  EXPECT_FLOAT_EQ(a.s, 36.5f);
  EXPECT_FLOAT_EQ(a.e, 37.2f);
  EXPECT_FLOAT_EQ(a.d, 0.1f);
  EXPECT_FALSE(ScaleProblem(a, L"y"));
  a = LineChartAutoY({1.5f, 2.3f, 3.7f}, false);
  EXPECT_FLOAT_EQ(a.d, 0.2f);
  EXPECT_FALSE(ScaleProblem(a, L"y"));
  // Too many steps of the smallest gap: round steps.
  a = LineChartAutoY({1, 2, 1000}, false);
  EXPECT_FALSE(ScaleProblem(a, L"y"));
  EXPECT_FLOAT_EQ(a.d, 100);
  a = LineChartAutoY({0.001f, 0.0015f, 123456.7f}, true);
  EXPECT_FALSE(ScaleProblem(a, L"y"));
  EXPECT_LE(a.s, 0.001f);
  EXPECT_GE(a.e, 123456.7f);
}

TEST(ChartScale, AutomaticLineChartYFollowsTheSmallestGap) {
  AxisValues a = LineChartAutoY({2, 4, 4, 10}, false);
  EXPECT_FLOAT_EQ(a.s, 2);
  EXPECT_FLOAT_EQ(a.e, 10);
  EXPECT_FLOAT_EQ(a.d, 2);
  EXPECT_EQ(MakeAxis(a, 6).slots, 6) << "4 steps and 2 for an axis not starting at 0";

  a = LineChartAutoY({0, 3, 7}, true);
  EXPECT_FLOAT_EQ(a.s, 1) << "a broken axis over 0 starts at 1";
  EXPECT_FLOAT_EQ(a.d, 3);

  a = LineChartAutoY({1, 1.5f, 2}, false);
  EXPECT_FLOAT_EQ(a.d, 0.5f) << "a fractional gap is used unchanged";

  a = LineChartAutoY({3, 8}, false);
  EXPECT_FLOAT_EQ(a.d, 5);
  a = LineChartAutoY({3, 7, 10}, false);
  EXPECT_FLOAT_EQ(a.d, 1) << "3 does not divide 7, so the step drops to 1";
  a = LineChartAutoY({4, 4}, false);
  EXPECT_FALSE(ScaleProblem(a, L"y")) << "equal values still give a scale";
}

TEST(ChartScale, BrokenAutomaticXGivesTheLastPointItsTick) {
  const AxisValues x = LineChartAutoX(5, true);
  EXPECT_FLOAT_EQ(x.s, 1);
  EXPECT_FLOAT_EQ(x.e, 5);
  const Axis axis = MakeAxis(x, 8);
  EXPECT_LT(axis.Offset(5), axis.length) << "the fifth point lies before the arrow";
  EXPECT_FLOAT_EQ(LineChartAutoX(5, false).e, 4);
}

TEST(ChartScale, ScalesThatCannotBeDrawnAreRefusedWithTheirMessage) {
  EXPECT_EQ(ScaleProblem({0, 5, 2}, L"x").value_or(L""), L"“（终值-初值）/跨度”应为整数，请检查x轴数据设置");
  EXPECT_EQ(ScaleProblem({0, 1, 0.3f}, L"y").value_or(L""), L"“（终值-初值）/跨度”应为整数，请检查y轴数据设置");
  EXPECT_FALSE(ScaleProblem({0, 1, 0.1f}, L"x")) << "ten steps of 0.1 in single precision";
  EXPECT_TRUE(ScaleProblem({0, 5, 0}, L"x")) << "a zero step divides by zero";
  EXPECT_TRUE(ScaleProblem({5, 0, 1}, L"x"));
  EXPECT_TRUE(ScaleProblem({0, 100000, 1}, L"x")) << "too many ticks to read";
}

TEST(ChartScale, BarKindsStandOnZeroWithARoundStep) {
  AxisValues y = BarAutoY({3, 5, 2, 6, 4});
  EXPECT_FLOAT_EQ(y.s, 0);
  EXPECT_FLOAT_EQ(y.d, 1);
  EXPECT_FLOAT_EQ(y.e, 6);
  y = BarAutoY({12, 25, 37});
  EXPECT_FLOAT_EQ(y.d, 5);
  EXPECT_FLOAT_EQ(y.e, 40);

  ChartInput in;
  in.kind = ChartKind::RelativeFrequency;
  in.data = {2, 6, 8, 4};
  in.x.lengthCm = 8;
  in.x.manual = {150, 170, 5};
  in.x.automatic = false;
  ScaleResult r = ResolveScales(in);
  ASSERT_TRUE(r.scales) << WideToUtf8(r.message);
  EXPECT_FLOAT_EQ(r.scales->heights[2], 8.0f / 20 / 5) << "frequency / total / class width";
  EXPECT_FLOAT_EQ(r.scales->y.v.s, 0);
  EXPECT_GE(r.scales->y.v.e, r.scales->heights[2]);

  in.data = {2, 6, 8, 4, 1};
  EXPECT_EQ(ResolveScales(in).message, L"数据有5个，x轴上只有4组，请检查x轴数据设置");
  in.kind = ChartKind::Bar;
  in.data = {2, 6};
  in.x.automatic = true;
  in.gapMm = 100;
  EXPECT_TRUE(ResolveScales(in).message.starts_with(L"柱状图间距"));
  in.gapMm = 2;
  in.x.lengthCm = 1e30;
  EXPECT_TRUE(ResolveScales(in).message.starts_with(L"坐标轴的长度"));
  in.x.lengthCm = 8;
  in.data = {2, -6};
  EXPECT_EQ(ResolveScales(in).message, L"柱状图的数据不能是负数，请检查数据");
}

}  // namespace
}  // namespace plx::charts
