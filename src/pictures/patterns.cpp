#include "pictures/patterns.hpp"

#include <algorithm>

namespace plx::pictures {
namespace {

constexpr double kTile = 6;

struct Hatch {
  unsigned lines = 0;
  double width = 0;   // line width in points
  double spacing = 1; // lines per tile
};

// The hatchings and grids among the host's pattern numbers.
Hatch HatchOf(int pattern) {
  switch (pattern) {
    case 13: return {kHatchHorizontal, 1.5, 2};
    case 14: return {kHatchVertical, 1.5, 2};
    case 15: return {kHatchDown, 1.5, 2};
    case 16: return {kHatchUp, 1.5, 2};
    case 18: return {kHatchDown | kHatchUp, 1.2, 2};
    case 19: return {kHatchHorizontal, 0.75, 2};
    case 20: return {kHatchVertical, 0.75, 2};
    case 21: return {kHatchDown, 0.75, 2};
    case 22: return {kHatchUp, 0.75, 2};
    case 23: return {kHatchHorizontal | kHatchVertical, 0.75, 2};
    case 25: return {kHatchDown, 2.25, 1};
    case 26: return {kHatchUp, 2.25, 1};
    case 29: return {kHatchVertical, 0.75, 4};
    case 30: return {kHatchHorizontal, 0.75, 4};
    case 34: return {kHatchHorizontal | kHatchVertical, 0.75, 1};
    default: return {};
  }
}

void Rgba(cairo_t* cr, uint32_t rgb, double alpha) {
  cairo_set_source_rgba(cr, (rgb & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, ((rgb >> 16) & 0xFF) / 255.0, alpha);
}

}  // namespace

uint32_t MixColours(uint32_t fore, uint32_t back, double share) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double f = (fore >> shift) & 0xFF, b = (back >> shift) & 0xFF;
    out |= static_cast<uint32_t>(f * share + b * (1 - share) + 0.5) << shift;
  }
  return out;
}

double PatternCoverage(int pattern) {
  static const double kPercent[] = {0, 0.05, 0.10, 0.20, 0.25, 0.30, 0.40, 0.50, 0.60, 0.70, 0.75, 0.80, 0.90};
  if (pattern >= 1 && pattern <= 12) return kPercent[pattern];
  const Hatch h = HatchOf(pattern);
  if (h.lines == 0) return 0.5;
  int count = 0;
  for (unsigned l = h.lines; l; l >>= 1) count += l & 1;
  return std::min(1.0, count * h.width * h.spacing / kTile);
}

unsigned HatchLines(int pattern) { return HatchOf(pattern).lines; }

cairo_pattern_t* MakeFillPattern(int pattern, uint32_t fore, uint32_t back, double alpha) {
  const Hatch h = HatchOf(pattern);
  if (h.lines == 0) {
    const uint32_t mixed = MixColours(fore, back, PatternCoverage(pattern));
    return cairo_pattern_create_rgba((mixed & 0xFF) / 255.0, ((mixed >> 8) & 0xFF) / 255.0,
                                     ((mixed >> 16) & 0xFF) / 255.0, alpha);
  }
  cairo_rectangle_t extent{0, 0, kTile, kTile};
  cairo_surface_t* tile = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extent);
  cairo_t* cr = cairo_create(tile);
  Rgba(cr, back, alpha);
  cairo_paint(cr);
  Rgba(cr, fore, alpha);
  cairo_set_line_width(cr, h.width);
  const double step = kTile / h.spacing;
  // Lines run past the tile's edges so that neighbouring tiles join up.
  for (double o = -kTile; o <= 2 * kTile; o += step) {
    if (h.lines & kHatchHorizontal) { cairo_move_to(cr, -1, o + step / 2); cairo_line_to(cr, kTile + 1, o + step / 2); }
    if (h.lines & kHatchVertical) { cairo_move_to(cr, o + step / 2, -1); cairo_line_to(cr, o + step / 2, kTile + 1); }
    if (h.lines & kHatchDown) { cairo_move_to(cr, o - 1, -1); cairo_line_to(cr, o + kTile + 1, kTile + 1); }
    if (h.lines & kHatchUp) { cairo_move_to(cr, o - 1, kTile + 1); cairo_line_to(cr, o + kTile + 1, -1); }
  }
  cairo_stroke(cr);
  cairo_destroy(cr);
  cairo_pattern_t* out = cairo_pattern_create_for_surface(tile);
  cairo_pattern_set_extend(out, CAIRO_EXTEND_REPEAT);
  cairo_surface_destroy(tile);
  return out;
}

}  // namespace plx::pictures
