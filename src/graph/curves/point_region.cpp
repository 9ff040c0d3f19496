#include "graph/curves/point_region.hpp"

#include <algorithm>
#include <cmath>

#include "common/text.hpp"
#include "graph/axes/label_box.hpp"
#include "graph/curves/point_text.hpp"
#include "graph/curves/region_solver.hpp"
#include "graph/frame/frame.hpp"
#include "graph/preview/preview_canvas.hpp"
#include "addin/addin_context.hpp"
#include "platform/regexp.hpp"

namespace plx::graph {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A circle of the preview as a closed polyline.
std::vector<docif::PointF> Circle(double cx, double cy, double r) {
  std::vector<docif::PointF> points;
  for (int i = 0; i <= 24; ++i)
    points.push_back({static_cast<float>(cx + r * std::cos(i * kPi / 12)), static_cast<float>(cy + r * std::sin(i * kPi / 12))});
  return points;
}

void PreviewDot(PreviewCanvas& canvas, const PointRecord& rec, double cx, double cy) {
  // A ring as wide as the radius fills the disc of a solid point.
  if (rec.solid) canvas.Polyline(Circle(cx, cy, rec.R / 2.0), rec.pointColor, rec.R);
  canvas.Polyline(Circle(cx, cy, rec.R), rec.line.color, PreviewStroke(rec.line.width));
}

// The region on the preview: its outline and a diagonal hatching clipped to
// the (convex) polygon, the canvas having no fills.
void PreviewRegion(PreviewCanvas& canvas, const std::vector<docif::PointF>& polygon, uint32_t color) {
  std::vector<docif::PointF> outline = polygon;
  outline.push_back(polygon.front());
  canvas.Polyline(outline, color, 0.5);
  // Lines x - y = k in page units (y grows downwards), every 4 points: they
  // fall to the right, as the hatching on the page does.
  float lo = polygon.front().x - polygon.front().y, hi = lo;
  for (const auto& p : polygon) {
    lo = std::min(lo, p.x - p.y);
    hi = std::max(hi, p.x - p.y);
  }
  for (double k = std::ceil(lo / 4) * 4; k <= hi; k += 4) {
    std::vector<docif::PointF> cut;
    for (size_t i = 0; i < polygon.size(); ++i) {
      const docif::PointF& a = polygon[i];
      const docif::PointF& b = polygon[(i + 1) % polygon.size()];
      const double sa = a.x - a.y - k, sb = b.x - b.y - k;
      if ((sa < 0) == (sb < 0) || sa == sb) continue;
      const double t = sa / (sa - sb);
      cut.push_back({static_cast<float>(a.x + t * (b.x - a.x)), static_cast<float>(a.y + t * (b.y - a.y))});
    }
    if (cut.size() >= 2) canvas.Line(cut[0].x, cut[0].y, cut[1].x, cut[1].y, color, 0.5);
  }
}

}  // namespace

void DrawPoint(AddinContext& ctx, GraphContext& g, const PointRecord& rec) {
  const double X = g.PageX(rec.x), Y = g.PageY(rec.y), R = rec.R;
  if (rec.dot) {
    if (g.preview) {
      PreviewDot(*g.preview, rec, X, Y);
    } else {
      ++g.ShapeCount;
      const std::wstring name = GetShapeName(ctx, g, L"点");
      auto dot = ctx.App->ActiveDocument()->GetShapes()->AddShape(
          docif::kAutoShapeOval, static_cast<float>(X - R), static_cast<float>(Y - R), static_cast<float>(2 * R),
          static_cast<float>(2 * R));
      FinishShape(dot, name, &rec.line);
      dot->SetFill({.Visible = rec.solid, .ForeColor = rec.pointColor});
    }
  }
  // A point on an axis needs no guide lines: they would lie on the axis.
  if (rec.x * rec.y != 0) {
    docif::LineFormat dashed = LineLook(rec.line);
    dashed.DashStyle = 4;
    if (rec.vertical) AddFigureLine(ctx, g, L"标示横坐标的虚线", X, Y, X, g.OriginY, dashed);
    if (rec.horizontal) AddFigureLine(ctx, g, L"标示纵坐标的虚线", X, Y, g.OriginX, Y, dashed);
  }
  if (!rec.label.empty()) {
    // The box is 15 points wide; a longer name widens it instead of wrapping
    // into a column of single letters.
    double width = 4;
    for (wchar_t ch : rec.label) width += ch < 0x2E80 ? 5.5 : 10.5;
    LabelBox(ctx, g, rec.label + L"点标注", X + R, Y - 10, static_cast<float>(std::max(15.0, width)), 15, rec.label,
             {.Size = 10});
  }
  // The coordinates go onto the axes where the guide lines meet them; a point
  // drawn without marks leaves the axes as they are.
  if (g.preview) {
    // A coordinate typed as a formula ("1/2", "gh(2)") keeps its form: it
    // becomes a formula label; a number shows as typed too.
    auto text = [](const std::wstring& typed, double v) { return typed.empty() ? CoordinateText(v) : typed; };
    if (rec.vertical && rec.x != 0)
      g.xLabels.push_back({static_cast<float>(rec.x), text(rec.xText, rec.x), L"point_x"});
    if (rec.horizontal && rec.y != 0)
      g.yLabels.push_back({static_cast<float>(rec.y), text(rec.yText, rec.y), L"point_y"});
  }
}

void DrawFeasibleRegion(AddinContext& ctx, GraphContext& g, const DBXRecord& rec) {
  if (rec.vertices.size() < 3) return;  // no area to hatch
  std::vector<docif::PointF> polygon;
  for (const auto& [x, y] : rec.vertices)
    polygon.push_back({static_cast<float>(g.PageX(x)), static_cast<float>(g.PageY(y))});
  if (g.preview) {
    PreviewRegion(*g.preview, polygon, 0);
    return;
  }
  ++g.ShapeCount;
  const std::wstring name = GetShapeName(ctx, g, L"可行域");
  auto builder = ctx.App->ActiveDocument()->GetShapes()->BuildFreeform(docif::kEditingCorner, polygon[0].x, polygon[0].y);
  for (size_t i = 1; i < polygon.size(); ++i)
    builder->AddNodes(docif::kSegmentLine, docif::kEditingAuto, polygon[i].x, polygon[i].y);
  // Back to the first vertex: a closed freeform is a filled polygon.
  builder->AddNodes(docif::kSegmentLine, docif::kEditingAuto, polygon[0].x, polygon[0].y);
  auto shape = builder->ConvertToShape();
  FinishShape(shape, name, nullptr);
  shape->SetLine({.Visible = false});
  shape->SetFill({.Visible = true, .ForeColor = 0x000000, .Transparency = 0, .Pattern = 21});
  // Behind the axes, curves and points drawn with it.
  shape->ZOrder(docif::kSendToBack);
}

bool ParseConstraint(const std::wstring& line, Constraint& out) {
  RegExp re;
  re.Pattern = L"(.*?)([<>]=?)(.*)";
  re.IgnoreCase = true;
  re.Global = true;
  re.MultiLine = true;
  const auto matches = re.Execute(FoldRelations(line));
  if (matches.empty() || matches[0].SubMatches.size() < 3) return false;
  const auto& parts = matches[0].SubMatches;
  out = {Trim(parts[0]), parts[1], Trim(parts[2])};
  return true;
}

PointList GetKxyDD(AddinContext& ctx, GraphContext& g, const std::vector<Constraint>& constraints,
                   const PointList& points) {
  bool failed = false;
  return KeepFeasible(ctx, g, constraints, points, failed);
}

}  // namespace plx::graph
