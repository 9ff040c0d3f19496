#include "docif/uno/uno_shape_book.hpp"

#include <memory>
#include <vector>

namespace plx::docif::lo {

// Writer's model has no room for the adapter's bookkeeping and the
// adapter's document object is shared by every range and shape made from
// it: the books are kept by document, told apart by the document object and
// Writer's model (an address can be reused once a document is closed).
ShapeBook& BookOf(const WriterDoc& doc) {
  struct Entry {
    const WriterDoc* doc;
    const void* model;
    std::unique_ptr<ShapeBook> book;
  };
  // Never destroyed: the books hold Writer's shapes, and at process exit the
  // office's UNO runtime is gone before static destructors run (releasing
  // them then ended the office with a segmentation fault after a graph was
  // drawn and the document saved).
  static auto& books = *new std::vector<Entry>;
  const void* model = doc.model.get();
  for (auto& e : books)
    if (e.doc == &doc) {
      if (e.model != model) *e.book = ShapeBook{};
      e.model = model;
      return *e.book;
    }
  books.push_back({&doc, model, std::make_unique<ShapeBook>()});
  return *books.back().book;
}

}  // namespace plx::docif::lo
