#include "docif/uno/uno_bookmarks.hpp"

#include <algorithm>

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XTextContent.hpp>

#include "common/error.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_page_view.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

constexpr const wchar_t* kPageBookmark = L"\\Page";

// The text of the page the selection starts on, as Writer lays it out:
// from the page's first position to the next page's first one (or the
// document's end).
RangePtr PageOfSelection(const std::shared_ptr<WriterDoc>& doc) {
  PageView v(*doc);
  v.view->gotoRange(AsRange(doc->story.CursorAt(doc->selection->start)), false);
  const sal_Int16 page = v.pages->getPage();
  v.pages->jumpToStartOfPage();
  const long start = doc->story.PositionOf(v.view->getStart());
  long end = doc->story.Mirror().Length();
  if (v.pages->jumpToPage(static_cast<sal_Int16>(page + 1)) && v.pages->getPage() == page + 1) {
    v.pages->jumpToStartOfPage();
    end = std::max(start, doc->story.PositionOf(v.view->getStart()));
  }
  return MakeUnoRange(doc, start, end);
}

class UnoBookmarks final : public Bookmarks {
 public:
  explicit UnoBookmarks(std::shared_ptr<WriterDoc> doc) : doc_(std::move(doc)) {}

  int Count() const override try { return Marks()->getElementNames().getLength(); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  bool Exists(const std::wstring& name) const override try {
    return name == kPageBookmark || Marks()->hasByName(ToOUString(name));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void Add(const std::wstring& name, const Range& at) override try {
    if (name.empty() || name == kPageBookmark) Raise(5828, L"书签名无效。");
    if (Exists(name)) Delete(name);  // the host moves a bookmark given again
    Reference<lang::XMultiServiceFactory> factory(doc_->story.Document(), uno::UNO_QUERY_THROW);
    Reference<text::XTextContent> mark(factory->createInstance("com.sun.star.text.Bookmark"), uno::UNO_QUERY_THROW);
    Reference<container::XNamed>(mark, uno::UNO_QUERY_THROW)->setName(ToOUString(name));
    auto cursor = doc_->story.CursorOver(at.Start(), at.End());
    cursor->getText()->insertTextContent(Reference<text::XTextRange>(cursor, uno::UNO_QUERY_THROW), mark,
                                         at.End() > at.Start());
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  RangePtr Item(const std::wstring& name) override try {
    if (name == kPageBookmark) return PageOfSelection(doc_);
    if (!Exists(name)) Raise(5941, L"集合所要求的成员不存在。");
    Reference<text::XTextContent> mark(Marks()->getByName(ToOUString(name)), uno::UNO_QUERY_THROW);
    auto anchor = mark->getAnchor();
    return MakeUnoRange(doc_, doc_->story.PositionOf(anchor->getStart()), doc_->story.PositionOf(anchor->getEnd()));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void Delete(const std::wstring& name) override try {
    if (name == kPageBookmark || !Exists(name)) return;
    Reference<text::XTextContent> mark(Marks()->getByName(ToOUString(name)), uno::UNO_QUERY_THROW);
    mark->getAnchor()->getText()->removeTextContent(mark);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  Reference<container::XNameAccess> Marks() const {
    return Reference<text::XBookmarksSupplier>(doc_->story.Document(), uno::UNO_QUERY_THROW)->getBookmarks();
  }

  std::shared_ptr<WriterDoc> doc_;
};

}  // namespace

std::shared_ptr<Bookmarks> MakeUnoBookmarks(const std::shared_ptr<WriterDoc>& doc) {
  return std::make_shared<UnoBookmarks>(doc);
}

}  // namespace plx::docif::lo
