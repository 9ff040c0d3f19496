#pragma once
// DrawingML run content for the model's shapes, as the .docx writer puts it
// into a <w:r>: floating shapes as wp:anchor (lines, auto shapes and text
// boxes as wps:wsp, groups as wpg:wgp, pictures as pic:pic) and inline
// pictures as wp:inline. Positions are page-relative, in EMU (12700 per
// point, rounded to the nearest integer).
//
// Namespaces: the caller declares only w
// ("http://schemas.openxmlformats.org/wordprocessingml/2006/main") on the
// document root. Every <w:drawing> written here declares the others itself,
// so a document whose root tag was kept as read from an older file still
// parses:
//   wp  http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing
//   a   http://schemas.openxmlformats.org/drawingml/2006/main
//   pic http://schemas.openxmlformats.org/drawingml/2006/picture
//   wps http://schemas.microsoft.com/office/word/2010/wordprocessingShape
//   wpg http://schemas.microsoft.com/office/word/2010/wordprocessingGroup
//   r   http://schemas.openxmlformats.org/officeDocument/2006/relationships
// Declaring them on the root as well does no harm.
//
// The result is UTF-8. Text is escaped, and characters XML cannot carry
// (control characters, lone surrogates) are dropped, so a name can never
// make the document unreadable.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "docif/model/model_shapes.hpp"

namespace plx::docif::ooxml {

// Ids and parts shared by every drawing of one document.
struct DrawingContext {
  uint32_t nextDocPrId = 1;                 // wp:docPr ids must be unique in the document
  uint32_t nextRelativeHeight = 251659264;  // z-order: later shapes get higher values
  // Adds a picture to the package and returns its relationship id ("rId7").
  std::function<std::string(const model::InlineObject&)> addImage;
  // The <w:p> elements of a text box's story (written by the text writer).
  std::function<std::string(const model::Story&)> storyXml;
};

// <w:drawing><wp:anchor ...>...</wp:anchor></w:drawing> for a top-level
// floating shape, positioned relative to the page, or vertically relative
// to its anchor paragraph when it is kept against it (so it stays beside
// its text however the reader lays the text out). Takes one docPr id (plus
// one per group item) and one relativeHeight from the context. Raises error
// 5 when the shape needs a callback the context lacks (a picture without
// addImage, a text box without storyXml) rather than writing it incomplete.
std::string FloatingShapeXml(const model::ShapeData& shape, DrawingContext& ctx);

// The outline (a:ln) of a line format; missing members are the defaults
// (visible, 0.75 pt, black, solid, no arrowheads).
std::string LineXml(const LineFormat& f);

// The file format's preset pattern name of a host pattern number (1 to
// 48), and back; unknown ones are the 50 % pattern.
const char* PatternName(int pattern);
int PatternNumber(const std::string& name);

// How far a width × height picture (points) turned by `degrees` reaches
// past its unturned box on each side, horizontally and vertically, in EMU
// and never negative: the wp:effectExtent that keeps room on the line for
// the turned picture.
std::pair<int64_t, int64_t> RotatedOverhang(double width, double height, double degrees);

// <w:drawing><wp:inline ...>...</wp:inline></w:drawing> for an inline
// picture (pic:pic) at the picture's own size and rotation. Objects read
// from a file and kept as raw XML are the caller's to write back; this
// always writes a fresh picture. Raises error 5 without addImage.
std::string InlinePictureXml(const model::InlineObject& picture, DrawingContext& ctx);

}  // namespace plx::docif::ooxml
