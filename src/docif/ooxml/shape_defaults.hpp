#pragma once
// The document's default drawing style in settings.xml: the default for new
// shapes in <w:shapeDefaults> (o:shapedefaults: fill colour, filled, stroke
// colour and weight), where word processors keep it; the default for new
// lines, which that element has no room for, as the document variable
// "plendrixLineDefault" ("visible;weight;colour").
#include <pugixml.hpp>

#include "docif/model/doc_data.hpp"

namespace plx::docif::ooxml {

// Replaces what the settings say about the defaults with the document's.
void WriteShapeDefaults(pugi::xml_node settings, const model::DocData& doc);
void ReadShapeDefaults(const pugi::xml_node& settings, model::DocData& doc);

}  // namespace plx::docif::ooxml
