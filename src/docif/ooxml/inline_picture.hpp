#pragma once
// Inline pictures read from a file. Reading gives the model what it can
// change (size, rotation, outline, description, adjustments) from a
// DrawingML wp:inline or a VML w:pict; writing a changed one edits the
// drawing as read and replaces only what changed, so that its name, crop,
// locks and extensions stay as they were.
#include <pugixml.hpp>

#include <string>

#include "docif/model/doc_data.hpp"
#include "docif/ooxml/drawing_xml.hpp"

namespace plx::docif::ooxml {

// Fills a picture's relationship id and properties, with their values as
// read, from run content (w:drawing or w:pict); false when the content is
// no inline picture, which then stays as read.
bool ReadInlinePicture(const pugi::xml_node& content, model::InlineObject& o);

// Whether a picture still has every property it was read with.
bool UnchangedSinceRead(const model::InlineObject& o);

// The run content of a picture read from a file after a change: its drawing
// as read with the changed properties replaced. A VML picture is first
// turned into the DrawingML picture it reads as (the same image, size,
// crop, rotation, outline and description): VML has no place for the
// adjustments. Content that holds no picture drawing after all is written
// as a new picture when the picture's data is at hand, else as read.
std::string EditedInlinePictureXml(const model::InlineObject& o, DrawingContext& ctx);

}  // namespace plx::docif::ooxml
