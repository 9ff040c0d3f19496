#include "docif/uno/uno_shape_geometry.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/drawing/EnhancedCustomShapeParameterPair.hpp>
#include <com/sun/star/drawing/PointSequenceSequence.hpp>
#include <com/sun/star/drawing/PolyPolygonBezierCoords.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/RelOrientation.hpp>
#include <com/sun/star/text/VertOrientation.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <com/sun/star/awt/Rectangle.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>

#include "docif/shapes.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_layout.hpp"
#include "docif/uno/uno_page_view.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;
namespace RelOrientation = text::RelOrientation;

std::wstring ServiceOf(const ShapeRef& shape) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  // The shape's type is what Writer's draw page offers to tell the kinds apart.
  return FromOUString(shape->getShapeType());
#pragma GCC diagnostic pop
}

namespace {

constexpr wchar_t kDrawing[] = L"com.sun.star.drawing.";

int CustomAutoShape(const std::wstring& type) {
  static const std::pair<const wchar_t*, int> kTypes[] = {
      {L"rectangle", kAutoShapeRectangle}, {L"ooxml-rect", kAutoShapeRectangle}, {L"rect", kAutoShapeRectangle},
      {L"ellipse", kAutoShapeOval}, {L"ooxml-ellipse", kAutoShapeOval},
      {L"flowchart-process", kAutoShapeFlowchartProcess}, {L"ooxml-flowChartProcess", kAutoShapeFlowchartProcess},
      {L"flowchart-decision", kAutoShapeFlowchartDecision}, {L"ooxml-flowChartDecision", kAutoShapeFlowchartDecision},
      {L"flowchart-data", kAutoShapeFlowchartData}, {L"ooxml-flowChartInputOutput", kAutoShapeFlowchartData},
      {L"flowchart-terminator", kAutoShapeFlowchartTerminator},
      {L"ooxml-flowChartTerminator", kAutoShapeFlowchartTerminator}};
  for (const auto& [name, number] : kTypes)
    if (type == name) return number;
  return 0;
}

ShapeKind CustomKind(const ShapeRef& shape) {
  PropertyRead p(shape, {"CustomShapeGeometry", "TextBox"});
  std::wstring type;
  sal_Int32 nodes = -1;  // of a path drawn by its own coordinates
  for (const auto& value : p.Or("CustomShapeGeometry", uno::Sequence<beans::PropertyValue>())) {
    if (value.Name == "Type") {
      rtl::OUString name;
      value.Value >>= name;
      type = FromOUString(name);
    } else if (value.Name == "Path") {
      uno::Sequence<beans::PropertyValue> path;
      value.Value >>= path;
      for (const auto& part : path)
        if (part.Name == "Coordinates") {
          uno::Sequence<drawing::EnhancedCustomShapeParameterPair> coordinates;
          part.Value >>= coordinates;
          nodes = coordinates.getLength();
        }
    }
  }
  const bool textBox = p.Or("TextBox", false);
  if (type == L"ooxml-line" || type == L"line" || type == L"ooxml-straightConnector1") return {kShapeLine};
  // A path of two nodes is a line, as the host reads one.
  if (!textBox && (type.empty() || type == L"non-primitive" || type == L"ooxml-non-primitive") && nodes == 2) return {kShapeLine};
  const int autoShape = CustomAutoShape(type);
  // A rectangle holding a text box's text is a text box; the adapter's own
  // rectangles are LibreOffice's "rectangle".
  if (textBox && (type == L"ooxml-rect" || type == L"rect" || type.empty())) return {kShapeTextBox, kAutoShapeRectangle};
  if (autoShape) return {kShapeAutoShape, autoShape};
  return {textBox ? kShapeTextBox : kShapeFreeform, 0};
}

}  // namespace

