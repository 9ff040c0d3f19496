#pragma once
// Run and paragraph properties to and from WordprocessingML.
#include <string>

#include "docif/model/doc_data.hpp"

namespace pugi {
class xml_node;
}

namespace plx::docif::ooxml {

// <w:rPr> for a character format (every property written out).
std::string RunPropertiesXml(const model::CharFormat& f);
// The children of a <w:pPr> for a paragraph format, in schema order;
// numPr is "" or a ready <w:numPr> element; markRunProperties is the
// paragraph mark's <w:rPr>; sectPr the <w:sectPr> of a section the
// paragraph ends, or "".
std::string ParagraphPropertiesXml(const model::ParaFormat& p, const std::string& styleId,
                                   const std::string& numPr, const std::string& markRunProperties,
                                   const std::string& sectPr = "");

// Applies the properties of an rPr / pPr element over a format; what the
// model does not hold is appended to `extra` as XML.
void ApplyRunProperties(const pugi::xml_node& rPr, model::CharFormat& f, bool keepExtra);
void ApplyParagraphProperties(const pugi::xml_node& pPr, model::ParaFormat& p, bool keepExtra);

// A properties element kept as read (a table's or a cell's) without its
// children called `name`, so that the model's own value of that property
// counts; XML that does not parse comes back unchanged.
std::string WithoutChildren(const std::string& element, const char* name);
// The table properties with their borders replaced by `borders` (a whole
// w:tblBorders element), placed where the schema orders it.
std::string WithTableBorders(const std::string& tblPr, const std::string& borders);

}  // namespace plx::docif::ooxml
