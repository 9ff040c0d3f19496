#pragma once
// The host's pattern fills as repeating cairo patterns. Hatchings and grids
// are drawn as lines on a 6-point tile (8 pixels at 96 dpi, the host's
// tile); the percentage shades and the decorative patterns the renderer
// does not draw line by line are a flat mix of the two colours in the
// pattern's proportion.
#include <cairo.h>

#include <cstdint>

namespace plx::pictures {

// The caller destroys the pattern. `alpha` applies to both colours.
cairo_pattern_t* MakeFillPattern(int pattern, uint32_t fore, uint32_t back, double alpha);

// The directions of a hatching's or grid's lines, as a set of these bits;
// 0 for the other patterns.
enum HatchLine : unsigned { kHatchHorizontal = 1, kHatchVertical = 2, kHatchDown = 4, kHatchUp = 8 };
unsigned HatchLines(int pattern);

// `fore` and `back` mixed, `share` (0 to 1) of the fore colour.
uint32_t MixColours(uint32_t fore, uint32_t back, double share);

// How much of the fore colour a flat mix of the pattern shows (0 to 1).
double PatternCoverage(int pattern);

}  // namespace plx::pictures