ShapeKind KindOf(const ShapeRef& shape) {
  const std::wstring service = ServiceOf(shape);
  if (service.rfind(kDrawing, 0) != 0) {
    // Writer's own frames on the draw page: pictures, objects, text frames.
    Reference<lang::XServiceInfo> info(shape, uno::UNO_QUERY);
    if (info.is() && info->supportsService("com.sun.star.text.TextGraphicObject")) return {kShapePicture};
    if (info.is() && info->supportsService("com.sun.star.text.TextEmbeddedObject")) return {kShapeEmbeddedOle};
    return {kShapeTextBox, kAutoShapeRectangle};
  }
  const std::wstring kind = service.substr(std::size(kDrawing) - 1);
  if (kind == L"LineShape") return {kShapeLine, 0, true};
  if (kind == L"GroupShape") return {kShapeGroup};
  if (kind == L"RectangleShape") return {kShapeAutoShape, kAutoShapeRectangle};
  if (kind == L"EllipseShape") return {kShapeAutoShape, kAutoShapeOval};
  if (kind == L"TextShape") return {kShapeTextBox, kAutoShapeRectangle};
  if (kind == L"GraphicObjectShape") return {kShapePicture};
  if (kind == L"OpenBezierShape" || kind == L"ClosedBezierShape") return {kShapeFreeform, 0, true, true};
  if (kind == L"PolyLineShape" || kind == L"PolyPolygonShape" || kind == L"OpenFreeHandShape" ||
      kind == L"ClosedFreeHandShape")
    return {kShapeFreeform, 0, true};
  if (kind == L"CustomShape") return CustomKind(shape);
  return {kShapeAutoShape};
}

