#pragma once
// What the adapter keeps about a document's shapes that Writer does not:
// the running number of the host's default names, the line and fill new
// shapes get once a shape was made the default, and the size each shape
// was made with. It lives as long as the adapter's document, which holds it.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <com/sun/star/drawing/XShape.hpp>

#include "docif/formats.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

struct ShapeBook {
  int nextNumber = 1;
  bool named = false;  // the shapes the document came with have names
  std::optional<LineFormat> defaultLine;
  std::optional<std::pair<LineFormat, FillFormat>> defaultShape;
  std::map<std::wstring, std::pair<double, double>> originalSizes;  // by name
  // Every floating shape by name (items of groups too), as last walked, and
  // how many objects Writer's draw page held then (-1: walk again). A graph
  // names hundreds of shapes, each checked against all the others: the
  // adapter keeps the index up to date as it adds and names shapes, and
  // walks the shapes again whenever the draw page holds another number of
  // objects (the teacher added or deleted some, or shapes were grouped).
  struct Named {
    Reference<css::drawing::XShape> shape, top;  // the shape, and the top-level shape holding it
  };
  std::multimap<std::wstring, Named> names;
  sal_Int32 namesCount = -1;
  // Pictures made floating from the text, with their place there: made
  // inline again while that place is in their anchor's paragraph, they go
  // back to it.
  std::vector<std::pair<Reference<css::drawing::XShape>, std::shared_ptr<model::Anchor>>> textPlaces;
  bool offPage = false;  // the document lets shapes stand off the page
};

ShapeBook& BookOf(const WriterDoc& doc);

}  // namespace plx::docif::lo
