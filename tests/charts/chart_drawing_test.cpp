// Charts drawn into a model document as a teacher draws them from the
// statistics dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "charts/chart_canvas.hpp"
#include "charts/frm_tjt.hpp"
#include "charts/pie_chart.hpp"
#include "common/text.hpp"
#include "connect/connect.hpp"
#include "docif/shapes.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::charts {
namespace {

using docif::ShapePtr;

class ChartDrawing : public test::ConnectedAddinTest {
 protected:
  void SetUp() override {
    ConnectedAddinTest::SetUp();
    form = std::make_shared<frmTJT>(*ctx);
    form->Show();
  }
  void TearDown() override { form->Dismiss(); }
  void Set(const std::wstring& name, const std::wstring& value) { form->SetValue(name, value); }
  // Presses OK and returns the chart's group.
  ShapePtr Draw(const wchar_t* button = L"cmdOk") {
    if (std::wstring(button) == L"cmdOk") ui.Queue(Answer::OK);  // "绘图完成！"
    form->Click(button);
    EXPECT_EQ(doc->GetShapes()->Count(), 1);
    return doc->GetShapes()->Item(doc->GetShapes()->Count());
  }
  static std::vector<ShapePtr> Items(const ShapePtr& group, const std::wstring& role) {
    std::vector<ShapePtr> found;
    auto items = group->GroupItems();
    for (int i = 1; i <= items->Count(); ++i)
      if (StartsWith(items->Item(i)->Name(), role + L"：")) found.push_back(items->Item(i));
    return found;
  }
  void ManualX(const wchar_t* s, const wchar_t* e, const wchar_t* d) {
    Set(L"chkAutoX", L"0");
    Set(L"txtChuZhiX", s);
    Set(L"txtZhongZhiX", e);
    Set(L"txtKuaDuX", d);
  }
  std::shared_ptr<frmTJT> form;
};

TEST_F(ChartDrawing, FrequencyHistogramHasAdjacentBarsOverItsClasses) {
  Set(L"optZFT", L"0");
  Set(L"txtData", L"2,6,8,4");
  ManualX(L"150", L"170", L"5");
  Set(L"txtLenX", L"10");
  Set(L"chkAutoY", L"1");
  ShapePtr group = Draw();
  EXPECT_EQ(ui.Boxes().back().text, L"绘图完成！");
  EXPECT_TRUE(StartsWith(group->Name(), L"组合："));
  auto bars = Items(group, L"柱状图");
  ASSERT_EQ(bars.size(), 4u);
  // x: 150..170 in 4 classes, starting off 0 so a slot for the break: 6 slots.
  const double unit = 10 * 28.4 / 6;
  for (size_t i = 0; i < bars.size(); ++i) {
    EXPECT_NEAR(bars[i]->Width(), unit, 0.01);
    if (i > 0) {
      EXPECT_NEAR(bars[i]->Left(), bars[i - 1]->Left() + unit, 0.01) << "bars touch";
    }
  }
  EXPECT_NEAR(bars[2]->Height(), 2 * bars[0]->Height() * 2, 0.01) << "8 against 2";
  EXPECT_NEAR(bars[0]->Top() + bars[0]->Height(), bars[3]->Top() + bars[3]->Height(), 0.01) << "one base line";
  EXPECT_EQ(Items(group, L"x轴刻度线150").size(), 1u);
  EXPECT_EQ(Items(group, L"x轴刻度线170").size(), 1u);
}

TEST_F(ChartDrawing, RelativeFrequencyHistogramTypesetsItsCaptionAsAFraction) {
  Set(L"optZFT", L"1");
  EXPECT_EQ(form->ValueText(L"txtTextY"), L"(频率)/(组距)");
  Set(L"txtData", L"2,6,8,4");
  ManualX(L"150", L"170", L"5");
  Set(L"chkZheXianX", L"1");
  ShapePtr group = Draw();
  auto caption = Items(group, L"y轴文字标识");
  ASSERT_EQ(caption.size(), 1u);
  auto fields = caption[0]->TextRange()->GetFields();
  ASSERT_EQ(fields->Count(), 1);
  EXPECT_TRUE(Contains(fields->Item(1)->Code()->Text(), L"\\F(")) << WideToUtf8(fields->Item(1)->Code()->Text());
  auto zigzag = Items(group, L"x轴折线部分");
  ASSERT_EQ(zigzag.size(), 1u);
  EXPECT_EQ(zigzag[0]->Points().size(), 6u);
}

TEST_F(ChartDrawing, BarChartBarsLieInTheirSlotsClearOfTheYAxis) {
  Set(L"optZFT", L"2");
  Set(L"txtData", L"3、5、2");  // as a Chinese input method types a list
  Set(L"txtJianJu", L"4");
  Set(L"chkFill", L"1");
  Set(L"optColor", L"0");
  ManualX(L"0", L"5", L"1");
  random = ScriptedRandom{{0.1, 0.5, 0.9, 0.3, 0.7, 0.2, 0.8, 0.4, 0.6}};
  ShapePtr group = Draw();
  auto bars = Items(group, L"柱状图");
  ASSERT_EQ(bars.size(), 3u);
  const double axis = Items(group, L"y轴")[0]->Left();
  const double unit = 8 * 28.4 / 6, gap = 4 * 2.84;
  for (size_t i = 0; i < bars.size(); ++i) {
    EXPECT_NEAR(bars[i]->Left() - axis, static_cast<double>(i) * unit + gap / 2, 0.01) << "bar " << i << " in slot " << i;
    EXPECT_NEAR(bars[i]->Width(), unit - gap, 0.01);
  }
  auto tick = Items(group, L"x轴刻度线1");
  ASSERT_EQ(tick.size(), 1u);
  EXPECT_NEAR(bars[0]->Left() + bars[0]->Width() + gap / 2, tick[0]->Left(), 0.01) << "the first slot ends at 1";
  EXPECT_NE(bars[0]->Fill().ForeColor, bars[1]->Fill().ForeColor) << "random colours differ bar to bar";

  // Automatic categories: the bars fill the slots before the arrow's.
  Set(L"chkAutoX", L"1");
  Set(L"txtData", L"3,5,2,6,4");
  group = doc->GetShapes()->Item(1);
  group->Delete();
  group = Draw();
  bars = Items(group, L"柱状图");
  ASSERT_EQ(bars.size(), 5u);
  const double last = Items(group, L"x轴刻度线5")[0]->Left();
  EXPECT_NEAR(bars[4]->Left() + bars[4]->Width() + gap / 2, last, 0.01);
  EXPECT_GT(bars[0]->Left(), Items(group, L"y轴")[0]->Left());
}

TEST_F(ChartDrawing, LabelsAreAsWideAsTheirTextAndTheCornerIsOOnlyWhereItIsZero) {
  Set(L"optZFT", L"2");
  Set(L"txtData", L"12000,25000,18000");
  ShapePtr group = Draw();
  auto labels = Items(group, L"刻度文字y");
  ASSERT_FALSE(labels.empty());
  const double axis = Items(group, L"y轴")[0]->Left();
  for (const auto& l : labels) {
    const std::wstring text = l->TextRange()->Text();
    EXPECT_GE(l->Width(), TextWidth(text, 10)) << WideToUtf8(text) << " fits on one line";
    EXPECT_NEAR(l->Left() + l->Width(), axis - 3, 0.01) << "right-aligned beside the axis";
  }
  EXPECT_EQ(Items(group, L"原点").size(), 1u) << "both axes start at 0";
  EXPECT_GT(TextWidth(L"25000", 10), 31) << "wider than the boxes used to be";

  // A line chart of -3 .. 3: 0 is a tick of the y axis, not the corner.
  doc->GetShapes()->Item(1)->Delete();
  Set(L"optZFT", L"3");
  Set(L"txtData", L"-3,−1,0,2,3");
  group = Draw();
  EXPECT_TRUE(Items(group, L"原点").empty());
  std::vector<std::wstring> texts;
  for (const auto& l : Items(group, L"刻度文字x")) texts.push_back(l->TextRange()->Text());
  EXPECT_EQ(texts.front(), L"0") << "x is 0 at the corner";
  texts.clear();
  for (const auto& l : Items(group, L"刻度文字y")) texts.push_back(l->TextRange()->Text());
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"-3", L"-2", L"-1", L"0", L"1", L"2", L"3"}));
}

