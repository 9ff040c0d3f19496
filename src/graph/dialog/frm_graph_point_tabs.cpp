// The graph dialog's tabs of marked points and of feasible regions.
#include <algorithm>
#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/curves/point_region.hpp"
#include "graph/curves/point_text.hpp"
#include "graph/curves/region_solver.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/frame/frame.hpp"
#include "graph/frame/input_error.hpp"
#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

constexpr const wchar_t* kPointCaption = L"点(POINT) ";
constexpr const wchar_t* kRegionCaption = L"多边形(DBX) ";
constexpr const wchar_t* kNoPoint = L"您还没有输入点P的坐标值！";
constexpr const wchar_t* kNoRegion = L"信息不足或不存在可行域，请检查您的输入！";
constexpr const wchar_t* kOutsideFrame = L"可行域不在当前坐标系的范围内，请调整坐标范围后再作图！";

// A typed point: its name (may be empty) and coordinates.
struct TypedPoint {
  std::wstring name;
  double x = 0, y = 0;
  std::wstring xText, yText;  // as typed
};

// A typed coordinate as a label: "pi" written as the formula language's π,
// the rest as typed.
std::wstring LabelText(const std::wstring& typed) { return Replace(Trim(typed), L"PI", L"pi"); }

// A coordinate text evaluated; false when it is empty or does not evaluate.
bool Coordinate(MathPlugin& math, const std::wstring& text, double& value) {
  if (text.empty()) return false;
  bool error = false;
  math.MathExpression(NormaliseExpression(text), error, value);
  return !error && std::isfinite(value);
}

}  // namespace

void frmGraph::AddPointTabs() {
  tabStart_ = Controls().size();
  AddControl(Options(L"optPointCount", L"点的个数", {L"单个点", L"多个点"}));
  AddControl(Box(L"txtPoint", L"点的坐标", L"(  ,  )"));
  AddControl(Box(L"txtPointTable_POINT", L"请在表格中输入多个点的坐标（每行一个点：x,y 或 A(x,y)）", L""));
  AddControl(Options(L"optPointOnly", L"画法", {L"仅画点", L"带标记的点"})).value = 1;
  AddControl(Options(L"optPointType", L"点的样式", {L"实心点", L"空心点"})).value = 0;
  AddControl(Check(L"chkPointTxt", L"标字母", 1));
  AddControl(Box(L"txtPointTxt", L"字母", L"P"));
  AddControl(Box(L"txtPointR", L"点的半径（磅）", L"1.5"));
  AddControl(Box(L"labPointColor", L"点的颜色（RGB，红色在低字节）", L"0"));
  AddControl(Check(L"chkPointMark", L"坐标标记", 1));
  AddControl(Check(L"chkPointX", L"横坐标标记线", 1));
  AddControl(Check(L"chkPointY", L"纵坐标标记线", 1));
  AddTabButtons(L"POINT", [this] { cmdOK_POINT_Click(); });

  AddControl(Box(L"txtLineList", L"请在此输入约束条件（每行一个）", L""));
  Control note;
  note.name = L"labNote_XXGH";
  note.kind = ControlKind::Label;
  note.caption = L"如 x>=0、x+y<=4、0≤y≤3（同一行的几个条件可用逗号隔开）；可行域画在坐标系的范围内。";
  AddControl(note);
  AddTabButtons(L"XXGH", [this] { cmdOK_XXGH_Click(); });

  RegisterLoader(L"point", [this](int k) {
    if (k < 1 || k > static_cast<int>(g_.pointTable.size())) return;
    const PointRecord& r = g_.pointTable[static_cast<size_t>(k - 1)];
    const bool marked = r.vertical || r.horizontal || !r.label.empty();
    SetValue(L"optPointCount", L"0");
    SetValue(L"txtPoint", r.xText.empty() || r.yText.empty() ? PointBoxText(r.x, r.y)
                                                              : L"(" + r.xText + L"," + r.yText + L")");
    SetValue(L"optPointOnly", marked ? L"1" : L"0");
    SetValue(L"optPointType", r.solid ? L"0" : L"1");
    if (marked) {
      SetValue(L"chkPointTxt", r.label.empty() ? L"0" : L"1");
      if (!r.label.empty()) SetValue(L"txtPointTxt", r.label);
      SetValue(L"chkPointMark", r.vertical || r.horizontal ? L"1" : L"0");
      if (r.vertical || r.horizontal) {
        SetValue(L"chkPointX", r.vertical ? L"1" : L"0");
        SetValue(L"chkPointY", r.horizontal ? L"1" : L"0");
      }
    }
    SetValue(L"txtPointR", DecimalText(r.R));
    SetValue(L"labPointColor", std::to_wstring(r.pointColor));
    ShowLine(r.line);
  });
  // A region comes back as it was typed.
  RegisterLoader(L"dbx", [this](int k) {
    if (k < 1 || k > static_cast<int>(g_.dbxTable.size())) return;
    const DBXRecord& r = g_.dbxTable[static_cast<size_t>(k - 1)];
    SetValue(L"txtLineList", r.constraints);
    ShowLine(r.line);
  });
}

