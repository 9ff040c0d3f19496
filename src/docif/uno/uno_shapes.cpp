#include "docif/uno/uno_shapes.hpp"

#include <algorithm>
#include <map>
#include <set>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/lang/IndexOutOfBoundsException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <cppuhelper/implbase1.hxx>

#include "common/error.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_shape_book.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

Reference<drawing::XShapes> DrawPage(const WriterDoc& doc) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  // Writer's one draw page; its documents offer no other way to it.
  return Reference<drawing::XShapes>(
      Reference<drawing::XDrawPageSupplier>(doc.model, uno::UNO_QUERY_THROW)->getDrawPage(), uno::UNO_QUERY_THROW);
#pragma GCC diagnostic pop
}

namespace {

constexpr wchar_t kItemNames[] = L"plendrix-items:";

// A shape floats when it is not anchored as a character and stands in the
// main text or one of its table cells (a header's shapes are not the
// document's).
bool Floating(const Reference<text::XText>& body, const ShapeRef& shape) {
  PropertyRead p(shape, {"AnchorType"});
  const auto anchor = p.Get<text::TextContentAnchorType>("AnchorType");
  if (!anchor || *anchor == text::TextContentAnchorType_AS_CHARACTER || *anchor == text::TextContentAnchorType_AT_PAGE)
    return false;
  Reference<text::XTextContent> content(shape, uno::UNO_QUERY);
  if (!content.is()) return false;
  auto at = content->getAnchor();
  if (!at.is()) return false;
  auto text = at->getText();
  return text == body || Reference<table::XCell>(text, uno::UNO_QUERY).is();
}

void Collect(const ShapeRef& shape, const ShapeRef& top, std::vector<ShapeHandle>& out) {
  out.push_back({shape, top});
  if (KindOf(shape).type != kShapeGroup) return;
  for (const auto& item : GroupItemsOf(shape)) Collect(item, top, out);
}

int TrailingNumber(const std::wstring& name) {
  const size_t digits = name.find_last_not_of(L"0123456789");
  if (digits == std::wstring::npos || digits + 1 >= name.size() || name.size() - digits > 8) return 0;
  return std::stoi(name.substr(digits + 1));
}

}  // namespace

std::wstring DefaultNameOf(const ShapeRef& shape) {
  const ShapeKind kind = KindOf(shape);
  model::ShapeData data;
  data.type = kind.type;
  data.autoShape = kind.autoShape;
  return model::DefaultNameOf(data);
}

// The first time the adapter meets a document's shapes it names those
// without a name (or with a name another shape has) as the host names
// them when it opens a file, and continues numbering after the highest
// number the names carry. Naming them does not count as a change.
void NameDocumentShapes(WriterDoc& doc) {
  ShapeBook& book = BookOf(doc);
  if (book.named) return;
  book.named = true;
  const auto all = AllFloatingShapes(doc);
  std::vector<std::wstring> names;
  int highest = 0;
  for (const auto& s : all) {
    names.push_back(NameOf(s.shape));
    highest = std::max(highest, TrailingNumber(names.back()));
  }
  book.nextNumber = std::max(book.nextNumber, highest + 1);
  Reference<util::XModifiable> modifiable(doc.model, uno::UNO_QUERY);
  const bool wasModified = modifiable.is() && modifiable->isModified();
  // Items named in their group's record keep those names.
  std::map<ShapeRef, std::pair<std::wstring, size_t>> records;  // group: title, where the next name starts
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].IsTop()) continue;
    auto it = records.find(all[i].top);
    if (it == records.end()) {
      const std::wstring title = FromOUString(PropertyRead(all[i].top, {"Title"}).Or("Title", rtl::OUString()));
      it = records.emplace(all[i].top, std::make_pair(title, std::wstring(kItemNames).size())).first;
    }
    auto& [title, from] = it->second;
    if (!title.starts_with(kItemNames)) continue;
    const size_t end = title.find(L'|', from);
    if (end == std::wstring::npos) continue;
    if (names[i].empty() && end > from) {
      names[i] = title.substr(from, end - from);
      NameShape(doc, all[i].shape, names[i]);
    }
    from = end + 1;
  }
  std::set<std::wstring> used;
  bool renamed = false;
  for (size_t i = 0; i < all.size(); ++i) {
    if (names[i].empty() || used.count(names[i])) {
      names[i] = DefaultNameOf(all[i].shape) + L" " + std::to_wstring(book.nextNumber++);
      NameShape(doc, all[i].shape, names[i]);
      renamed = true;
    }
    used.insert(names[i]);
  }
  // The items of groups the document came with keep their names through a
  // save by LibreOffice too.
  for (const auto& s : all)
    if (s.IsTop() && KindOf(s.shape).type == kShapeGroup) KeepItemNames(s.shape), renamed = true;
  if (renamed && modifiable.is() && !wasModified) modifiable->setModified(false);
}

