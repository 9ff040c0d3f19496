#pragma once
// Reading a floating VML drawing (the w:pict of documents converted from
// older formats, and the fallback of mc:AlternateContent) into a model
// shape: v:line, v:rect, v:oval, v:roundrect, v:shape (text boxes,
// pictures and paths of straight and Bézier segments) and v:group with its
// coordinate space mapped to page points.
#include <pugixml.hpp>

#include "docif/ooxml/drawing_read.hpp"

namespace plx::docif::ooxml {

// The shape of a w:pict's one positioned shape or group; null when the
// drawing is inline (not positioned absolutely). Raises UnreadableDrawing
// for shapes the model has none for.
model::ShapeDataPtr ReadVmlDrawing(const pugi::xml_node& pict, const DrawingSource& src,
                                   Placement& where);

}  // namespace plx::docif::ooxml
