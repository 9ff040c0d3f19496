// The elementary families through the graph dialog's tabs: straight lines,
// inverse proportion, powers, the trigonometric pieces, π labels and the tick
// labels the preview records for the insertion run.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <set>

#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "graph/axes/tick_labels.hpp"
#include "graph/curves/elementary_curves.hpp"
#include "graph/curves/trig_curves.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "support/graph_dialog_test.hpp"

namespace plx::graph {
namespace {

using ElementaryTest = test::GraphDialogTest;

TEST_F(ElementaryTest, InverseProportionLeavesTheGapWhereTheCurveLeavesTheFrame) {
  form->SetValue(L"txtK_FBLHS", L"1");
  form->Click(L"cmdOK_FBLHS");
  const FBLHSRecord& r = form->Graph().fblhsTable.at(0);
  EXPECT_DOUBLE_EQ(r.e, 0.1);
  EXPECT_EQ(r.xmin, -10);
  form->SetValue(L"txtK_FBLHS", L"2");
  form->SetValue(L"txtXmin_FBLHS", L"0");
  form->SetValue(L"txtXmax_FBLHS", L"5");
  form->Click(L"cmdOK_FBLHS");
  EXPECT_DOUBLE_EQ(form->Graph().fblhsTable.at(1).xmin, 0.2) << "0 replaced by the first x with 2/x inside";
  form->SetValue(L"txtXmin_FBLHS", L"1");
  form->Click(L"cmdOK_FBLHS");
  form->Click(L"cmdOK");
  EXPECT_EQ(CountRole(L"反比例函数左支"), 1u);
  EXPECT_EQ(CountRole(L"反比例函数右支"), 1u);
  EXPECT_EQ(CountRole(L"反比例函数"), 2u);
  ui.Queue(Answer::OK);
  form->SetValue(L"txtXmin_FBLHS", L"5");
  form->Click(L"cmdOK_FBLHS");
  EXPECT_EQ(ui.Boxes().back().text, L"您输入的数据范围有误，请检查！");
}

TEST(PoleGaps, TheGapIsWhereTheRightBranchEntersTheFrame) {
  auto reciprocal = [](double x) { return 1 / x; };
  ZBXRecord frame;
  frame.ymin = -10;
  frame.ymax = 2;
  EXPECT_DOUBLE_EQ(PoleGap(frame, reciprocal), 0.5) << "the left branch reaching -10 near 0 does not count";
  frame.ymax = 10;
  EXPECT_DOUBLE_EQ(PoleGap(frame, reciprocal), 0.1);
  // A frame with no room right of the pole searches the left side.
  frame.xmin = -10;
  frame.xmax = 0;
  EXPECT_DOUBLE_EQ(PoleGap(frame, reciprocal), 0.1);
  frame.ymin = 1;
  EXPECT_EQ(PoleGap(frame, reciprocal), 0) << "neither branch enters the frame";
}

TEST_F(ElementaryTest, StraightLineForms) {
  form->SetValue(L"optType_ZX", L"4");  // general form x - 3 = 0
  form->SetValue(L"txtA_ZX", L"1");
  form->SetValue(L"txtB_ZX", L"0");
  form->SetValue(L"txtC_ZX", L"-3");
  form->Click(L"cmdOK_ZX");
  const ZXRecord& v = form->Graph().zxTable.at(0);
  EXPECT_EQ(v.x1, 3);
  EXPECT_EQ(v.x2, 3);
  EXPECT_EQ(v.y1, -10) << "a line parallel to the y axis spans the y range";
  EXPECT_EQ(v.y2, 10);
  form->SetValue(L"optType_ZX", L"2");
  form->SetValue(L"txtP1_ZX", L"（1，2）");
  form->SetValue(L"txtP2_ZX", L"(3,0)");
  form->SetValue(L"txtXmin_ZX", L"-2");
  form->SetValue(L"txtXmax_ZX", L"6");
  form->Click(L"cmdOK_ZX");
  const ZXRecord& line = form->Graph().zxTable.at(1);
  EXPECT_EQ(line.y1, 5);
  EXPECT_EQ(line.y2, -3);
  form->SetValue(L"chkXD", L"1");
  form->Click(L"cmdOK_ZX");
  EXPECT_EQ(form->Graph().zxTable.at(2).x1, 1) << "only the segment between the points";
  EXPECT_EQ(form->Graph().zxTable.at(2).y2, 0);
  form->SetValue(L"optType_ZX", L"4");
  form->SetValue(L"txtA_ZX", L"0");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_ZX");
  EXPECT_EQ(ui.Boxes().back().text, L"请检查您输入的数据！x,y的系数不能都为0！");
  EXPECT_EQ(form->Graph().zxTable.size(), 3u);
  form->Click(L"cmdCancel_ZX");
  EXPECT_EQ(form->GetControl(L"optType_ZX").value, 0) << "重置 restores the tab";
  EXPECT_EQ(form->GetControl(L"txtP1_ZX").text, L"(  ,  )");
}

TEST_F(ElementaryTest, ExponentialLogarithmAndPowerTabs) {
  // 2^x reaches 1024 over the frame's x range: the tab asks first.
  ui.Queue(Answer::Cancel);
  form->Click(L"cmdOK_AX");
  EXPECT_EQ(ui.Boxes().back().text, L"您所要绘制的函数图像将有部分超出当前坐标范围，您还要继续作图吗？");
  EXPECT_TRUE(form->Graph().axTable.empty());
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_AX");
  ASSERT_EQ(form->Graph().axTable.size(), 1u);
  ui.Queue(Answer::OK);
  form->SetValue(L"txtA_AX", L"1");
  form->Click(L"cmdOK_AX");
  EXPECT_EQ(form->Graph().axTable.size(), 1u) << "base 1 is refused";
  // log|x| over -10..10: two pieces stopping 0.1 short of the asymptote.
  form->SetValue(L"optLogAbsX", L"1");
  EXPECT_EQ(form->GetControl(L"optLogX").value, 0) << "choosing one option button clears the others";
  form->Click(L"cmdOK_LogX");
  form->SetValue(L"optLogX", L"1");
  form->SetValue(L"txtXmin_LogX", L"0.5");
  form->Click(L"cmdOK_LogX");
  form->SetValue(L"optXmn_Power", L"1");
  form->SetValue(L"txtP_MI", L"1");
  form->SetValue(L"txtQ_MI", L"3");
  form->SetValue(L"txtXmin_MI", L"-8");
  form->SetValue(L"txtXmax_MI", L"8");
  form->Click(L"cmdOK_MI");
  form->SetValue(L"txtQ_MI", L"2");
  form->Click(L"cmdOK_MI");
  form->Click(L"cmdOK");
  EXPECT_EQ(CountRole(L"指数函数"), 1u);
  EXPECT_EQ(CountRole(L"对数函数"), 3u);
  EXPECT_EQ(CountRole(L"幂函数"), 2u) << "x^(1/2) only right of 0, x^(1/3) on both sides in one piece";
  // Double-clicking a figure chooses its variant's option button again.
  const auto& lines = form->GetControl(L"List1").items;
  const auto logLine = std::find(lines.begin(), lines.end(), L"对数函数(LogX) 1");
  ASSERT_NE(logLine, lines.end());
  form->DblClick(L"List1", static_cast<int>(logLine - lines.begin()));
  EXPECT_EQ(form->GetControl(L"optLogAbsX").value, 1);
  EXPECT_EQ(form->GetControl(L"optLogX").value, 0);
  form->Click(L"cmdChange");
  ui.Queue(Answer::OK);
  form->SetValue(L"txtXmin_LogX", L"3");
  form->SetValue(L"txtXmax_LogX", L"1");
  form->Click(L"cmdOK_LogX");
  EXPECT_EQ(ui.Boxes().back().text, L"自变量x的最小值大于或等于最大值！请检查后重新输入。");
}

TEST(PowerCurves, NegativeBasesFollowTheParityOfTheReducedExponent) {
  EXPECT_DOUBLE_EQ(PowerValue(-8, 1, 3), -2);
  EXPECT_DOUBLE_EQ(PowerValue(-8, 2, 3), 4);
  EXPECT_TRUE(std::isnan(PowerValue(-4, 1, 2)));
  EXPECT_TRUE(std::isnan(PowerValue(-4, 3, 6))) << "3/6 is 1/2";
  EXPECT_DOUBLE_EQ(PowerValue(-8, 2, 6), -2) << "2/6 is 1/3: an odd root, odd numerator";
  EXPECT_DOUBLE_EQ(PowerValue(-2, -1, 1), -0.5);
  EXPECT_TRUE(std::isnan(PowerValue(1, 1, 0)));
}

TEST(TrigCurves, TangentPiecesStopAtTheAsymptotes) {
  SJRecord tan;
  tan.function = 2;
  ZBXRecord frame;
  auto pieces = FindTrigPieces(frame, [&](double x) { return TrigAt(tan, x); }, 0, 2 * M_PI);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].first, 0);
  EXPECT_NEAR(pieces[0].second, M_PI / 2 - 0.1, 0.011);
  EXPECT_NEAR(pieces[1].first, M_PI / 2 + 0.1, 0.011);
  EXPECT_NEAR(pieces[2].second, 2 * M_PI, 0.011);
  tan.pieces = pieces;
  tan.xmin = 0;
  tan.xmax = 2 * M_PI;
  auto marks = FindTrigMarks(tan, {.zeros = true, .asymptotes = true});
  int zeros = 0, asymptotes = 0;
  for (const auto& m : marks) (m.role == L"零点" ? zeros : asymptotes) += 1;
  EXPECT_EQ(zeros, 2) << "0 and π; the last piece ends at the last probe before 2π";
  EXPECT_EQ(asymptotes, 2);
}

