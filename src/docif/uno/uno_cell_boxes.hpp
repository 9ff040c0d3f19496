#pragma once
// Where the cells of a Writer table stand on their pages.
#include <vector>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The cells of the table `id` as Writer lays them out, row by row: columns
// from the table's width and column separators, rows from where Writer
// puts the first and last lines of their cells. A row stands on the page
// its first cell starts on.
std::vector<CellBox> CellBoxesOf(WriterDoc& doc, uint32_t id);

}  // namespace plx::docif::lo
