// Regular polygons, grid paper and sectors, from their dialogs.
#include <cmath>
#include <numbers>
#include <set>

#include "figures/frm_plane_figures.hpp"
#include "figures/plane_figures.hpp"
#include "support/sqlite_util.hpp"
#include "figures/figure_test.hpp"

namespace plx::figures {
namespace {

using test::FigureTest;

double Distance(docif::PointF p, docif::PointF q) { return std::hypot(p.x - q.x, p.y - q.y); }

TEST(PlaneFigures, PolygonsHaveTheirCircumradiusAndEqualSides) {
  EXPECT_NEAR(Circumradius(4, 2), std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(Circumradius(3, 3), 3 / std::sqrt(3.0), 1e-12);
  for (int n : {3, 4, 6, 17}) {
    auto outline = PolygonOutline(n, 2);
    ASSERT_EQ(outline.size(), static_cast<size_t>(n + 1));
    EXPECT_EQ(outline.front(), outline.back());
    EXPECT_FLOAT_EQ(outline[0].y, 0) << "the first vertex is on the horizontal through the centre";
    for (int k = 0; k < n; ++k) EXPECT_NEAR(Distance(outline[k], outline[k + 1]), 2 * kPointsPerCm, 1e-3) << n;
  }
}

TEST(PlaneFigures, ArcsStepByATenthOfARadianAndEndExactlyAtTheAngle) {
  const double alpha = std::numbers::pi / 3;  // 60°: 11 steps of 0.1 and the end
  auto arc = ArcPoints(50, 0, alpha);
  ASSERT_EQ(arc.size(), 12u);
  for (const auto& p : arc) EXPECT_NEAR(std::hypot(p.x, p.y), 50, 1e-4);
  EXPECT_NEAR(arc.back().x, 25, 1e-4);
  EXPECT_NEAR(arc.back().y, 50 * std::sin(alpha), 1e-4);
  EXPECT_EQ(ArcPoints(50, 0, 0.3).size(), 4u) << "no repeated end point when α is a whole number of steps";
  auto sector = SectorOutline(SectorKind::Full, 50, 0, alpha);
  EXPECT_EQ(sector[sector.size() - 2], (docif::PointF{0, 0}));
  EXPECT_EQ(sector.back(), sector.front());
  auto segment = SectorOutline(SectorKind::Segment, 50, 0, alpha);
  EXPECT_EQ(segment.size(), arc.size() + 1);
  EXPECT_EQ(SectorOutline(SectorKind::Angle, 50, 0, alpha)[1], (docif::PointF{0, 0}));
}

class PlaneDialogs : public FigureTest {
 protected:
  // Draws grid paper of one construction and answers the message that ends it.
  void Grid(Form& f, const wchar_t* kind, const wchar_t* rows, const wchar_t* columns, const wchar_t* width) {
    f.SetValue(L"Option1", kind);
    f.SetValue(L"Text1(0)", rows);
    f.SetValue(L"Text1(1)", columns);
    f.SetValue(L"Text1(2)", width);
    ui.Queue(Answer::OK);
    f.Click(L"Command1");
  }
};

TEST_F(PlaneDialogs, PolygonIsGroupedWithItsCentreAndRemembered) {
  auto f = Open<frmZDBX>(L"frmZDBX");
  EXPECT_EQ(f->GetControl(L"txtBS").text, L"6") << "restored from the shipped row";
  f->SetValue(L"txtBS", L"4");
  f->SetValue(L"txtBC", L"2");
  f->SetValue(L"chkCenter", L"1");
  f->Click(L"Command1");
  ASSERT_EQ(doc->GetShapes()->Count(), 1);
  EXPECT_EQ(Role(doc->GetShapes()->Item(1)->Name()), L"正多边形");
  auto square = One(L"正4边形");
  auto dot = One(L"中心点");
  ASSERT_TRUE(square && dot);
  auto p = square->Points();
  const docif::PointF centre{static_cast<float>(dot->Left() + 1), static_cast<float>(dot->Top() + 1)};
  EXPECT_NEAR(Distance(p[0], centre), std::sqrt(2.0) * kPointsPerCm, 1e-3);
  EXPECT_NEAR(p[0].y, centre.y, 1e-3);
  for (const wchar_t* sides : {L"2", L"5.5", L"40000"}) {
    f->SetValue(L"txtBS", sides);
    ui.Queue(Answer::OK);
    f->Click(L"Command1");
    EXPECT_EQ(LastBox(), L"边数应是3到1000之间的整数，请检查您的数据！") << WideToUtf8(sides);
  }
  EXPECT_EQ(doc->GetShapes()->Count(), 1);
  // Typed with a Chinese input method.
  f->SetValue(L"txtBS", L"６");
  f->SetValue(L"txtBC", L"１．５");
  f->Click(L"Command1");
  EXPECT_EQ(WithRole(L"正6边形").size(), 1u);
  f->SetValue(L"txtBS", L"2");
  f->Unload();
  EXPECT_EQ(test::QueryOne(install.File("config/config.mdb"), "select Data from record where id=12"), "2@@１．５@@1");
}

TEST_F(PlaneDialogs, GridsOfOneCellAndTheirMessages) {
  auto f = Open<frmFangGe>(L"frmFangGe");
  EXPECT_EQ(f->GetControl(L"Option1").value, 1);
  f->SetValue(L"Text1(0)", L"1");
  f->SetValue(L"Text1(1)", L"1");
  f->SetValue(L"Text1(2)", L"1");
  for (const wchar_t* kind : {L"1", L"2", L"3", L"0"}) {
    f->SetValue(L"Option1", kind);
    ui.Queue(Answer::OK);
    f->Click(L"Command1");
    EXPECT_EQ(LastBox(), L"方格绘制已经完成，如果不需要再绘制方格，请点退出按钮关闭");
  }
  EXPECT_TRUE(f->Loaded());
  // Lines and segments: two horizontal and two vertical lines each.
  EXPECT_EQ(WithRole(L"方格横线").size(), 4u);
  EXPECT_EQ(WithRole(L"方格竖线").size(), 4u);
  auto square = One(L"方块");
  ASSERT_TRUE(square);
  EXPECT_FLOAT_EQ(static_cast<float>(square->Width()), 28);
  EXPECT_EQ(WithRole(L"点(2,2)").size(), 1u);
  EXPECT_EQ(WithRole(L"点(2,3)").size(), 0u);
  EXPECT_EQ(WithRole(L"方格").size(), 3u) << "the single square keeps its own name";

  f->SetValue(L"Text1(0)", L"0");
  ui.Queue(Answer::OK);
  f->Click(L"Command1");
  EXPECT_EQ(LastBox(), L"行数不能为零或负数，请检查您的数据！");
  f->SetValue(L"Text1(0)", L"2");
  f->SetValue(L"Text1(1)", L"-1");
  ui.Queue(Answer::OK);
  f->Click(L"Command1");
  EXPECT_EQ(LastBox(), L"列数不能为零或负数，请检查您的数据！");
  f->SetValue(L"Text1(1)", L"20000");
  ui.Queue(Answer::OK);
  f->Click(L"Command1");
  EXPECT_EQ(LastBox(), L"方格太多（最多10000个），请减少行数或列数！");
  f->SetValue(L"Text1(1)", L"3");
  f->Unload();
  EXPECT_EQ(test::QueryOne(install.File("config/config.mdb"), "select Data from record where id=11"), "0@@2@@3@@1");
}

TEST_F(PlaneDialogs, GridsOfMoreThanAThousandCellsKeepUniqueNamesAndTellWhatEachKindIsFor) {
  auto f = Open<frmFangGe>(L"frmFangGe");
  EXPECT_EQ(f->GetControl(L"labDescription").caption,
            L"方格是由几条横线和竖线组合而成，这种类型的方格可以方便的将某几条边整体设为虚线。");
  f->SetValue(L"Option1", L"0");
  EXPECT_EQ(f->GetControl(L"labDescription").caption, L"每个方格只含有顶点，没有边线");
  // All in one second of the fixed clock: past the 999 numbers of the rule.
  Grid(*f, L"3", L"３２", L"32", L"0.2");
  EXPECT_EQ(LastBox(), L"方格绘制已经完成，如果不需要再绘制方格，请点退出按钮关闭");
  std::set<std::wstring> names;
  for (const auto& square : WithRole(L"方块")) names.insert(square->Name());
  EXPECT_EQ(names.size(), 1024u);
  EXPECT_EQ(doc->GetShapes()->Count(), 1) << "one grouped figure";
  Grid(*f, L"2", L"23", L"23", L"0.2");
  EXPECT_EQ(WithRole(L"方格横线").size(), 2u * 23 * 23);
  EXPECT_EQ(doc->GetShapes()->Count(), 2);
  f->Dismiss();
}

TEST_F(PlaneDialogs, AFigureThatFailsPartWayLeavesNothingBehind) {
  FigureShapes shapes(*ctx);
  shapes.Line(L"方格横线", 0, 0, 10, 0);
  shapes.Shape(L"方块", docif::kAutoShapeRectangle, 0, 0, 10, 10, std::nullopt);
  shapes.TextBox(L"度角", 0, 0, 30, 20, L"60°");
  ASSERT_EQ(doc->GetShapes()->Count(), 3);
  shapes.Discard();
  EXPECT_EQ(doc->GetShapes()->Count(), 0);
  EXPECT_EQ(shapes.Count(), 0);
  shapes.Line(L"方格横线", 0, 0, 10, 0);
  EXPECT_TRUE(shapes.Finish(L"方格", std::nullopt)) << "the register starts afresh";
}

TEST_F(PlaneDialogs, NumberBoxesReadFullWidthDigits) {
  auto sector = Open<frmSector>(L"frmSector");
  sector->SetValue(L"txtRadius", L"２");
  sector->SetValue(L"txtAngle", L"９０");
  sector->Click(L"cmdOK_Sector");
  auto drawn = One(L"扇形");
  ASSERT_TRUE(drawn);
  EXPECT_NEAR(drawn->Width(), 2 * kPointsPerCm, 0.01) << "a quarter circle of radius 2 cm";
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(PlaneDialogs, SectorsAreFilledAndAnglesLabelled) {
  auto f = Open<frmSector>(L"frmSector");
  f->SetValue(L"txtRadius", L"2");
  f->SetValue(L"txtAngle", L"60");
  f->SetValue(L"chkColor", L"1");
  f->SetValue(L"labColor", L"255");
  f->Click(L"cmdOK_Sector");
  auto sector = One(L"扇形");
  ASSERT_TRUE(sector);
  EXPECT_EQ(sector->Fill().ForeColor.value_or(0), 255u);
  f->SetValue(L"optColor", L"1");
  f->SetValue(L"optSecType", L"2");
  f->Click(L"cmdOK_Sector");
  EXPECT_EQ(One(L"弓形")->Fill().Pattern.value_or(0), 21);
  f->SetValue(L"optSecType", L"3");
  f->SetValue(L"chkXZ", L"1");
  f->Click(L"cmdOK_Sector");
  auto label = One(L"度角");
  EXPECT_EQ(label->TextRange()->Text(), L"60°");
  // The label's line fits inside its margins, so the word processor shows it whole.
  const docif::TextFrameFormat frame = label->TextFrame();
  const double size = label->TextRange()->Font().Size.value_or(10.5);
  EXPECT_GE(label->Height() - frame.MarginTop.value_or(3.6) - frame.MarginBottom.value_or(3.6), 1.3 * size);
  EXPECT_GE(label->Width() - frame.MarginLeft.value_or(7.2) - frame.MarginRight.value_or(7.2), 3 * 0.6 * size);
  f->SetValue(L"optSecType", L"-1");
  f->Click(L"cmdOK_Sector");
  EXPECT_EQ(WithRole(L"扇形").size(), 3u) << "no figure chosen draws a full sector";
  f->SetValue(L"txtRadius", L"0");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOK_Sector");
  EXPECT_EQ(LastBox(), L"半径不能为零或负数!");
  f->SetValue(L"txtRadius", L"1");
  f->SetValue(L"txtAngle", L"400");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOK_Sector");
  EXPECT_EQ(LastBox(), L"圆心角应大于0度且不大于360度！");
}

TEST_F(PlaneDialogs, PieChartSplitsTheCircleByTheRatios) {
  auto f = Open<frmSector>(L"frmSector");
  f->SetValue(L"optSector", L"1");
  f->SetValue(L"txtRadius", L"2");
  f->SetValue(L"txtAngle", L"0");  // not used by the chart
  f->SetValue(L"txtData", L"1：1、2");
  f->Click(L"cmdOK_Sector");
  auto sectors = WithRole(L"扇形");
  ASSERT_EQ(sectors.size(), 3u);
  // Each sector runs from the centre's first radius round to its end angle:
  // a quarter, a quarter, a half.
  const auto centre = sectors[0]->Points()[sectors[0]->Points().size() - 2];
  const double r = 2 * kPointsPerCm;
  const auto angleOf = [&](docif::PointF p) { return std::atan2(p.y - centre.y, p.x - centre.x); };
  const double ends[] = {std::numbers::pi / 2, std::numbers::pi, 0};
  for (size_t i = 0; i < 3; ++i) {
    auto p = sectors[i]->Points();
    EXPECT_NEAR(std::hypot(p[p.size() - 3].x - centre.x, p[p.size() - 3].y - centre.y), r, 1e-3);
    EXPECT_NEAR(std::fabs(std::remainder(angleOf(p[p.size() - 3]) - ends[i], 2 * std::numbers::pi)), 0, 1e-4) << i;
  }
  auto labels = WithRole(L"文本标识");
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0]->TextRange()->Text(), L"25%");
  EXPECT_EQ(labels[2]->TextRange()->Text(), L"50%");
  EXPECT_EQ(WithRole(L"扇形统计图").size(), 1u);
  f->SetValue(L"txtData", L"3:-1");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOK_Sector");
  EXPECT_TRUE(StartsWith(LastBox(), L"各扇形面积的比应是正数"));
  EXPECT_EQ(WithRole(L"扇形").size(), 3u);
}

}  // namespace
}  // namespace plx::figures
