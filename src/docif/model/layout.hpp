#pragma once
// Page positions without a layout engine. Text is laid out in a fixed,
// simple way so that positions are repeatable and close to what a word
// processor shows:
// - Pages have the page set-up size and margins; a line that does not fit
//   starts the next page, and a page break character starts it at once.
// - Each paragraph starts a new line at the left margin plus its indents,
//   after its space before (not at the top of a page); its space after
//   follows its last line. A paragraph of a list the add-in made has its
//   number at its indent and its text 21 points further, on every line,
//   as the saved file's numbering says; a list read from a file is laid
//   out at the paragraph's own indents.
// - A CJK or full-width character is one em wide (the font size), any other
//   character half an em; a tab moves to the next tab stop (the
//   paragraph's own, else every 21 points); an inline picture is as wide
//   and high as the picture. Field codes take no room; their results do.
// - A line's natural height is the tallest of its characters' fonts' own
//   line heights (the East Asian font's for CJK and full-width characters,
//   the Latin one's for the others: about 1.44 and 1.16 times the size
//   here), or the height of its tallest picture; a line holding a built-up
//   fraction (an equation with a fraction bar, or an EQ field with \F) is
//   twice as high.
//   The paragraph's line spacing then applies: single as it is, 1.5 lines
//   and double lines 1.5 and 2 times, multiple by its factor, at least
//   never less than the given height, exactly the given height. Lines that
//   are not exactly spaced snap up to whole multiples of the document
//   grid's line pitch when the document has a line grid (new documents
//   have the 15.6-point grid a Chinese word processor starts with), in
//   table cells too.
// - A line ends where its next character would pass the right edge, but a
//   paragraph's mark and a full-width stop or comma (、。，．) stay on it,
//   hanging past the edge, as Chinese text is set.
// - A table row puts its cells side by side at the widths of the table's
//   grid (the widths the add-in set, else the file's grid columns, a cell
//   spanning several grid columns taking their sum); cells of no known
//   width share what is left of the width the table stands in equally.
//   Every cell starts at the top of the row, below the cell margin a file's
//   table sets (<w:tblCellMar>; none above and below otherwise), and the
//   row is as high as its tallest cell with its last paragraph's space
//   after and the margin below; the row's end mark stands at its bottom. A table inside a cell is laid out the same way within
//   that cell, narrowed to fit it.
#include <utility>
#include <vector>

#include "docif/model/doc_data.hpp"

namespace plx::docif::model {

// Where a character stands: its top left in page points, and its page.
struct PagePlace {
  double x = 0, y = 0;
  int page = 1;
};

// The place of every position of the story (one more than its length: the
// end), laid out once, for callers that need many. Lines stand at their
// paragraph's left, however it is aligned: whoever draws them aligns them
// by their drawn width.
std::vector<PagePlace> LayoutPlaces(const DocData& doc, const Story& story);

// A table row as laid out: its page, top and bottom, and the edges of its
// cells from the first cell's left to the last one's right (one more than
// the cells). A row cut by a page end is the part on its last page.
struct LaidRow {
  uint32_t table = 0;
  int row = 1;  // 1-based within its table
  int page = 1;
  double top = 0, bottom = 0;
  std::vector<double> edges;
};
std::vector<LaidRow> LayoutRows(const DocData& doc, const Story& story);

// The Information value for the character at pos (see the Range constants):
// its place on the page, a centred or right-aligned line moved to where
// the word processor shows it.
double LayoutInformation(const DocData& doc, const Story& story, long pos, int type);
// [start, end) of the main story laid out on page `page` (1-based).
std::pair<long, long> PageSpan(const DocData& doc, int page);

}  // namespace plx::docif::model
