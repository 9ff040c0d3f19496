#pragma once
// Equations typeset from their Office Math Markup: every construct becomes
// a box (width, ascent and descent about its base line) of text runs and
// drawn strokes, and boxes nest as the markup does. Fractions stack over a
// bar on the math axis, scripts are set at 70 % of their base, radicals and
// stretched delimiters are drawn as outlines, large operators carry their
// limits below and above (or as scripts), matrices and equation arrays are
// grids of boxes.
#include <string>
#include <vector>

#include "pictures/scene.hpp"

namespace plx::pictures {

// A typeset formula whose items stand about the origin: x from 0 to
// `width`, the base line at y = 0 (ascent above it, descent below).
struct MathBox {
  double width = 0, ascent = 0, descent = 0;
  std::vector<Item> items;
};

// The formula of an <m:oMath> element (or an <m:oMathPara> holding one),
// set in `font` (its size is the size of the formula's ordinary text).
// Markup that does not parse gives an empty box.
MathBox TypesetOfficeMath(const std::string& xml, const Font& font);

// Adds the formula's items to the scene with its origin at (left, baseline).
void AddMath(Scene& scene, const MathBox& box, double left, double baseline);

}  // namespace plx::pictures
