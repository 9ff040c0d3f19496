#pragma once
// Inline pictures and embedded objects in Writer: graphic and embedded
// objects anchored as characters, one inline-object character of the
// mirror each (equations and the formulas of EQ fields are not among them).
#include <memory>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The picture a Writer graphic object or drawing picture shows, as the
// host gives it: the bytes and kind of the file the graphic was made from
// (what a document stores and Writer keeps with the graphic), else, for a
// graphic made of pixels only, those pixels as a bitmap file; the crop as
// shares of the picture.
PictureData PictureOf(WriterDoc& doc, const Reference<css::beans::XPropertySet>& object);

// A picture's look as it passes between the text and the page.
struct PictureLook {
  Reference<css::graphic::XGraphic> graphic;
  double width = 0, height = 0, rotation = 0;  // points; clockwise degrees
  bool outlined = false;
  // Description, AdjustLuminance, AdjustContrast and GraphicCrop, as Writer
  // keeps them on its graphic objects and drawing pictures alike.
  std::vector<css::uno::Any> kept;
};
// The look of a Writer graphic object or drawing picture, but for its size,
// turn and outline, which each kind keeps its own way.
PictureLook KeptLookOf(const Reference<css::beans::XPropertySet>& picture);
// Puts a picture of that look into the text at `pos`, as a character.
std::shared_ptr<InlineShape> InsertInlinePicture(const std::shared_ptr<WriterDoc>& doc, long pos, const PictureLook& look);

// The inline shapes whose character lies in [start, end), or at start when
// the range is collapsed (kept live).
std::shared_ptr<InlineShapes> MakeUnoInlineShapes(const std::shared_ptr<WriterDoc>& doc, long start, long end);

}  // namespace plx::docif::lo
