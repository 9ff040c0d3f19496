#include "docif/uno/uno_bookmarks.hpp"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XTextContent.hpp>

#include "common/error.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

class UnoBookmarks final : public Bookmarks {
 public:
  explicit UnoBookmarks(std::shared_ptr<WriterDoc> doc) : doc_(std::move(doc)) {}

  int Count() const override { return Marks()->getElementNames().getLength(); }
  bool Exists(const std::wstring& name) const override { return Marks()->hasByName(ToOUString(name)); }
  void Add(const std::wstring& name, const Range& at) override {
    if (Exists(name)) Delete(name);  // the host moves a bookmark given again
    Reference<lang::XMultiServiceFactory> factory(doc_->story.Document(), uno::UNO_QUERY_THROW);
    Reference<text::XTextContent> mark(factory->createInstance("com.sun.star.text.Bookmark"), uno::UNO_QUERY_THROW);
    Reference<container::XNamed>(mark, uno::UNO_QUERY_THROW)->setName(ToOUString(name));
    auto cursor = doc_->story.CursorOver(at.Start(), at.End());
    cursor->getText()->insertTextContent(Reference<text::XTextRange>(cursor, uno::UNO_QUERY_THROW), mark,
                                         at.End() > at.Start());
  }
  RangePtr Item(const std::wstring& name) override {
    if (name == L"\\Page") NotYetInLibreOffice(L"当前页的书签（\\Page）");
    if (!Exists(name)) Raise(5941, L"集合所要求的成员不存在。");
    Reference<text::XTextContent> mark(Marks()->getByName(ToOUString(name)), uno::UNO_QUERY_THROW);
    auto anchor = mark->getAnchor();
    return MakeUnoRange(doc_, doc_->story.PositionOf(anchor->getStart()), doc_->story.PositionOf(anchor->getEnd()));
  }
  void Delete(const std::wstring& name) override {
    if (!Exists(name)) return;
    Reference<text::XTextContent> mark(Marks()->getByName(ToOUString(name)), uno::UNO_QUERY_THROW);
    mark->getAnchor()->getText()->removeTextContent(mark);
  }

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
