// Marked points and feasible regions through the graph dialog's tabs: the
// shapes a point makes, the corners of a region and its hatched polygon, and
// the messages for input that makes no point or no region.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <set>

#include "common/text.hpp"
#include "graph/axes/tick_labels.hpp"
#include "graph/curves/point_region.hpp"
#include "graph/curves/region_solver.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "support/graph_dialog_test.hpp"

namespace plx::graph {
namespace {

constexpr const wchar_t* kNoRegion = L"信息不足或不存在可行域，请检查您的输入！";

class PointRegionTest : public test::GraphDialogTest {
 protected:
  // The roles of the shapes a point makes, in order.
  std::vector<std::wstring> PointRoles() {
    auto roles = Roles();
    std::erase_if(roles, [](const std::wstring& r) {
      return r != L"点" && !Contains(r, L"的虚线") && !EndsWithText(r, L"点标注");
    });
    return roles;
  }
  docif::ShapePtr Find(const std::wstring& role) {
    for (const auto& s : Inserted())
      if (Role(s) == role) return s;
    return nullptr;
  }
  // Sets the region text, presses 确定 and answers the box it should show.
  void Region(const std::wstring& text, const wchar_t* message = nullptr) {
    form->SetValue(L"txtLineList", text);
    if (message) ui.Queue(Answer::OK);
    form->Click(L"cmdOK_XXGH");
    if (message) {
      EXPECT_EQ(ui.Boxes().back().text, message) << WideToUtf8(text);
    }
  }
  std::set<std::pair<double, double>> LastVertices() {
    const auto& v = form->Graph().dbxTable.back().vertices;
    std::set<std::pair<double, double>> out;
    for (auto [x, y] : v) out.insert({std::round(x * 1000) / 1000 + 0.0, std::round(y * 1000) / 1000 + 0.0});
    return out;
  }
};

using Set = std::set<std::pair<double, double>>;

TEST_F(PointRegionTest, PointOnAnAxisHasNoGuideLines) {
  form->SetValue(L"txtPoint", L"(0,3)");
  form->Click(L"cmdOK_POINT");
  form->Click(L"cmdOK");
  EXPECT_EQ(PointRoles(), (std::vector<std::wstring>{L"点", L"P点标注"}));
}

TEST_F(PointRegionTest, PointOffTheAxesGetsDotGuideLinesAndLabel) {
  form->SetValue(L"txtPoint", L"（2，3）");
  form->SetValue(L"txtPointR", L"2");
  form->SetValue(L"optPointType", L"1");
  form->Click(L"cmdOK_POINT");
  form->Click(L"cmdOK");
  EXPECT_EQ(PointRoles(), (std::vector<std::wstring>{L"点", L"标示横坐标的虚线", L"标示纵坐标的虚线", L"P点标注"}));
  auto dot = Find(L"点");
  EXPECT_EQ(dot->AutoShapeType(), docif::kAutoShapeOval);
  EXPECT_DOUBLE_EQ(dot->Width(), 4);
  EXPECT_FALSE(dot->Fill().Visible.value_or(true)) << "hollow";
  const double cx = dot->Left() + 2, cy = dot->Top() + 2;
  auto vertical = Find(L"标示横坐标的虚线")->Points();
  auto horizontal = Find(L"标示纵坐标的虚线")->Points();
  auto yAxis = Find(L"y轴")->Points();
  auto xAxis = Find(L"x轴")->Points();
  EXPECT_EQ(Find(L"标示横坐标的虚线")->Line().DashStyle, 4);
  EXPECT_NEAR(vertical[0].x, cx, 0.01);
  EXPECT_NEAR(vertical[0].y, cy, 0.01);
  EXPECT_NEAR(vertical[1].y, xAxis[0].y, 0.01) << "down to the x axis";
  EXPECT_NEAR(horizontal[1].x, yAxis[0].x, 0.01) << "across to the y axis";
  // The preview put the coordinates on the axes.
  std::vector<std::wstring> xs, ys;
  for (const auto& l : form->Graph().xLabels)
    if (l.tag == L"point_x") xs.push_back(l.text);
  for (const auto& l : form->Graph().yLabels)
    if (l.tag == L"point_y") ys.push_back(l.text);
  EXPECT_EQ(xs, std::vector<std::wstring>{L"2"});
  EXPECT_EQ(ys, std::vector<std::wstring>{L"3"});
}

TEST_F(PointRegionTest, PointInputMessagesAndTableOfPoints) {
  const std::pair<const wchar_t*, const wchar_t*> single[] = {
      {L"(  ,  )", L"您还没有输入点P的坐标值！"},
      {L"(a,3)", L"您输入的点的横坐标表达式可能有误，请检查！"},
      {L"(1,)", L"您输入的点的纵坐标表达式可能有误，请检查！"},
      {L"(1,2,3)", L"您输入的点的纵坐标表达式可能有误，请检查！"}};
  for (auto [text, message] : single) {
    form->SetValue(L"txtPoint", text);
    ui.Queue(Answer::OK);
    form->Click(L"cmdOK_POINT");
    EXPECT_EQ(ui.Boxes().back().text, message) << WideToUtf8(text);
  }
  form->SetValue(L"optPointCount", L"1");
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"\r\n  \r\n", L"您还没有输入点P的坐标值！"},
      {L"1,2\r\n1/0,3", L"您输入的横坐标表达式可能有误，请检查！"},
      {L"1,2\r\n3,", L"您输入的纵坐标表达式可能有误，请检查！"}};
  for (auto [text, message] : rows) {
    form->SetValue(L"txtPointTable_POINT", text);
    ui.Queue(Answer::OK);
    form->Click(L"cmdOK_POINT");
    EXPECT_EQ(ui.Boxes().back().text, message);
  }
  EXPECT_TRUE(form->Graph().pointTable.empty());
  form->SetValue(L"txtPointTable_POINT", L"A(1,2)\n-2, sqr(4)\n(1/2,1)");
  form->Click(L"cmdOK_POINT");
  const auto& t = form->Graph().pointTable;
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].label, L"A");
  EXPECT_EQ(t[1].label, L"P2");
  EXPECT_DOUBLE_EQ(t[1].y, 2);
  EXPECT_DOUBLE_EQ(t[2].x, 0.5);
  EXPECT_EQ(form->GetControl(L"List1").items.back(), L"点(POINT) 3");
  // A point outside the frame asks first; Cancel adds nothing.
  form->SetValue(L"optPointCount", L"0");
  form->SetValue(L"txtPoint", L"(12,1)");
  ui.Queue(Answer::Cancel);
  form->Click(L"cmdOK_POINT");
  EXPECT_EQ(t.size(), 3u);
}