void frmGraph::cmdOK_POINT_Click() {
  try {
    if (!ReadFrame()) return;
    const bool several = GetControl(L"optPointCount").value == 1;
    std::vector<TypedPoint> points;
    if (!several) {
      const PointPieces p = SplitPointText(GetControl(L"txtPoint").text);
      if (p.blank) {
        Ctx().Ui().MsgBox(kNoPoint);
        return;
      }
      TypedPoint t{p.name, 0, 0, {}, {}};
      if (!Coordinate(g_.math, p.parts[0], t.x)) {
        Ctx().Ui().MsgBox(L"您输入的点的横坐标表达式可能有误，请检查！");
        return;
      }
      if (p.parts.size() != 2 || !Coordinate(g_.math, p.parts[1], t.y)) {
        Ctx().Ui().MsgBox(L"您输入的点的纵坐标表达式可能有误，请检查！");
        return;
      }
      t.xText = LabelText(p.parts[0]);
      t.yText = LabelText(p.parts[1]);
      points.push_back(t);
    } else {
      const std::wstring table =
          Replace(Replace(GetControl(L"txtPointTable_POINT").text, L"\r\n", L"\n"), L"\r", L"\n");
      for (const std::wstring& row : Split(table, L"\n")) {
        const PointPieces p = SplitPointText(row);
        if (p.blank) continue;
        TypedPoint t{p.name, 0, 0, {}, {}};
        if (!Coordinate(g_.math, p.parts[0], t.x)) {
          Ctx().Ui().MsgBox(L"您输入的横坐标表达式可能有误，请检查！");
          return;
        }
        if (p.parts.size() != 2 || !Coordinate(g_.math, p.parts[1], t.y)) {
          Ctx().Ui().MsgBox(L"您输入的纵坐标表达式可能有误，请检查！");
          return;
        }
        t.xText = LabelText(p.parts[0]);
        t.yText = LabelText(p.parts[1]);
        points.push_back(t);
      }
      if (points.empty()) {
        Ctx().Ui().MsgBox(kNoPoint);
        return;
      }
    }
    double R;
    if (!ReadBox(L"txtPointR", L"1.5", R)) return;
    if (!(R > 0) || R > 100) return ShowInputError(Ctx().Ui(), L"");
    const double colour = Val(GetControl(L"labPointColor").text);
    if (colour < 0 || colour > 0xFFFFFF || colour != std::floor(colour)) return ShowInputError(Ctx().Ui(), L"");

    Extent e{points[0].x, points[0].x, points[0].y, points[0].y};
    for (const TypedPoint& t : points) {
      e.xmin = std::min(e.xmin, t.x);
      e.xmax = std::max(e.xmax, t.x);
      e.ymin = std::min(e.ymin, t.y);
      e.ymax = std::max(e.ymax, t.y);
    }
    g_.extent = e;
    if (CheckGraphRange(Ctx(), g_)) return;

    const bool marked = GetControl(L"optPointOnly").value == 1;
    const bool lettered = marked && GetControl(L"chkPointTxt").value != 0;
    const bool guides = marked && GetControl(L"chkPointMark").value != 0;
    const std::wstring letter = Trim(GetControl(L"txtPointTxt").text);
    std::vector<PointRecord> records;
    for (size_t i = 0; i < points.size(); ++i) {
      PointRecord rec;
      rec.x = points[i].x;
      rec.y = points[i].y;
      rec.xText = points[i].xText;
      rec.yText = points[i].yText;
      rec.R = static_cast<float>(R);
      rec.dot = true;
      rec.solid = GetControl(L"optPointType").value == 0;
      rec.vertical = guides && GetControl(L"chkPointX").value != 0;
      rec.horizontal = guides && GetControl(L"chkPointY").value != 0;
      // A name typed with the point wins; several unnamed points are
      // numbered after the letter (P1, P2, ...).
      if (lettered)
        rec.label = !points[i].name.empty() ? points[i].name
                    : points.size() > 1 && !letter.empty() ? letter + std::to_wstring(i + 1)
                                                            : letter;
      rec.line = CurrentLine();
      rec.pointColor = static_cast<uint32_t>(colour);
      records.push_back(std::move(rec));
    }
    // The first point replaces the point being changed (in change mode); the
    // others are added after it.
    StoreFigure(g_.pointTable, records[0], kPointCaption);
    if (records.size() > 1) {
      for (size_t i = 1; i < records.size(); ++i) {
        g_.pointTable.push_back(records[i]);
        AddLine(kPointCaption, g_.pointTable.size());
      }
      RedrawPreview();
    }
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmGraph.cmdOK_POINT_Click-->line", __LINE__);
  }
}

