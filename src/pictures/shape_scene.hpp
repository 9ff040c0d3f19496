#pragma once
// Floating shapes and laid-out text as scene items.
#include <vector>

#include "docif/range.hpp"
#include "docif/shapes.hpp"
#include "pictures/scene.hpp"

namespace plx::pictures {

// Adds the shape (a group: its items, back to front), moved by (dx, dy).
void AddShape(Scene& scene, docif::Shape& shape, double dx, double dy);

// Adds text pieces, moved by (dx, dy); returns where the rightmost one
// really ends, which may lie past its layout slot.
double AddLaidText(Scene& scene, const std::vector<docif::LaidText>& pieces, double dx, double dy);

// The base line of a piece of text in a line from `top` with `lineHeight`:
// the glyphs sit in the middle of the line, as word processors place text
// on a line taller than the font.
double Baseline(double top, double lineHeight, double size);
// The line height for which Baseline() gives `baseline`.
double LineHeightFor(double top, double baseline, double size);

// A picture's data as a scene image in the given box.
Image ImageOf(docif::PictureData data, double left, double top, double width, double height);

Font FontOf(const docif::FontFormat& format);

// Laid-out text as a run to draw, in its font, with the signs a symbol font
// keeps in the private-use area as the Unicode signs it shows; its place is
// left to the caller.
Text RunOf(const docif::LaidText& piece);

}  // namespace plx::pictures
