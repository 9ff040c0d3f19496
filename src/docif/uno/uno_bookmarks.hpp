#pragma once
// Writer's bookmarks as the surface's, their ranges in the mirror's positions.
#include <memory>

#include "docif/document.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

std::shared_ptr<Bookmarks> MakeUnoBookmarks(const std::shared_ptr<WriterDoc>& doc);

}  // namespace plx::docif::lo