namespace {

// A collection of shapes of the adapter's own making: Writer's grouping and
// selection take any collection of its shapes.
class ShapeList final : public cppu::WeakImplHelper1<drawing::XShapes> {
 public:
  explicit ShapeList(std::vector<ShapeRef> shapes) : shapes_(std::move(shapes)) {}
  void SAL_CALL add(const ShapeRef& shape) override { shapes_.push_back(shape); }
  void SAL_CALL remove(const ShapeRef& shape) override { std::erase(shapes_, shape); }
  sal_Int32 SAL_CALL getCount() override { return static_cast<sal_Int32>(shapes_.size()); }
  uno::Any SAL_CALL getByIndex(sal_Int32 index) override {
    if (index < 0 || index >= getCount()) throw lang::IndexOutOfBoundsException();
    return uno::Any(shapes_[static_cast<size_t>(index)]);
  }
  uno::Type SAL_CALL getElementType() override { return cppu::UnoType<drawing::XShape>::get(); }
  sal_Bool SAL_CALL hasElements() override { return !shapes_.empty(); }

 private:
  std::vector<ShapeRef> shapes_;
};

}  // namespace

std::vector<ShapeRef> GroupItemsOf(const ShapeRef& group) {
  Reference<container::XIndexAccess> items(group, uno::UNO_QUERY_THROW);
  std::vector<ShapeRef> out;
  for (sal_Int32 i = 0; i < items->getCount(); ++i) out.emplace_back(items->getByIndex(i), uno::UNO_QUERY_THROW);
  return out;
}

std::vector<ShapeRef> FloatingShapes(WriterDoc& doc) {
  auto page = DrawPage(doc);
  std::vector<ShapeRef> out;
  const sal_Int32 count = page->getCount();
  const Reference<text::XText> body = doc.story.Document()->getText();
  for (sal_Int32 i = 0; i < count; ++i) {
    ShapeRef shape(page->getByIndex(i), uno::UNO_QUERY);
    if (shape.is() && Floating(body, shape)) out.push_back(shape);
  }
  return out;
}

std::vector<ShapeHandle> AllFloatingShapes(WriterDoc& doc) {
  std::vector<ShapeHandle> out;
  for (const auto& s : FloatingShapes(doc)) Collect(s, s, out);
  return out;
}

Reference<drawing::XShapes> ShapeCollection(const std::vector<ShapeRef>& shapes) { return new ShapeList(shapes); }

int TakeShapeNumber(WriterDoc& doc) {
  NameDocumentShapes(doc);
  return BookOf(doc).nextNumber++;
}

namespace {

// The index of names, walked again when the draw page changed behind it.
std::multimap<std::wstring, ShapeBook::Named>& NameIndex(WriterDoc& doc) {
  ShapeBook& book = BookOf(doc);
  const sal_Int32 count = DrawPage(doc)->getCount();
  if (book.namesCount != count) {
    book.names.clear();
    for (const auto& s : AllFloatingShapes(doc)) book.names.emplace(NameOf(s.shape), ShapeBook::Named{s.shape, s.top});
    book.namesCount = count;
  }
  return book.names;
}

}  // namespace