TEST(TrigCurves, PiLabels) {
  EXPECT_EQ(PiLabel(1, 2), L"(@p)/(2)");
  EXPECT_EQ(PiLabel(-1, 2), L"-(@p)/(2)");
  EXPECT_EQ(PiLabel(2, 2), L"@p");
  EXPECT_EQ(PiLabel(-2, 2), L"-@p");
  EXPECT_EQ(PiLabel(4, 2), L"2@p");
  EXPECT_EQ(PiLabel(3, 2), L"(3@p)/(2)");
  EXPECT_EQ(PiLabel(-3, 2), L"(-3@p)/(2)");
}

TEST(TickLabels, CleaningKeepsOneLabelPerValueAndPrefersFormulas) {
  std::vector<TickLabel> raw = {{1, L"1", L"zbx"},      {2, L"2", L"zbx"},          {0, L"0", L"zbx"},
                                {3, L"3", L"zbx"},      {0.5f, L"1/2", L"point_x"}, {1, L"1", L"point_x"},
                                {3, L"3", L"point_x"},  {2, L"gh(4)", L"point_x"}};
  CleanLabels clean = CleanTickLabels(raw);
  ASSERT_EQ(clean.plain.size(), 2u);
  EXPECT_EQ(clean.plain[0].text, L"1");
  EXPECT_EQ(clean.plain[1].text, L"3");
  ASSERT_EQ(clean.formula.size(), 2u);
  EXPECT_EQ(clean.formula[0].text, L"gh(4)") << "the formula takes the place of the plain 2";
  EXPECT_EQ(clean.formula[1].text, L"1/2");
  EXPECT_TRUE(IsFormulaLabel(L"(@p)/(2)"));
  EXPECT_FALSE(IsFormulaLabel(L"-3"));
}

