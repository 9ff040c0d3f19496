#include "pictures/cairo_paint.hpp"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "pictures/arrowheads.hpp"
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
  for (const Path& head : ArrowheadPaths(path)) PaintPath(cr, head);
}

void PaintText(cairo_t* cr, const Text& t) {
  if (t.text.empty() || t.font.size <= 0) return;
  PangoContext* context = pango_cairo_create_context(cr);
  pango_cairo_context_set_resolution(context, 72);
  PangoLayout* layout = NewTextLayout(context, t);
  const double baseline = pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE);
  if (t.clip) {
    cairo_rectangle(cr, t.left + t.clip->left, t.baseline + t.clip->top, t.clip->right - t.clip->left,
                    t.clip->bottom - t.clip->top);
    cairo_clip(cr);
  }
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
