// The graph dialog's expression tab, driven by control names.
#include <gtest/gtest.h>

#include <tuple>

#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "graph/axes/tick_labels.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::graph {
namespace {

class FrmGraphTest : public test::DocumentAddinTest {
 protected:
  void SetUp() override {
    DocumentAddinTest::SetUp();
    random = ScriptedRandom({0.11, 0.22, 0.33, 0.44, 0.55, 0.66});
    form = std::make_shared<frmGraph>(*ctx);
    form->Show();
  }
  void TearDown() override { form->Unload(); }
  std::shared_ptr<frmGraph> form;
};

TEST_F(FrmGraphTest, AddsFiguresToTheListAndInsertsThem) {
  form->SetValue(L"txtFx_Any", L"2x+1");
  form->SetValue(L"txtXmin_Any", L"-2");
  form->SetValue(L"txtXmax_Any", L"gh(9)");
  form->Click(L"cmdOK_Any");
  form->SetValue(L"optMode_Any", L"2");
  form->SetValue(L"txtRt_Any", L"2");
  form->Click(L"cmdOK_Any");
  EXPECT_EQ(form->GetControl(L"List1").items,
            (std::vector<std::wstring>{L"平面直角坐标系(ZBX)", L"任意函数(ANY) 1", L"极坐标方程(polar) 1"}));
  const AnyRecord& line = form->Graph().anyTable.at(0);
  EXPECT_EQ(line.expression, L"2*x+1");
  ASSERT_EQ(line.intervals.size(), 1u);
  EXPECT_NEAR(line.intervals[0].lower, -1.99, 1e-9);
  EXPECT_NEAR(line.intervals[0].upper, 3, 1e-9) << "the upper bound read from gh(9)";
  form->Click(L"cmdOK");
  ASSERT_EQ(doc->GetShapes()->Count(), 1);
  EXPECT_EQ(doc->GetShapes()->Item(1)->GroupItems()->Count(), 2 + 5) << "the curves with the axes, their letters and O";
  // The dialog stays open and can insert again.
  form->Click(L"cmdOK");
  EXPECT_EQ(doc->GetShapes()->Count(), 2);
}

TEST_F(FrmGraphTest, ChangingAFunctionSearchesItsIntervalAgainUnlessARangeWasTyped) {
  form->SetValue(L"txtFx_Any", L"2x");
  form->Click(L"cmdOK_Any");
  form->DblClick(L"List1", 1);
  EXPECT_EQ(form->GetControl(L"txtFx_Any").text, L"2x") << "the function as typed";
  EXPECT_EQ(form->GetControl(L"txtXmin_Any").text, L"") << "no range was typed";
  form->SetValue(L"txtFx_Any", L"-x");
  form->Click(L"cmdOK_Any");
  const AnyRecord& changed = form->Graph().anyTable.at(0);
  ASSERT_EQ(changed.intervals.size(), 1u);
  EXPECT_NEAR(changed.intervals[0].lower, -9.99, 1e-9) << "-x fits the whole frame, not 2x's [-5, 5]";
  EXPECT_NEAR(changed.intervals[0].upper, 10, 1e-9);
  // A typed range comes back and holds.
  form->SetValue(L"txtXmin_Any", L"-1");
  form->SetValue(L"txtXmax_Any", L"2");
  form->Click(L"cmdOK_Any");
  form->DblClick(L"List1", 1);
  EXPECT_EQ(form->GetControl(L"txtXmax_Any").text, L"2");
  form->SetValue(L"txtFx_Any", L"x");
  form->Click(L"cmdOK_Any");
  EXPECT_NEAR(form->Graph().anyTable.at(0).intervals.back().upper, 2, 1e-9);
}

TEST_F(FrmGraphTest, HugeTypedRangesAnswerAtOnceWithoutAnOverflowBox) {
  // Box, value, button, and whether the range question comes (the range leaves the frame).
  const std::vector<std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool>> typed = {
      {L"txtXmin_FBLHS", L"-2147483648", L"cmdOK_FBLHS", true}, {L"txtXmin_AX", L"-2147483648", L"cmdOK_AX", true},
      {L"txtXmax_MI", L"2147483647", L"cmdOK_MI", true},         {L"txtXmax_LogX", L"1e9", L"cmdOK_LogX", true},
      {L"txtXmin_Any", L"-2147483648", L"cmdOK_Any", false},     {L"txtPeriods_SJ", L"2147483647", L"cmdOK_SJ", false}};
  form->SetValue(L"txtFx_Any", L"x/2");
  form->SetValue(L"optRange_SJ", L"1");
  for (const auto& [box, value, ok, asks] : typed) {
    form->SetValue(box, value);
    if (asks) ui.Queue(Answer::OK);
    form->Click(ok);
  }
  for (const auto& box : ui.Boxes()) EXPECT_EQ(box.text.find(L"溢出"), std::wstring::npos) << WideToUtf8(box.text);
  EXPECT_EQ(form->Graph().List1.size(), 1u + typed.size()) << "every figure is added";
  form->Click(L"cmdOK");
  // Each curve is sampled over the frame and its margin, never beyond what the frame can show.
  for (int i = 1; i <= doc->GetShapes()->Item(1)->GroupItems()->Count(); ++i) {
    auto shape = doc->GetShapes()->Item(1)->GroupItems()->Item(i);
    EXPECT_LE(shape->Points().size(), 2000u) << WideToUtf8(shape->Name());
    EXPECT_LT(shape->Width(), 600) << WideToUtf8(shape->Name());
  }
}

TEST_F(FrmGraphTest, AFrameWithUnreadablyManyTicksAsksOnceAndDrawsNone) {
  ConfigGroup(*ctx, L"zbxconfig").Set(L"blAutoKD", L"False");
  for (const auto& [box, value] : {std::pair{L"txtXmin", L"-30000"}, {L"txtXmax", L"30000"}, {L"txtYmin", L"-30000"},
                                   {L"txtYmax", L"30000"}, {L"chkDrawScale", L"1"}, {L"txtFx_Any", L"x*sin(x)"}})
    form->SetValue(box, value);
  form->Click(L"cmdOK_Any");
  ui.Queue(Answer::No);
  form->Click(L"cmdOK");
  ASSERT_EQ(ui.Boxes().size(), 1u) << "one question, no overflow box";
  EXPECT_NE(ui.Boxes()[0].text.find(L"119996 个刻度"), std::wstring::npos);
  EXPECT_EQ(doc->GetShapes()->Item(1)->GroupItems()->Count(), 5 + 1) << "the axes and the curve, no ticks nor labels";
  // The labels of many ticks are all kept (how fast: BM_CleanTickLabels).
  std::vector<TickLabel> raw;
  for (int i = 1; i <= 200000; ++i) raw.push_back({static_cast<float>(i), std::to_wstring(i), L"zbx"});
  EXPECT_EQ(CleanTickLabels(raw).plain.size(), 200000u);
}

TEST_F(FrmGraphTest, BadInputGetsTheInputMessageAndAddsNothing) {
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");  // no expression
  EXPECT_EQ(ui.Boxes().back().text, L"您所输入的数据范围有误，请检查后重新输入！");
  form->SetValue(L"txtFx_Any", L"x^2");
  form->SetValue(L"txtXmin_Any", L"1/0");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");
  EXPECT_EQ(ui.Boxes().back().title, L" 数据输入有误，请检查后重新输入");
  form->SetValue(L"txtXmin_Any", L"3");
  form->SetValue(L"txtXmax_Any", L"1");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");
  form->SetValue(L"txtXmin_Any", L"");
  form->SetValue(L"txtXmax", L"2.5");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");  // the frame takes whole units only
  EXPECT_EQ(form->GetControl(L"List1").items.size(), 1u);
  EXPECT_TRUE(form->Graph().anyTable.empty());
  // A function that cannot be evaluated, or has nothing in the frame, gets a box and no entry.
  form->SetValue(L"txtXmax", L"10");
  for (const wchar_t* typed : {L"abc", L"2x+", L"x+100"}) {
    form->SetValue(L"txtFx_Any", typed);
    ui.Queue(Answer::OK);
    form->Click(L"cmdOK_Any");
    EXPECT_EQ(ui.Boxes().back().title, L" 数据输入有误，请检查后重新输入") << WideToUtf8(typed);
  }
  EXPECT_TRUE(form->Graph().anyTable.empty());
  for (const wchar_t* typed : {L"y=x^2", L"sin x", L"|x|"}) {
    form->SetValue(L"txtFx_Any", typed);
    form->Click(L"cmdOK_Any");
  }
  EXPECT_EQ(form->Graph().anyTable.size(), 3u);
}

TEST_F(FrmGraphTest, ParametricAndPolarCurvesAreCheckedLikeTheOthers) {
  form->SetValue(L"optMode_Any", L"1");
  form->SetValue(L"txtXt_Any", L"tcos(t)");
  form->SetValue(L"txtYt_Any", L"tsin(t)");
  form->Click(L"cmdOK_Any");
  ASSERT_EQ(form->Graph().paramTable.size(), 1u) << "the spiral stays inside -10..10";
  form->Click(L"cmdOK");
  auto spiral = doc->GetShapes()->Item(1)->GroupItems()->Item(6);
  EXPECT_GT(spiral->Width(), 50) << "a spiral, not a 0 x 0 shape";
  // x(t) = atn(t) is the arctangent, not the line x = 0.
  form->SetValue(L"txtXt_Any", L"atn(t)");
  form->SetValue(L"txtYt_Any", L"t");
  form->SetValue(L"txtTmax_Any", L"5");
  form->Click(L"cmdOK_Any");
  EXPECT_EQ(form->Graph().paramTable.at(1).xExpression, L"atn(x)");
  // A polar curve that leaves the frame asks first; Cancel adds nothing.
  form->SetValue(L"optMode_Any", L"2");
  form->SetValue(L"txtRt_Any", L"3t");
  form->SetValue(L"txtTmax_Any", L"4*PI");
  ui.Queue(Answer::Cancel);
  form->Click(L"cmdOK_Any");
  EXPECT_EQ(ui.Boxes().back().text, L"您所要绘制的函数图像将有部分超出当前坐标范围，您还要继续作图吗？");
  EXPECT_TRUE(form->Graph().polarTable.empty());
  form->SetValue(L"txtRt_Any", L"abc");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");
  EXPECT_EQ(ui.Boxes().back().title, L" 数据输入有误，请检查后重新输入");
  EXPECT_TRUE(form->Graph().polarTable.empty());
}

}  // namespace
}  // namespace plx::graph

