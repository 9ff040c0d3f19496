#pragma once
// Where a Writer shape stands, in the surface's terms: points from its
// page's top left, the box before any turn, clockwise degrees. Writer
// places a shape on the page by its anchor's orient positions (1/100 mm,
// measured to the top left of the turned shape's bounding box, relative to
// the page, the margins or the anchor's paragraph); a group's items and
// every node of a line or curve are in drawing-layer coordinates, which the
// adapter measures from the top-level shape's own place.
#include <string>
#include <vector>

#include "docif/formats.hpp"
#include "docif/uno/uno_shape_props.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// A shape as the adapter addresses it: itself and the top-level shape it
// belongs to (itself when it stands on the page).
struct ShapeHandle {
  ShapeRef shape, top;
  bool IsTop() const { return shape == top; }
};

// What kind of drawing object a shape is, by its service.
struct ShapeKind {
  int type = 0;       // kShape...
  int autoShape = 0;  // kAutoShape... (0 for others)
  bool path = false;  // a line, polyline, polygon or Bézier curve: its nodes are its geometry
  bool bezier = false;
};
ShapeKind KindOf(const ShapeRef& shape);
// The service name of a shape ("com.sun.star.drawing.LineShape").
std::wstring ServiceOf(const ShapeRef& shape);

struct PageBox {
  double left = 0, top = 0, width = 0, height = 0;
};

PageBox BoxOf(WriterDoc& doc, const ShapeHandle& s);
// The page a top-level shape is anchored on: (0, 0) and the page's size.
PageBox PageOf(WriterDoc& doc, const ShapeRef& top);
// Moves the shape so that its box's top left is at (left, top). A shape
// kept against its paragraph stays so, at the new distance.
void MoveTo(WriterDoc& doc, const ShapeHandle& s, double left, double top);
// Gives the shape a new size, its box's top left staying where it is.
void Resize(WriterDoc& doc, const ShapeHandle& s, double width, double height);
// Clockwise degrees (0 up to 360); turning keeps the shape's centre.
double RotationOf(const ShapeRef& shape);
void Rotate(const ShapeRef& shape, double degrees);

// The nodes of a line, polyline, polygon or curve in page points; whether
// they are a Bézier list.
std::vector<PointF> PointsOf(WriterDoc& doc, const ShapeHandle& s, bool* bezier);

// How far the top left of what a curve draws lies inside its nodes' extent,
// in points (0 for straight segments); `control` marks the control points.
std::pair<double, double> DrawnInset(const std::vector<PointF>& points, const std::vector<bool>& control);

// The orient properties that put a new top-level shape's bounding box at a
// page place (relations to the page frame).
void PutPagePlace(PropertyBatch& batch, double left, double top);

// Has Writer lay the document out. A shape it has not placed yet is put,
// when it first is, where its drawing object stands, whatever its orient
// values say by then: before a shape's relations change or shapes are
// grouped, Writer must have placed them.
void LayOut(WriterDoc& doc);
// Whether a top-level shape is kept against its anchor's paragraph.
bool FollowsParagraph(const ShapeRef& top);
// Keeps the shape against its paragraph (true) or the page, where it now stands.
void SetFollowsParagraph(WriterDoc& doc, const ShapeRef& top, bool paragraph);
// The mirror position of the start of the paragraph a top-level shape is anchored to.
long AnchorParagraphStart(WriterDoc& doc, const ShapeRef& top);

}  // namespace plx::docif::lo
