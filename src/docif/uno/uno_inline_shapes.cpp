#include "docif/uno/uno_inline_shapes.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/awt/XBitmap.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/document/XEmbeddedObjectSupplier.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/text/GraphicCrop.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include "common/error.hpp"
#include "docif/model/picture_info.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_files.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_layout.hpp"
#include "docif/uno/uno_omaths.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_shape_book.hpp"
#include "docif/uno/uno_shapes.hpp"
#include "docif/uno/uno_text.hpp"
#include "platform/codepage.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

using Props = Reference<beans::XPropertySet>;

// A picture's border when borders are enabled: a thin black line.
constexpr double kBorderPoints = 0.75;

bool IsGraphic(const Reference<text::XTextContent>& content) {
  Reference<lang::XServiceInfo> info(content, uno::UNO_QUERY);
  return info.is() && info->supportsService("com.sun.star.text.TextGraphicObject");
}

// Graphics and embedded objects are inline shapes; Math objects only when
// added as embedded objects (the others are equations and field results).
bool IsInlineShape(const Reference<text::XTextContent>& content) {
  if (!content.is()) return false;
  if (IsGraphic(content)) return true;
  if (!Reference<document::XEmbeddedObjectSupplier>(content, uno::UNO_QUERY).is()) return false;
  return !IsFormulaObject(content) || IsEmbeddedFormula(content);
}

std::string ReadAll(const Reference<io::XInputStream>& stream) {
  std::string bytes;
  uno::Sequence<sal_Int8> chunk;
  while (stream->readBytes(chunk, 1 << 16) > 0)
    bytes.append(reinterpret_cast<const char*>(chunk.getConstArray()), static_cast<size_t>(chunk.getLength()));
  return bytes;
}

// The bytes of the file a graphic was made from. Writer's drawing pictures
// give them as their graphic stream; its graphic objects do not, so a
// drawing picture of the same graphic stands in the document while they are
// read, unrecorded by undo and leaving the document's saved state as it was.
std::string StoredBytes(WriterDoc& doc, const Props& object, const Reference<graphic::XGraphic>& graphic) {
  Reference<io::XInputStream> stream;
  if (object->getPropertySetInfo()->hasPropertyByName("GraphicStream")) {
    object->getPropertyValue("GraphicStream") >>= stream;
    return stream.is() ? ReadAll(stream) : std::string();
  }
  Reference<lang::XMultiServiceFactory> factory(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<text::XTextContent> reader(factory->createInstance("com.sun.star.drawing.GraphicObjectShape"),
                                       uno::UNO_QUERY_THROW);
  Props props(reader, uno::UNO_QUERY_THROW);
  props->setPropertyValue("AnchorType", uno::Any(text::TextContentAnchorType_AT_PARAGRAPH));
  props->setPropertyValue("Graphic", uno::Any(graphic));
  Reference<util::XModifiable> modifiable(doc.model, uno::UNO_QUERY_THROW);
  const bool modified = modifiable->isModified();
  auto undo = Reference<document::XUndoManagerSupplier>(doc.model, uno::UNO_QUERY_THROW)->getUndoManager();
  undo->lock();
  std::string bytes;
  try {
    auto at = doc.story.CursorAt(0);
    at->getText()->insertTextContent(AsRange(at), reader, false);
    props->getPropertyValue("GraphicStream") >>= stream;
    if (stream.is()) bytes = ReadAll(stream);
    reader->dispose();
  } catch (...) {
    try {
      reader->dispose();  // the document keeps nothing of the reading
    } catch (...) {
      // it never entered the document
    }
    undo->unlock();
    throw;
  }
  undo->unlock();
  modifiable->setModified(modified);
  return bytes;
}

}  // namespace

PictureData PictureOf(WriterDoc& doc, const Reference<beans::XPropertySet>& object) {
  Reference<graphic::XGraphic> graphic;
  object->getPropertyValue("Graphic") >>= graphic;
  if (!graphic.is()) return {};
  Props about(graphic, uno::UNO_QUERY_THROW);
  PictureData data;
  data.bytes = StoredBytes(doc, object, graphic);
  rtl::OUString kind;
  about->getPropertyValue("MimeType") >>= kind;
  data.contentType = FromOUString(kind);
  if (data.bytes.empty()) {
    // A graphic of pixels only (pasted, or made by the office) keeps no
    // file: its pixels, as a bitmap file.
    const uno::Sequence<sal_Int8> dib = Reference<awt::XBitmap>(graphic, uno::UNO_QUERY_THROW)->getDIB();
    data.bytes.assign(reinterpret_cast<const char*>(dib.getConstArray()), static_cast<size_t>(dib.getLength()));
    data.contentType = L"image/bmp";
  } else if (data.contentType.empty() || data.contentType == L"image/x-vclgraphic") {
    data.contentType = model::ReadPictureInfo(data.bytes).contentType;
  }
  // The crop, as a share of the picture's own size.
  text::GraphicCrop crop;
  awt::Size size;
  object->getPropertyValue("GraphicCrop") >>= crop;
  about->getPropertyValue("Size100thMM") >>= size;
  if (size.Width > 0 && size.Height > 0) {
    data.cropLeft = static_cast<double>(crop.Left) / size.Width;
    data.cropRight = static_cast<double>(crop.Right) / size.Width;
    data.cropTop = static_cast<double>(crop.Top) / size.Height;
    data.cropBottom = static_cast<double>(crop.Bottom) / size.Height;
  }
  return data;
}

