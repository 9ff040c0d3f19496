#include "docif/uno/uno_shape_props.hpp"

#include <cmath>
#include <string>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/drawing/DashStyle.hpp>
#include <com/sun/star/drawing/FillStyle.hpp>
#include <com/sun/star/drawing/Hatch.hpp>
#include <com/sun/star/drawing/HatchStyle.hpp>
#include <com/sun/star/drawing/LineDash.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/drawing/PolyPolygonBezierCoords.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/WrapTextMode.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/text/WritingMode.hpp>
#include <com/sun/star/text/WritingMode2.hpp>
#include <com/sun/star/text/XTextFrame.hpp>

#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

PropertyBatch& PropertyBatch::Put(const char* name, const uno::Any& value) {
  const rtl::OUString key = rtl::OUString::createFromAscii(name);
  for (auto& [k, v] : values_)
    if (k == key) {
      v = value;
      return *this;
    }
  values_.emplace_back(key, value);
  return *this;
}

void PropertyBatch::ApplyTo(const Reference<uno::XInterface>& object) const {
  if (values_.empty()) return;
  uno::Sequence<rtl::OUString> names(static_cast<sal_Int32>(values_.size()));
  uno::Sequence<uno::Any> values(names.getLength());
  sal_Int32 i = 0;
  for (const auto& [name, value] : values_) {
    names.getArray()[i] = name;
    values.getArray()[i++] = value;
  }
  Reference<beans::XMultiPropertySet>(object, uno::UNO_QUERY_THROW)->setPropertyValues(names, values);
}

PropertyRead::PropertyRead(const Reference<uno::XInterface>& object, std::initializer_list<const char*> names) {
  uno::Sequence<rtl::OUString> wanted(static_cast<sal_Int32>(names.size()));
  sal_Int32 i = 0;
  for (const char* n : names) wanted.getArray()[i++] = rtl::OUString::createFromAscii(n);
  try {
    const auto values = Reference<beans::XMultiPropertySet>(object, uno::UNO_QUERY_THROW)->getPropertyValues(wanted);
    for (i = 0; i < wanted.getLength() && i < values.getLength(); ++i) values_[wanted[i]] = values[i];
  } catch (const uno::RuntimeException&) {
    // Writer refuses the whole list when one name is unknown to the object
    // (a group's item has no anchor or wrap): one at a time then.
    Reference<beans::XPropertySet> single(object, uno::UNO_QUERY_THROW);
    for (const auto& name : wanted) {
      try {
        values_[name] = single->getPropertyValue(name);
      } catch (const beans::UnknownPropertyException&) {
      }
    }
  }
}

