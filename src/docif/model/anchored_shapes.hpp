#pragma once
// Shapes kept against their paragraph move with it, as in the word
// processor. Their geometry stays in page points, placed for the top their
// paragraph had when they were last placed (ShapeData::paragraphTop); once
// the text, its formats, the page set-up, the equations or the inline
// objects change, the main text is laid out again and each such shape
// moves by as much as its paragraph moved. Reading a shape's geometry
// through the model brings it up to date first, so `Top` is always the
// page place for where the paragraph now is, and setting it sets the
// distance from the paragraph.
#include "docif/model/doc_data.hpp"

namespace plx::docif::model {

// Moves every shape kept against its paragraph to its paragraph's current
// place (nothing to lay out while there is no such shape).
void FollowParagraphs(const DocData& doc);

// The page y of the top of the main-text paragraph holding pos, as now
// laid out.
double ParagraphTop(const DocData& doc, long pos);

}  // namespace plx::docif::model
