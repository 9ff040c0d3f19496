#pragma once
// Formatted copies through Writer's own copy and paste: the source's
// selection taken as Writer's transferable (what its clipboard would hold)
// and pasted in place of the target, then the mirror brought up to date.
#include <utility>

#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// Puts [start, end) of the document, with its formatting, on the office's clipboard.
void CopyToClipboard(WriterDoc& doc, long start, long end);

// Replaces [start, end) of `target` with a copy of [from, to) of `source`
// (the same document or another), characters, formatting and fields; the
// source is taken before anything changes. Returns the copy's span in the
// target.
std::pair<long, long> PasteFormatted(WriterDoc& target, long start, long end, WriterDoc& source, long from, long to);

}  // namespace plx::docif::lo
