// Several floating shapes at once as the surface's ShapeRange.
#include <algorithm>
#include <optional>
#include <limits>

#include <com/sun/star/drawing/XShapeGroup.hpp>
#include <com/sun/star/drawing/XShapeGrouper.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XText.hpp>

#include "common/error.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_shape_text.hpp"
#include "docif/uno/uno_shape_book.hpp"
#include "docif/uno/uno_shapes.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

class UnoShapeRange final : public ShapeRange {
 public:
  UnoShapeRange(std::shared_ptr<WriterDoc> doc, std::vector<ShapeHandle> items) : doc_(std::move(doc)), items_(std::move(items)) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  ShapePtr Item(int index) const override {
    if (index < 1 || index > Count()) Raise(err::kInvalidCall, L"所要求的集合成员不存在。");
    return MakeUnoShape(doc_, items_[static_cast<size_t>(index - 1)]);
  }

  ShapePtr Group() override try {
    if (items_.size() < 2) Raise(err::kInvalidCall, L"至少要两个图形才能组合。");
    const auto top = FloatingShapes(*doc_);
    std::vector<ShapeRef> ordered;  // back to front, as the items stay
    for (const auto& s : top)
      if (std::any_of(items_.begin(), items_.end(), [&](const ShapeHandle& h) { return h.shape == s; })) ordered.push_back(s);
    if (ordered.size() != items_.size()) Raise(err::kInvalidCall, L"只有页面上的独立图形才能组合。");
    std::optional<ControllersUnlocked> unlocked;
    if (AnyFramed(ordered)) unlocked.emplace(*doc_);
    // Writer groups the shapes where its layout last put them (lay out
    // first), anchors the group to the document's first paragraph and
    // places it against that a line off: it goes to the paragraph of the
    // range's first item, back where its items stood, kept as its front
    // item was.
    LayOut(*doc_);
    const PageBox extent = Extent();
    const bool follows = FollowsParagraph(ordered.front());
    // The items are kept as the group will be first: Writer leaves room
    // above its line grid, which moves the text and what is kept against
    // a paragraph but not what is kept on the page, and grouping keeps
    // where the items stand in Writer.
    for (const auto& item : ordered) SetFollowsParagraph(*doc_, item, follows);
    // The group wraps the text as the range's first item does (Writer's
    // own group would push the text aside).
    const WrapFormat wrap = ReadWrap(items_.front().shape);
    const auto anchor = Reference<text::XTextContent>(items_.front().top, uno::UNO_QUERY_THROW)->getAnchor();
    const auto paragraph = anchor->getText()->createTextCursorByRange(anchor->getStart());
    const auto detached = DetachFrames(doc_, ordered);
    LayOut(*doc_);  // Writer places the shapes again once the frames are off
    auto group = Reference<drawing::XShapeGrouper>(DrawPage(*doc_), uno::UNO_QUERY_THROW)->group(ShapeCollection(ordered));
    ShapeRef shape(group, uno::UNO_QUERY_THROW);
    Reference<text::XTextContent>(shape, uno::UNO_QUERY_THROW)->attach(AsRange(paragraph));
    PropertyBatch wrapping;
    WriteWrap(wrap, wrapping);
    wrapping.ApplyTo(shape);
    LayOut(*doc_);
    // The items as the group holds them (the shapes given are Writer's no more).
    AttachFrames(doc_, GroupItemsOf(shape), detached);
    LayOut(*doc_);
    SetFollowsParagraph(*doc_, shape, follows);
    MoveTo(*doc_, {shape, shape}, extent.left, extent.top);
    ShapesChanged(*doc_);
    NameShape(*doc_, shape, L"Group " + std::to_wstring(TakeShapeNumber(*doc_)));
    KeepItemNames(shape);
    return MakeUnoShape(doc_, {shape, shape});
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  std::shared_ptr<ShapeRange> Ungroup() override try {
    std::vector<ShapeHandle> all;
    Each([&](Shape& s) {
      auto items = s.Ungroup();
      for (int i = 1; i <= items->Count(); ++i) all.push_back(static_cast<UnoShapeRange&>(*items).items_[static_cast<size_t>(i - 1)]);
    });
    return std::make_shared<UnoShapeRange>(doc_, all);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  // Lefts, centres and rights (0 to 2) place each shape along the width,
  // tops, middles and bottoms (3 to 5) along the height: at the start, the
  // middle or the end of the room.
  void Align(int command, bool relativeToPage) override try {
    if (command < kAlignLefts || command > kAlignBottoms) Raise(err::kInvalidCall, L"不支持的对齐方式。");
    const PageBox e = relativeToPage ? PageExtent() : Extent();
    const bool across = command <= kAlignRights;
    const double start = across ? e.left : e.top, room = across ? e.width : e.height;
    const double share = (command % 3) / 2.0;
    Each([&](Shape& s) {
      const double at = start + (room - (across ? s.Width() : s.Height())) * share;
      if (across) s.SetLeft(at);
      else s.SetTop(at);
    });
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  void Distribute(int command, bool relativeToPage) override try {
    if (items_.size() < 2) return;
    const bool horizontal = command == kDistributeHorizontally;
    std::vector<std::pair<PageBox, ShapePtr>> order;
    for (const auto& h : items_) order.emplace_back(BoxOf(*doc_, h), MakeUnoShape(doc_, h));
    std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
      return horizontal ? a.first.left < b.first.left : a.first.top < b.first.top;
    });
    const PageBox e = relativeToPage ? PageExtent() : Extent();
    double total = 0;
    for (const auto& [box, s] : order) total += horizontal ? box.width : box.height;
    const double gap = ((horizontal ? e.width : e.height) - total) / static_cast<double>(order.size() - 1);
    double pos = horizontal ? e.left : e.top;
    for (const auto& [box, s] : order) {
      if (horizontal) s->SetLeft(pos), pos += box.width + gap;
      else s->SetTop(pos), pos += box.height + gap;
    }
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  void Select(bool replace) override try {
    std::vector<ShapeRef> shapes;
    for (const auto& h : items_) shapes.push_back(h.shape);
    SelectShapes(*doc_, shapes, replace);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void Delete() override {
    Each([](Shape& s) { s.Delete(); });
  }

  double Left() const override { return Extent().left; }
  double Top() const override { return Extent().top; }
  double Width() const override { return Extent().width; }
  double Height() const override { return Extent().height; }
  void SetLeft(double v) override {
    const double d = v - Extent().left;
    Each([&](Shape& s) { s.IncrementLeft(d); });
  }
  void SetTop(double v) override {
    const double d = v - Extent().top;
    Each([&](Shape& s) { s.IncrementTop(d); });
  }
  std::wstring Name() const override { return Single().Name(); }
  void SetName(const std::wstring& name) override { Single().SetName(name); }
  void SetLine(const LineFormat& f) override { Each([&](Shape& s) { s.SetLine(f); }); }
  void SetFill(const FillFormat& f) override { Each([&](Shape& s) { s.SetFill(f); }); }
  void SetWrap(const WrapFormat& f) override { Each([&](Shape& s) { s.SetWrap(f); }); }
  void ZOrder(int command) override { Each([&](Shape& s) { s.ZOrder(command); }); }
  void IncrementLeft(double d) override { Each([&](Shape& s) { s.IncrementLeft(d); }); }
  void IncrementTop(double d) override { Each([&](Shape& s) { s.IncrementTop(d); }); }
  void IncrementRotation(double d) override { Each([&](Shape& s) { s.IncrementRotation(d); }); }
  void ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) override {
    Each([&](Shape& s) { s.ScaleWidth(factor, relativeToOriginal, scaleFrom); });
  }
  void ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) override {
    Each([&](Shape& s) { s.ScaleHeight(factor, relativeToOriginal, scaleFrom); });
  }

 private:
  template <class F>
  void Each(F f) const {
    for (const auto& h : items_) {
      ShapePtr s = MakeUnoShape(doc_, h);
      f(*s);
    }
  }
  Shape& Single() const {
    if (items_.size() != 1) Raise(err::kInvalidCall, L"此操作只能用于单个图形。");
    single_ = MakeUnoShape(doc_, items_[0]);
    return *single_;
  }
  PageBox Extent() const try {
    if (items_.empty()) Raise(err::kInvalidCall, L"没有选中任何图形。");
    double l = std::numeric_limits<double>::max(), t = l, r = -l, b = -l;
    for (const auto& h : items_) {
      const PageBox box = BoxOf(*doc_, h);
      l = std::min(l, box.left), t = std::min(t, box.top);
      r = std::max(r, box.left + box.width), b = std::max(b, box.top + box.height);
    }
    return {l, t, r - l, b - t};
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  // The page where the first shape is anchored.
  PageBox PageExtent() const { return PageOf(*doc_, items_.front().top); }

  std::shared_ptr<WriterDoc> doc_;
  std::vector<ShapeHandle> items_;
  mutable ShapePtr single_;
};

}  // namespace

std::shared_ptr<ShapeRange> MakeUnoShapeRange(const std::shared_ptr<WriterDoc>& doc, std::vector<ShapeHandle> items) {
  return std::make_shared<UnoShapeRange>(doc, std::move(items));
}

}  // namespace plx::docif::lo
