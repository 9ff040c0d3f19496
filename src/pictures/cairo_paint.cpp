#include "pictures/cairo_paint.hpp"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

#include "pictures/image_paint.hpp"
#include "pictures/patterns.hpp"
#include "pictures/text_layout.hpp"

namespace plx::pictures {
namespace {

void SetColor(cairo_t* cr, uint32_t rgb, double alpha = 1) {
  cairo_set_source_rgba(cr, (rgb & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, ((rgb >> 16) & 0xFF) / 255.0, alpha);
}

void TracePath(cairo_t* cr, const Path& path) {
  cairo_new_path(cr);
  size_t p = 0;
  for (Path::Op op : path.ops) {
    switch (op) {
      case Path::Op::Move: cairo_move_to(cr, path.points[p].x, path.points[p].y); ++p; break;
      case Path::Op::Line: cairo_line_to(cr, path.points[p].x, path.points[p].y); ++p; break;
      case Path::Op::Curve:
        cairo_curve_to(cr, path.points[p].x, path.points[p].y, path.points[p + 1].x, path.points[p + 1].y,
                       path.points[p + 2].x, path.points[p + 2].y);
        p += 3;
        break;
      case Path::Op::Close: cairo_close_path(cr); break;
    }
  }
}

void SetDash(cairo_t* cr, const Stroke& s) {
  const double w = std::max(s.width, 0.5);
  std::vector<double> dash;
  switch (s.dash) {
    case 2: dash = {w, w}; break;
    case 3: dash = {0.01, 2 * w}; cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND); break;
    case 4: dash = {4 * w, 3 * w}; break;
    case 5: dash = {4 * w, 3 * w, w, 3 * w}; break;
    case 6: dash = {4 * w, 3 * w, w, 3 * w, w, 3 * w}; break;
    case 7: dash = {8 * w, 3 * w}; break;
    case 8: dash = {8 * w, 3 * w, w, 3 * w}; break;
    default: break;
  }
  cairo_set_dash(cr, dash.data(), static_cast<int>(dash.size()), 0);
}

// Fills the closed polygon through the points.
void FillPolygon(cairo_t* cr, std::initializer_list<Point> points) {
  for (const Point& p : points) cairo_line_to(cr, p.x, p.y);  // the first line_to of a new path moves
  cairo_close_path(cr);
  cairo_fill(cr);
}

// The arrowhead at `tip`, pointing away from `from`. Its size grows with
// the line: 2, 3 or 5 line widths for narrow, medium, wide (and short,
// medium, long), never smaller than for a 1-point line.
void DrawArrowhead(cairo_t* cr, const Arrowhead& a, const Stroke& s, Point tip, Point from) {
  if (a.style <= 1) return;
  const double dx = tip.x - from.x, dy = tip.y - from.y, len = std::hypot(dx, dy);
  if (len <= 0) return;
  const double ux = dx / len, uy = dy / len;
  const double factor[] = {2, 3, 5};
  const double w = std::max(s.width, 1.0);
  const double length = factor[std::clamp(a.length, 1, 3) - 1] * w, half = factor[std::clamp(a.width, 1, 3) - 1] * w / 2;
  auto at = [&](double along, double across) {
    return Point{tip.x - ux * along - uy * across, tip.y - uy * along + ux * across};
  };
  cairo_save(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  SetColor(cr, s.color);
  cairo_new_path(cr);
  const Point l = at(length, half), r = at(length, -half);
  switch (a.style) {
    case 3:  // open: two strokes
      cairo_move_to(cr, l.x, l.y);
      cairo_line_to(cr, tip.x, tip.y);
      cairo_line_to(cr, r.x, r.y);
      cairo_set_line_width(cr, s.width);
      cairo_stroke(cr);
      break;
    case 4:  // stealth: a triangle with a notch
      FillPolygon(cr, {tip, l, at(length * 0.6, 0), r});
      break;
    case 5:  // diamond centred on the end
      FillPolygon(cr, {at(-length / 2, 0), at(0, half), at(length / 2, 0), at(0, -half)});
      break;
    case 6:  // oval centred on the end
      cairo_translate(cr, tip.x, tip.y);
      cairo_rotate(cr, std::atan2(uy, ux));
      cairo_scale(cr, length / 2, half);
      cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
      cairo_restore(cr);
      cairo_save(cr);
      SetColor(cr, s.color);
      cairo_fill(cr);
      break;
    default:  // triangle
      FillPolygon(cr, {tip, l, r});
      break;
  }
  cairo_restore(cr);
}

// The ends of an open path with the point each one is approached from
// (a curve's control point, or the node before).
void DrawArrowheads(cairo_t* cr, const Path& path) {
  const Stroke& s = path.stroke;
  if ((s.begin.style <= 1 && s.end.style <= 1) || path.points.size() < 2) return;
  if (std::find(path.ops.begin(), path.ops.end(), Path::Op::Close) != path.ops.end()) return;
  const auto& p = path.points;
  DrawArrowhead(cr, s.begin, s, p[0], p[1]);
  DrawArrowhead(cr, s.end, s, p[p.size() - 1], p[p.size() - 2]);
}

void PaintPath(cairo_t* cr, const Path& path) {
  if (path.fill.visible) {
    TracePath(cr, path);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    const double alpha = 1 - std::clamp(path.fill.transparency, 0.0, 1.0);
    if (path.fill.pattern == 0) {
      SetColor(cr, path.fill.fore, alpha);
      cairo_fill(cr);
    } else {
      cairo_pattern_t* pattern = MakeFillPattern(path.fill.pattern, path.fill.fore, path.fill.back, alpha);
      cairo_set_source(cr, pattern);
      cairo_fill(cr);
      cairo_pattern_destroy(pattern);
    }
  }
  const Stroke& s = path.stroke;
  if (!s.visible || s.width <= 0) return;
  TracePath(cr, path);
  cairo_save(cr);
  SetColor(cr, s.color);
  cairo_set_line_width(cr, s.width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetDash(cr, s);
  cairo_stroke(cr);
  cairo_restore(cr);
  DrawArrowheads(cr, path);
}

void PaintText(cairo_t* cr, const Text& t) {
  if (t.text.empty() || t.font.size <= 0) return;
  PangoContext* context = pango_cairo_create_context(cr);
  pango_cairo_context_set_resolution(context, 72);
  PangoLayout* layout = NewTextLayout(context, t);
  const double baseline = pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE);
  SetColor(cr, t.font.color);
  cairo_move_to(cr, t.left, t.baseline - baseline);
  pango_cairo_show_layout(cr, layout);
  g_object_unref(layout);
  g_object_unref(context);
}

}  // namespace

void Paint(cairo_t* cr, const Scene& scene) {
  SetColor(cr, scene.background);
  cairo_paint(cr);
  for (const Item& item : scene.items) {
    cairo_save(cr);
    if (item.rotation != 0) {
      cairo_translate(cr, item.cx, item.cy);
      cairo_rotate(cr, item.rotation * std::numbers::pi / 180);
      cairo_translate(cr, -item.cx, -item.cy);
    }
    switch (item.kind) {
      case Item::Kind::Path: PaintPath(cr, item.path); break;
      case Item::Kind::Text: PaintText(cr, item.text); break;
      case Item::Kind::Image: PaintImage(cr, item.image); break;
    }
    cairo_restore(cr);
  }
}

}  // namespace plx::pictures