TEST_F(PointRegionTest, CoordinatesTypedAsFormulasAreLabelledAsTyped) {
  form->SetValue(L"optPointCount", L"1");
  form->SetValue(L"txtPointTable_POINT", L"(1/2,gh(2))\n(-pi/2,-5/2)\n(3,0.5)");
  form->Click(L"cmdOK_POINT");
  std::vector<std::wstring> xs, ys;
  for (const TickLabel& l : form->Graph().xLabels) xs.push_back(l.text);
  for (const TickLabel& l : form->Graph().yLabels) ys.push_back(l.text);
  EXPECT_EQ(xs, (std::vector<std::wstring>{L"1/2", L"-pi/2", L"3"}));
  EXPECT_EQ(ys, (std::vector<std::wstring>{L"gh(2)", L"-5/2", L"0.5"}));
  form->Click(L"cmdOK");
  std::set<std::wstring> codes;
  for (const auto& box : Inserted()) {
    if (!Contains(box->Name(), L"刻度标注")) continue;
    auto fields = box->TextRange()->GetFields();
    if (fields->Count() > 0) codes.insert(fields->Item(1)->Code()->Text());
  }
  EXPECT_EQ(codes, (std::set<std::wstring>{L"EQ \\F(1,2)", L"EQ \\R(,2)", L"EQ -\\F(π,2)", L"EQ -\\F(5,2)"}));
  // Double-clicking the point shows it as typed.
  form->DblClick(L"List1", 1);
  EXPECT_EQ(form->GetControl(L"txtPoint").text, L"(1/2,gh(2))");
}