namespace {

double Points(double mm100) { return mm100 * 72.0 / 2540.0; }
sal_Int32 Mm100(double points) { return static_cast<sal_Int32>(std::lround(points * 2540.0 / 72.0)); }

// The nodes of a path shape in drawing-layer 1/100 mm, with whether each
// is a Bézier control point.
struct Nodes {
  std::vector<awt::Point> points;
  std::vector<bool> control;
};

Nodes NodesOf(const ShapeRef& shape, bool bezier) {
  Nodes out;
  if (bezier) {
    drawing::PolyPolygonBezierCoords coords;
    Reference<beans::XPropertySet>(shape, uno::UNO_QUERY_THROW)->getPropertyValue("PolyPolygonBezier") >>= coords;
    for (sal_Int32 i = 0; i < coords.Coordinates.getLength(); ++i)
      for (sal_Int32 j = 0; j < coords.Coordinates[i].getLength(); ++j) {
        out.points.push_back(coords.Coordinates[i][j]);
        out.control.push_back(j < coords.Flags[i].getLength() && coords.Flags[i][j] == drawing::PolygonFlags_CONTROL);
      }
    return out;
  }
  drawing::PointSequenceSequence polygons;
  Reference<beans::XPropertySet>(shape, uno::UNO_QUERY_THROW)->getPropertyValue("PolyPolygon") >>= polygons;
  for (const auto& polygon : polygons)
    for (const auto& p : polygon) {
      out.points.push_back(p);
      out.control.push_back(false);
    }
  return out;
}

struct Extent {
  double left = std::numeric_limits<double>::max(), top = left, right = -left, bottom = -left;
  void Add(double x, double y) {
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
};

// Where a cubic segment reaches its extremes along one axis (t in (0, 1)).
void CubicExtremes(double p0, double p1, double p2, double p3, std::vector<double>& ts) {
  const double a = -p0 + 3 * p1 - 3 * p2 + p3, b = 2 * (p0 - 2 * p1 + p2), c = p1 - p0;
  if (std::abs(a) < 1e-12) {
    if (std::abs(b) > 1e-12) ts.push_back(-c / b);
    return;
  }
  const double d = b * b - 4 * a * c;
  if (d < 0) return;
  ts.push_back((-b + std::sqrt(d)) / (2 * a));
  ts.push_back((-b - std::sqrt(d)) / (2 * a));
}

// The nodes' extent, and the extent of the curve they draw (LibreOffice
// places a curve by the latter; the surface's box holds every node).
void Extents(const Nodes& n, Extent& all, Extent& drawn) {
  for (size_t i = 0; i < n.points.size(); ++i) {
    all.Add(n.points[i].X, n.points[i].Y);
    if (!n.control[i]) drawn.Add(n.points[i].X, n.points[i].Y);
  }
  for (size_t i = 0; i + 3 < n.points.size(); ++i) {
    if (n.control[i] || !n.control[i + 1] || !n.control[i + 2] || n.control[i + 3]) continue;
    const awt::Point* p = &n.points[i];
    std::vector<double> ts;
    CubicExtremes(p[0].X, p[1].X, p[2].X, p[3].X, ts);
    CubicExtremes(p[0].Y, p[1].Y, p[2].Y, p[3].Y, ts);
    for (double t : ts) {
      if (t <= 0 || t >= 1) continue;
      const double u = 1 - t;
      auto at = [&](double a, double b, double c, double d) { return u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d; };
      drawn.Add(at(p[0].X, p[1].X, p[2].X, p[3].X), at(p[0].Y, p[1].Y, p[2].Y, p[3].Y));
    }
  }
}

// The page style in use where a shape is anchored.
Reference<beans::XPropertySet> PageStyleOf(WriterDoc& doc, const ShapeRef& top) {
  Reference<beans::XPropertySet> at(Reference<text::XTextContent>(top, uno::UNO_QUERY_THROW)->getAnchor(), uno::UNO_QUERY_THROW);
  rtl::OUString name;
  at->getPropertyValue("PageStyleName") >>= name;
  Reference<style::XStyleFamiliesSupplier> supplier(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<container::XNameAccess> pages(supplier->getStyleFamilies()->getByName("PageStyles"), uno::UNO_QUERY_THROW);
  return Reference<beans::XPropertySet>(pages->getByName(name), uno::UNO_QUERY_THROW);
}

// Where the paragraph a shape is anchored to starts on its page, from
// Writer's view cursor. While the teacher has shapes selected the view has
// no cursor (and selecting text again takes effect only once the office's
// view has repainted): two probes are laid out then, one at the page's top
// and one at the paragraph's, and the distance between them measured.
double ParagraphTop(WriterDoc& doc, const ShapeRef& top) {
  const long start = AnchorParagraphStart(doc, top);
  try {
    return LayoutInformation(doc, start, start, kVerticalPositionRelativeToPage);
  } catch (const uno::RuntimeException&) {
    // shapes are selected in the view
  }
  Reference<lang::XMultiServiceFactory> factory(doc.story.Document(), uno::UNO_QUERY_THROW);
  auto anchor = Reference<text::XTextContent>(top, uno::UNO_QUERY_THROW)->getAnchor();
  std::vector<ShapeRef> probes;
  for (sal_Int16 relation : {RelOrientation::PAGE_FRAME, RelOrientation::FRAME}) {
    ShapeRef probe(factory->createInstance("com.sun.star.drawing.RectangleShape"), uno::UNO_QUERY_THROW);
    probe->setSize(awt::Size(10, 10));
    PropertyBatch batch;
    batch.Put("AnchorType", uno::Any(text::TextContentAnchorType_AT_PARAGRAPH));
    PutPagePlace(batch, 0, 0);
    batch.Put("VertOrientRelation", uno::Any(relation));
    batch.ApplyTo(probe);
    anchor->getText()->insertTextContent(anchor, Reference<text::XTextContent>(probe, uno::UNO_QUERY_THROW), false);
    probes.push_back(probe);
  }
  LayOut(doc);
  awt::Rectangle page, paragraph;
  Reference<beans::XPropertySet>(probes[0], uno::UNO_QUERY_THROW)->getPropertyValue("BoundRect") >>= page;
  Reference<beans::XPropertySet>(probes[1], uno::UNO_QUERY_THROW)->getPropertyValue("BoundRect") >>= paragraph;
  for (const auto& probe : probes) Reference<lang::XComponent>(probe, uno::UNO_QUERY_THROW)->dispose();
  // Measured as the view cursor's places are, from the top of the body.
  return Points(paragraph.Y - page.Y - GridBorder(doc, PageStyleOf(doc, top)));
}

bool ParagraphRelation(sal_Int16 relation) {
  return relation == RelOrientation::FRAME || relation == RelOrientation::PRINT_AREA ||
         relation == RelOrientation::CHAR || relation == RelOrientation::TEXT_LINE;
}

// A top-level shape's orient values, and the page place its positions are measured from.
struct Placement {
  sal_Int16 horiOrient = 0, horiRelation = RelOrientation::PAGE_FRAME;
  sal_Int16 vertOrient = 0, vertRelation = RelOrientation::PAGE_FRAME;
  sal_Int32 horiPosition = 0, vertPosition = 0;
  double angle = 0;  // counter-clockwise degrees, as Writer keeps it
};

Placement PlacementOf(const ShapeRef& top) {
  PropertyRead p(top, {"HoriOrient", "HoriOrientRelation", "HoriOrientPosition", "VertOrient",
                       "VertOrientRelation", "VertOrientPosition", "RotateAngle"});
  Placement out;
  out.horiOrient = p.Or<sal_Int16>("HoriOrient", 0);
  out.horiRelation = p.Or<sal_Int16>("HoriOrientRelation", RelOrientation::PAGE_FRAME);
  out.horiPosition = p.Or<sal_Int32>("HoriOrientPosition", 0);
  out.vertOrient = p.Or<sal_Int16>("VertOrient", 0);
  out.vertRelation = p.Or<sal_Int16>("VertOrientRelation", RelOrientation::PAGE_FRAME);
  out.vertPosition = p.Or<sal_Int32>("VertOrientPosition", 0);
  out.angle = p.Or<sal_Int32>("RotateAngle", 0) / 100.0;
  return out;
}

// The size of the bounding box of a w × h box turned by the angle.
std::pair<double, double> TurnedSize(double w, double h, double degrees) {
  const double a = degrees * M_PI / 180;
  return {std::abs(w * std::cos(a)) + std::abs(h * std::sin(a)), std::abs(w * std::sin(a)) + std::abs(h * std::cos(a))};
}

// The page place of the bounding box's top left of a top-level shape, in points.
std::pair<double, double> BoundingPlace(WriterDoc& doc, const ShapeRef& top, const Placement& at, double bw) {
  double x = Points(at.horiPosition), y = Points(at.vertPosition);
  const bool pageX = at.horiRelation == RelOrientation::PAGE_FRAME && at.horiOrient == text::HoriOrientation::NONE;
  const bool pageY = at.vertRelation == RelOrientation::PAGE_FRAME && at.vertOrient == text::VertOrientation::NONE;
  if (!pageX || (!pageY && !ParagraphRelation(at.vertRelation))) {
    PropertyRead page(PageStyleOf(doc, top), {"Width", "LeftMargin", "RightMargin", "TopMargin"});
    const double width = Points(page.Or<sal_Int32>("Width", 0));
    const double left = Points(page.Or<sal_Int32>("LeftMargin", 0)), right = Points(page.Or<sal_Int32>("RightMargin", 0));
    if (!pageX) {
      const bool wholePage = at.horiRelation == RelOrientation::PAGE_FRAME || at.horiRelation == RelOrientation::PAGE_LEFT;
      const double base = wholePage ? 0 : left, room = wholePage ? width : width - left - right;
      switch (at.horiOrient) {
        case text::HoriOrientation::CENTER: x = base + (room - bw) / 2; break;
        case text::HoriOrientation::RIGHT: x = base + room - bw; break;
        case text::HoriOrientation::LEFT: x = base; break;
        default: x += base; break;
      }
    }
    if (!pageY && at.vertRelation == RelOrientation::PAGE_PRINT_AREA) y += Points(page.Or<sal_Int32>("TopMargin", 0));
  }
  if (ParagraphRelation(at.vertRelation)) y += ParagraphTop(doc, top);
  return {x, y};
}

// The top left of a group's items in drawing-layer coordinates: where the
// group's own box starts. An item's position there is the top left of the
// box that holds it turned.
awt::Point GroupOrigin(const ShapeRef& group) {
  Reference<container::XIndexAccess> items(group, uno::UNO_QUERY_THROW);
  awt::Point origin(std::numeric_limits<sal_Int32>::max(), std::numeric_limits<sal_Int32>::max());
  for (sal_Int32 i = 0; i < items->getCount(); ++i) {
    ShapeRef item(items->getByIndex(i), uno::UNO_QUERY_THROW);
    const awt::Point p = item->getPosition();
    origin.X = std::min(origin.X, p.X);
    origin.Y = std::min(origin.Y, p.Y);
  }
  return origin;
}

// What a group's items are measured from: the page place of the group's
// bounding box, where Writer puts it, and that box's drawing-layer origin.
struct GroupFrame {
  double left = 0, top = 0;
  awt::Point origin;
};

GroupFrame FrameOf(WriterDoc& doc, const ShapeRef& group) {
  const Placement at = PlacementOf(group);
  const awt::Size size = group->getSize();
  const double bw = TurnedSize(Points(size.Width), Points(size.Height), at.angle).first;
  const auto [x, y] = BoundingPlace(doc, group, at, bw);
  return {x, y, GroupOrigin(group)};
}

// The drawing-layer origin of a path shape's box and the page place that
// origin has: the box is the nodes' extent.
struct PathPlace {
  Extent all;
  double pageLeft = 0, pageTop = 0;  // page points of (all.left, all.top)
};

PathPlace PathPlaceOf(WriterDoc& doc, const ShapeHandle& s, const Nodes& nodes, const GroupFrame* group);

// The box of an item of a group measured from its group's frame: a turned
// item's box stands centred in the box that holds it turned.
PageBox ItemBox(WriterDoc& doc, const ShapeHandle& s, const GroupFrame& group) {
  const ShapeKind kind = KindOf(s.shape);
  if (kind.path) {
    const Nodes nodes = NodesOf(s.shape, kind.bezier);
    if (!nodes.points.empty()) {
      const PathPlace place = PathPlaceOf(doc, s, nodes, &group);
      return {place.pageLeft, place.pageTop, Points(place.all.right - place.all.left),
              Points(place.all.bottom - place.all.top)};
    }
  }
  const awt::Size size = s.shape->getSize();
  const double w = Points(size.Width), h = Points(size.Height);
  const auto [bw, bh] = TurnedSize(w, h, kind.type == kShapeGroup ? 0 : RotationOf(s.shape));
  const awt::Point p = s.shape->getPosition();
  return {group.left + Points(p.X - group.origin.X) + (bw - w) / 2,
          group.top + Points(p.Y - group.origin.Y) + (bh - h) / 2, w, h};
}

// A group's box as the surface has it: what its items' boxes cover, each
// before its turn (a turned item's corners may reach further).
PageBox GroupBox(WriterDoc& doc, const ShapeRef& group) {
  const GroupFrame frame = FrameOf(doc, group);
  Extent e;
  std::vector<ShapeRef> pending{group};
  while (!pending.empty()) {
    Reference<container::XIndexAccess> items(pending.back(), uno::UNO_QUERY_THROW);
    pending.pop_back();
    for (sal_Int32 i = 0; i < items->getCount(); ++i) {
      ShapeRef item(items->getByIndex(i), uno::UNO_QUERY_THROW);
      if (KindOf(item).type == kShapeGroup) {
        pending.push_back(item);
        continue;
      }
      const PageBox b = ItemBox(doc, {item, group}, frame);
      e.Add(b.left, b.top);
      e.Add(b.left + b.width, b.top + b.height);
    }
  }
  if (e.right < e.left) return {frame.left, frame.top, 0, 0};
  return {e.left, e.top, e.right - e.left, e.bottom - e.top};
}

}  // namespace

PageBox PageOf(WriterDoc& doc, const ShapeRef& top) {
  PropertyRead page(PageStyleOf(doc, top), {"Width", "Height"});
  return {0, 0, Points(page.Or<sal_Int32>("Width", 0)), Points(page.Or<sal_Int32>("Height", 0))};
}

PageBox BoxOf(WriterDoc& doc, const ShapeHandle& s) {
  if (!s.IsTop()) return ItemBox(doc, s, FrameOf(doc, s.top));
  const ShapeKind kind = KindOf(s.shape);
  if (kind.type == kShapeGroup) return GroupBox(doc, s.shape);
  if (kind.path) {
    const Nodes nodes = NodesOf(s.shape, kind.bezier);
    if (!nodes.points.empty()) {
      const PathPlace place = PathPlaceOf(doc, s, nodes, nullptr);
      return {place.pageLeft, place.pageTop, Points(place.all.right - place.all.left),
              Points(place.all.bottom - place.all.top)};
    }
  }
  const awt::Size size = s.shape->getSize();
  const double w = Points(size.Width), h = Points(size.Height);
  const Placement at = PlacementOf(s.top);
  const auto [bw, bh] = TurnedSize(w, h, at.angle);
  const auto [x, y] = BoundingPlace(doc, s.top, at, bw);
  return {x + (bw - w) / 2, y + (bh - h) / 2, w, h};
}

namespace {

PathPlace PathPlaceOf(WriterDoc& doc, const ShapeHandle& s, const Nodes& nodes, const GroupFrame* group) {
  PathPlace out;
  Extent drawn;
  Extents(nodes, out.all, drawn);
  if (group) {
    // An item's place is measured from its group's (its nodes are in the
    // drawing layer's coordinates, which are not the page's).
    const awt::Point p = s.shape->getPosition();
    out.pageLeft = group->left + Points(p.X - group->origin.X) - Points(drawn.left - out.all.left);
    out.pageTop = group->top + Points(p.Y - group->origin.Y) - Points(drawn.top - out.all.top);
    return out;
  }
  // Writer places the drawn curve; its nodes may reach further.
  const Placement at = PlacementOf(s.top);
  const auto [x, y] = BoundingPlace(doc, s.top, at, Points(drawn.right - drawn.left));
  out.pageLeft = x - Points(drawn.left - out.all.left);
  out.pageTop = y - Points(drawn.top - out.all.top);
  return out;
}

}  // namespace

void MoveTo(WriterDoc& doc, const ShapeHandle& s, double left, double top) {
  const PageBox now = BoxOf(doc, s);
  const double dx = left - now.left, dy = top - now.top;
  if (std::abs(dx) < 1e-6 && std::abs(dy) < 1e-6) return;
  if (!s.IsTop()) {
    awt::Point p = s.shape->getPosition();
    p.X += Mm100(dx);
    p.Y += Mm100(dy);
    s.shape->setPosition(p);
    return;
  }
  const Placement at = PlacementOf(s.top);
  const auto [bw, bh] = TurnedSize(now.width, now.height, at.angle);
  // A group's box is its items' (unturned) boxes; Writer places the box
  // that holds them turned, which may start further up and left.
  double overhangX = (bw - now.width) / 2, overhangY = (bh - now.height) / 2;
  if (KindOf(s.shape).type == kShapeGroup) {
    const GroupFrame frame = FrameOf(doc, s.shape);
    overhangX = now.left - frame.left, overhangY = now.top - frame.top;
  }
  PropertyBatch batch;
  // Along each axis: a place measured from the page stays so, and so does
  // the vertical distance from the paragraph; any other place (an
  // alignment, the margins) becomes a place on the page.
  auto axis = [&](const char* prefix, sal_Int16 orient, bool measured, sal_Int32 position, double to, double overhang,
                  double by) {
    const std::string name(prefix);
    if (orient == 0 && measured) {
      batch.Put((name + "OrientPosition").c_str(), uno::Any(position + Mm100(by)));
      return;
    }
    batch.Put((name + "Orient").c_str(), uno::Any(sal_Int16(0)))
        .Put((name + "OrientRelation").c_str(), uno::Any(RelOrientation::PAGE_FRAME))
        .Put((name + "OrientPosition").c_str(), uno::Any(Mm100(to - overhang)));
  };
  axis("Hori", at.horiOrient, at.horiRelation == RelOrientation::PAGE_FRAME, at.horiPosition, left, overhangX, dx);
  axis("Vert", at.vertOrient, at.vertRelation == RelOrientation::PAGE_FRAME || ParagraphRelation(at.vertRelation),
       at.vertPosition, top, overhangY, dy);
  batch.ApplyTo(s.top);
}

void Resize(WriterDoc& doc, const ShapeHandle& s, double width, double height) {
  const PageBox before = BoxOf(doc, s);
  const ShapeKind kind = KindOf(s.shape);
  awt::Size size(Mm100(width), Mm100(height));
  const bool scaled = (kind.path && kind.bezier) || kind.type == kShapeGroup;
  if (scaled && before.width > 0 && before.height > 0) {
    // A curve's size in Writer is its drawn extent, and a group's the box
    // holding its items turned: scaled as the nodes and items are.
    const awt::Size drawn = s.shape->getSize();
    size = awt::Size(static_cast<sal_Int32>(std::lround(drawn.Width * width / before.width)),
                     static_cast<sal_Int32>(std::lround(drawn.Height * height / before.height)));
  }
  s.shape->setSize(size);
  MoveTo(doc, s, before.left, before.top);
}

double RotationOf(const ShapeRef& shape) {
  PropertyRead p(shape, {"RotateAngle"});
  const double ccw = p.Or<sal_Int32>("RotateAngle", 0) / 100.0;
  const double cw = std::fmod(360.0 - ccw, 360.0);
  return std::abs(cw) < 1e-9 || std::abs(cw - 360) < 1e-9 ? 0 : cw;
}

void Rotate(const ShapeRef& shape, double degrees) {
  double cw = std::fmod(degrees, 360.0);
  if (cw < 0) cw += 360;
  const auto ccw = static_cast<sal_Int32>(std::lround(std::fmod(360.0 - cw, 360.0) * 100)) % 36000;
  Reference<beans::XPropertySet>(shape, uno::UNO_QUERY_THROW)->setPropertyValue("RotateAngle", uno::Any(ccw));
}

std::vector<PointF> PointsOf(WriterDoc& doc, const ShapeHandle& s, bool* bezier) {
  const ShapeKind kind = KindOf(s.shape);
  *bezier = kind.bezier;
  if (!kind.path) return {};
  const Nodes nodes = NodesOf(s.shape, kind.bezier);
  if (nodes.points.empty()) return {};
  const GroupFrame frame = s.IsTop() ? GroupFrame{} : FrameOf(doc, s.top);
  const PathPlace place = PathPlaceOf(doc, s, nodes, s.IsTop() ? nullptr : &frame);
  std::vector<PointF> out;
  for (const auto& p : nodes.points)
    out.push_back({static_cast<float>(place.pageLeft + Points(p.X - place.all.left)),
                   static_cast<float>(place.pageTop + Points(p.Y - place.all.top))});
  return out;
}

std::pair<double, double> DrawnInset(const std::vector<PointF>& points, const std::vector<bool>& control) {
  Nodes nodes;
  for (size_t i = 0; i < points.size(); ++i) {
    nodes.points.emplace_back(Mm100(points[i].x), Mm100(points[i].y));
    nodes.control.push_back(i < control.size() && control[i]);
  }
  Extent all, drawn;
  Extents(nodes, all, drawn);
  if (nodes.points.empty()) return {0, 0};
  return {Points(drawn.left - all.left), Points(drawn.top - all.top)};
}

void PutPagePlace(PropertyBatch& batch, double left, double top) {
  batch.Put("HoriOrient", uno::Any(text::HoriOrientation::NONE))
      .Put("HoriOrientRelation", uno::Any(RelOrientation::PAGE_FRAME))
      .Put("HoriOrientPosition", uno::Any(Mm100(left)))
      .Put("VertOrient", uno::Any(text::VertOrientation::NONE))
      .Put("VertOrientRelation", uno::Any(RelOrientation::PAGE_FRAME))
      .Put("VertOrientPosition", uno::Any(Mm100(top)));
}

bool FollowsParagraph(const ShapeRef& top) {
  PropertyRead p(top, {"VertOrientRelation"});
  return ParagraphRelation(p.Or<sal_Int16>("VertOrientRelation", RelOrientation::PAGE_FRAME));
}

void LayOut(WriterDoc& doc) {
  sal_Int32 pages = 0;
  Reference<beans::XPropertySet>(doc.model->getCurrentController(), uno::UNO_QUERY_THROW)->getPropertyValue("PageCount") >>= pages;
}

void SetFollowsParagraph(WriterDoc& doc, const ShapeRef& top, bool paragraph) {
  if (FollowsParagraph(top) == paragraph) return;
  LayOut(doc);
  const Placement at = PlacementOf(top);
  const ShapeHandle s{top, top};
  const PageBox box = BoxOf(doc, s);
  const double bh = TurnedSize(box.width, box.height, at.angle).second;
  // the top of the box Writer places, on the page
  double y = KindOf(top).type == kShapeGroup ? FrameOf(doc, top).top : box.top - (bh - box.height) / 2;
  if (paragraph) y -= ParagraphTop(doc, top);
  PropertyBatch batch;
  batch.Put("VertOrient", uno::Any(text::VertOrientation::NONE))
      .Put("VertOrientRelation", uno::Any(paragraph ? RelOrientation::FRAME : RelOrientation::PAGE_FRAME))
      .Put("VertOrientPosition", uno::Any(Mm100(y)));
  batch.ApplyTo(top);
  // Writer moves some shapes (a line by half its height) when the relation
  // changes: the shape goes back to where it stood.
  const double off = BoxOf(doc, s).top - box.top;
  if (std::abs(off) > 0.05) {
    const sal_Int32 now = PlacementOf(top).vertPosition;
    PropertyBatch().Put("VertOrientPosition", uno::Any(now - Mm100(off))).ApplyTo(top);
  }
}

long AnchorParagraphStart(WriterDoc& doc, const ShapeRef& top) {
  auto anchor = Reference<text::XTextContent>(top, uno::UNO_QUERY_THROW)->getAnchor();
  const long pos = doc.story.PositionOf(anchor);
  return doc.story.Mirror().ParagraphAt(std::clamp(pos, 0L, doc.story.Mirror().Length() - 1)).first;
}

}  // namespace plx::docif::lo
