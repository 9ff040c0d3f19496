// The document's Shapes: listing, finding by name, and adding shapes as
// the host adds them (anchored at the selection's paragraph, placed on the
// page, black lines, the host's default fill, in front of the text).
#include <map>
#include <optional>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/drawing/PointSequenceSequence.hpp>
#include <com/sun/star/drawing/PolyPolygonBezierCoords.hpp>
#include <com/sun/star/drawing/TextVerticalAdjust.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XTextContent.hpp>

#include "common/error.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/picture_info.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_files.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_shape_book.hpp"
#include "docif/uno/uno_shapes.hpp"
#include "platform/codepage.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

sal_Int32 Mm100(double points) { return static_cast<sal_Int32>(ToMm100(points)); }

// The name of a custom shape's geometry for each auto shape the surface makes.
const char* CustomTypeOf(int autoShape) {
  switch (autoShape) {
    case kAutoShapeRectangle: return "rectangle";
    case kAutoShapeOval: return "ellipse";
    case kAutoShapeFlowchartProcess: return "flowchart-process";
    case kAutoShapeFlowchartDecision: return "flowchart-decision";
    case kAutoShapeFlowchartData: return "flowchart-data";
    case kAutoShapeFlowchartTerminator: return "flowchart-terminator";
    default: return nullptr;
  }
}

uno::Any Geometry(const char* type) {
  uno::Sequence<beans::PropertyValue> geometry(1);
  geometry.getArray()[0].Name = "Type";
  geometry.getArray()[0].Value <<= rtl::OUString::createFromAscii(type);
  return uno::Any(geometry);
}

// The look every new shape starts with, as the host gives it.
void PutDefaults(PropertyBatch& batch, bool filled) {
  batch.Put("LineStyle", uno::Any(drawing::LineStyle_SOLID))
      .Put("LineColor", uno::Any(sal_Int32(0)))
      .Put("LineWidth", uno::Any(Mm100(0.75)));
  WriteFill({.Visible = filled, .ForeColor = 0xFFFFFF, .Transparency = 0.0}, batch);
  WriteWrap({.AllowOverlap = true, .Type = 3}, batch);
}

class UnoShapes final : public Shapes {
 public:
  explicit UnoShapes(std::shared_ptr<WriterDoc> doc) : doc_(std::move(doc)) {}

