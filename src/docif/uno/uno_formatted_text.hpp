#pragma once
// Formatted copies through Writer's own copy and paste: the source's
// selection taken as Writer's transferable (what its clipboard would hold)
// and pasted in place of the target, then the mirror brought up to date.
#include <memory>
#include <utility>

#include <com/sun/star/datatransfer/XTransferable.hpp>

#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// Puts [start, end) of the document, with its formatting, on the office's clipboard.
void CopyToClipboard(WriterDoc& doc, long start, long end);

// Replaces [start, end) of `target` with a copy of [from, to) of `source`
// (the same document or another), characters, formatting and fields; the
// source is taken before anything changes. Returns the copy's span in the
// target.
std::pair<long, long> PasteFormatted(WriterDoc& target, long start, long end, WriterDoc& source, long from, long to);

// The whole of a story's text (a text box's) as Writer's transferable, taken
// before the text goes, and put into an empty story.
Reference<css::datatransfer::XTransferable> TakeAllText(WriterDoc& doc);
void PutAllText(WriterDoc& doc, const Reference<css::datatransfer::XTransferable>& text);

// Writer's paste into another document gives the copied text that
// document's styles of the same names, so text could change its look; the
// model's copy keeps how each character looked. Sets the looks (fonts,
// size, bold, italic, underline, colour, scripts) of [from, from + length)
// of `source` on the characters at the same offsets from `start` in
// `target` where they differ.
void KeepSourceLooks(const std::shared_ptr<WriterDoc>& source, long from, const std::shared_ptr<WriterDoc>& target,
                     long start, long length);

}  // namespace plx::docif::lo