TEST_F(ElementaryTest, SineWithPiLabelsTicksAndGrid) {
  form->SetValue(L"chkDrawScale", L"1");
  form->SetValue(L"chkWG", L"1");
  form->SetValue(L"chkZero_SJ", L"1");
  form->Click(L"cmdOK_SJ");
  ASSERT_EQ(form->Graph().sjTable.size(), 1u);
  std::vector<std::wstring> piLabels;
  for (const TickLabel& l : form->Graph().xLabels)
    if (l.tag == L"sj_x") piLabels.push_back(l.text);
  EXPECT_EQ(piLabels, (std::vector<std::wstring>{L"(@p)/(2)", L"@p", L"(3@p)/(2)", L"2@p"}))
      << "the multiples of π/2 over 0..2π";
  EXPECT_NE(form->PreviewSvg().find("fill:none;"), std::string::npos) << "a stroked outline";
  form->Click(L"cmdOK");
  EXPECT_EQ(CountRole(L"正弦函数"), 1u);
  EXPECT_EQ(CountRole(L"坐标网格线x=2"), 1u);
  EXPECT_GT(CountRole(L"x轴上刻度标注1"), 0u);
  // A formula label holds a live EQ field.
  auto items = doc->GetShapes()->Item(doc->GetShapes()->Count())->GroupItems();
  std::vector<std::wstring> codes;
  for (int i = 1; i <= items->Count(); ++i) {
    auto box = items->Item(i);
    if (!StartsWith(box->Name(), L"x轴上刻度标注")) continue;
    auto fields = box->TextRange()->GetFields();
    if (fields->Count() > 0) codes.push_back(fields->Item(1)->Code()->Text());
  }
  EXPECT_NE(std::find(codes.begin(), codes.end(), L"EQ \\F(π,2)"), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), L"EQ π"), codes.end());
}

TEST_F(ElementaryTest, TickLabelsNeverOverlapAndPiLabelsWinOverIntegers) {
  ConfigGroup(*ctx, L"zbxconfig").Set(L"intK", L"2");
  ConfigGroup(*ctx, L"zbxconfig").Set(L"blAutoKD", L"False");
  for (const auto& [box, value] : {std::pair{L"txtXmin", L"-8"}, {L"txtXmax", L"8"}, {L"txtYmin", L"-8"},
                                   {L"txtYmax", L"8"}, {L"chkDrawScale", L"1"}})
    form->SetValue(box, value);
  form->Click(L"cmdOK_SJ");
  form->Click(L"cmdOK");
  std::set<std::wstring> shown;
  for (const auto& box : Inserted()) {
    if (!StartsWith(box->Name(), L"x轴上刻度标注")) continue;
    auto fields = box->TextRange()->GetFields();
    shown.insert(fields->Count() > 0 ? fields->Item(1)->Code()->Text() : box->TextRange()->Text());
  }
  for (const wchar_t* pi : {L"EQ \\F(π,2)", L"EQ π", L"EQ \\F(3π,2)", L"EQ 2π"}) EXPECT_EQ(shown.count(pi), 1u) << WideToUtf8(pi);
  EXPECT_EQ(shown.count(L"-1"), 1u) << "no π label near -1";
  EXPECT_EQ(shown.count(L"1"), 1u);
  EXPECT_EQ(shown.count(L"2"), 0u) << "2 would touch π/2";
  EXPECT_EQ(shown.count(L"3"), 0u) << "3 would touch π";
}

}  // namespace
}  // namespace plx::graph