namespace plx::graph {
namespace {

TEST_F(FrmGraphTest, ChangeModeDeleteAndReset) {
  for (const wchar_t* k : {L"1", L"2", L"3"}) {
    form->SetValue(L"txtK_FBLHS", k);
    form->Click(L"cmdOK_FBLHS");
  }
  ASSERT_EQ(form->Graph().List1.size(), 4u);
  // Double-click the second figure: its k comes back and OK replaces it.
  form->DblClick(L"List1", 2);
  EXPECT_EQ(form->GetControl(L"txtK_FBLHS").text, L"2");
  EXPECT_EQ(form->GetControl(L"cmdChange").caption, L"修改图像");
  form->SetValue(L"txtK_FBLHS", L"5");
  form->Click(L"cmdOK_FBLHS");
  EXPECT_EQ(form->Graph().List1.size(), 4u);
  EXPECT_EQ(form->Graph().fblhsTable.at(1).k, 5);
  form->Click(L"cmdChange");
  EXPECT_EQ(form->GetControl(L"cmdChange").caption, L"添加图像");
  // Delete the first figure: its line goes, its record stays undrawn.
  ui.Queue(Answer::OK);
  form->Click(L"cmdResult");
  EXPECT_EQ(ui.Boxes().back().text, L"您没有选择任何需要删除的对象");
  form->SetValue(L"List1", L"1");
  form->Click(L"cmdResult");
  EXPECT_EQ(form->Graph().List1,
            (std::vector<std::wstring>{L"平面直角坐标系(ZBX)", L"反比例函数(FBLHS) 2", L"反比例函数(FBLHS) 3"}));
  form->Click(L"cmdOK");
  form->Click(L"cmdOK");
  ASSERT_EQ(doc->GetShapes()->Count(), 2) << "each insertion is its own group";
  EXPECT_EQ(doc->GetShapes()->Item(1)->GroupItems()->Count(), 5 + 4) << "the axes and two figures of two branches";
  // Reset asks first; No keeps everything.
  ui.Queue(Answer::No);
  form->Click(L"cmdReset");
  EXPECT_EQ(form->Graph().List1.size(), 3u);
  ui.Queue(Answer::Yes);
  form->SetValue(L"txtK_FBLHS", L"7");
  form->Click(L"cmdReset");
  EXPECT_EQ(form->Graph().List1, std::vector<std::wstring>{L"平面直角坐标系(ZBX)"});
  EXPECT_TRUE(form->Graph().fblhsTable.empty());
  EXPECT_EQ(form->GetControl(L"txtK_FBLHS").text, L"1");
}

TEST_F(FrmGraphTest, ThePreviewDrawsTheChosenLineStyle) {
  EXPECT_EQ(form->PreviewSvg().find("stroke-dasharray"), std::string::npos);
  form->SetValue(L"cmbStyle", L"2");
  const std::string sample = form->PreviewSvg();
  EXPECT_NE(sample.find("stroke-dasharray"), std::string::npos) << "the sample line dashed";
  form->SetValue(L"txtK_FBLHS", L"1");
  form->Click(L"cmdOK_FBLHS");
  const auto dashes = [](const std::string& svg) {
    size_t n = 0;
    for (size_t at = svg.find("stroke-dasharray"); at != std::string::npos; at = svg.find("stroke-dasharray", at + 1)) ++n;
    return n;
  };
  EXPECT_GT(dashes(form->PreviewSvg()), dashes(sample)) << "the figure drawn dashed as it will be inserted";
}

TEST_F(FrmGraphTest, FrameEditsMoveAndResizeByWholeUnits) {
  form->SetValue(L"labColor", L"255");
  EXPECT_NE(form->PreviewSvg().find("stroke:rgb(100%,0%,0%)"), std::string::npos) << "the sample line in red";
  form->SetValue(L"HScrollx", L"2");
  EXPECT_EQ(form->Graph().frame.xmin, -12);
  EXPECT_EQ(form->Graph().frame.xmax, 8);
  EXPECT_EQ(form->GetControl(L"HScrollx").text, L"0") << "the scroll bar returns to 0";
  EXPECT_EQ(form->GetControl(L"txtXmin").text, L"-12");
  form->SetValue(L"udLenOfAxis", L"1");
  EXPECT_EQ(form->Graph().frame.xmin, -13);
  EXPECT_EQ(form->Graph().frame.ymax, 11);
  form->SetValue(L"txtLenOfAxis_y", L"8");
  EXPECT_EQ(form->Graph().frame.ymin, -4);
  EXPECT_EQ(form->Graph().frame.ymax, 4);
  form->SetValue(L"HScrolly", L"-40000");
  EXPECT_EQ(form->Graph().frame.ymin, -4) << "a move past the 16-bit range is refused";
  // No axes: the frame line goes and ticks are off; back on, it returns at the end.
  form->SetValue(L"chkDrawScale", L"1");
  form->SetValue(L"chkWG", L"1");
  form->SetValue(L"chkNoCoordinate", L"1");
  EXPECT_EQ(form->Graph().List1, std::vector<std::wstring>{L"坐标网格(ZBWG)"});
  EXPECT_FALSE(form->GetControl(L"chkDrawScale").enabled);
  EXPECT_EQ(form->Graph().frame.drawTicks, 0);
  form->Click(L"cmdCls");
  EXPECT_EQ(form->Graph().List1, std::vector<std::wstring>{L"坐标网格(ZBWG)"})
      << "清屏 keeps the frame line off while no axes are wanted, and the grid while it is checked";
  form->SetValue(L"chkNoCoordinate", L"0");
  EXPECT_EQ(form->Graph().List1, (std::vector<std::wstring>{L"坐标网格(ZBWG)", L"平面直角坐标系(ZBX)"}));
  EXPECT_TRUE(form->GetControl(L"chkDrawScale").enabled);
}

}  // namespace
}  // namespace plx::graph
