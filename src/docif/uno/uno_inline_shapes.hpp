#pragma once
// Inline pictures and embedded objects in Writer: graphic and embedded
// objects anchored as characters, one inline-object character of the
// mirror each (equations and the formulas of EQ fields are not among them).
#include <memory>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The picture a Writer graphic object or drawing picture shows, as the
// host gives it: the bytes and kind of the file the graphic was made from
// (what a document stores and Writer keeps with the graphic), else, for a
// graphic made of pixels only, those pixels as a bitmap file; the crop as
// shares of the picture.
PictureData PictureOf(WriterDoc& doc, const Reference<css::beans::XPropertySet>& object);

// The inline shapes whose character lies in [start, end), or at start when
// the range is collapsed (kept live).
std::shared_ptr<InlineShapes> MakeUnoInlineShapes(const std::shared_ptr<WriterDoc>& doc, long start, long end);

}  // namespace plx::docif::lo
