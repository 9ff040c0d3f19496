#pragma once
// What the paper and clean-up commands act on: the active document, and
// the range a command covers (the selection, or the whole document when the
// selection is only an insertion point).
#include <memory>

#include "docif/document.hpp"

namespace plx {

class AddinContext;

std::shared_ptr<docif::Document> ActiveDoc(AddinContext& ctx);
std::shared_ptr<docif::Selection> CurrentSelection(AddinContext& ctx);
// The selection's range, or the whole main text when nothing is selected.
docif::RangePtr SelectionOrDocument(AddinContext& ctx);
// The first paragraph of the selection (the insertion point's paragraph).
docif::RangePtr FirstSelectedParagraph(AddinContext& ctx);
// The paragraph's text without its paragraph mark.
docif::RangePtr ParagraphText(const docif::Range& paragraph);

}  // namespace plx
