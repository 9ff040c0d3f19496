#pragma once
// A range's shown text as Writer lays it out, in the surface's pieces.
#include <vector>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The text of [start, end) as laid out on its pages, line by line and run
// by run, leaving out what the model's LaidOut leaves out (marks, field
// codes while results show, tabs). The lines of centred and right-aligned
// paragraphs are given from where the paragraph's lines start, as the
// model lays them out: whoever draws them aligns them by their drawn width.
std::vector<LaidText> LaidOutText(WriterDoc& doc, long start, long end);

}  // namespace plx::docif::lo