TEST_F(ChartDrawing, DecimalDataGetAnAutomaticScaleAndLettersAMessage) {
  Set(L"optZFT", L"3");
  Set(L"txtData", L"36.5,37.2,36.8,37.0");
  ShapePtr group = Draw();
  EXPECT_EQ(ui.Boxes().back().text, L"绘图完成！");
  EXPECT_EQ(Items(group, L"数据点").size(), 4u);
  EXPECT_EQ(Items(group, L"y轴刻度线36.6").size(), 1u) << "steps of 0.1";

  group->Delete();
  Set(L"optZFT", L"2");
  Set(L"txtData", L"3,a,2");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOk");
  EXPECT_EQ(ui.Boxes().back().text, L"数据“a”不是数，请检查数据（多个数据之间用“,”或“、”分隔）");
  EXPECT_EQ(doc->GetShapes()->Count(), 0);
  Set(L"txtDataSX", L"1、1、2");
  EXPECT_EQ(Items(Draw(L"cmdOKSX"), L"扇形").size(), 3u) << "three sectors, not one of 100 %";
}

TEST_F(ChartDrawing, LineChartPutsPointsOnTheirSlotsAndJoinsThem) {
  Set(L"optZFT", L"3");
  Set(L"txtData", L"2,4,4,10");
  Set(L"chkZuoBiaoXian", L"1");
  ShapePtr group = Draw();
  EXPECT_TRUE(StartsWith(group->Name(), L"折线统计图组合："));
  auto dots = Items(group, L"数据点");
  ASSERT_EQ(dots.size(), 4u);
  EXPECT_EQ(Items(group, L"点点连线").size(), 3u);
  // y: 2..10 by 2 in 6 slots of 6 cm; x: 0..3 in 4 slots of 8 cm.
  const double ux = 8 * 28.4 / 4, uy = 6 * 28.4 / 6;
  auto centreY = [](const ShapePtr& s) { return s->Top() + s->Height() / 2; };
  EXPECT_NEAR(dots[1]->Left() - dots[0]->Left(), ux, 0.01);
  EXPECT_NEAR(centreY(dots[0]) - centreY(dots[3]), 4 * uy, 0.01) << "10 lies four steps above 2";
  EXPECT_NEAR(centreY(dots[1]), centreY(dots[2]), 0.01);
  EXPECT_EQ(Items(group, L"坐标标记竖线").size(), 4u);
  EXPECT_EQ(Items(group, L"坐标标记横线").size(), 3u) << "the first point lies on the y axis";
}