TEST_F(PointRegionTest, DoubleClickLoadsAPointBackAndChangesIt) {
  form->SetValue(L"txtPoint", L"(1/3, 2)");
  form->SetValue(L"txtPointTxt", L"Q");
  form->SetValue(L"optPointType", L"1");
  form->SetValue(L"chkPointY", L"0");
  form->Click(L"cmdOK_POINT");
  const double third = form->Graph().pointTable.at(0).x;
  form->Click(L"cmdCancel_POINT");
  EXPECT_EQ(form->GetControl(L"txtPointTxt").text, L"P") << "重置 restores the tab";
  form->DblClick(L"List1", 1);
  EXPECT_EQ(form->GetControl(L"cmdChange").caption, L"修改图像");
  EXPECT_EQ(form->GetControl(L"txtPoint").text, L"(1/3,2)") << "as typed: no rounding that would move it";
  EXPECT_EQ(form->GetControl(L"txtPointTxt").text, L"Q");
  EXPECT_EQ(form->GetControl(L"optPointType").value, 1);
  EXPECT_EQ(form->GetControl(L"chkPointX").value, 1);
  EXPECT_EQ(form->GetControl(L"chkPointY").value, 0);
  form->Click(L"cmdOK_POINT");
  ASSERT_EQ(form->Graph().pointTable.size(), 1u) << "replaced, not added";
  EXPECT_NEAR(form->Graph().pointTable[0].x, third, 1e-12);
  form->SetValue(L"txtPoint", L"(4,4)");
  form->Click(L"cmdOK_POINT");
  EXPECT_EQ(form->Graph().pointTable[0].x, 4);
}

TEST_F(PointRegionTest, TriangleIsOneHatchedRegion) {
  Region(L"x>=0\r\ny>=0\r\nx+y<=4");
  ASSERT_EQ(form->Graph().dbxTable.size(), 1u);
  EXPECT_EQ(LastVertices(), (Set{{0, 0}, {4, 0}, {0, 4}}));
  EXPECT_EQ(form->GetControl(L"List1").items.back(), L"多边形(DBX) 1");
  EXPECT_NE(form->PreviewSvg().find("fill:none;"), std::string::npos) << "a stroked outline";
  form->Click(L"cmdOK");
  auto roles = Roles();
  ASSERT_EQ(std::count(roles.begin(), roles.end(), L"可行域"), 1);
  EXPECT_EQ(roles.front(), L"可行域") << "behind the axes";
  auto region = Find(L"可行域");
  EXPECT_EQ(region->Type(), docif::kShapeFreeform);
  EXPECT_EQ(region->Fill().Pattern, 21);
  EXPECT_EQ(region->Fill().ForeColor, 0u);
  EXPECT_TRUE(region->Fill().Visible.value_or(false));
  EXPECT_FALSE(region->Line().Visible.value_or(true));
  auto nodes = region->Points();
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(nodes.front(), nodes.back()) << "closed";
  // Strict relations and the folded signs give the same region.
  Region(L"x＞0\r\ny≥0\r\nx+y<4");
  EXPECT_EQ(LastVertices(), (Set{{0, 0}, {4, 0}, {0, 4}}));
  // Double-click: the region comes back as it was typed.
  form->SetValue(L"txtLineList", L"");
  form->DblClick(L"List1", 2);
  EXPECT_EQ(form->GetControl(L"txtLineList").text, L"x＞0\r\ny≥0\r\nx+y<4");
}

