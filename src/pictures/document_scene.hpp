#pragma once
// What a document shows, as a scene: a whole page (its text, table borders
// and floating shapes, in the page's coordinates) or the selection (the
// selected shapes, or the selected text, cut out with a small margin).
#include "docif/document.hpp"
#include "pictures/scene.hpp"

namespace plx::pictures {

// Page `page` (1-based) of the document. Error 5 for a page it does not have.
Scene PageScene(docif::Document& doc, int page);

// The selection in `doc`: floating shapes when shapes are selected, else
// the text of the selection on its first page. Error 5 when nothing is
// selected.
Scene SelectionScene(docif::Document& doc, docif::Selection& selection);

// The page the selection stands on: the page of the first selected shape's
// anchor when shapes are selected, else the page of the selected text.
int SelectionPage(docif::Selection& selection);

// The number of pages the document has.
int PageCount(docif::Document& doc);

}  // namespace plx::pictures
