#pragma once
// The model's floating shapes: lines, auto shapes, text boxes, curves,
// freeforms, pictures and groups, with their geometry in page points.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "docif/model/doc_data.hpp"
#include "docif/shapes.hpp"

namespace plx::docif::model {

// What a shape read from a file has that the model does not represent,
// written back with the shape so that the file keeps its look. A fill,
// outline or text body the model could only approximate is kept with the
// value the model read it as, and is written back while the shape still has
// that value.
struct KeptDrawing {
  std::string geometry;  // a:prstGeom or a:custGeom the model's nodes do not express
  std::string fill;      // a:gradFill, a:blipFill, theme colours...
  FillFormat fillAsRead;
  std::string line;  // a:ln
  LineFormat lineAsRead;
  std::string bodyPr;  // wps:bodyPr of a shape with text
  TextFrameFormat frameAsRead;
  std::string effects;   // a:effectLst, a:scene3d, a:sp3d, a:extLst of the shape properties
  std::string style;     // wps:style: theme references for outline, fill, effects and text
  std::string blipFill;  // a picture's pic:blipFill with its cropping
};

// A top-level shape read from a file: its run content as it stood there,
// and the shape's fingerprint then. While the fingerprint is unchanged the
// run content is written back as read.
struct ReadDrawing {
  std::string xml;
  std::string fingerprint;
};

struct ShapeData {
  std::wstring name;
  int type = kShapeAutoShape;
  int autoShape = 0;
  double left = 0, top = 0, width = 0, height = 0, rotation = 0;
  double origWidth = 0, origHeight = 0;
  bool flipH = false, flipV = false;
  // Lines, curves and freeforms keep their nodes in page points; their box
  // is the nodes' bounding box.
  std::vector<PointF> points;
  std::vector<int> segments;  // freeform: segment type of each node after the first
  bool curve = false;         // the points are a Bézier list
  LineFormat line;
  FillFormat fill;
  WrapFormat wrap;
  TextFrameFormat frame;
  std::shared_ptr<Story> text;  // text boxes
  std::wstring altText;
  std::optional<InlineObject> picture;
  PictureEffectList effects;
  std::vector<std::shared_ptr<ShapeData>> children;  // groups, back to front
  ShapeData* parent = nullptr;
  std::shared_ptr<Anchor> anchor;  // position in the main story
  // A picture made floating from the text: the place it stood there, where
  // it goes back when it is made inline again.
  std::shared_ptr<Anchor> textPlace;
  // Kept against its anchor paragraph, not the page: the geometry is in
  // page points for the paragraph's top at paragraphTop, and moves with
  // the paragraph (anchored_shapes.hpp).
  bool paragraphRelative = false;
  double paragraphTop = 0;
  bool deleted = false;
  std::shared_ptr<const KeptDrawing> kept;  // read from a file
  std::shared_ptr<const ReadDrawing> source;
};

using ShapeDataPtr = std::shared_ptr<ShapeData>;

// Bounding box of a shape (a group: of its items).
struct Box {
  double left, top, width, height;
};
Box Bounds(const ShapeData& s);

class ModelShape final : public Shape {
 public:
  ModelShape(std::shared_ptr<DocData> doc, ShapeDataPtr data) : doc_(std::move(doc)), d_(std::move(data)) {}
  std::wstring Name() const override { return Live().name; }
  void SetName(const std::wstring& name) override;
  int Type() const override { return Live().type; }
  int AutoShapeType() const override { return Live().autoShape; }
  double Left() const override { return Bounds(Live()).left; }
  void SetLeft(double v) override;
  double Top() const override { return Bounds(Live()).top; }
  int RelativeVerticalPosition() const override {
    return Live().paragraphRelative ? kRelativeVerticalPositionParagraph : kRelativeVerticalPositionPage;
  }
  void SetRelativeVerticalPosition(int reference) override;
  void SetTop(double v) override;
  double Width() const override { return Bounds(Live()).width; }
  void SetWidth(double v) override;
  double Height() const override { return Bounds(Live()).height; }
  void SetHeight(double v) override;
  double Rotation() const override { return Live().rotation; }
  void SetRotation(double v) override;
  void ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) override;
  void ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) override;
  LineFormat Line() const override { return Live().line; }
  void SetLine(const LineFormat& f) override;
  FillFormat Fill() const override { return Live().fill; }
  void SetFill(const FillFormat& f) override;
  WrapFormat Wrap() const override { return Live().wrap; }
  void SetWrap(const WrapFormat& f) override;
  bool HasTextFrame() const override { return Live().text != nullptr; }
  TextFrameFormat TextFrame() const override { return Live().frame; }
  void SetTextFrame(const TextFrameFormat& f) override;
  RangePtr TextRange() override;
  std::wstring AlternativeText() const override { return Live().altText; }
  void SetAlternativeText(const std::wstring& t) override;
  std::vector<PointF> Points() const override { return Live().points; }
  bool BezierNodes() const override { return Live().curve; }
  void AddPictureEffect(int type, double value) override;
  PictureEffectList PictureEffects() const override { return Live().effects; }
  PictureData Picture() const override;
  void SetShapesDefaultProperties() override;
  void ZOrder(int command) override;
  RangePtr Anchor() override;
  std::shared_ptr<ShapeRange> GroupItems() override;
  std::shared_ptr<ShapeRange> Ungroup() override;
  void Select(bool replace) override;
  void Delete() override;
  std::shared_ptr<InlineShape> ConvertToInlineShape() override;

  const ShapeDataPtr& Data() const { return d_; }

 private:
  ShapeData& Live() const;
  std::shared_ptr<DocData> doc_;
  ShapeDataPtr d_;
};