TEST_F(ChartDrawing, AStepThatDoesNotDivideTheRangeDrawsNothing) {
  Set(L"optZFT", L"3");
  ManualX(L"0", L"5", L"2");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOk");
  EXPECT_EQ(ui.Boxes().back().text, L"“（终值-初值）/跨度”应为整数，请检查x轴数据设置");
  EXPECT_EQ(doc->GetShapes()->Count(), 0);
  EXPECT_TRUE(host->ScreenUpdating()) << "screen updating stays on";
}

TEST_F(ChartDrawing, PieSectorsFollowTheRatiosAndEndExactlyOnTheirBoundaries) {
  const auto sectors = PieSectors({1, 1, 2});
  ASSERT_EQ(sectors.size(), 3u);
  EXPECT_NEAR(sectors[0].to, std::numbers::pi / 2, 1e-6);
  EXPECT_NEAR(sectors[2].to - sectors[2].from, std::numbers::pi, 1e-6);
  EXPECT_EQ(PercentText(100.0 / 3), L"33.33%");
  EXPECT_EQ(PercentText(50), L"50%");

  Set(L"txtDataSX", L"1：1：2");
  Set(L"chkColor", L"1");
  Set(L"optShanXingColor", L"0");
  random = ScriptedRandom{{0.1, 0.2, 0.3, 0.9, 0.8, 0.7, 0.5, 0.5, 0.5}};
  ShapePtr group = Draw(L"cmdOKSX");
  auto pieces = Items(group, L"扇形");
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_NE(pieces[0]->Fill().ForeColor, pieces[1]->Fill().ForeColor);
  std::vector<std::wstring> labels;
  for (const auto& l : Items(group, L"文本标识")) labels.push_back(l->TextRange()->Text());
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"25%", L"25%", L"50%"}));

  Set(L"txtRadius", L"0");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOKSX");
  EXPECT_EQ(ui.Boxes().back().text, L"半径不能为零或负数!");
  EXPECT_EQ(doc->GetShapes()->Count(), 1);
}

}  // namespace
}  // namespace plx::charts