namespace {

// The look a picture keeps under the same names as a Writer graphic object
// and as a drawing picture.
constexpr const char* kKeptLook[] = {"Description", "AdjustLuminance", "AdjustContrast", "GraphicCrop"};

void Put(const Props& props, const char* name, const uno::Any& value) {
  props->setPropertyValue(rtl::OUString::createFromAscii(name), value);
}

// A Writer graphic object's outline: its four borders, a thin black line or none.
void PutBorders(const Props& props, bool on) {
  table::BorderLine2 line;
  if (on) line.LineWidth = static_cast<sal_uInt32>(ToMm100(kBorderPoints));
  line.Color = 0;
  for (const char* side : {"TopBorder", "BottomBorder", "LeftBorder", "RightBorder"}) Put(props, side, uno::Any(line));
}

bool HasBorders(const Props& props) {
  table::BorderLine2 line;
  props->getPropertyValue("TopBorder") >>= line;
  return line.LineWidth > 0 || line.OuterLineWidth > 0;
}

// Writer turns a graphic object by tenths of a degree counter-clockwise.
double ClockwiseOf(sal_Int16 tenths) {
  const double cw = std::fmod(3600 - tenths % 3600, 3600) / 10;
  return cw >= 360 ? 0 : cw;
}
sal_Int16 TenthsOf(double clockwise) {
  return static_cast<sal_Int16>(std::lround(std::fmod(360 - std::fmod(clockwise, 360), 360) * 10) % 3600);
}

class UnoInlineShape final : public InlineShape {
 public:
  UnoInlineShape(std::shared_ptr<WriterDoc> doc, long pos)
      : doc_(std::move(doc)), at_(doc_->story.Mirror().MakeAnchor(pos, pos + 1)) {}

