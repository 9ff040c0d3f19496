#pragma once
// Floating drawing shapes. Coordinates are points from the page's top
// left. Names are unique within a document.
#include <memory>
#include <string>
#include <vector>

#include "docif/formats.hpp"
#include "docif/range.hpp"

namespace plx::docif {

class ShapeRange;

// Shape types.
constexpr int kShapeAutoShape = 1;
constexpr int kShapeFreeform = 5;
constexpr int kShapeGroup = 6;
constexpr int kShapeEmbeddedOle = 7;
constexpr int kShapeLine = 9;
constexpr int kShapePicture = 13;
constexpr int kShapeTextBox = 17;

// Auto shape types.
constexpr int kAutoShapeRectangle = 1;
constexpr int kAutoShapeOval = 9;
constexpr int kAutoShapeFlowchartProcess = 61;
constexpr int kAutoShapeFlowchartDecision = 63;
constexpr int kAutoShapeFlowchartData = 64;
constexpr int kAutoShapeFlowchartTerminator = 69;

// Z-order commands.
constexpr int kBringToFront = 0;
constexpr int kSendToBack = 1;
constexpr int kBringForward = 2;
constexpr int kSendBackward = 3;
constexpr int kBringInFrontOfText = 4;
constexpr int kSendBehindText = 5;

// What a shape's vertical position is kept against.
constexpr int kRelativeVerticalPositionPage = 1;
constexpr int kRelativeVerticalPositionParagraph = 2;

// Scale anchors.
constexpr int kScaleFromTopLeft = 0;
constexpr int kScaleFromMiddle = 1;
constexpr int kScaleFromBottomRight = 2;

// Align and distribute commands.
constexpr int kAlignLefts = 0;
constexpr int kAlignCenters = 1;
constexpr int kAlignRights = 2;
constexpr int kAlignTops = 3;
constexpr int kAlignMiddles = 4;
constexpr int kAlignBottoms = 5;
constexpr int kDistributeHorizontally = 0;
constexpr int kDistributeVertically = 1;

// Freeform segment and editing types.
constexpr int kSegmentLine = 0;
constexpr int kSegmentCurve = 1;
constexpr int kEditingAuto = 0;
constexpr int kEditingCorner = 1;

class Shape {
 public:
  virtual ~Shape() = default;
  virtual std::wstring Name() const = 0;
  // Error 5 when another shape of the document has the name.
  virtual void SetName(const std::wstring& name) = 0;
  virtual int Type() const = 0;
  virtual int AutoShapeType() const = 0;
  virtual double Left() const = 0;
  virtual void SetLeft(double) = 0;
  virtual double Top() const = 0;
  virtual void SetTop(double) = 0;
  virtual double Width() const = 0;
  virtual void SetWidth(double) = 0;
  virtual double Height() const = 0;
  virtual void SetHeight(double) = 0;
  virtual double Rotation() const = 0;
  virtual void SetRotation(double) = 0;
  // Whether the shape stays at its place on the page or moves with the
  // paragraph it is anchored to when the text before it changes. Top and
  // Left stay page coordinates either way.
  virtual int RelativeVerticalPosition() const = 0;
  virtual void SetRelativeVerticalPosition(int reference) = 0;
  void IncrementLeft(double d) { SetLeft(Left() + d); }
  void IncrementTop(double d) { SetTop(Top() + d); }
  void IncrementRotation(double d) { SetRotation(Rotation() + d); }
  // Scales by factor about the anchor (top left, middle, bottom right);
  // relativeToOriginal scales the size the shape was made with.
  virtual void ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) = 0;
  virtual void ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) = 0;

  virtual LineFormat Line() const = 0;
  virtual void SetLine(const LineFormat&) = 0;
  virtual FillFormat Fill() const = 0;
  virtual void SetFill(const FillFormat&) = 0;
  virtual WrapFormat Wrap() const = 0;
  virtual void SetWrap(const WrapFormat&) = 0;
  virtual bool HasTextFrame() const = 0;
  virtual TextFrameFormat TextFrame() const = 0;
  virtual void SetTextFrame(const TextFrameFormat&) = 0;
  // The text of a text box (its own story); null for other shapes.
  virtual RangePtr TextRange() = 0;
  virtual std::wstring AlternativeText() const = 0;
  virtual void SetAlternativeText(const std::wstring&) = 0;
  // The node points of a line, curve or freeform, in page points.
  virtual std::vector<PointF> Points() const = 0;
  // Whether the nodes are a Bézier list (a start point, then two control
  // points and an end point per segment) rather than straight segments.
  virtual bool BezierNodes() const = 0;
  // Picture adjustments added to a picture (kPictureSharpen...), in order.
  virtual void AddPictureEffect(int type, double value) = 0;
  virtual PictureEffectList PictureEffects() const = 0;
  // A picture shape's data; empty bytes for any other shape.
  virtual PictureData Picture() const = 0;
  // Makes the shape's line and fill the document's default for new shapes
  // (a line's line: the default for new lines).
  virtual void SetShapesDefaultProperties() = 0;

  virtual void ZOrder(int command) = 0;
  // The paragraph the shape is anchored to.
  virtual RangePtr Anchor() = 0;
  virtual std::shared_ptr<ShapeRange> GroupItems() = 0;
  virtual std::shared_ptr<ShapeRange> Ungroup() = 0;
  virtual void Select(bool replace = true) = 0;
  virtual void Delete() = 0;
  // Makes a picture an inline picture at its anchor, keeping its rotation;
  // a picture made floating from the text goes back to its place there.
  virtual std::shared_ptr<InlineShape> ConvertToInlineShape() = 0;
};

