#pragma once
// Inline pictures and embedded objects in Writer: graphic and embedded
// objects anchored as characters, one inline-object character of the
// mirror each (equations and the formulas of EQ fields are not among them).
#include <memory>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The inline shapes whose character lies in [start, end), or at start when
// the range is collapsed (kept live).
std::shared_ptr<InlineShapes> MakeUnoInlineShapes(const std::shared_ptr<WriterDoc>& doc, long start, long end);

}  // namespace plx::docif::lo