void CheckNameFree(WriterDoc& doc, const ShapeRef& shape, const std::wstring& name) {
  NameDocumentShapes(doc);
  const auto [from, to] = NameIndex(doc).equal_range(name);
  for (auto it = from; it != to; ++it)
    if (it->second.shape != shape) Raise(err::kInvalidCall, L"图形名称“" + name + L"”已被使用。");
}

std::optional<ShapeHandle> ShapeNamed(WriterDoc& doc, const std::wstring& name) {
  NameDocumentShapes(doc);
  const auto& index = NameIndex(doc);
  auto it = index.find(name);
  if (it == index.end()) return std::nullopt;
  return ShapeHandle{it->second.shape, it->second.top};
}

void NameShape(WriterDoc& doc, const ShapeRef& shape, const std::wstring& name) {
  Reference<container::XNamed>(shape, uno::UNO_QUERY_THROW)->setName(ToOUString(name));
  ShapeBook& book = BookOf(doc);
  if (book.namesCount < 0) return;
  ShapeRef top = shape;  // a new shape stands on the page
  std::erase_if(book.names, [&](const auto& entry) {
    if (entry.second.shape != shape) return false;
    top = entry.second.top;
    return true;
  });
  book.names.emplace(name, ShapeBook::Named{shape, top});
}

void LetShapesLeaveThePage(WriterDoc& doc) {
  ShapeBook& book = BookOf(doc);
  if (book.offPage) return;
  Reference<lang::XMultiServiceFactory> factory(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<beans::XPropertySet> settings(factory->createInstance("com.sun.star.text.DocumentSettings"),
                                          uno::UNO_QUERY_THROW);
  bool allowed = false;
  settings->getPropertyValue("DoNotCaptureDrawObjsOnPage") >>= allowed;
  if (!allowed) settings->setPropertyValue("DoNotCaptureDrawObjsOnPage", uno::Any(true));
  book.offPage = true;
}

void ShapeAdded(WriterDoc& doc) {
  ShapeBook& book = BookOf(doc);
  if (book.namesCount >= 0) ++book.namesCount;
}

void ShapesChanged(WriterDoc& doc) { BookOf(doc).namesCount = -1; }

void KeepItemNames(const ShapeRef& top) {
  std::vector<ShapeHandle> items;
  Collect(top, top, items);
  if (items.size() < 2) return;
  std::wstring record = kItemNames;
  for (size_t i = 1; i < items.size(); ++i) record += NameOf(items[i].shape) + L"|";
  PropertyBatch().Put("Title", uno::Any(ToOUString(record))).ApplyTo(top);
}

std::wstring NameOf(const ShapeRef& shape) {
  Reference<container::XNamed> named(shape, uno::UNO_QUERY);
  return named.is() ? FromOUString(named->getName()) : std::wstring();
}

// Writer's view cannot hold shapes and a text cursor at once, and once it
// shows shapes it refuses the cursor (and takes a text selection back only
// after it has repainted), while the add-in goes on measuring places in the
// text with shapes selected. The shapes the add-in selects are kept here as
// the selection for as long as the text selection stays where it was; a
// teacher's own selection of shapes is read from Writer's view.
void SelectShapes(WriterDoc& doc, const std::vector<ShapeRef>& shapes, bool replace) {
  std::vector<ShapeRef> all;
  if (!replace)
    for (const auto& s : SelectedShapes(doc)) all.push_back(s.shape);
  for (const auto& s : shapes)
    if (std::find(all.begin(), all.end(), s) == all.end()) all.push_back(s);
  doc.ShowShapes(all);
}

std::vector<ShapeHandle> SelectedShapes(WriterDoc& doc) {
  if (doc.shapes.empty()) return {};
  NameDocumentShapes(doc);
  std::vector<ShapeHandle> out;
  const auto all = AllFloatingShapes(doc);
  for (const auto& shape : doc.shapes)
    for (const auto& s : all)
      if (s.shape == shape) out.push_back(s);
  return out;
}

}  // namespace plx::docif::lo