  int Count() const override try {
    TakeNames();
    return static_cast<int>(FloatingShapes(*doc_).size());
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  ShapePtr Item(int index) const override try {
    TakeNames();
    const auto shapes = FloatingShapes(*doc_);
    if (index < 1 || index > static_cast<int>(shapes.size())) Raise(err::kInvalidCall, L"所要求的集合成员不存在。");
    const ShapeRef& s = shapes[static_cast<size_t>(index - 1)];
    return MakeUnoShape(doc_, {s, s});
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  ShapePtr Item(const std::wstring& name) const override try {
    if (auto s = ShapeNamed(*doc_, name)) return MakeUnoShape(doc_, *s);
    Raise(err::kInvalidCall, L"找不到名为“" + name + L"”的图形。");
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  ShapePtr AddLine(float beginX, float beginY, float endX, float endY) override try {
    ShapeRef shape = Insert("com.sun.star.drawing.LineShape", {});
    PlacePath(shape, {{beginX, beginY}, {endX, endY}}, {}, false);
    PropertyBatch batch;
    PutDefaults(batch, false);
    if (const auto& line = BookOf(*doc_).defaultLine) WriteLine(shape, doc_->story.Document(), *line, batch);
    return Finish(shape, batch);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  ShapePtr AddShape(int autoShapeType, float left, float top, float width, float height) override try {
    const char* type = CustomTypeOf(autoShapeType);
    if (!type) Raise(err::kInvalidCall, L"LibreOffice 宿主不能添加第 " + std::to_wstring(autoShapeType) + L" 种自选图形。");
    PropertyBatch before;
    // The shape keeps its size whatever text it is given.
    before.Put("CustomShapeGeometry", Geometry(type))
        .Put("TextAutoGrowHeight", uno::Any(false))
        .Put("TextAutoGrowWidth", uno::Any(false));
    ShapeRef shape = Insert("com.sun.star.drawing.CustomShape", before, Box{left, top, width, height});
    PropertyBatch batch;
    PutDefaults(batch, true);
    batch.Put("TextVerticalAdjust", uno::Any(drawing::TextVerticalAdjust_CENTER));
    if (const auto& look = BookOf(*doc_).defaultShape) {
      WriteLine(shape, doc_->story.Document(), look->first, batch);
      WriteFill(look->second, batch);
    }
    return Finish(shape, batch);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  ShapePtr AddTextbox(int orientation, float left, float top, float width, float height) override try {
    PropertyBatch before;
    before.Put("TextAutoGrowHeight", uno::Any(false)).Put("TextAutoGrowWidth", uno::Any(false));
    // A drawing text shape. A Writer text box (a custom shape with a text
    // frame, as text boxes read from files are) would hold fields, formulas
    // and laid-out text, but Writer's frames made the textbook graph take
    // four times as long (about 0.43 s inside the office, 0.12 s now).
    ShapeRef shape = Insert("com.sun.star.drawing.TextShape", before, Box{left, top, width, height});
    PropertyBatch batch;
    PutDefaults(batch, true);
    batch.Put("TextVerticalAdjust", uno::Any(drawing::TextVerticalAdjust_TOP));
    batch.Put("TextLeftDistance", uno::Any(Mm100(7.2))).Put("TextRightDistance", uno::Any(Mm100(7.2)));
    batch.Put("TextUpperDistance", uno::Any(Mm100(3.6))).Put("TextLowerDistance", uno::Any(Mm100(3.6)));
    ShapePtr made = Finish(shape, batch);
    if (orientation != 1) made->SetTextFrame({.Orientation = orientation});
    return made;
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  ShapePtr AddCurve(const std::vector<PointF>& points) override try {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) Raise(err::kInvalidCall, L"曲线的点数必须是 3k+1 个。");
    ShapeRef shape = Insert("com.sun.star.drawing.OpenBezierShape", {});
    std::vector<bool> control;
    for (size_t i = 0; i < points.size(); ++i) control.push_back(i % 3 != 0);
    PlacePath(shape, points, control, true);
    PropertyBatch batch;
    PutDefaults(batch, false);
    return Finish(shape, batch);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  ShapePtr AddPicture(const std::wstring& file, float left, float top, float width, float height) override try {
    const model::PictureInfo info = model::ReadPictureInfo(ReadFileBytes(file));
    if (info.contentType.empty()) Raise(err::kInvalidCall, L"无法识别的图片格式：" + file);
    PropertyBatch before;
    before.Put("GraphicURL", uno::Any(FileUrl(file)));
    ShapeRef shape = Insert("com.sun.star.drawing.GraphicObjectShape", before,
                            Box{left, top, width > 0 ? width : info.widthPoints, height > 0 ? height : info.heightPoints});
    PropertyBatch batch;
    batch.Put("LineStyle", uno::Any(drawing::LineStyle_NONE));
    WriteWrap({.AllowOverlap = true, .Type = 3}, batch);
    return Finish(shape, batch);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  std::unique_ptr<FreeformBuilder> BuildFreeform(int, float x1, float y1) override;

  std::shared_ptr<ShapeRange> Range(const std::vector<std::wstring>& names) override try {
    TakeNames();
    std::map<std::wstring, ShapeRef> byName;  // the front one of a name given twice
    for (const auto& s : FloatingShapes(*doc_)) byName[NameOf(s)] = s;
    std::vector<ShapeHandle> items;
    for (const auto& name : names) {
      auto it = byName.find(name);
      if (it == byName.end()) Raise(err::kInvalidCall, L"找不到名为“" + name + L"”的图形。");
      items.push_back({it->second, it->second});
    }
    return MakeUnoShapeRange(doc_, items);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  void SelectAll() override try { SelectShapes(*doc_, FloatingShapes(*doc_), true); } catch (const uno::Exception& e) { RaiseFromUno(e); }

  // A new path shape: a line, curve or freeform through page points.
  ShapePtr AddPath(bool closed, const std::vector<PointF>& points) {
    ShapeRef shape = Insert(closed ? "com.sun.star.drawing.PolyPolygonShape" : "com.sun.star.drawing.PolyLineShape", {});
    PlacePath(shape, points, {}, false);
    PropertyBatch batch;
    PutDefaults(batch, closed);  // closed shapes are filled
    return Finish(shape, batch);
  }

 private:
  void TakeNames() const { NameDocumentShapes(*doc_); }

  struct Box {
    double left, top, width, height;
  };

  // A new shape of the service, anchored to the paragraph of the selection
  // and, when a box is given, placed there. Writer keeps a shape's place
  // when it is given before the shape goes into the text; given after, the
  // first layout puts the shape where its drawing object was.
  ShapeRef Insert(const char* service, const PropertyBatch& before, std::optional<Box> box = std::nullopt) {
    NameDocumentShapes(*doc_);  // before the new shape is there to be named
    LetShapesLeaveThePage(*doc_);
    Reference<lang::XMultiServiceFactory> factory(doc_->story.Document(), uno::UNO_QUERY_THROW);
    ShapeRef shape(factory->createInstance(rtl::OUString::createFromAscii(service)), uno::UNO_QUERY_THROW);
    PropertyBatch anchor = before;
    anchor.Put("AnchorType", uno::Any(text::TextContentAnchorType_AT_PARAGRAPH));
    if (box) {
      shape->setSize(awt::Size(Mm100(box->width), Mm100(box->height)));
      PutPagePlace(anchor, box->left, box->top);
    }
    anchor.ApplyTo(shape);
    const model::Story& mirror = doc_->story.Mirror();
    const long pos = std::clamp(doc_->selection->start, 0L, mirror.Length() - 1);
    auto cursor = doc_->story.CursorAt(mirror.ParagraphAt(pos).first);
    cursor->getText()->insertTextContent(AsRange(cursor), Reference<text::XTextContent>(shape, uno::UNO_QUERY_THROW), false);
    ShapeAdded(*doc_);
    return shape;
  }

  // Writer takes a path's nodes in drawing-layer coordinates: they are set
  // from (0, 0) once the shape is in the text, and the shape is then placed
  // by its orient positions (its drawn extent's top left).
  void PlacePath(const ShapeRef& shape, const std::vector<PointF>& points, const std::vector<bool>& control, bool bezier) {
    float left = points[0].x, top = points[0].y;
    for (const auto& p : points) left = std::min(left, p.x), top = std::min(top, p.y);
    uno::Sequence<awt::Point> nodes(static_cast<sal_Int32>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
      nodes.getArray()[i] = awt::Point(Mm100(points[i].x - left), Mm100(points[i].y - top));
    Reference<beans::XPropertySet> props(shape, uno::UNO_QUERY_THROW);
    if (bezier) {
      drawing::PolyPolygonBezierCoords coords;
      coords.Coordinates = uno::Sequence<uno::Sequence<awt::Point>>(&nodes, 1);
      uno::Sequence<drawing::PolygonFlags> flags(nodes.getLength());
      for (size_t i = 0; i < control.size(); ++i)
        flags.getArray()[i] = control[i] ? drawing::PolygonFlags_CONTROL : drawing::PolygonFlags_NORMAL;
      coords.Flags = uno::Sequence<uno::Sequence<drawing::PolygonFlags>>(&flags, 1);
      props->setPropertyValue("PolyPolygonBezier", uno::Any(coords));
    } else {
      props->setPropertyValue("PolyPolygon", uno::Any(drawing::PointSequenceSequence(&nodes, 1)));
    }
    // Writer places a curve by what it draws, which may lie inside its
    // nodes; placed once inserted, the drawing object must stand there too.
    const auto [dx, dy] = DrawnInset(points, control);
    shape->setPosition(awt::Point(Mm100(left + dx), Mm100(top + dy)));
    PropertyBatch place;
    PutPagePlace(place, left + dx, top + dy);
    place.ApplyTo(shape);
  }

  ShapePtr Finish(const ShapeRef& shape, PropertyBatch& batch) {
    batch.ApplyTo(shape);
    const std::wstring name = DefaultNameOf(shape) + L" " + std::to_wstring(TakeShapeNumber(*doc_));
    NameShape(*doc_, shape, name);
    const awt::Size size = shape->getSize();
    BookOf(*doc_).originalSizes[name] = {FromMm100(size.Width), FromMm100(size.Height)};
    return MakeUnoShape(doc_, {shape, shape});
  }

  std::shared_ptr<WriterDoc> doc_;
};

class UnoFreeformBuilder final : public FreeformBuilder {
 public:
  UnoFreeformBuilder(std::shared_ptr<UnoShapes> shapes, float x, float y) : shapes_(std::move(shapes)) {
    points_.push_back({x, y});
  }
  void AddNodes(int, int, float x, float y) override { points_.push_back({x, y}); }
  ShapePtr ConvertToShape() override try {
    if (points_.size() < 2) Raise(err::kInvalidCall, L"任意多边形至少需要两个节点。");
    return shapes_->AddPath(points_.front() == points_.back(), points_);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

 private:
  std::shared_ptr<UnoShapes> shapes_;
  std::vector<PointF> points_;
};

std::unique_ptr<FreeformBuilder> UnoShapes::BuildFreeform(int, float x1, float y1) {
  return std::make_unique<UnoFreeformBuilder>(std::make_shared<UnoShapes>(doc_), x1, y1);
}

}  // namespace

std::shared_ptr<Shapes> MakeUnoShapes(const std::shared_ptr<WriterDoc>& doc) { return std::make_shared<UnoShapes>(doc); }

}  // namespace plx::docif::lo
