#include "graph/curves/conic_curves.hpp"

#include <cmath>
#include <numbers>

#include "common/error.hpp"

#include "graph/curves/conic_geometry.hpp"
#include "graph/frame/frame.hpp"
#include "graph/preview/preview_canvas.hpp"
#include "addin/addin_context.hpp"

// Lines that belong to a conic are drawn as follows. Directrices and axes of
// symmetry are infinite lines of which only the part inside the coordinate
// frame means anything to the reader, so they run across the whole frame
// (from one frame edge to the opposite one), wherever the curve itself ends.
// Asymptotes are slanted: they are clipped to the frame rectangle, from the
// edge where they enter it to the edge where they leave it, and left out
// when they miss the frame. Every one of them is a separately named line
// with the record's line attributes.

namespace plx::graph {
namespace {

constexpr double kDot = 2.4;  // side of a focus or centre dot, points

// An oval in the box (left, top, width, height), page points; on the
// preview an ellipse through 72 points. A dot is filled with its colour.
void AddOval(AddinContext& ctx, GraphContext& g, const std::wstring& role, double left, double top, double width,
             double height, const LineAttr& line, bool dot) {
  if (g.preview) {
    std::vector<docif::PointF> ring;
    const double cx = left + width / 2, cy = top + height / 2;
    // A dot is a ring half its size stroked as wide as that half, which covers it.
    const double shrink = dot ? 0.5 : 1;
    for (int i = 0; i <= 72; ++i) {
      const double angle = i * 2 * std::numbers::pi / 72;
      ring.push_back({static_cast<float>(cx + shrink * width / 2 * std::cos(angle)),
                      static_cast<float>(cy + shrink * height / 2 * std::sin(angle))});
    }
    g.preview->Polyline(ring, line.color, dot ? width / 2 : PreviewStroke(line.width), dot ? 1 : GetLineDash(line.style));
    return;
  }
  ++g.ShapeCount;
  std::wstring name = GetShapeName(ctx, g, role);
  auto shape = ctx.App->ActiveDocument()->GetShapes()->AddShape(docif::kAutoShapeOval, static_cast<float>(left),
                                                                static_cast<float>(top), static_cast<float>(width),
                                                                static_cast<float>(height));
  if (dot) {
    // A marked point is a solid dot: neither dashed nor as wide as a thick curve.
    FinishShape(shape, name, nullptr);
    shape->SetLine({.Visible = true, .Weight = 0.5, .ForeColor = line.color, .DashStyle = 1});
    shape->SetFill({.Visible = true, .ForeColor = line.color});
  } else {
    FinishShape(shape, name, &line);
    shape->SetFill({.Visible = false});
  }
}

// The 2.4 × 2.4 dot centred on (x, y).
void AddDot(AddinContext& ctx, GraphContext& g, const std::wstring& role, double x, double y, const LineAttr& line) {
  AddOval(ctx, g, role, g.PageX(x) - kDot / 2, g.PageY(y) - kDot / 2, kDot, kDot, line, true);
}

// The line x = c (vertical) or y = c across the frame.
void AddFrameLine(AddinContext& ctx, GraphContext& g, const std::wstring& role, bool vertical, double c,
                  const LineAttr& line) {
  const ZBXRecord& f = g.frame;
  if (vertical)
    AddFigureLine(ctx, g, role, g.PageX(c), g.PageY(f.ymin), g.PageX(c), g.PageY(f.ymax), LineLook(line));
  else
    AddFigureLine(ctx, g, role, g.PageX(f.xmin), g.PageY(c), g.PageX(f.xmax), g.PageY(c), LineLook(line));
}

// The line through (x0, y0) with slope m between the frame's edges.
void AddSlantLine(AddinContext& ctx, GraphContext& g, const std::wstring& role, double x0, double y0, double m,
                  const LineAttr& line) {
  auto ends = ClipToFrame(g.frame, x0, y0, m);
  if (!ends) return;
  const auto [p, q] = *ends;
  AddFigureLine(ctx, g, role, g.PageX(p.first), g.PageY(p.second), g.PageX(q.first), g.PageY(q.second),
                LineLook(line));
}

// The two axes of symmetry of a centred conic.
void AddAxes(AddinContext& ctx, GraphContext& g, const std::wstring& role, double x0, double y0, const LineAttr& line) {
  AddFrameLine(ctx, g, role, false, y0, line);
  AddFrameLine(ctx, g, role, true, x0, line);
}

// Fills CurvePoints with point(t) over [from, to] (t and both coordinates
// rounded through "#.###" as every curve sample is) and adds the curve.
void AddSampledCurve(AddinContext& ctx, GraphContext& g, double from, double to,
                     const std::function<std::pair<double, double>(double)>& point, const std::wstring& role,
                     const LineAttr& line) {
  FillSamples(g, from, to, [&](double t) {
    const auto [x, y] = point(t);
    return docif::PointF{static_cast<float>(g.PageX(Round3(x))), static_cast<float>(g.PageY(Round3(y)))};
  });
  AddCurveShape(ctx, g, role, line);
}

}  // namespace

void DrawCircle(AddinContext& ctx, GraphContext& g, const YuanRecord& rec) {
  if (!(rec.r > 0)) Raise(err::kInvalidCall, L"圆的半径必须是正数。");
  const double u = g.UnitLength;
  AddOval(ctx, g, L"圆", g.PageX(rec.a) - rec.r * u, g.PageY(rec.b) - rec.r * u, 2 * rec.r * u, 2 * rec.r * u,
          rec.line, false);
  if (rec.drawCentre) AddDot(ctx, g, L"圆心", rec.a, rec.b, rec.line);
}

void DrawEllipse(AddinContext& ctx, GraphContext& g, const ConicRecord& rec) {
  if (!(rec.a2 > 0 && rec.b2 > 0)) Raise(err::kInvalidCall, L"椭圆的a^2和b^2必须是正数。");
  const double u = g.UnitLength;
  const double a = std::sqrt(rec.a2), b = std::sqrt(rec.b2), c = EllipseC(rec);
  const double x0 = rec.x0, y0 = rec.y0;
  if (!rec.fociOnY)
    AddOval(ctx, g, L"椭圆", g.PageX(x0 - a), g.PageY(y0 + b), 2 * a * u, 2 * b * u, rec.line, false);
  else
    AddOval(ctx, g, L"椭圆", g.PageX(x0 - b), g.PageY(y0 + a), 2 * b * u, 2 * a * u, rec.line, false);
  if (rec.focus) {
    if (!rec.fociOnY) {
      AddDot(ctx, g, L"椭圆左焦点", x0 - c, y0, rec.line);
      AddDot(ctx, g, L"椭圆右焦点", x0 + c, y0, rec.line);
    } else {
      AddDot(ctx, g, L"椭圆上焦点", x0, y0 + c, rec.line);
      AddDot(ctx, g, L"椭圆下焦点", x0, y0 - c, rec.line);
    }
  }
  // A circle-like ellipse (c = 0) has its directrices at infinity.
  if (rec.directrix && c > 0) {
    const double d = rec.a2 / c;
    if (!rec.fociOnY) {
      AddFrameLine(ctx, g, L"椭圆左准线", true, x0 - d, rec.line);
      AddFrameLine(ctx, g, L"椭圆右准线", true, x0 + d, rec.line);
    } else {
      AddFrameLine(ctx, g, L"椭圆上准线", false, y0 + d, rec.line);
      AddFrameLine(ctx, g, L"椭圆下准线", false, y0 - d, rec.line);
    }
  }
  if (rec.axis) AddAxes(ctx, g, L"椭圆对称轴", x0, y0, rec.line);
}

void DrawParabola(AddinContext& ctx, GraphContext& g, const PWXRecord& rec) {
  const ParabolaParts v = ParabolaGeometry(rec);
  // y² = ±2px is sampled along y: x is then a single-valued function of the
  // sampled coordinate, and the vertex, where the tangent is vertical, gets
  // as many samples as the rest of the curve instead of two branches meeting
  // there at an infinite slope. x² = ±2py and y = ax² + bx + c are sampled
  // along x for the same reason.
  GetSampleCount(g, rec.from, rec.to);
  if (g.CurvePoints.size() >= 2)
    AddSampledCurve(ctx, g, rec.from, rec.to, [&](double t) { return ParabolaPoint(rec, t); }, L"抛物线", rec.line);
  if (rec.focus) {
    if (v.axisHorizontal) AddDot(ctx, g, L"抛物线焦点", v.vx + v.focal, v.vy, rec.line);
    else AddDot(ctx, g, L"抛物线焦点", v.vx, v.vy + v.focal, rec.line);
  }
  if (rec.directrix) {
    if (v.axisHorizontal) AddFrameLine(ctx, g, L"抛物线准线", true, v.vx - v.focal, rec.line);
    else AddFrameLine(ctx, g, L"抛物线准线", false, v.vy - v.focal, rec.line);
  }
  if (rec.axis) {
    if (v.axisHorizontal) AddFrameLine(ctx, g, L"抛物线对称轴", false, v.vy, rec.line);
    else AddFrameLine(ctx, g, L"抛物线对称轴", true, v.vx, rec.line);
  }
}

void DrawHyperbola(AddinContext& ctx, GraphContext& g, const ConicRecord& rec) {
  if (!(rec.a2 > 0 && rec.b2 > 0)) Raise(err::kInvalidCall, L"双曲线的a^2和b^2必须是正数。");
  const double c = HyperbolaC(rec);
  const double x0 = rec.x0, y0 = rec.y0;
  const bool onY = rec.fociOnY;
  // One sample count over the coordinate across the focal axis, shared by both branches.
  GetSampleCount(g, rec.from, rec.to);
  if (g.CurvePoints.size() >= 2) {
    AddSampledCurve(ctx, g, rec.from, rec.to, [&](double t) { return HyperbolaPoint(rec, t, -1); },
                    onY ? L"双曲线下半支" : L"双曲线左支", rec.line);
    AddSampledCurve(ctx, g, rec.from, rec.to, [&](double t) { return HyperbolaPoint(rec, t, 1); },
                    onY ? L"双曲线上半支" : L"双曲线右支", rec.line);
  }
  if (rec.focus) {
    if (!onY) {
      AddDot(ctx, g, L"左焦点", x0 - c, y0, rec.line);
      AddDot(ctx, g, L"右焦点", x0 + c, y0, rec.line);
    } else {
      AddDot(ctx, g, L"双曲线下焦点", x0, y0 - c, rec.line);
      AddDot(ctx, g, L"双曲线上焦点", x0, y0 + c, rec.line);
    }
  }
  if (rec.directrix) {
    const double d = rec.a2 / c;
    if (!onY) {
      AddFrameLine(ctx, g, L"左准线", true, x0 - d, rec.line);
      AddFrameLine(ctx, g, L"右准线", true, x0 + d, rec.line);
    } else {
      AddFrameLine(ctx, g, L"双曲线下准线", false, y0 - d, rec.line);
      AddFrameLine(ctx, g, L"双曲线上准线", false, y0 + d, rec.line);
    }
  }
  if (rec.asymptotes) {
    // y − y0 = ±(b/a)(x − x0); with the focal axis along y, x − x0 = ±(b/a)(y − y0).
    const double ratio = std::sqrt(rec.b2 / rec.a2);
    const double m = onY ? 1 / ratio : ratio;
    AddSlantLine(ctx, g, L"渐近线", x0, y0, m, rec.line);
    AddSlantLine(ctx, g, L"渐近线", x0, y0, -m, rec.line);
  }
  if (rec.axis) AddAxes(ctx, g, L"双曲线对称轴", x0, y0, rec.line);
}

}  // namespace plx::graph
