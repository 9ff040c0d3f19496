#pragma once
// Page positions without a layout engine. Text is laid out in a fixed,
// simple way so that positions are repeatable: pages of the page set-up
// size with its margins; each paragraph starts a new line at the left
// margin plus its indents; a CJK or full-width character is one em wide
// (the font size), any other character half an em; a tab moves to the next
// tab stop (the paragraph's own, else every 21 points); an inline picture
// is as wide and high as the picture; a line is 1.2 times its largest font
// size high (or the picture's height); a line that does not fit on the page
// starts the next page. Field codes take no room; their results do.
#include <utility>

#include "docif/model/doc_data.hpp"

namespace plx::docif::model {

// The Information value for the character at pos (see the Range constants).
double LayoutInformation(const DocData& doc, const Story& story, long pos, int type);
// [start, end) of the main story laid out on page `page` (1-based).
std::pair<long, long> PageSpan(const DocData& doc, int page);

}  // namespace plx::docif::model
