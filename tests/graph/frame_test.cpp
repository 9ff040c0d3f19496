// The coordinate frame on the page, shape names, sampling and the
// insertion run.
#include <gtest/gtest.h>

#include "common/text.hpp"
#include "graph/frame/frame.hpp"
#include "graph/frame/insertion.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::graph {
namespace {

class FrameTest : public test::DocumentAddinTest {
 protected:
  void SetUp() override {
    DocumentAddinTest::SetUp();
    docif::PageSetup page;
    page.PageWidth = 595;
    page.PageHeight = 842;
    doc->SetPageSetup(page);
  }
  GraphContext g;
};

TEST_F(FrameTest, OriginAndUnitFromThePage) {
  Init_ZBX(*ctx, g, 20);
  EXPECT_EQ(g.OriginX, 298) << "297.5 rounds to even";
  EXPECT_EQ(g.OriginY, 421);
  EXPECT_DOUBLE_EQ(g.UnitLength, 5.96);
  Init_ZBX(*ctx, g, 5);  // a 0..5 frame is still 1/intK of the page side
  EXPECT_DOUBLE_EQ(g.UnitLength * 5, 596.0 / 5);
  EXPECT_DOUBLE_EQ(g.PageX(1), 298 + g.UnitLength);
  EXPECT_DOUBLE_EQ(g.PageY(1), 421 - g.UnitLength);
  ui.Queue(Answer::OK);
  Init_ZBX(*ctx, g, 0);
  EXPECT_EQ(ui.Boxes().back().title, L"错误号: 11");
  EXPECT_NE(ui.Boxes().back().text.find(L"modGraph.Init_ZBX-->line"), std::wstring::npos);
}

TEST_F(FrameTest, SamplingStepsAndRows) {
  GetSampleCount(g, -10, 10);
  EXPECT_NEAR(g.SampleStep, 0.05, 1e-12);
  EXPECT_GT(g.SampleStep, 0.05);
  EXPECT_EQ(g.CurvePoints.size(), 400u);
  GetSampleCount(g, 0, 300);
  EXPECT_DOUBLE_EQ(g.SampleStep, 0.5);
  EXPECT_EQ(g.CurvePoints.size(), 601u);
  // The rows hold y = x sampled at the step, the last rows completed at xmax.
  Init_ZBX(*ctx, g, 20);
  GetSampleCount(g, -10, 10);
  FillCurve(g, -10, 10, [](double x) { return x; });
  EXPECT_FLOAT_EQ(g.CurvePoints[0].x, static_cast<float>(g.PageX(-10)));
  EXPECT_FLOAT_EQ(g.CurvePoints[398].x, static_cast<float>(g.PageX(9.9)));
  EXPECT_FLOAT_EQ(g.CurvePoints[399].x, static_cast<float>(g.PageX(9.95))) << "the last sample for -10..10";
  EXPECT_FLOAT_EQ(g.CurvePoints[399].y, static_cast<float>(g.PageY(9.95)));
  // 1.16 / 0.05 gives 23 → 25 rows for 24 samples: the last row is xmax.
  GetSampleCount(g, 0, 1.16);
  ASSERT_EQ(g.CurvePoints.size(), 25u);
  FillCurve(g, 0, 1.16, [](double x) { return x; });
  EXPECT_FLOAT_EQ(g.CurvePoints[23].x, static_cast<float>(g.PageX(1.15)));
  EXPECT_FLOAT_EQ(g.CurvePoints[24].x, static_cast<float>(g.PageX(1.16)));
  EXPECT_EQ(GetLineDash(2), 7);
  EXPECT_EQ(GetLineDash(6), 1);
  EXPECT_EQ(GetLineDash(9), 0);
}

TEST_F(FrameTest, ShapeNamesAndTheRegister) {
  random.Randomize(clock);
  std::wstring name = GetShapeName(*ctx, g, L"直线");
  // 2026/12/6 9:30:15 → "26/12/6 9:30:15" → digits 261269301 5; r = Int(999 * 0.5 + 1) = 500.
  EXPECT_EQ(name, L"直线：5002612693015_plendrix");
  g.ShapeCount = 1;
  name = GetShapeName(*ctx, g, L"坐标网格线x=-10.5与很长很长很长很长的名字");
  EXPECT_EQ(name.size(), 32u);
  EXPECT_EQ(g.ShapeNames[1], name);
  // A name taken in the document moves on to the next random number.
  auto line = doc->GetShapes()->AddLine(0, 0, 1, 1);
  line->SetName(L"直线：5002612693015_plendrix");
  EXPECT_EQ(GetShapeName(*ctx, g, L"直线"), L"直线：5012612693015_plendrix");
  ResetShapeNames(g);
  EXPECT_EQ(g.ShapeCount, 0);
  EXPECT_EQ(g.ShapeNames.size(), 1u);
}

TEST_F(FrameTest, RangeCheckAndInsertPoint) {
  g.extent = {-5, 11, 0, 3};
  ui.Queue(Answer::Cancel);
  EXPECT_TRUE(CheckGraphRange(*ctx, g));
  EXPECT_EQ(ui.Boxes().back().text, L"您所要绘制的函数图像将有部分超出当前坐标范围，您还要继续作图吗？");
  g.extent = {-10, 10, -10, 10};
  EXPECT_FALSE(CheckGraphRange(*ctx, g)) << "touching the frame is inside";
  doc->SetPageSetup({.PageWidth = 595, .PageHeight = 842, .TopMargin = 0, .BottomMargin = 0,
                     .LeftMargin = 0, .RightMargin = 0});
  InsertPoint p = GetInsertPoint(*ctx);
  EXPECT_DOUBLE_EQ(p.left, 20);
  EXPECT_DOUBLE_EQ(p.top, 20);
}

TEST_F(FrameTest, InsertionRunGroupsNamesAndPlaces) {
  std::map<std::wstring, Generator> generators{
      {L"any", [](AddinContext& c, GraphContext& gc, int k) {
         DrawCurvePiece(c, gc, -k, k, [](double x) { return x * x / 10; }, L"任意函数", LineAttr{2, 1.5f, 255});
       }}};
  g.List1 = {L"平面直角坐标系(ZBX)", L"任意函数(ANY) 1", L"未知(XYZ) 1", L"任意函数(ANY) 2"};
  doc->GetRange(0, 0)->Select();
  InsertGraphs(*ctx, g, generators);
  auto shapes = doc->GetShapes();
  ASSERT_EQ(shapes->Count(), 1);
  auto group = shapes->Item(1);
  EXPECT_EQ(group->Type(), docif::kShapeGroup);
  EXPECT_TRUE(StartsWith(group->Name(), L"组合："));
  EXPECT_TRUE(EndsWithText(group->Name(), L"_plendrix"));
  EXPECT_DOUBLE_EQ(group->Left(), 90);
  EXPECT_DOUBLE_EQ(group->Top(), 72);
  auto curve = group->GroupItems()->Item(1);
  EXPECT_EQ(curve->Line().DashStyle, 7);
  EXPECT_EQ(curve->Line().ForeColor, 255u);
  EXPECT_EQ(curve->Wrap().Type, 3);
  EXPECT_EQ(g.ShapeCount, 0) << "the register is reset after the run";
  EXPECT_EQ(ui.StatusTexts().back(), L"图像插入Word已经完成！");
  // A figure that failed after it was counted but before it had a name
  // (the host refused it) leaves the others to be grouped as they are.
  generators[L"refused"] = [](AddinContext&, GraphContext& gc, int) { ++gc.ShapeCount; };
  g.List1 = {L"平面直角坐标系(ZBX)", L"任意函数(ANY) 1", L"被拒(REFUSED) 1", L"被拒(REFUSED) 2"};
  InsertGraphs(*ctx, g, generators);
  ASSERT_EQ(shapes->Count(), 2);
  EXPECT_TRUE(StartsWith(shapes->Item(2)->Name(), L"组合：")) << "the run finished with the curve it drew";
  // A run that draws nothing leaves the document alone.
  g.List1 = {L"平面直角坐标系(ZBX)"};
  InsertGraphs(*ctx, g, generators);
  EXPECT_EQ(shapes->Count(), 2);
}

}  // namespace
}  // namespace plx::graph