TEST_F(PointRegionTest, EmptyParallelRepeatedAndOpenRegions) {
  Region(L"x >= 0\r\nx <= -1", kNoRegion);
  Region(L"x>=0\r\nx<=0", kNoRegion);  // a segment has no area
  Region(L"1>=2\r\nx>=0", kNoRegion);
  Region(L"x>=12\r\ny>=0", L"可行域不在当前坐标系的范围内，请调整坐标范围后再作图！");
  EXPECT_TRUE(form->Graph().dbxTable.empty());
  EXPECT_EQ(form->GetControl(L"List1").items.size(), 1u);
  // Parallel and repeated boundaries: the quadrilateral between x+y=1 and x+y=4.
  Region(L"x+y<=4\nx+y<=4\n2x+2y<=8\nx+y>=1\nx>=0\ny>=0\n1<=2");
  EXPECT_EQ(LastVertices(), (Set{{1, 0}, {4, 0}, {0, 4}, {0, 1}}));
  const auto& v = form->Graph().dbxTable.back().vertices;
  for (size_t i = 0; i < v.size(); ++i) {
    auto [ax, ay] = v[i];
    auto [bx, by] = v[(i + 1) % v.size()];
    auto [cx, cy] = v[(i + 2) % v.size()];
    EXPECT_GT((bx - ax) * (cy - by) - (by - ay) * (cx - bx), 0) << "convex, never crossing";
  }
  // Open regions are cut by the frame's edges.
  Region(L"y>=x");
  EXPECT_EQ(LastVertices(), (Set{{-10, -10}, {10, 10}, {-10, 10}}));
  Region(L"0≤x≤2，-1<y<=3");
  EXPECT_EQ(LastVertices(), (Set{{0, -1}, {2, -1}, {2, 3}, {0, 3}}));
}

TEST_F(PointRegionTest, BadConstraintsAreNamed) {
  Region(L"", kNoRegion);
  Region(L"x+y\ny>=0", L"无法识别约束条件“x+y”，请按“左边 关系 右边”的形式输入，关系为 <、<=、>、>= 之一（也可用≤、≥）。");
  Region(L"x<=", L"无法识别约束条件“x<=”，请按“左边 关系 右边”的形式输入，关系为 <、<=、>、>= 之一（也可用≤、≥）。");
  Region(L"x*y<=1", L"约束条件“x*y<=1”不是关于x、y的一次不等式，请检查您的输入！");
  Region(L"abs(x)<=1", L"约束条件“abs(x)<=1”不是关于x、y的一次不等式，请检查您的输入！");
  form->SetValue(L"txtLineList", L"x+z<=1");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_XXGH");
  EXPECT_TRUE(StartsWith(ui.Boxes().back().text, L"约束条件“x+z<=1”中的表达式有误")) << WideToUtf8(ui.Boxes().back().text);
  EXPECT_TRUE(form->Graph().dbxTable.empty());
}

TEST_F(PointRegionTest, GetKxyDDComparesRoundedSidesInJavaScript) {
  GraphContext& g = form->Graph();
  Constraint c;
  ASSERT_TRUE(ParseConstraint(L"x + y ≤ 4", c));
  EXPECT_EQ(c.left, L"x + y");
  EXPECT_EQ(c.relation, L"<=");
  EXPECT_EQ(c.right, L"4");
  EXPECT_FALSE(ParseConstraint(L"x+y=4", c));
  const std::vector<Constraint> cs = {{L"x", L"<=", L"-2"}, {L"x/3+y", L"<=", L"1"}};
  PointList kept = GetKxyDD(*ctx, g, cs, {{-1, 0}, {-3, 0}, {-1.999, 0}, {-3, 2.1}, {-3, 2}});
  EXPECT_EQ(kept, (PointList{{-3, 0}, {-1.999, 0}, {-3, 2}})) << "-1.999 reads -2.00: on the boundary";
  EXPECT_TRUE(GetKxyDD(*ctx, g, {{L"x", L">", L"0"}}, {{0, 0}}).empty()) << "strict: the boundary fails";
  EXPECT_EQ(g.script.Language, L"VBScript") << "curve expressions still read ^ as a power";
}

TEST(RegionSolver, ConvexOrderDropsEdgeAndInnerPoints) {
  PointList square = {{2, 2}, {0, 0}, {1, 0}, {1, 1}, {0, 2}, {2, 0}};
  EXPECT_EQ(ConvexOrder(square), (PointList{{0, 0}, {2, 0}, {2, 2}, {0, 2}}));
  EXPECT_TRUE(ConvexOrder({{0, 0}, {1, 1}, {2, 2}}).empty()) << "collinear points enclose nothing";
  EXPECT_EQ(BoundaryCorners({{1, 1, 4}, {2, 2, 8}, {1, 1, 1}}).size(), 0u) << "parallel lines never meet";
}

}  // namespace
}  // namespace plx::graph
