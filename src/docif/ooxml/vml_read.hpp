#pragma once
// Reading a floating VML drawing (the w:pict of documents converted from
// older formats, and the fallback of mc:AlternateContent) into a model
// shape: v:line, v:rect, v:oval, v:roundrect, v:shape (text boxes,
// pictures and paths of straight and Bézier segments) and v:group with its
// coordinate space mapped to page points.
#include <pugixml.hpp>

#include <array>

#include "docif/ooxml/drawing_read.hpp"

namespace plx::docif::ooxml {

// The shape of a w:pict's one positioned shape or group; null when the
// drawing is inline (not positioned absolutely). Raises UnreadableDrawing
// for shapes the model has none for.
model::ShapeDataPtr ReadVmlDrawing(const pugi::xml_node& pict, const DrawingSource& src,
                                   Placement& where);

// The picture of an inline w:pict: its one shape, not positioned
// absolutely, showing a v:imagedata (no text box, no embedded object).
// Gives the relationship id, size, rotation, outline and description, as
// read; false for any other drawing.
bool ReadVmlInlinePicture(const pugi::xml_node& pict, model::InlineObject& o);

// The crop of a VML picture's v:imagedata (cropleft, croptop, cropright,
// cropbottom: fractions of the picture, or 65536ths with a trailing "f") as
// the l, t, r, b of a:srcRect, in thousandths of a percent.
std::array<long, 4> VmlPictureCrop(const pugi::xml_node& imagedata);

}  // namespace plx::docif::ooxml
