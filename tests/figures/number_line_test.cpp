// The number line and the solution sets drawn above it.
#include <cmath>

#include "common/error.hpp"
#include "docif/range.hpp"
#include "figures/figure_shapes.hpp"
#include "figures/frm_interval.hpp"
#include "figures/inequality.hpp"
#include "figures/number_line.hpp"
#include "support/error_number.hpp"
#include "support/sqlite_util.hpp"
#include "figures/figure_test.hpp"

namespace plx::figures {
namespace {

using test::ErrorNumberOf;
using test::FigureTest;

TEST(Inequality, PatternsGiveTheKindAndEndpointsOfEachForm) {
  struct Case {
    const wchar_t* text;
    const wchar_t* kind;
    const wchar_t* a;
    const wchar_t* b;
  };
  for (const Case& c : {Case{L"x>=3", L"NoLessThanA", L"3", L""}, Case{L"x>3", L"BigThanA", L"3", L""},
                        Case{L"3>x", L"LessThanA", L"3", L""}, Case{L"3>=x", L"NoBigThanA", L"3", L""},
                        Case{L"x<=gh(2)", L"NoBigThanA", L"gh(2)", L""}, Case{L"-2<X", L"BigThanA", L"-2", L""},
                        Case{L"-1<x<=2", L"BTaNBTb", L"-1", L"2"}, Case{L"-1<=x<2", L"NLTaLTb", L"-1", L"2"},
                        Case{L"2>=x>-1", L"BTaNBTb", L"-1", L"2"}, Case{L"2>x>=-1", L"NLTaLTb", L"-1", L"2"},
                        // More than one "=": non-strict alone, strict on both sides of x.
                        Case{L"x>==3", L"NoLessThanA", L"3", L""}, Case{L"-1<==x<==2", L"BTaLTb", L"-1", L"2"},
                        Case{L"2>==x>==-1", L"BTaLTb", L"-1", L"2"}}) {
    auto intervals = ReadInequality(c.text);
    ASSERT_TRUE(intervals) << WideToUtf8(c.text);
    ASSERT_EQ(intervals->size(), 1u) << WideToUtf8(c.text);
    EXPECT_EQ((*intervals)[0].kind, c.kind) << WideToUtf8(c.text);
    EXPECT_EQ((*intervals)[0].a, c.a) << WideToUtf8(c.text);
    EXPECT_EQ((*intervals)[0].b, c.b) << WideToUtf8(c.text);
  }
  EXPECT_FALSE(ReadInequality(L"x=3"));
  EXPECT_TRUE(EndAClosed(L"NLTaLTb") && !EndBClosed(L"NLTaLTb") && EndBClosed(L"BTaNBTb"));
  EXPECT_TRUE(EndAClosed(L"NoBigThanA") && !EndAClosed(L"BigThanA") && RunsRight(L"NoLessThanA"));
  EXPECT_EQ(PlainRelations(L"ｘ≥３，x≤1"), L"x>=3,x<=1");
}

TEST(Inequality, LinearInequalitiesAreSolvedAndCoefficientsOfXAreNotDropped) {
  graph::ScriptEngine engine;
  struct Case {
    const wchar_t* text;
    const wchar_t* relation;
    const wchar_t* boundary;
  };
  for (const Case& c : {Case{L"2x+1>x-3", L">", L"-4.00"}, Case{L"2x>4", L">", L"2.00"},
                        Case{L"-x>=3", L"<=", L"-3.00"}, Case{L"x+1<3x", L">", L"0.50"},
                        Case{L"3x<>1", L"<>", L"0.33"}}) {
    ASSERT_TRUE(NeedsSolver(c.text)) << WideToUtf8(c.text);
    auto s = SolveLinearInequality(engine, c.text);
    ASSERT_TRUE(s) << WideToUtf8(c.text);
    EXPECT_EQ(s->relation, c.relation) << WideToUtf8(c.text);
    EXPECT_EQ(s->boundary, c.boundary) << WideToUtf8(c.text);
  }
  EXPECT_FALSE(NeedsSolver(L"x>=3") || NeedsSolver(L"3>x") || NeedsSolver(L"-1<x<=2"));
  EXPECT_EQ(SolveLinearInequality(engine, L"x+1>x")->kind, LinearSolution::Kind::AllNumbers);
  EXPECT_EQ(SolveLinearInequality(engine, L"x+1<x")->kind, LinearSolution::Kind::Empty);
  EXPECT_FALSE(SolveLinearInequality(engine, L"2x+1=x"));
  EXPECT_EQ(SolutionIntervals(*SolveLinearInequality(engine, L"2x<>x+1")).size(), 2u);
}

TEST(NumberLineRange, XmaxAndLengthRoundHalfToEvenAndOverflowIsAnError) {
  IntervalState s;
  NumberLine::ReadRange(s, L" -2.5 ", L"5.5", L"8");
  EXPECT_EQ(s.xmax, 6);
  EXPECT_EQ(s.xmin, -2.5);
  EXPECT_EQ(s.L, 227);  // 8 × 28.4 = 227.2
  NumberLine::ReadRange(s, L"0", L"4.5", L"1");
  EXPECT_EQ(s.xmax, 4);
  EXPECT_THROW(NumberLine::ReadRange(s, L"0", L"40000", L"1"), VbError);
  s.xmin = 0;
  s.xmax = 0;
  EXPECT_THROW(NumberLine::ComputeUnit(s), VbError);
}

class IntervalDialog : public FigureTest {
 protected:
  std::shared_ptr<frmInterval> Dialog(const std::wstring& xmin, const std::wstring& xmax, const std::wstring& len) {
    auto f = Open<frmInterval>(L"frmInterval");
    f->SetValue(L"txtXmin", xmin);
    f->SetValue(L"txtXmax", xmax);
    f->SetValue(L"txtLengthOfAxis", len);
    f->SetValue(L"optType", L"0");
    return f;
  }
  // The axis line's y on the page (the figure was moved as a whole).
  float AxisY() { return One(L"数轴")->Points()[0].y; }
};

TEST_F(IntervalDialog, SolutionSetsRiseByFiveAndShowTheirEndpoints) {
  auto f = Dialog(L"-5", L"5", L"10");
  f->Focus(L"txtInequality");  // going to the inequality box chooses drawing solution sets
  EXPECT_EQ(f->GetControl(L"optType").value, 1);
  f->SetValue(L"txtInequality", L"x>1,x<3");
  f->Click(L"cmdOk");
  f->SetValue(L"txtInequality", L"x>=3");
  f->Click(L"cmdOk");
  EXPECT_EQ(f->GetControl(L"labCaption").caption, L"在word中绘制当前区间成功！");
  EXPECT_EQ(f->State().h, 25);
  f->Unload();
  ASSERT_EQ(doc->GetShapes()->Count(), 1);
  EXPECT_EQ(Role(doc->GetShapes()->Item(1)->Name()), L"区间");
  EXPECT_EQ(WithRole(L"数轴").size(), 1u) << "the number line is drawn once";
  const float axis = AxisY();
  auto brackets = WithRole(L"区间曲线");
  ASSERT_EQ(brackets.size(), 3u);
  const float u = 28;  // Int(284 / 10)
  const float origin = One(L"原点")->Points()[0].x;
  EXPECT_FLOAT_EQ(axis - brackets[0]->Points()[1].y, 10);
  EXPECT_FLOAT_EQ(axis - brackets[1]->Points()[1].y, 15);
  // x >= 3: a filled dot at 3 and a ray to 16 points past the last tick.
  auto ray = brackets[2]->Points();
  EXPECT_FLOAT_EQ(ray[0].x - origin, 3 * u);
  EXPECT_FLOAT_EQ(ray[2].x - origin, 5 * u + 16);
  auto dots = WithRole(L"点");
  ASSERT_EQ(dots.size(), 3u);
  EXPECT_EQ(dots[2]->Fill().ForeColor.value_or(7), 0u);
  EXPECT_EQ(dots[1]->Fill().ForeColor.value_or(7), 0xFFFFFFu) << "x<3 leaves 3 out";
  // Whole endpoints on automatic ticks carry no second label.
  EXPECT_TRUE(WithRole(L"文本3").empty());
}

TEST_F(IntervalDialog, FocusSelectsTheWholeTextOfTheNumberBoxes) {
  auto f = Dialog(L"-2.5", L"2", L"9");
  for (const wchar_t* box : {L"txtXmin", L"txtNumberList"}) {
    f->Focus(box);
    EXPECT_EQ(f->GetControl(box).selStart, 0u);
    EXPECT_EQ(f->GetControl(box).selLength, f->GetControl(box).text.size()) << WideToUtf8(box);
  }
  f->GetControl(L"txtXmax").enabled = false;
  EXPECT_EQ(ErrorNumberOf([&] { f->Focus(L"txtXmax"); }), 380);
}

TEST_F(IntervalDialog, AutomaticTicksStartAtAFractionalXminAndSkipNone) {
  auto f = Dialog(L"-2.5", L"2", L"9");
  f->Click(L"cmdOk");  // number line only: drawn, then the dialog closes
  EXPECT_FALSE(f->Loaded());
  for (const wchar_t* v : {L"-2.5", L"-1.5", L"-0.5", L"0.5", L"1.5"}) {
    EXPECT_EQ(WithRole(std::wstring(L"刻度") + v).size(), 1u) << WideToUtf8(v);
    EXPECT_EQ(One(std::wstring(L"文字") + v)->TextRange()->Text(), v);
  }
  EXPECT_TRUE(WithRole(L"刻度2").empty());
  EXPECT_EQ(One(L"数轴标识x")->TextRange()->Text(), L"x");
}

TEST_F(IntervalDialog, DefinedTicksTypesetFractionsAsTallFormulaLabels) {
  auto f = Dialog(L"-1", L"2", L"6");
  f->SetValue(L"optKD", L"1");
  f->SetValue(L"txtNumberList", L"1/2,２,1,");
  f->SetValue(L"chkNoX", L"1");
  f->Click(L"cmdOk");
  auto half = One(L"文字1/2");
  ASSERT_TRUE(half);
  EXPECT_FLOAT_EQ(static_cast<float>(half->Height()), 40);
  ASSERT_EQ(half->TextRange()->GetFields()->Count(), 1);
  EXPECT_TRUE(StartsWith(half->TextRange()->GetFields()->Item(1)->Code()->Text(), L"EQ "));
  EXPECT_EQ(One(L"文字2")->TextRange()->Text(), L"2");
  EXPECT_TRUE(WithRole(L"文字1").empty()) << "1 has its own tick";
  EXPECT_TRUE(WithRole(L"数轴标识x").empty());
}

TEST_F(IntervalDialog, EndpointsAreLabelledOnceWhateverTheTicks) {
  auto f = Dialog(L"-3", L"4", L"8");
  f->SetValue(L"optType", L"1");
  f->SetValue(L"optKD", L"1");
  f->SetValue(L"txtNumberList", L"-2,1/2,3");
  f->SetValue(L"txtInequality", L"1/2<=x<3,x<gh(2),x>-1.5");
  f->Click(L"cmdOk");
  EXPECT_TRUE(WithRole(L"文本a").empty()) << "1/2 is written by its tick";
  EXPECT_TRUE(WithRole(L"文本b").empty()) << "a whole endpoint beside defined ticks";
  auto root = One(L"文本gh(2)");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->TextRange()->GetFields()->Count(), 1) << "typed as a root, written as one";
  EXPECT_EQ(One(L"文本-1.5")->TextRange()->Text(), L"-1.5");
  f->Unload();
}

TEST_F(IntervalDialog, BadRangesAndInequalitiesAreReportedAndNothingCrashes) {
  auto f = Dialog(L"1", L"5", L"8");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_EQ(LastBox(), L"为了保证画出数轴的三要素，x的最小值不应大于0且最大值不应小于0！");
  EXPECT_EQ(f->GetControl(L"txtXmin").text, L"0");
  f->SetValue(L"txtXmin", L"0");
  f->SetValue(L"txtXmax", L"0");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_EQ(ui.Boxes().back().title, L"错误号: 11");
  EXPECT_EQ(doc->GetShapes()->Count(), 0);

  f->SetValue(L"txtXmin", L"-3");
  f->SetValue(L"txtXmax", L"3");
  f->SetValue(L"optType", L"1");
  f->SetValue(L"txtInequality", L"x>1,x=2,x<0");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_EQ(LastBox(), L"您输入的字符串中可能包含有无法识别的符号");
  EXPECT_EQ(WithRole(L"区间曲线").size(), 1u) << "x>1 stays, x<0 is not drawn";
  f->SetValue(L"txtInequality", L"2x+1=x");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_EQ(LastBox(), L"您输入的不是一个不等式,请检查后重新输入！");
  f->SetValue(L"txtInequality", L"x>1e300");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_TRUE(StartsWith(LastBox(), L"区间的端点1e300不在数轴的取值范围（-3～3）内")) << WideToUtf8(LastBox());
  f->SetValue(L"txtInequality", L"x>2+");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_TRUE(StartsWith(ui.Boxes().back().title, L"错误号:"));
  f->Unload();
  EXPECT_EQ(doc->GetShapes()->Count(), 1);
}

TEST_F(IntervalDialog, LaterSetsUseTheDrawnAxisAndTheCaptionTellsWhetherAllWereDrawn) {
  auto f = Dialog(L"-5", L"5", L"10");
  f->SetValue(L"optType", L"1");
  f->SetValue(L"txtInequality", L"x>1");
  f->Click(L"cmdOk");
  // The boxes change after the axis is drawn: the next set is drawn on it.
  f->SetValue(L"txtLengthOfAxis", L"5");
  f->SetValue(L"txtXmin", L"－３");
  f->SetValue(L"txtInequality", L"x<=\u22122");  // the minus sign of a copied text
  f->Click(L"cmdOk");
  EXPECT_EQ(f->GetControl(L"labCaption").caption, L"在word中绘制当前区间成功！");
  EXPECT_TRUE(ui.Boxes().empty());
  auto brackets = WithRole(L"区间曲线");
  ASSERT_EQ(brackets.size(), 2u);
  const float origin = One(L"原点")->Points()[0].x;
  EXPECT_FLOAT_EQ(brackets[1]->Points()[0].x - origin, -2 * 28) << "at the scale of the axis drawn, Int(284 / 10)";
  EXPECT_FLOAT_EQ(brackets[1]->Points()[2].x - origin, -5 * 28 - 16) << "the ray ends where the axis range does";

  f->SetValue(L"txtInequality", L"x>2,x>7");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_EQ(LastBox(), L"区间的端点7不在数轴的取值范围（-5～5）内，请关闭对话框，重新设置x的范围后再画");
  EXPECT_EQ(WithRole(L"区间曲线").size(), 3u) << "x>2 is drawn, no dot off the axis";
  EXPECT_EQ(f->GetControl(L"labCaption").caption, L"有区间没有画出，请检查输入的不等式");
  f->SetValue(L"txtInequality", L"x=1");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  EXPECT_EQ(LastBox(), L"您输入的字符串中可能包含有无法识别的符号");
  EXPECT_EQ(f->GetControl(L"labCaption").caption, L"有区间没有画出，请检查输入的不等式");
  f->Unload();
}

TEST_F(IntervalDialog, RemembersSevenValuesAndIgnoresARowOfAnotherLength) {
  auto f = Dialog(L"-4", L"6", L"7");
  f->SetValue(L"optType", L"1");
  f->SetValue(L"txtInequality", L"  x<2 ");
  f->Unload();
  const std::wstring db = install.File("config/config.mdb");
  EXPECT_EQ(test::QueryOne(db, "select Data from record where id=10"), "-4@@6@@7@@1@@0@@0@@x<2");
  auto again = Open<frmInterval>(L"frmInterval");
  EXPECT_EQ(again->GetControl(L"txtInequality").text, L"x<2");
  again->Dismiss();
  test::ExecSql(db, "update record set Data='-9@@9@@3@@0' where id=10");
  auto fresh = Open<frmInterval>(L"frmInterval");
  EXPECT_EQ(fresh->GetControl(L"txtXmin").text, L"-5");
  fresh->Dismiss();
}

}  // namespace
}  // namespace plx::figures
