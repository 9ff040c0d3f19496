#pragma once
// The body of document.xml, and the paragraphs of a text box, from a model
// story: paragraphs with their properties and runs, fields as complex
// fields, equations, tables, inline objects, bookmarks, and the floating
// shapes anchored to each paragraph.
#include <functional>
#include <map>
#include <string>

#include "docif/model/doc_data.hpp"
#include "docif/ooxml/drawing_xml.hpp"

namespace plx::docif::ooxml {

struct BodyContext {
  const model::DocData& doc;
  DrawingContext& drawings;
  // Style id of a model style name.
  std::function<std::string(const std::wstring&)> styleId;
  // numId and level of a model list id.
  std::map<int, std::pair<int, int>> lists;
};

// The blocks of a story (paragraphs and tables); with shapes, the floating
// shapes go into the paragraphs they are anchored to.
std::string StoryBlocksXml(BodyContext& ctx, const model::Story& story, bool withShapes);

}  // namespace plx::docif::ooxml
