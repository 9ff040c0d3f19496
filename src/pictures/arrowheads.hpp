#pragma once
// Arrowheads as outlines, for every back end: the cairo painter and the
// metafile writers draw the same shapes.
#include <vector>

#include "pictures/scene.hpp"

namespace plx::pictures {

// The arrowheads at the ends of an open path, each pointing away from the
// point its end is approached from (a curve's control point, or the node
// before). Filled heads (triangle, stealth, diamond, oval) are filled
// outlines in the stroke's colour; the open head is two strokes, solid, of
// the line's width. None for a closed path or one without arrowheads.
// Their size grows with the line: 2, 3 or 5 line widths for narrow,
// medium, wide (and short, medium, long), never smaller than for a 1-point
// line.
std::vector<Path> ArrowheadPaths(const Path& path);

}  // namespace plx::pictures