class ModelShapeRange final : public ShapeRange {
 public:
  ModelShapeRange(std::shared_ptr<DocData> doc, std::vector<ShapeDataPtr> items)
      : doc_(std::move(doc)), items_(std::move(items)) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  ShapePtr Item(int index) const override;
  ShapePtr Group() override;
  std::shared_ptr<ShapeRange> Ungroup() override;
  void Align(int command, bool relativeToPage) override;
  void Distribute(int command, bool relativeToPage) override;
  void Select(bool replace) override;
  void Delete() override;
  double Left() const override { return Extent().left; }
  double Top() const override { return Extent().top; }
  double Width() const override { return Extent().width; }
  double Height() const override { return Extent().height; }
  void SetLeft(double v) override;
  void SetTop(double v) override;
  std::wstring Name() const override;
  void SetName(const std::wstring& name) override;
  void SetLine(const LineFormat& f) override;
  void SetFill(const FillFormat& f) override;
  void SetWrap(const WrapFormat& f) override;
  void ZOrder(int command) override;
  void IncrementLeft(double d) override;
  void IncrementTop(double d) override;
  void IncrementRotation(double d) override;
  void ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) override;
  void ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) override;

 private:
  Box Extent() const;
  template <class F>
  void Each(F f) const;
  std::shared_ptr<DocData> doc_;
  std::vector<ShapeDataPtr> items_;
};

class ModelShapes final : public Shapes {
 public:
  explicit ModelShapes(std::shared_ptr<DocData> doc) : doc_(std::move(doc)) {}
  int Count() const override { return static_cast<int>(doc_->shapes.size()); }
  ShapePtr Item(int index) const override;
  ShapePtr Item(const std::wstring& name) const override;
  ShapePtr AddLine(float beginX, float beginY, float endX, float endY) override;
  ShapePtr AddShape(int autoShapeType, float left, float top, float width, float height) override;
  ShapePtr AddTextbox(int orientation, float left, float top, float width, float height) override;
  ShapePtr AddCurve(const std::vector<PointF>& points) override;
  ShapePtr AddPicture(const std::wstring& file, float left, float top, float width, float height) override;
  std::unique_ptr<FreeformBuilder> BuildFreeform(int editingType, float x1, float y1) override;
  std::shared_ptr<ShapeRange> Range(const std::vector<std::wstring>& names) override;
  void SelectAll() override;

 private:
  std::shared_ptr<DocData> doc_;
};

// Adds a new top-level shape anchored at the selection's paragraph and
// gives it the host's default name ("Line 3").
ShapePtr AddShapeData(const std::shared_ptr<DocData>& doc, ShapeDataPtr data);
// A floating picture made from inline picture data, anchored at anchorPos.
ShapePtr AddPictureShape(const std::shared_ptr<DocData>& doc, InlineObject picture, double left,
                         double top, long anchorPos);
// Everything about a shape that saving writes (name, geometry, look, text,
// items), as one string: equal fingerprints write the same drawing.
std::string Fingerprint(const ShapeData& s);
// The host's default name of a shape without its number ("Rectangle").
std::wstring DefaultNameOf(const ShapeData& s);
// Every shape of the document, groups' items included, in order.
std::vector<ShapeDataPtr> AllShapes(const DocData& doc);

}  // namespace plx::docif::model