  int Type() const override try {
    return IsGraphic(Content()) ? kInlineShapePicture : kInlineShapeEmbeddedOle;
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  double Width() const override try { return FromMm100(Number("Width")); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetWidth(double w) override try { Set("Width", uno::Any(static_cast<sal_Int32>(ToMm100(w)))); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  double Height() const override try { return FromMm100(Number("Height")); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetHeight(double h) override try { Set("Height", uno::Any(static_cast<sal_Int32>(ToMm100(h)))); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  bool BordersEnabled() const override try { return HasBorders(Live()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetBordersEnabled(bool on) override try { PutBorders(Live(), on); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  std::wstring AlternativeText() const override try {
    rtl::OUString text;
    Live()->getPropertyValue("Description") >>= text;
    return FromOUString(text);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetAlternativeText(const std::wstring& text) override try { Set("Description", uno::Any(ToOUString(text))); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  // Writer's graphics have a brightness and a contrast (each added to what
  // the picture has, within -100 to 100) and no sharpening: a picture keeps
  // the adjustments Writer can make.
  void AddPictureEffect(int type, double value) override try {
    const char* property = type == kPictureBrightness ? "AdjustLuminance" : type == kPictureContrast ? "AdjustContrast" : nullptr;
    if (!property || !IsGraphic(Content())) return;
    const long now = Number(property);
    Set(property, uno::Any(static_cast<sal_Int16>(std::clamp(now + std::lround(value), -100L, 100L))));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  PictureEffectList PictureEffects() const override try {
    PictureEffectList out;
    if (!IsGraphic(Content())) return out;
    if (const long b = Number("AdjustLuminance")) out.emplace_back(kPictureBrightness, b);
    if (const long c = Number("AdjustContrast")) out.emplace_back(kPictureContrast, c);
    return out;
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  PictureData Picture() const override try {
    if (!IsGraphic(Content())) return {};
    return PictureOf(*doc_, Live());
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  RangePtr GetRange() override try {
    const long p = Position();
    return MakeUnoRange(doc_, p, p + 1);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Shape> ConvertToShape() override;
  void Select() override try { GetRange()->Select(); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void Delete() override try {
    const long p = Position();
    doc_->story.Replace(p, p + 1, L"");
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  [[noreturn]] static void Gone() { Raise(err::kInvalidCall, L"该嵌入式图形已被删除。"); }

  // The object at its character, found again each time: Writer is never
  // asked about an object it may have deleted (LibreOffice 7.4 fails on it).
  // Error 5 once it is gone.
  Reference<text::XTextContent> Content() const {
    const model::Story& story = doc_->story.Mirror();
    if (at_->end != at_->start + 1 || story.Text()[at_->start] != model::kInlineObject) Gone();
    auto content = doc_->story.ContentAt(at_->start);
    if (!content.is()) Gone();
    return content;
  }
  Props Live() const { return Props(Content(), uno::UNO_QUERY_THROW); }
  long Position() const {
    Content();
    return at_->start;
  }
  long Number(const char* property) const {
    sal_Int32 value = 0;
    Live()->getPropertyValue(rtl::OUString::createFromAscii(property)) >>= value;
    return value;
  }
  void Set(const char* property, const uno::Any& value) { Put(Live(), property, value); }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> at_;  // the object's character
};

// A floating picture at the picture's place on the page (the top left of
// its line), kept against its paragraph's page place, with its look; the
// character leaves the text, and the picture remembers its place there.
std::shared_ptr<Shape> UnoInlineShape::ConvertToShape() try {
  if (!IsGraphic(Content())) Raise(err::kInvalidCall, L"LibreOffice 宿主只能把嵌入的图片变为浮动图形。");
  const long p = at_->start;
  PictureLook look = KeptLookOf(Live());
  look.width = Width();
  look.height = Height();
  const double left = LayoutInformation(*doc_, p, p, kHorizontalPositionRelativeToPage);
  const double top = LayoutInformation(*doc_, p, p, kVerticalPositionRelativeToPage);
  NameDocumentShapes(*doc_);
  Reference<lang::XMultiServiceFactory> factory(doc_->story.Document(), uno::UNO_QUERY_THROW);
  ShapeRef shape(factory->createInstance("com.sun.star.drawing.GraphicObjectShape"), uno::UNO_QUERY_THROW);
  Props props(shape, uno::UNO_QUERY_THROW);
  Put(props, "Graphic", uno::Any(look.graphic));
  for (size_t i = 0; i < std::size(kKeptLook); ++i) Put(props, kKeptLook[i], look.kept[i]);
  shape->setSize(awt::Size(static_cast<sal_Int32>(ToMm100(look.width)), static_cast<sal_Int32>(ToMm100(look.height))));
  PropertyBatch place;
  place.Put("AnchorType", uno::Any(text::TextContentAnchorType_AT_PARAGRAPH));
  PutPagePlace(place, left, top);
  WriteWrap({.AllowOverlap = true, .Type = 3}, place);
  place.Put("LineStyle", uno::Any(look.outlined ? drawing::LineStyle_SOLID : drawing::LineStyle_NONE))
      .Put("LineColor", uno::Any(sal_Int32(0)))
      .Put("LineWidth", uno::Any(static_cast<sal_Int32>(ToMm100(kBorderPoints))));
  place.ApplyTo(shape);
  doc_->story.Replace(p, p + 1, L"");
  ShapesChanged(*doc_);
  const long paragraph = doc_->story.Mirror().ParagraphAt(std::min(p, doc_->story.Mirror().Length() - 1)).first;
  auto cursor = doc_->story.CursorAt(paragraph);
  cursor->getText()->insertTextContent(AsRange(cursor), Reference<text::XTextContent>(shape, uno::UNO_QUERY_THROW), false);
  const ShapeHandle handle{shape, shape};
  if (look.rotation != 0) {
    LayOut(*doc_);
    Rotate(shape, look.rotation);
    MoveTo(*doc_, handle, left, top);
  }
  const std::wstring name = L"Picture " + std::to_wstring(TakeShapeNumber(*doc_));
  NameShape(*doc_, shape, name);
  ShapeBook& book = BookOf(*doc_);
  book.originalSizes[name] = {look.width, look.height};
  book.textPlaces.emplace_back(shape, doc_->story.Mirror().MakeAnchor(p, p));
  return MakeUnoShape(doc_, handle);
} catch (const css::uno::Exception& e) { RaiseFromUno(e); }

class UnoInlineShapes final : public InlineShapes {
 public:
  UnoInlineShapes(std::shared_ptr<WriterDoc> doc, long start, long end)
      : doc_(std::move(doc)), scope_(doc_->story.Mirror().MakeAnchor(start, end)) {}

  int Count() const override try { return static_cast<int>(InScope().size()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<InlineShape> Item(int index) override try {
    return std::make_shared<UnoInlineShape>(doc_, MemberAt(InScope(), index));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  std::shared_ptr<InlineShape> AddPicture(const std::wstring& file, const Range& at) override try {
    const model::PictureInfo info = model::ReadPictureInfo(ReadFileBytes(file));
    if (info.contentType.empty()) Raise(err::kInvalidCall, L"无法识别的图片格式：" + file);
    Reference<text::XTextContent> picture(Factory()->createInstance("com.sun.star.text.TextGraphicObject"),
                                          uno::UNO_QUERY_THROW);
    Props props(picture, uno::UNO_QUERY_THROW);
    props->setPropertyValue("GraphicURL", uno::Any(FileUrl(file)));
    props->setPropertyValue("AnchorType", uno::Any(text::TextContentAnchorType_AS_CHARACTER));
    // The size the picture has at 96 pixels per inch, as the host gives it.
    props->setPropertyValue("Width", uno::Any(static_cast<sal_Int32>(ToMm100(info.widthPoints))));
    props->setPropertyValue("Height", uno::Any(static_cast<sal_Int32>(ToMm100(info.heightPoints))));
    return std::make_shared<UnoInlineShape>(doc_, doc_->story.InsertContent(at.Start(), at.End(), picture));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  // An embedded object inserted empty; LibreOffice's own formula object
  // stands for the host's equation editor ("Equation.3").
  std::shared_ptr<InlineShape> AddOLEObject(const std::wstring& classType, const Range& at) override try {
    if (classType.rfind(L"Equation", 0) != 0)
      Raise(err::kInvalidCall, L"LibreOffice 宿主不能插入这类对象：" + classType);
    return std::make_shared<UnoInlineShape>(doc_, InsertFormula(*doc_, at.Start(), at.End(), L"", L"", FormulaUse::kEmbedded));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  Reference<lang::XMultiServiceFactory> Factory() const {
    return Reference<lang::XMultiServiceFactory>(doc_->story.Document(), uno::UNO_QUERY_THROW);
  }
  // The positions of the inline shapes in the scope (a collapsed one holds the character at it).
  std::vector<long> InScope() const {
    return doc_->story.ContentsIn(scope_->start, std::max(scope_->end, scope_->start + 1), IsInlineShape);
  }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> scope_;
};

}  // namespace

PictureLook KeptLookOf(const Reference<beans::XPropertySet>& picture) {
  PictureLook look;
  picture->getPropertyValue("Graphic") >>= look.graphic;
  for (const char* name : kKeptLook) look.kept.push_back(picture->getPropertyValue(rtl::OUString::createFromAscii(name)));
  if (IsGraphic(Reference<text::XTextContent>(picture, uno::UNO_QUERY))) {
    sal_Int16 tenths = 0;
    picture->getPropertyValue("GraphicRotation") >>= tenths;
    look.outlined = HasBorders(picture);
    look.rotation = ClockwiseOf(tenths);
  } else {
    // a drawing picture: its line and its shape's turn
    drawing::LineStyle style = drawing::LineStyle_NONE;
    picture->getPropertyValue("LineStyle") >>= style;
    look.outlined = style != drawing::LineStyle_NONE;
    look.rotation = RotationOf(ShapeRef(picture, uno::UNO_QUERY_THROW));
  }
  return look;
}

std::shared_ptr<InlineShape> InsertInlinePicture(const std::shared_ptr<WriterDoc>& doc, long pos, const PictureLook& look) {
  Reference<lang::XMultiServiceFactory> factory(doc->story.Document(), uno::UNO_QUERY_THROW);
  Reference<text::XTextContent> picture(factory->createInstance("com.sun.star.text.TextGraphicObject"), uno::UNO_QUERY_THROW);
  Props props(picture, uno::UNO_QUERY_THROW);
  Put(props, "Graphic", uno::Any(look.graphic));
  for (size_t i = 0; i < std::size(kKeptLook); ++i) Put(props, kKeptLook[i], look.kept[i]);
  Put(props, "AnchorType", uno::Any(text::TextContentAnchorType_AS_CHARACTER));
  Put(props, "Width", uno::Any(static_cast<sal_Int32>(ToMm100(look.width))));
  Put(props, "Height", uno::Any(static_cast<sal_Int32>(ToMm100(look.height))));
  Put(props, "GraphicRotation", uno::Any(TenthsOf(look.rotation)));
  PutBorders(props, look.outlined);
  return std::make_shared<UnoInlineShape>(doc, doc->story.InsertContent(pos, pos, picture));
}

std::shared_ptr<InlineShapes> MakeUnoInlineShapes(const std::shared_ptr<WriterDoc>& doc, long start, long end) {
  return std::make_shared<UnoInlineShapes>(doc, start, end);
}

}  // namespace plx::docif::lo
