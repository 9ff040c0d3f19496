#include "docif/uno/uno_shape_book.hpp"

#include <memory>

namespace plx::docif::lo {

ShapeBook& BookOf(const WriterDoc& doc) {
  if (!doc.shapeBook) doc.shapeBook = std::make_shared<ShapeBook>();
  return *doc.shapeBook;
}

}  // namespace plx::docif::lo