using ShapePtr = std::shared_ptr<Shape>;

// Several shapes at once; setters apply to every shape.
class ShapeRange {
 public:
  virtual ~ShapeRange() = default;
  virtual int Count() const = 0;
  virtual ShapePtr Item(int index) const = 0;
  // Groups the shapes into one new group shape (error 5 for fewer than two).
  virtual ShapePtr Group() = 0;
  virtual std::shared_ptr<ShapeRange> Ungroup() = 0;
  // relativeToPage: against the page rather than the shapes' own extent.
  virtual void Align(int command, bool relativeToPage) = 0;
  virtual void Distribute(int command, bool relativeToPage) = 0;
  virtual void Select(bool replace = true) = 0;
  virtual void Delete() = 0;

  // The bounding box of the shapes.
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual void SetLeft(double) = 0;
  virtual void SetTop(double) = 0;
  // The name of the single shape (error 5 with more than one).
  virtual std::wstring Name() const = 0;
  virtual void SetName(const std::wstring&) = 0;
  virtual void SetLine(const LineFormat&) = 0;
  virtual void SetFill(const FillFormat&) = 0;
  virtual void SetWrap(const WrapFormat&) = 0;
  virtual void ZOrder(int command) = 0;
  virtual void IncrementLeft(double) = 0;
  virtual void IncrementTop(double) = 0;
  virtual void IncrementRotation(double) = 0;
  virtual void ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) = 0;
  virtual void ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) = 0;
};

// A freeform under construction: nodes are added, then it becomes a shape.
class FreeformBuilder {
 public:
  virtual ~FreeformBuilder() = default;
  virtual void AddNodes(int segmentType, int editingType, float x, float y) = 0;
  virtual ShapePtr ConvertToShape() = 0;
};

class Shapes {
 public:
  virtual ~Shapes() = default;
  virtual int Count() const = 0;
  // 1-based index or name; error 5 when there is none.
  virtual ShapePtr Item(int index) const = 0;
  virtual ShapePtr Item(const std::wstring& name) const = 0;
  virtual ShapePtr AddLine(float beginX, float beginY, float endX, float endY) = 0;
  virtual ShapePtr AddShape(int autoShapeType, float left, float top, float width, float height) = 0;
  virtual ShapePtr AddTextbox(int orientation, float left, float top, float width, float height) = 0;
  // A Bézier curve through the point list (3k + 1 points: a start point,
  // then two control points and an end point per segment).
  virtual ShapePtr AddCurve(const std::vector<PointF>& points) = 0;
  virtual ShapePtr AddPicture(const std::wstring& file, float left, float top, float width,
                              float height) = 0;
  virtual std::unique_ptr<FreeformBuilder> BuildFreeform(int editingType, float x1, float y1) = 0;
  // The named shapes; error 5 when a name is unknown.
  virtual std::shared_ptr<ShapeRange> Range(const std::vector<std::wstring>& names) = 0;
  virtual void SelectAll() = 0;
};

}  // namespace plx::docif