void frmGraph::cmdOK_XXGH_Click() {
  try {
    if (!ReadFrame()) return;
    std::vector<Constraint> constraints;
    std::wstring bad;
    if (!ReadConstraintLines(GetControl(L"txtLineList").text, constraints, bad)) {
      Ctx().Ui().MsgBox(L"无法识别约束条件“" + bad +
                        L"”，请按“左边 关系 右边”的形式输入，关系为 <、<=、>、>= 之一（也可用≤、≥）。");
      return;
    }
    if (constraints.empty()) {
      Ctx().Ui().MsgBox(kNoRegion);
      return;
    }
    std::vector<BoundaryLine> lines;
    for (const Constraint& c : constraints) {
      BoundaryLine line;
      std::wstring message;
      if (!BoundaryOf(g_.math, c, line, message)) {
        Ctx().Ui().MsgBox(message);
        return;
      }
      // A side without x and y ("0<=1") bounds nothing; it is still tested.
      if (line.a != 0 || line.b != 0) lines.push_back(line);
    }
    bool failed = false;
    const ZBXRecord& f = g_.frame;
    DBXRecord rec;
    rec.vertices = SolveRegion(Ctx(), g_, constraints, lines, {1.0 * f.xmin, 1.0 * f.xmax, 1.0 * f.ymin, 1.0 * f.ymax},
                               failed);
    if (failed) return;
    if (rec.vertices.size() < 3) {
      // The region is cut to the frame; one that lies wholly outside it
      // exists all the same, and the teacher is told where the fault is.
      const Bounds wide{f.xmin - 1e4, f.xmax + 1e4, f.ymin - 1e4, f.ymax + 1e4};
      const bool elsewhere = SolveRegion(Ctx(), g_, constraints, lines, wide, failed).size() >= 3;
      if (failed) return;
      Ctx().Ui().MsgBox(elsewhere ? kOutsideFrame : kNoRegion);
      return;
    }
    rec.line = CurrentLine();
    rec.constraints = GetControl(L"txtLineList").text;
    StoreFigure(g_.dbxTable, rec, kRegionCaption);
  } catch (const std::exception& e) {
    ShowErrLong(Ctx(), e, L"cmdOK_XXGH_Click", L"frmGraph", __LINE__, true);
  }
}

}  // namespace plx::graph
