#pragma once
// What a picture of text shows beyond the laid-out characters: centred and
// right-aligned lines stand where their paragraph's alignment puts them,
// by the width the text is really drawn at, distributed lines spread their
// characters over the whole line, and numbered paragraphs show their list
// numbers.
#include <functional>
#include <string>
#include <vector>

#include "docif/range.hpp"
#include "pictures/scene.hpp"

namespace plx::pictures {

struct ParagraphLook {
  long start = 0, end = 0;
  int alignment = docif::kAlignLeft;
  double rightIndent = 0;
  std::wstring listNumber;  // empty without one
};

// The paragraphs of the range that are not plain left-aligned text.
std::vector<ParagraphLook> ParagraphLooks(docif::Range& range);

// Something on a line: a piece of text or an inline picture, with the room
// the layout gave it (`slot`) and the width it is drawn at.
struct LineItem {
  long start = 0;
  int page = 1;
  double top = 0, left = 0, slot = 0, drawn = 0;
};

// How far right each item moves so that every line of a centred or
// right-aligned paragraph stands centred (or at the right) between where
// the line starts and `rightOf(item)`, by its drawn width. A line wider
// than its room stays where it is.
std::vector<double> AlignmentShifts(const std::vector<LineItem>& items, const std::vector<ParagraphLook>& looks,
                                    const std::function<double(const LineItem&)>& rightOf);

// Cuts the lines of distributed paragraphs into their characters spread
// over the line, then moves the pieces, and the other things on their
// lines (`others`, such as inline pictures), by AlignmentShifts().
void AlignPieces(std::vector<docif::LaidText>& pieces, std::vector<LineItem>& others,
                 const std::vector<ParagraphLook>& looks, const std::function<double(const LineItem&)>& rightOf);

// Draws the list numbers of the numbered paragraphs whose first line is
// on `page`, at that line's start, and moves the line's pieces right past
// the number and a gap of half its font's size. `pieces` are all the
// range's, so that a paragraph begun on an earlier page is known.
void AddListNumbers(Scene& scene, std::vector<docif::LaidText>& pieces, const std::vector<ParagraphLook>& looks,
                    int page, double dx, double dy);

}  // namespace plx::pictures