sal_Int32 ToUnoColor(uint32_t rgb) {
  return static_cast<sal_Int32>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

uint32_t FromUnoColor(sal_Int32 color) {
  const auto c = static_cast<uint32_t>(color);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

namespace {

// Dash styles as LibreOffice reads the preset dashes of a .docx (lengths in
// per cent of the line's width), so that saving writes the preset back.
struct Dash {
  int style;
  sal_Int16 dots, dotLen, dashes, dashLen, distance;
};
constexpr Dash kDashes[] = {{2, 1, 100, 0, 0, 100}, {3, 1, 300, 0, 0, 100}, {4, 1, 400, 0, 0, 300},
                            {5, 1, 400, 1, 100, 300}, {6, 1, 800, 2, 100, 300}, {7, 1, 800, 0, 0, 300},
                            {8, 1, 800, 1, 100, 300}};

drawing::LineDash DashOf(int style) {
  for (const Dash& d : kDashes)
    if (d.style == style)
      return drawing::LineDash(drawing::DashStyle_RECTRELATIVE, d.dots, d.dotLen, d.dashes, d.dashLen, d.distance);
  return drawing::LineDash(drawing::DashStyle_RECTRELATIVE, 1, 400, 0, 0, 300);
}

// The nearest of the host's dash styles to a dash of any lengths.
int StyleOfDash(const drawing::LineDash& dash, sal_Int32 width) {
  auto relative = [&](sal_Int32 length) {
    if (dash.Style == drawing::DashStyle_RECTRELATIVE || dash.Style == drawing::DashStyle_ROUNDRELATIVE) return length;
    return static_cast<sal_Int32>(length * 100 / std::max<sal_Int32>(width, 1));
  };
  const sal_Int32 first = relative(dash.Dots > 0 ? dash.DotLen : dash.DashLen);
  const int others = dash.Dots > 0 ? dash.Dashes : 0;
  if (others >= 2) return 6;
  if (others == 1) return first > 500 ? 8 : 5;
  if (first <= 150) return 2;
  if (first <= 350) return relative(dash.Distance) <= 150 ? 3 : 4;
  return first > 500 ? 7 : 4;
}

// Arrowheads: LibreOffice names the ones it reads from a .docx by their
// kind and size ("msArrowEnd 5": width index × 3 + length index + 1) and
// writes those names back as the same arrowheads.
const char* const kArrowNames[] = {"msArrowEnd", "msArrowOpenEnd", "msArrowStealthEnd", "msArrowDiamondEnd",
                                   "msArrowOvalEnd"};
constexpr double kArrowFactor[] = {2, 3, 5};  // small, medium, large: times the line's width

drawing::PolyPolygonBezierCoords ArrowOutline(int style, int length, int width) {
  const double w = kArrowFactor[std::clamp(width, 1, 3) - 1] * 100;
  const double h = kArrowFactor[std::clamp(length, 1, 3) - 1] * 100;
  std::vector<std::pair<double, double>> unit;  // x and y of a 1 × 1 box, the tip at the top
  switch (style) {
    case 3: unit = {{0.5, 0}, {1, 0.92}, {0.88, 1}, {0.5, 0.3}, {0.12, 1}, {0, 0.92}}; break;
    case 4: unit = {{0.5, 0}, {1, 1}, {0.5, 0.75}, {0, 1}}; break;
    case 5: unit = {{0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}}; break;
    case 6:
      for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        unit.emplace_back(0.5 + 0.5 * std::sin(a), 0.5 - 0.5 * std::cos(a));
      }
      break;
    default: unit = {{0.5, 0}, {1, 1}, {0, 1}}; break;
  }
  drawing::PolyPolygonBezierCoords coords;
  coords.Coordinates.realloc(1);
  coords.Flags.realloc(1);
  coords.Coordinates.getArray()[0].realloc(static_cast<sal_Int32>(unit.size()) + 1);
  coords.Flags.getArray()[0].realloc(static_cast<sal_Int32>(unit.size()) + 1);
  auto* points = coords.Coordinates.getArray()[0].getArray();
  auto* flags = coords.Flags.getArray()[0].getArray();
  for (size_t i = 0; i <= unit.size(); ++i) {
    const auto& [x, y] = unit[i % unit.size()];
    points[i] = awt::Point(static_cast<sal_Int32>(std::lround(x * w)), static_cast<sal_Int32>(std::lround(y * h)));
    flags[i] = drawing::PolygonFlags_NORMAL;
  }
  return coords;
}

struct Arrow {
  int style = 1, length = 2, width = 2;
};

Arrow ArrowOfName(const std::wstring& name) {
  if (name.empty()) return {};
  for (int i = 0; i < 5; ++i) {
    const std::wstring prefix = FromOUString(rtl::OUString::createFromAscii(kArrowNames[i]));
    if (name.rfind(prefix + L" ", 0) != 0 && name != prefix) continue;
    int index = name.size() > prefix.size() ? std::wcstol(name.c_str() + prefix.size(), nullptr, 10) : 5;
    if (index < 1 || index > 9) index = 5;
    return {i + 2, (index - 1) % 3 + 1, (index - 1) / 3 + 1};
  }
  // LibreOffice's own arrowheads, by what their names say.
  if (name.find(L"Diamond") != std::wstring::npos || name.find(L"Square 45") != std::wstring::npos) return {5, 2, 2};
  if (name.find(L"Circle") != std::wstring::npos || name.find(L"Oval") != std::wstring::npos) return {6, 2, 2};
  if (name.find(L"Line") != std::wstring::npos) return {3, 2, 2};
  return {2, 2, 2};
}

// Writer takes an arrowhead by the name it has in the document's table of
// arrowheads (given an outline under a name not there, it renames it).
void PutArrow(PropertyBatch& batch, const Reference<uno::XInterface>& document, bool begin, const Arrow& arrow,
              sal_Int32 lineWidth) {
  const char* nameProperty = begin ? "LineStartName" : "LineEndName";
  if (arrow.style <= 1) {
    batch.Put(nameProperty, uno::Any(rtl::OUString()));
    batch.Put(begin ? "LineStart" : "LineEnd", uno::Any(drawing::PolyPolygonBezierCoords()));
    return;
  }
  const int style = std::clamp(arrow.style, 2, 6);
  const int length = std::clamp(arrow.length, 1, 3), width = std::clamp(arrow.width, 1, 3);
  const std::string name = std::string(kArrowNames[style - 2]) + " " + std::to_string((width - 1) * 3 + length);
  const rtl::OUString arrowName = rtl::OUString::createFromAscii(name.c_str());
  Reference<container::XNameContainer> table(
      Reference<lang::XMultiServiceFactory>(document, uno::UNO_QUERY_THROW)->createInstance("com.sun.star.drawing.MarkerTable"),
      uno::UNO_QUERY_THROW);
  if (!table->hasByName(arrowName)) table->insertByName(arrowName, uno::Any(ArrowOutline(style, length, width)));
  batch.Put(nameProperty, uno::Any(arrowName));
  const double factor = kArrowFactor[width - 1];
  batch.Put(begin ? "LineStartWidth" : "LineEndWidth",
            uno::Any(static_cast<sal_Int32>(std::lround(std::max<sal_Int32>(lineWidth, 35) * factor))));
  batch.Put(begin ? "LineStartCenter" : "LineEndCenter", uno::Any(style >= 5));
}

}  // namespace

LineFormat ReadLine(const ShapeRef& shape) {
  PropertyRead p(shape, {"LineStyle", "LineWidth", "LineColor", "LineDash", "LineStartName", "LineEndName"});
  LineFormat line;
  const auto style = p.Or("LineStyle", drawing::LineStyle_SOLID);
  const sal_Int32 width = p.Or<sal_Int32>("LineWidth", 0);
  line.Visible = style != drawing::LineStyle_NONE;
  line.Weight = width == 0 ? 0.75 : FromMm100(width);  // Writer's hairline is drawn as the thinnest line
  line.ForeColor = FromUnoColor(p.Or<sal_Int32>("LineColor", 0));
  line.DashStyle = 1;
  if (style == drawing::LineStyle_DASH)
    if (auto dash = p.Get<drawing::LineDash>("LineDash")) line.DashStyle = StyleOfDash(*dash, width);
  auto arrow = [&](const char* name, std::optional<int>& style, std::optional<int>& length, std::optional<int>& width) {
    const Arrow a = ArrowOfName(FromOUString(p.Or(name, rtl::OUString())));
    style = a.style, length = a.length, width = a.width;
  };
  arrow("LineStartName", line.BeginArrowheadStyle, line.BeginArrowheadLength, line.BeginArrowheadWidth);
  arrow("LineEndName", line.EndArrowheadStyle, line.EndArrowheadLength, line.EndArrowheadWidth);
  return line;
}

void WriteLine(const ShapeRef& shape, const Reference<uno::XInterface>& document, const LineFormat& f,
               PropertyBatch& batch) {
  const bool arrows = f.BeginArrowheadStyle || f.BeginArrowheadLength || f.BeginArrowheadWidth ||
                      f.EndArrowheadStyle || f.EndArrowheadLength || f.EndArrowheadWidth;
  const bool needsOld = f.DashStyle || f.Weight || arrows || f.Visible;
  const LineFormat old = needsOld ? ReadLine(shape) : LineFormat{};
  const double weight = f.Weight.value_or(old.Weight.value_or(0.75));
  const sal_Int32 width = static_cast<sal_Int32>(ToMm100(weight));
  const int dash = f.DashStyle.value_or(old.DashStyle.value_or(1));
  // Giving a line a colour shows it, as the host does.
  const bool visible = f.Visible.value_or(f.ForeColor ? true : old.Visible.value_or(true));
  if (f.Visible || f.ForeColor || f.DashStyle) {
    if (!visible) batch.Put("LineStyle", uno::Any(drawing::LineStyle_NONE));
    else if (dash <= 1) batch.Put("LineStyle", uno::Any(drawing::LineStyle_SOLID));
    else batch.Put("LineStyle", uno::Any(drawing::LineStyle_DASH)).Put("LineDash", uno::Any(DashOf(dash)));
  }
  if (f.Weight) batch.Put("LineWidth", uno::Any(width));
  if (f.ForeColor) batch.Put("LineColor", uno::Any(ToUnoColor(*f.ForeColor)));
  // Arrowheads are as wide as the line makes them: a new width resizes them.
  if (arrows || f.Weight) {
    PutArrow(batch, document, true,
             {f.BeginArrowheadStyle.value_or(old.BeginArrowheadStyle.value_or(1)),
              f.BeginArrowheadLength.value_or(old.BeginArrowheadLength.value_or(2)),
              f.BeginArrowheadWidth.value_or(old.BeginArrowheadWidth.value_or(2))},
             width);
    PutArrow(batch, document, false,
             {f.EndArrowheadStyle.value_or(old.EndArrowheadStyle.value_or(1)),
              f.EndArrowheadLength.value_or(old.EndArrowheadLength.value_or(2)),
              f.EndArrowheadWidth.value_or(old.EndArrowheadWidth.value_or(2))},
             width);
  }
}

FillFormat ReadFill(const ShapeRef& shape) {
  PropertyRead p(shape, {"FillStyle", "FillColor", "FillTransparence", "FillHatch", "FillBackground"});
  FillFormat fill;
  const auto style = p.Or("FillStyle", drawing::FillStyle_NONE);
  fill.Visible = style != drawing::FillStyle_NONE;
  fill.ForeColor = FromUnoColor(p.Or<sal_Int32>("FillColor", 0xFFFFFF));
  fill.BackColor = 0xFFFFFF;
  fill.Transparency = p.Or<sal_Int16>("FillTransparence", 0) / 100.0;
  fill.Pattern = 0;
  if (style == drawing::FillStyle_HATCH) {
    // A hatching: its lines' colour is the fore colour, the fill under it the back colour.
    if (auto hatch = p.Get<drawing::Hatch>("FillHatch")) fill.ForeColor = FromUnoColor(hatch->Color);
    if (p.Or("FillBackground", false)) fill.BackColor = FromUnoColor(p.Or<sal_Int32>("FillColor", 0xFFFFFF));
    fill.Pattern = 21;
  }
  return fill;
}

void WriteFill(const FillFormat& f, PropertyBatch& batch) {
  const bool visible = f.Visible.value_or(f.ForeColor || f.Pattern);
  if (f.Visible || f.ForeColor || f.Pattern) {
    if (!visible) batch.Put("FillStyle", uno::Any(drawing::FillStyle_NONE));
    else
      batch.Put("FillStyle", uno::Any(f.Pattern.value_or(0) != 0 ? drawing::FillStyle_HATCH : drawing::FillStyle_SOLID));
  }
  if (f.Pattern.value_or(0) != 0) {
    // The host's patterns are drawn as a light downward diagonal hatching of
    // the fore colour, lines 0.7 mm apart: closer than 0.75 mm, Writer saves
    // it in .docx as the light pattern the model writes (wider, as a wide one).
    drawing::Hatch hatch(drawing::HatchStyle_SINGLE, ToUnoColor(f.ForeColor.value_or(0)), 70, 1350);
    batch.Put("FillHatch", uno::Any(hatch)).Put("FillBackground", uno::Any(f.BackColor.has_value()));
    if (f.BackColor) batch.Put("FillColor", uno::Any(ToUnoColor(*f.BackColor)));
  } else if (f.ForeColor) {
    batch.Put("FillColor", uno::Any(ToUnoColor(*f.ForeColor)));
  }
  if (f.Transparency)
    batch.Put("FillTransparence", uno::Any(static_cast<sal_Int16>(std::lround(std::clamp(*f.Transparency, 0.0, 1.0) * 100))));
}

WrapFormat ReadWrap(const ShapeRef& shape) {
  PropertyRead p(shape, {"Surround", "Opaque", "SurroundContour", "AllowOverlap"});
  const auto surround = p.Or("Surround", text::WrapTextMode_THROUGH);
  WrapFormat wrap;
  wrap.AllowOverlap = p.Or("AllowOverlap", true);
  if (surround == text::WrapTextMode_THROUGH) wrap.Type = p.Or("Opaque", true) ? 3 : 5;
  else if (surround == text::WrapTextMode_NONE) wrap.Type = 4;
  else wrap.Type = p.Or("SurroundContour", false) ? 1 : 0;
  return wrap;
}

void WriteWrap(const WrapFormat& f, PropertyBatch& batch) {
  if (f.AllowOverlap) batch.Put("AllowOverlap", uno::Any(*f.AllowOverlap));
  if (!f.Type) return;
  switch (*f.Type) {
    case 0:
    case 1:
    case 2:
      batch.Put("Surround", uno::Any(text::WrapTextMode_PARALLEL)).Put("SurroundContour", uno::Any(*f.Type != 0));
      break;
    case 4: batch.Put("Surround", uno::Any(text::WrapTextMode_NONE)); break;
    default:  // in front of the text (3) or behind it (5)
      batch.Put("Surround", uno::Any(text::WrapTextMode_THROUGH)).Put("Opaque", uno::Any(*f.Type != 5));
      break;
  }
}

Reference<text::XTextFrame> FrameOf(const ShapeRef& shape) {
  PropertyRead p(shape, {"TextBox", "TextBoxContent"});
  if (!p.Or("TextBox", false)) return {};
  return p.Or("TextBoxContent", Reference<text::XTextFrame>());
}

namespace {

// The frame holding a text box's text, for its properties (none for a shape without one).
Reference<beans::XPropertySet> TextBoxFrame(const ShapeRef& shape) {
  return Reference<beans::XPropertySet>(FrameOf(shape), uno::UNO_QUERY);
}

}  // namespace

namespace {

// A custom shape's text turned a quarter (90: upward, 270: downward), kept in its geometry.
sal_Int32 PreRotation(const ShapeRef& shape) {
  double angle = 0;
  for (const auto& value : PropertyRead(shape, {"CustomShapeGeometry"}).Or("CustomShapeGeometry", uno::Sequence<beans::PropertyValue>()))
    if (value.Name == "TextPreRotateAngle") value.Value >>= angle;
  return (static_cast<sal_Int32>(std::lround(angle)) % 360 + 360) % 360;
}

void SetPreRotation(const ShapeRef& shape, sal_Int32 angle) {
  auto geometry = PropertyRead(shape, {"CustomShapeGeometry"}).Or("CustomShapeGeometry", uno::Sequence<beans::PropertyValue>());
  sal_Int32 i = 0;
  while (i < geometry.getLength() && geometry[i].Name != "TextPreRotateAngle") ++i;
  if (i == geometry.getLength()) {
    geometry.realloc(i + 1);
    geometry.getArray()[i].Name = "TextPreRotateAngle";
  }
  geometry.getArray()[i].Value <<= static_cast<double>(angle);
  PropertyBatch().Put("CustomShapeGeometry", uno::Any(geometry)).ApplyTo(shape);
}

}  // namespace

TextFrameFormat ReadTextFrame(const ShapeRef& shape) {
  PropertyRead p(shape, {"TextLeftDistance", "TextRightDistance", "TextUpperDistance", "TextLowerDistance",
                         "TextWritingMode"});
  TextFrameFormat frame;
  frame.MarginLeft = FromMm100(p.Or<sal_Int32>("TextLeftDistance", 0));
  frame.MarginRight = FromMm100(p.Or<sal_Int32>("TextRightDistance", 0));
  frame.MarginTop = FromMm100(p.Or<sal_Int32>("TextUpperDistance", 0));
  frame.MarginBottom = FromMm100(p.Or<sal_Int32>("TextLowerDistance", 0));
  frame.Orientation = 1;
  if (auto box = TextBoxFrame(shape); box.is()) {
    // The text of a Writer text box flows as its frame says.
    sal_Int16 mode = text::WritingMode2::LR_TB;
    box->getPropertyValue("WritingMode") >>= mode;
    if (mode == text::WritingMode2::BT_LR) frame.Orientation = 2;
    else if (mode == text::WritingMode2::TB_RL || mode == text::WritingMode2::TB_LR) frame.Orientation = 5;
    return frame;
  }
  if (p.Or("TextWritingMode", text::WritingMode_LR_TB) == text::WritingMode_TB_RL) frame.Orientation = 5;
  else if (const sal_Int32 turn = PreRotation(shape); turn == 90 || turn == 270) frame.Orientation = turn == 90 ? 2 : 3;
  return frame;
}

void WriteTextFrame(const ShapeRef& shape, const TextFrameFormat& f) {
  PropertyBatch batch;
  if (f.MarginLeft) batch.Put("TextLeftDistance", uno::Any(static_cast<sal_Int32>(ToMm100(*f.MarginLeft))));
  if (f.MarginRight) batch.Put("TextRightDistance", uno::Any(static_cast<sal_Int32>(ToMm100(*f.MarginRight))));
  if (f.MarginTop) batch.Put("TextUpperDistance", uno::Any(static_cast<sal_Int32>(ToMm100(*f.MarginTop))));
  if (f.MarginBottom) batch.Put("TextLowerDistance", uno::Any(static_cast<sal_Int32>(ToMm100(*f.MarginBottom))));
  if (!f.Orientation) {
    batch.ApplyTo(shape);
    return;
  }
  if (auto box = TextBoxFrame(shape); box.is()) {
    batch.ApplyTo(shape);
    sal_Int16 mode = text::WritingMode2::LR_TB;
    if (*f.Orientation == 2) mode = text::WritingMode2::BT_LR;
    else if (*f.Orientation == 3 || *f.Orientation == 5) mode = text::WritingMode2::TB_RL;
    box->setPropertyValue("WritingMode", uno::Any(mode));
    return;
  }
  batch.Put("TextWritingMode", uno::Any(*f.Orientation == 5 ? text::WritingMode_TB_RL : text::WritingMode_LR_TB));
  batch.ApplyTo(shape);
  SetPreRotation(shape, *f.Orientation == 2 ? 90 : *f.Orientation == 3 ? 270 : 0);
}

}  // namespace plx::docif::lo
