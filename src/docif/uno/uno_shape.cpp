// One floating shape of a Writer document as the surface's Shape.
#include <algorithm>
#include <optional>

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XShapeGroup.hpp>
#include <com/sun/star/drawing/XShapeGrouper.hpp>
#include <com/sun/star/text/XText.hpp>

#include "common/error.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_inline_shapes.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_shape_book.hpp"
#include "docif/uno/uno_shape_text.hpp"
#include "docif/uno/uno_shapes.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

class UnoShape final : public Shape {
 public:
  UnoShape(std::shared_ptr<WriterDoc> doc, ShapeHandle handle) : doc_(std::move(doc)), h_(std::move(handle)) {}

  std::wstring Name() const override try { return NameOf(h_.shape); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetName(const std::wstring& name) override try {
    CheckNameFree(*doc_, h_.shape, name);
    NameShape(*doc_, h_.shape, name);
    if (!h_.IsTop()) KeepItemNames(h_.top);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  int Type() const override try { return KindOf(h_.shape).type; } catch (const uno::Exception& e) { RaiseFromUno(e); }
  int AutoShapeType() const override try { return KindOf(h_.shape).autoShape; } catch (const uno::Exception& e) { RaiseFromUno(e); }

  double Left() const override try { return Box().left; } catch (const uno::Exception& e) { RaiseFromUno(e); }
  double Top() const override try { return Box().top; } catch (const uno::Exception& e) { RaiseFromUno(e); }
  double Width() const override try { return Box().width; } catch (const uno::Exception& e) { RaiseFromUno(e); }
  double Height() const override try { return Box().height; } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetLeft(double v) override try { MoveTo(*doc_, h_, v, Box().top); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetTop(double v) override try { MoveTo(*doc_, h_, Box().left, v); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetWidth(double v) override try { Resize(*doc_, h_, v, Box().height); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetHeight(double v) override try { Resize(*doc_, h_, Box().width, v); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  double Rotation() const override try { return RotationOf(h_.shape); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetRotation(double v) override try { Rotate(h_.shape, v); } catch (const uno::Exception& e) { RaiseFromUno(e); }

  int RelativeVerticalPosition() const override try {
    return FollowsParagraph(h_.top) ? kRelativeVerticalPositionParagraph : kRelativeVerticalPositionPage;
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetRelativeVerticalPosition(int reference) override try {
    if (reference != kRelativeVerticalPositionPage && reference != kRelativeVerticalPositionParagraph)
      Raise(err::kInvalidCall, L"图形的纵向位置只能相对于页面或段落。");
    SetFollowsParagraph(*doc_, h_.top, reference == kRelativeVerticalPositionParagraph);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  void ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) override try {
    Scale(factor, relativeToOriginal, scaleFrom, true);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) override try {
    Scale(factor, relativeToOriginal, scaleFrom, false);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  LineFormat Line() const override try { return ReadLine(h_.shape); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetLine(const LineFormat& f) override try { Each([&](const ShapeRef& s) { PropertyBatch b; WriteLine(s, doc_->story.Document(), f, b); b.ApplyTo(s); }); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  FillFormat Fill() const override try { return ReadFill(h_.shape); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetFill(const FillFormat& f) override try { Each([&](const ShapeRef& s) { PropertyBatch b; WriteFill(f, b); b.ApplyTo(s); }); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  // Writer wraps text around the shape on the page, a group's items with it.
  WrapFormat Wrap() const override try { return ReadWrap(h_.top); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetWrap(const WrapFormat& f) override try {
    PropertyBatch b;
    WriteWrap(f, b);
    b.ApplyTo(h_.top);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  bool HasTextFrame() const override try {
    const int type = KindOf(h_.shape).type;
    return type == kShapeTextBox || type == kShapeAutoShape;
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  TextFrameFormat TextFrame() const override try { return ReadTextFrame(h_.shape); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetTextFrame(const TextFrameFormat& f) override try {
    if (f.Orientation.value_or(1) != 1 && Type() == kShapeTextBox) FrameText(doc_, h_);
    WriteTextFrame(h_.shape, f);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  RangePtr TextRange() override try {
    if (!HasTextFrame()) return nullptr;
    return MakeShapeTextRange(doc_, h_);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  std::wstring AlternativeText() const override try {
    return FromOUString(PropertyRead(h_.shape, {"Description"}).Or("Description", rtl::OUString()));
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetAlternativeText(const std::wstring& text) override try {
    PropertyBatch().Put("Description", uno::Any(ToOUString(text))).ApplyTo(h_.shape);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  std::vector<PointF> Points() const override try {
    bool bezier = false;
    return PointsOf(*doc_, h_, &bezier);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  bool BezierNodes() const override try { return KindOf(h_.shape).bezier; } catch (const uno::Exception& e) { RaiseFromUno(e); }

  // Writer's pictures have a brightness and a contrast, no sharpening.
  void AddPictureEffect(int type, double value) override try {
    if (Type() != kShapePicture) Raise(err::kInvalidCall, L"只有图片才能调整亮度和对比度。");
    const char* property = type == kPictureBrightness ? "AdjustLuminance" : type == kPictureContrast ? "AdjustContrast" : nullptr;
    if (!property) Raise(err::kInvalidCall, L"LibreOffice 的图片没有锐化调整。");
    PropertyBatch().Put(property, uno::Any(static_cast<sal_Int16>(std::clamp(value, -100.0, 100.0)))).ApplyTo(h_.shape);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  PictureEffectList PictureEffects() const override try {
    PropertyRead p(h_.shape, {"AdjustLuminance", "AdjustContrast"});
    PictureEffectList out;
    if (auto v = p.Get<sal_Int16>("AdjustLuminance"); v && *v) out.emplace_back(kPictureBrightness, *v);
    if (auto v = p.Get<sal_Int16>("AdjustContrast"); v && *v) out.emplace_back(kPictureContrast, *v);
    return out;
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  PictureData Picture() const override try {
    if (Type() != kShapePicture) return {};
    return PictureOf(*doc_, Reference<beans::XPropertySet>(h_.shape, uno::UNO_QUERY_THROW));
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetShapesDefaultProperties() override try {
    ShapeBook& book = BookOf(*doc_);
    if (Type() == kShapeLine) book.defaultLine = Line();
    else book.defaultShape = {Line(), Fill()};
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  void ZOrder(int command) override;
  RangePtr Anchor() override try {
    const long start = AnchorParagraphStart(*doc_, h_.top);
    const auto [s, e] = doc_->story.Mirror().ParagraphAt(start);
    return MakeUnoRange(doc_, s, e);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<ShapeRange> GroupItems() override try {
    if (Type() != kShapeGroup) Raise(err::kInvalidCall, L"此图形不是组合。");
    std::vector<ShapeHandle> items;
    for (const auto& item : GroupItemsOf(h_.shape)) items.push_back({item, h_.top});
    return MakeUnoShapeRange(doc_, items);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<ShapeRange> Ungroup() override;
  void Select(bool replace) override try { SelectShapes(*doc_, {h_.shape}, replace); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void Delete() override try {
    ShapesChanged(*doc_);
    if (h_.IsTop()) DrawPage(*doc_)->remove(h_.shape);
    else Reference<drawing::XShapes>(Parent(), uno::UNO_QUERY_THROW)->remove(h_.shape);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  // The picture becomes a character of its anchor's paragraph, at its start
  // or, for a picture made floating from the text, where it stood there
  // while that place is still in the paragraph; it keeps its look.
  std::shared_ptr<InlineShape> ConvertToInlineShape() override try {
    if (Type() != kShapePicture) Raise(err::kInvalidCall, L"只有图片可以转换为嵌入式图形。");
    if (!h_.IsTop()) Raise(err::kInvalidCall, L"LibreOffice 宿主不能把组合中的图片转换为嵌入式图形。");
    PictureLook look = KeptLookOf(Reference<beans::XPropertySet>(h_.shape, uno::UNO_QUERY_THROW));
    const PageBox box = Box();
    look.width = box.width;
    look.height = box.height;
    long pos = AnchorParagraphStart(*doc_, h_.top);
    auto& places = BookOf(*doc_).textPlaces;
    const auto place = std::find_if(places.begin(), places.end(), [&](const auto& p) { return p.first == h_.shape; });
    if (place != places.end()) {
      if (doc_->story.Mirror().ParagraphAt(place->second->start).first == pos) pos = place->second->start;
      places.erase(place);
    }
    Delete();
    return InsertInlinePicture(doc_, pos, look);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

 private:
  PageBox Box() const { return BoxOf(*doc_, h_); }

  // The shape and, for a group, every item in it: lines and fills go to all.
  template <class F>
  void Each(F f) const {
    std::vector<ShapeRef> pending{h_.shape};
    while (!pending.empty()) {
      ShapeRef s = pending.back();
      pending.pop_back();
      if (KindOf(s).type == kShapeGroup) {
        for (const auto& item : GroupItemsOf(s)) pending.push_back(item);
      } else {
        f(s);
      }
    }
  }

  void Scale(double factor, bool relativeToOriginal, int scaleFrom, bool horizontal) {
    const PageBox b = Box();
    const double now = horizontal ? b.width : b.height;
    double length = now * factor;
    if (relativeToOriginal) {
      const auto& sizes = BookOf(*doc_).originalSizes;
      auto it = sizes.find(Name());
      if (it != sizes.end()) length = (horizontal ? it->second.first : it->second.second) * factor;
    }
    const double start = horizontal ? b.left : b.top;
    const double anchor = scaleFrom == kScaleFromMiddle ? start + now / 2 : scaleFrom == kScaleFromBottomRight ? start + now : start;
    const double newStart = now > 0 ? anchor + (start - anchor) * length / now : start;
    if (horizontal) Resize(*doc_, h_, length, b.height), MoveTo(*doc_, h_, newStart, b.top);
    else Resize(*doc_, h_, b.width, length), MoveTo(*doc_, h_, b.left, newStart);
  }

  // The group holding an item.
  ShapeRef Parent() const {
    std::vector<ShapeRef> pending{h_.top};
    while (!pending.empty()) {
      ShapeRef group = pending.back();
      pending.pop_back();
      for (const auto& item : GroupItemsOf(group)) {
        if (item == h_.shape) return group;
        if (KindOf(item).type == kShapeGroup) pending.push_back(item);
      }
    }
    Raise(err::kInvalidCall, L"该图形已被删除。");
  }

  std::shared_ptr<WriterDoc> doc_;
  ShapeHandle h_;
};

void UnoShape::ZOrder(int command) try {
  if (command == kBringInFrontOfText || command == kSendBehindText) {
    SetWrap({.Type = command == kBringInFrontOfText ? 3 : 5});
    return;
  }
  // The stacking order among the shape's siblings; Writer numbers every
  // object of the draw page (or of the group), floating or not.
  const std::vector<ShapeRef> siblings = h_.IsTop() ? FloatingShapes(*doc_) : GroupItemsOf(Parent());
  auto it = std::find(siblings.begin(), siblings.end(), h_.shape);
  if (it == siblings.end()) return;
  const size_t i = static_cast<size_t>(it - siblings.begin()), last = siblings.size() - 1;
  size_t to = i;
  if (command == kBringToFront) to = last;
  else if (command == kSendToBack) to = 0;
  else if (command == kBringForward) to = std::min(i + 1, last);
  else if (command == kSendBackward) to = i > 0 ? i - 1 : 0;
  if (to == i) return;
  const sal_Int32 z = PropertyRead(siblings[to], {"ZOrder"}).Or<sal_Int32>("ZOrder", 0);
  PropertyBatch().Put("ZOrder", uno::Any(z)).ApplyTo(h_.shape);
} catch (const uno::Exception& e) { RaiseFromUno(e); }

std::shared_ptr<ShapeRange> UnoShape::Ungroup() try {
  if (Type() != kShapeGroup || !h_.IsTop()) Raise(err::kInvalidCall, L"此图形不是组合。");
  const std::vector<ShapeRef> before = FloatingShapes(*doc_);
  const auto inside = GroupItemsOf(h_.shape);
  std::vector<PageBox> places;
  for (const auto& item : inside) places.push_back(BoxOf(*doc_, {item, h_.top}));
  const bool follows = FollowsParagraph(h_.top);
  std::optional<ControllersUnlocked> unlocked;
  if (AnyFramed(inside)) unlocked.emplace(*doc_);
  LayOut(*doc_);
  ShapesChanged(*doc_);
  const auto detached = DetachFrames(doc_, inside);
  Reference<drawing::XShapeGrouper>(DrawPage(*doc_), uno::UNO_QUERY_THROW)
      ->ungroup(Reference<drawing::XShapeGroup>(h_.shape, uno::UNO_QUERY_THROW));
  // The items are new shapes on the page; Writer places them against the
  // paragraph as it placed the group, so they go back where they stood.
  LayOut(*doc_);
  std::vector<ShapeHandle> items;
  for (const auto& s : FloatingShapes(*doc_))
    if (std::find(before.begin(), before.end(), s) == before.end()) items.push_back({s, s});
  std::vector<ShapeRef> shapes;
  for (const auto& item : items) shapes.push_back(item.shape);
  AttachFrames(doc_, shapes, detached);
  for (size_t i = 0; i < items.size() && i < places.size(); ++i) {
    SetFollowsParagraph(*doc_, items[i].shape, follows);
    MoveTo(*doc_, items[i], places[i].left, places[i].top);
  }
  return MakeUnoShapeRange(doc_, items);
} catch (const uno::Exception& e) { RaiseFromUno(e); }

}  // namespace

ShapePtr MakeUnoShape(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& handle) {
  return std::make_shared<UnoShape>(doc, handle);
}

}  // namespace plx::docif::lo
