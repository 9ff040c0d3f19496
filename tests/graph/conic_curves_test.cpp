// The conic sections: the generators' ovals, dots and lines in page points,
// the general equations reduced, the tabs' checks, a session through all
// four tabs and a figure loaded back by a double-click on the list.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "common/text.hpp"
#include "graph/curves/conic_curves.hpp"
#include "graph/curves/conic_geometry.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::graph {
namespace {

std::wstring Role(const docif::ShapePtr& s) { return Split(s->Name(), L"：")[0]; }

class ConicTest : public test::DocumentAddinTest {
 protected:
  void SetUp() override {
    DocumentAddinTest::SetUp();
    std::deque<double> numbers;
    for (int i = 1; i < 400; ++i) numbers.push_back(i / 401.0);
    random = ScriptedRandom(numbers);
    g.OriginX = 300;
    g.OriginY = 400;
    g.UnitLength = 6;
  }
  docif::ShapePtr Shape(int i) { return doc->GetShapes()->Item(i); }
  std::vector<std::wstring> Roles(const std::shared_ptr<docif::ShapeRange>& items) {
    std::vector<std::wstring> roles;
    for (int i = 1; i <= items->Count(); ++i) roles.push_back(Role(items->Item(i)));
    return roles;
  }
  std::vector<std::wstring> Roles() {
    std::vector<std::wstring> roles;
    for (int i = 1; i <= doc->GetShapes()->Count(); ++i) roles.push_back(Role(Shape(i)));
    return roles;
  }
  // A shape's points back in coordinate units.
  std::vector<std::pair<double, double>> Units(const docif::ShapePtr& s) {
    std::vector<std::pair<double, double>> out;
    for (auto p : s->Points()) out.emplace_back((p.x - g.OriginX) / g.UnitLength, (g.OriginY - p.y) / g.UnitLength);
    return out;
  }
  // The centre of a dot in coordinate units, after checking its size.
  std::pair<double, double> DotAt(const docif::ShapePtr& s) {
    EXPECT_FLOAT_EQ(s->Width(), 2.4f);
    EXPECT_FLOAT_EQ(s->Height(), 2.4f);
    return {(s->Left() + 1.2 - g.OriginX) / g.UnitLength, (g.OriginY - s->Top() - 1.2) / g.UnitLength};
  }
  GraphContext g;
};

TEST_F(ConicTest, CircleIsAnOvalAroundItsCentre) {
  YuanRecord circle{L"xyr", 0, 0, 2, true, {3, 1.5f, 255}};
  DrawCircle(*ctx, g, circle);
  ASSERT_EQ(doc->GetShapes()->Count(), 2);
  auto oval = Shape(1);
  EXPECT_EQ(Role(oval), L"圆");
  EXPECT_EQ(oval->AutoShapeType(), docif::kAutoShapeOval);
  EXPECT_FLOAT_EQ(oval->Left(), 288);  // OriginX − 12
  EXPECT_FLOAT_EQ(oval->Top(), 388);
  EXPECT_FLOAT_EQ(oval->Width(), 24);
  EXPECT_FLOAT_EQ(oval->Height(), 24);
  EXPECT_EQ(oval->Fill().Visible, false);
  EXPECT_EQ(oval->Line().DashStyle, 4) << "style 3 is a dashed line";
  EXPECT_EQ(oval->Line().ForeColor, 255u);
  EXPECT_EQ(Role(Shape(2)), L"圆心");
  auto [cx, cy] = DotAt(Shape(2));
  EXPECT_NEAR(cx, 0, 1e-4);
  EXPECT_NEAR(cy, 0, 1e-4);
}

TEST_F(ConicTest, EllipseFociDirectricesAndAxes) {
  ConicRecord e{L"bx", 0, 0, 25, 9, false, 0, 0, true, true, true, false, {}};
  DrawEllipse(*ctx, g, e);
  EXPECT_EQ(Roles(), (std::vector<std::wstring>{L"椭圆", L"椭圆左焦点", L"椭圆右焦点", L"椭圆左准线", L"椭圆右准线",
                                                L"椭圆对称轴", L"椭圆对称轴"}));
  EXPECT_FLOAT_EQ(Shape(1)->Left(), 270);  // X(−5)
  EXPECT_FLOAT_EQ(Shape(1)->Top(), 382);   // Y(3)
  EXPECT_FLOAT_EQ(Shape(1)->Width(), 60);  // 2a · 6
  EXPECT_FLOAT_EQ(Shape(1)->Height(), 36);
  EXPECT_NEAR(DotAt(Shape(2)).first, -4, 1e-4);
  EXPECT_NEAR(DotAt(Shape(3)).first, 4, 1e-4);
  auto left = Units(Shape(4)), right = Units(Shape(5));
  EXPECT_NEAR(left[0].first, -6.25, 1e-5);
  EXPECT_NEAR(right[1].first, 6.25, 1e-5);
  EXPECT_NEAR(left[0].second, -10, 1e-5) << "directrices run across the frame";
  EXPECT_NEAR(left[1].second, 10, 1e-5);

  for (int i = doc->GetShapes()->Count(); i >= 1; --i) Shape(i)->Delete();
  e = {L"pyy", 1, -2, 25, 9, true, 0, 0, true, true, false, false, {}};
  DrawEllipse(*ctx, g, e);
  EXPECT_EQ(Roles(), (std::vector<std::wstring>{L"椭圆", L"椭圆上焦点", L"椭圆下焦点", L"椭圆上准线", L"椭圆下准线"}));
  EXPECT_FLOAT_EQ(Shape(1)->Width(), 36) << "the focal axis is vertical";
  EXPECT_NEAR(DotAt(Shape(2)).second, 2, 1e-4);
  EXPECT_NEAR(Units(Shape(5))[0].second, -2 - 6.25, 1e-5);
}

TEST_F(ConicTest, HyperbolaBranchesAsymptotesAndDirectrices) {
  ConicRecord h{L"bx", 0, 0, 9, 16, false, -10, 10, true, true, false, true, {}};
  DrawHyperbola(*ctx, g, h);
  EXPECT_EQ(Roles(), (std::vector<std::wstring>{L"双曲线左支", L"双曲线右支", L"左焦点", L"右焦点", L"左准线",
                                                L"右准线", L"渐近线", L"渐近线"}));
  for (int branch : {1, 2})
    for (auto [x, y] : Units(Shape(branch))) {
      EXPECT_NEAR(x * x / 9 - y * y / 16, 1, 0.01) << x << "," << y;
      EXPECT_TRUE(branch == 1 ? x < 0 : x > 0);
    }
  EXPECT_NEAR(Units(Shape(1)).front().second, -10, 1e-4) << "sampled over y, across the focal axis";
  EXPECT_NEAR(DotAt(Shape(3)).first, -5, 1e-4);
  EXPECT_NEAR(DotAt(Shape(4)).first, 5, 1e-4);
  EXPECT_NEAR(Units(Shape(5))[0].first, -1.8, 1e-5);
  EXPECT_NEAR(Units(Shape(6))[0].first, 1.8, 1e-5);
  for (int i : {7, 8}) {
    auto ends = Units(Shape(i));
    const double slope = i == 7 ? 4.0 / 3 : -4.0 / 3;
    for (auto [x, y] : ends) EXPECT_NEAR(y, slope * x, 1e-4);
    EXPECT_NEAR(std::fabs(ends[0].second), 10, 1e-4) << "clipped where it leaves the frame";
    EXPECT_NEAR(std::fabs(ends[0].first), 7.5, 1e-4);
  }

  // y²/16 − x²/9 = 1: sampled over x, the asymptotes y = ±(a/b)x.
  for (int i = doc->GetShapes()->Count(); i >= 1; --i) Shape(i)->Delete();
  h = {L"by", 0, 0, 16, 9, true, -6, 6, true, false, false, true, {}};
  DrawHyperbola(*ctx, g, h);
  EXPECT_EQ(Roles(), (std::vector<std::wstring>{L"双曲线下半支", L"双曲线上半支", L"双曲线下焦点", L"双曲线上焦点",
                                                L"渐近线", L"渐近线"}));
  for (auto [x, y] : Units(Shape(1))) EXPECT_NEAR(y * y / 16 - x * x / 9, 1, 0.01);
  EXPECT_NEAR(DotAt(Shape(3)).second, -5, 1e-4);
  for (auto [x, y] : Units(Shape(5))) EXPECT_NEAR(y, 4 * x / 3, 1e-4);
}

TEST_F(ConicTest, ParabolaSampledAlongItsAxisWithFocusAndDirectrix) {
  PWXRecord p;
  p.form = L"2px";  // y² = 4x
  p.p = 2;
  p.from = -4;
  p.to = 4;
  p.focus = p.directrix = p.axis = true;
  DrawParabola(*ctx, g, p);
  EXPECT_EQ(Roles(), (std::vector<std::wstring>{L"抛物线", L"抛物线焦点", L"抛物线准线", L"抛物线对称轴"}));
  auto curve = Units(Shape(1));
  EXPECT_NEAR(curve.front().second, -4, 1e-4) << "y runs over the range";
  EXPECT_NEAR(curve.back().second, 4, 0.051) << "the last sample lies within a step of the end";
  for (auto [x, y] : curve) EXPECT_NEAR(y * y, 4 * x, 0.01);
  EXPECT_NEAR(DotAt(Shape(2)).first, 1, 1e-4);
  EXPECT_NEAR(Units(Shape(3))[0].first, -1, 1e-5);
  EXPECT_NEAR(Units(Shape(4))[0].second, 0, 1e-5);

  // y = x² − 2x: vertex (1, −1), focus 1/4 above it.
  for (int i = doc->GetShapes()->Count(); i >= 1; --i) Shape(i)->Delete();
  p = {L"ax2", 0, 1, -2, 0, 0, 0, -1, 3, true, true, false, {}};
  DrawParabola(*ctx, g, p);
  auto [fx, fy] = DotAt(Shape(2));
  EXPECT_NEAR(fx, 1, 1e-4);
  EXPECT_NEAR(fy, -0.75, 1e-4);
  EXPECT_NEAR(Units(Shape(3))[0].second, -1.25, 1e-5);
}

TEST(ConicReduction, GeneralFormsByCompletingTheSquare) {
  CircleParts c = ReduceCircle(-2, 4, -4);
  EXPECT_EQ(c.a, 1);
  EXPECT_EQ(c.b, -2);
  EXPECT_EQ(c.r2, 9);
  ConicRecord r;
  // 4x² + 9y² − 8x + 36y + 4 = 0 is (x − 1)²/9 + (y + 2)²/4 = 1.
  ASSERT_EQ(ReduceGeneralEllipse(4, 9, -8, 36, 4, r), Reduction::Ok);
  EXPECT_EQ(std::tie(r.x0, r.y0, r.a2, r.b2, r.fociOnY), std::make_tuple(1.0, -2.0, 9.0, 4.0, false));
  ASSERT_EQ(ReduceGeneralEllipse(9, 4, 0, 0, -36, r), Reduction::Ok);
  EXPECT_TRUE(r.fociOnY);
  EXPECT_EQ(r.a2, 9);
  EXPECT_EQ(ReduceGeneralEllipse(2, 2, 0, 0, -1, r), Reduction::WrongSigns);
  EXPECT_EQ(ReduceGeneralEllipse(2, -3, 0, 0, -1, r), Reduction::WrongSigns);
  EXPECT_EQ(ReduceGeneralEllipse(2, 3, 0, 0, 1, r), Reduction::NoCurve);
  // 16x² − 9y² − 144 = 0 is x²/9 − y²/16 = 1; with the signs swapped the foci lie on y.
  ASSERT_EQ(ReduceGeneralHyperbola(16, -9, 0, 0, -144, r), Reduction::Ok);
  EXPECT_EQ(std::tie(r.a2, r.b2, r.fociOnY), std::make_tuple(9.0, 16.0, false));
  ASSERT_EQ(ReduceGeneralHyperbola(-16, 9, 32, 0, -160, r), Reduction::Ok);
  EXPECT_EQ(std::tie(r.x0, r.a2, r.b2, r.fociOnY), std::make_tuple(1.0, 16.0, 9.0, true));
  EXPECT_EQ(ReduceGeneralHyperbola(1, 1, 0, 0, -1, r), Reduction::WrongSigns);
  EXPECT_EQ(ReduceGeneralHyperbola(1, -1, 0, 0, 0, r), Reduction::NoCurve) << "x² = y² is a pair of lines";
}

class ConicTabTest : public ConicTest {
 protected:
  void SetUp() override {
    ConicTest::SetUp();
    form = std::make_shared<frmGraph>(*ctx);
    form->Show();
  }
  void TearDown() override { form->Unload(); }
  // Clicks the tab's "确定" expecting one box with `text`, answered with
  // `answer`; nothing is added.
  void Rejects(const std::wstring& tab, const std::wstring& text, Answer answer = Answer::OK) {
    const size_t lines = form->Graph().List1.size();
    ui.Queue(answer);
    form->Click(L"cmdOK_" + tab);
    EXPECT_EQ(ui.Boxes().back().text, text);
    EXPECT_EQ(form->Graph().List1.size(), lines);
  }
  std::shared_ptr<frmGraph> form;
};

TEST_F(ConicTabTest, ChecksRejectBadCoefficients) {
  const std::wstring noForm = L"您还没有选择任何方程类型！请选择方程类型后再作图。";
  Rejects(L"Yuan", noForm);
  Rejects(L"PWX", noForm);
  form->SetValue(L"optType_Yuan", L"2");
  form->SetValue(L"txtF_Yuan", L"5");  // x² + y² + 5 = 0
  Rejects(L"Yuan", L"圆的半径不能为负或者零，请检查后重新输入。");
  form->SetValue(L"optType_TY", L"0");
  form->SetValue(L"txtA2_TY", L"4");
  form->SetValue(L"txtB2_TY", L"4");
  Rejects(L"TY", L"椭圆中a要大于b，请检查你的数据！");
  form->SetValue(L"txtB2_TY", L"-1");
  Rejects(L"TY", L"椭圆中,a,b应均为正数。");
  form->SetValue(L"optType_TY", L"4");
  form->SetValue(L"txtB_TY", L"1");  // x² + y² − 4 = 0 is a circle
  Rejects(L"TY", L"在椭圆的一般式方程中应保证A,B同号且不相等。");
  form->SetValue(L"optType_SQX", L"1");
  form->SetValue(L"txtA2_SQX", L"0");
  Rejects(L"SQX", L"a^2或b^2必须是正数");
  form->SetValue(L"optType_SQX", L"4");
  form->SetValue(L"txtB_SQX", L"2");
  Rejects(L"SQX", L"在双曲线的一般式方程中，A,B不能同号");
  form->SetValue(L"optType_PWX", L"0");
  form->SetValue(L"txtMin_PWX", L"3");
  form->SetValue(L"txtMax_PWX", L"1");
  Rejects(L"PWX", L"您所输入的数据范围有误，请检查后重新输入！");
  form->SetValue(L"txtMin_PWX", L"");
  form->SetValue(L"txtMax_PWX", L"");
  form->SetValue(L"txtP_PWX", L"0");
  Rejects(L"PWX", L"抛物线的参数p不能为0。");
  form->SetValue(L"optType_Yuan", L"1");
  form->SetValue(L"txtR_Yuan", L"abc");
  Rejects(L"Yuan", L"无法识别的符号“abc”");
  // A circle reaching past the frame asks first; Cancel adds nothing.
  form->SetValue(L"txtR_Yuan", L"11");
  Rejects(L"Yuan", L"您所要绘制的函数图像将有部分超出当前坐标范围，您还要继续作图吗？", Answer::Cancel);
  EXPECT_TRUE(form->Graph().yuanTable.empty());
}

TEST_F(ConicTabTest, SessionThroughAllFourTabsAndInsertion) {
  // Stroked outlines of more than one segment: the curves, not the lines.
  auto polylines = [&] {
    const std::string svg = form->PreviewSvg();
    size_t n = 0;
    for (size_t at = svg.find("fill:none;"); at != std::string::npos; at = svg.find("fill:none;", at + 1)) {
      const size_t d = svg.find("d=\"", at), end = svg.find('"', d + 3);
      size_t segments = 0;
      for (size_t l = svg.find(" L ", d); l < end; l = svg.find(" L ", l + 1)) ++segments;
      n += segments >= 2;
    }
    return n;
  };
  const size_t framePolylines = polylines();
  form->SetValue(L"optType_Yuan", L"1");  // (x − 1)² + (y − 2)² = 9
  form->SetValue(L"txtA_Yuan", L"1");
  form->SetValue(L"txtB_Yuan", L"2");
  form->SetValue(L"txtR_Yuan", L"3");
  form->SetValue(L"chkCentreOfCircle", L"1");
  form->Click(L"cmdOK_Yuan");
  form->SetValue(L"optType_TY", L"4");  // 4x² + 9y² − 36 = 0
  form->SetValue(L"txtA_TY", L"4");
  form->SetValue(L"txtB_TY", L"9");
  form->SetValue(L"txtE_TY", L"-36");
  form->SetValue(L"chkFocus_TY", L"1");
  form->Click(L"cmdOK_TY");
  form->SetValue(L"optType_PWX", L"2");  // x² = 2y
  form->SetValue(L"chkDirectrix_PWX", L"1");
  form->Click(L"cmdOK_PWX");
  form->SetValue(L"optType_SQX", L"0");  // x²/9 − y²/16 = 1
  form->SetValue(L"txtA2_SQX", L"9");
  form->SetValue(L"txtB2_SQX", L"16");
  form->SetValue(L"chkJJX_SQX", L"1");
  form->Click(L"cmdOK_SQX");
  const GraphContext& gc = form->Graph();
  EXPECT_EQ(gc.List1, (std::vector<std::wstring>{L"平面直角坐标系(ZBX)", L"圆(Yuan) 1", L"椭圆(TY) 1", L"抛物线(PWX) 1",
                                                 L"双曲线(SQX) 1"}));
  EXPECT_EQ(gc.tyTable.at(0).a2, 9);
  // Empty range boxes: the part inside the frame, x² = 2y reaching y = 10 at |x| = √20.
  EXPECT_NEAR(gc.pwxTable.at(0).from, -4.47, 1e-9);
  EXPECT_NEAR(gc.pwxTable.at(0).to, 4.47, 1e-9);
  EXPECT_EQ(gc.sqxTable.at(0).from, -10);
  EXPECT_EQ(polylines() - framePolylines, 8u) << "circle, centre, ellipse, two foci, parabola and two branches on the preview";
  form->Click(L"cmdOK");
  auto roles = Roles(Shape(doc->GetShapes()->Count())->GroupItems());
  for (const wchar_t* role : {L"圆", L"圆心", L"椭圆", L"椭圆左焦点", L"椭圆右焦点", L"抛物线", L"抛物线准线",
                              L"双曲线左支", L"双曲线右支"})
    EXPECT_EQ(std::count(roles.begin(), roles.end(), role), 1) << WideToUtf8(role);
  EXPECT_EQ(std::count(roles.begin(), roles.end(), L"渐近线"), 2);
  // With one figure per drawing, the hyperbola tab starts a fresh list.
  form->SetValue(L"chkMultImage", L"0");
  form->Click(L"cmdOK_SQX");
  EXPECT_EQ(gc.List1, (std::vector<std::wstring>{L"平面直角坐标系(ZBX)", L"双曲线(SQX) 2"}));
}

TEST_F(ConicTabTest, DoubleClickLoadsAFigureBackAndChangesIt) {
  form->SetValue(L"optType_SQX", L"4");  // −16x² + 9y² + 32x − 160 = 0: foci on a line x = 1
  form->SetValue(L"txtA_SQX", L"-16");
  form->SetValue(L"txtB_SQX", L"9");
  form->SetValue(L"txtC_SQX", L"32");
  form->SetValue(L"txtE_SQX", L"-160");
  form->SetValue(L"txtMin_SQX", L"-5");
  form->SetValue(L"txtMax_SQX", L"7");
  form->Click(L"cmdOK_SQX");
  form->SetValue(L"optType_PWX", L"5");  // (y − 1)² = −2·3(x − 2)
  form->SetValue(L"txtP_PWX", L"3");
  form->SetValue(L"txtX0_PWX", L"2");
  form->SetValue(L"txtY0_PWX", L"1");
  form->SetValue(L"chkFocus_PWX", L"1");
  form->SetValue(L"labColor", L"255");
  form->Click(L"cmdOK_PWX");
  ASSERT_EQ(form->Graph().sqxTable.size(), 1u);
  ASSERT_EQ(form->Graph().pwxTable.size(), 1u);
  form->Click(L"cmdCancel_SQX");
  form->Click(L"cmdCancel_PWX");
  form->SetValue(L"labColor", L"0");

  form->DblClick(L"List1", 1);
  EXPECT_EQ(form->ValueText(L"optType_SQX"), L"3") << "a general equation comes back translated";
  EXPECT_EQ(form->ValueText(L"txtA2_SQX"), L"16");
  EXPECT_EQ(form->ValueText(L"txtB2_SQX"), L"9");
  EXPECT_EQ(form->ValueText(L"txtX0_SQX"), L"1");
  EXPECT_EQ(form->ValueText(L"txtMax_SQX"), L"7");
  form->DblClick(L"List1", 2);
  EXPECT_EQ(form->ValueText(L"optType_PWX"), L"5");
  EXPECT_EQ(form->ValueText(L"txtP_PWX"), L"3");
  EXPECT_EQ(form->ValueText(L"txtY0_PWX"), L"1");
  EXPECT_EQ(form->ValueText(L"chkFocus_PWX"), L"1");
  EXPECT_EQ(form->ValueText(L"labColor"), L"255");
  // In change mode "确定" replaces the figure instead of adding one.
  form->SetValue(L"txtP_PWX", L"1");
  form->SetValue(L"txtMin_PWX", L"");  // the part inside the frame again
  form->SetValue(L"txtMax_PWX", L"");
  form->Click(L"cmdOK_PWX");
  ASSERT_EQ(form->Graph().pwxTable.size(), 1u);
  EXPECT_EQ(form->Graph().pwxTable[0].p, 1);
  EXPECT_EQ(form->Graph().List1.size(), 3u);
}

}  // namespace
}  // namespace plx::graph
