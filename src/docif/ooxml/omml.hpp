#pragma once
// Equations in Office Math Markup: an equation's linear format written as
// an <m:oMath> element (built up into OMML structure, or as one run while
// it is in the linear format), and an <m:oMath> element read back into the
// linear format.
#include <string>

namespace pugi {
class xml_node;
}

namespace plx::docif::ooxml {

constexpr const char* kMathNamespace = "http://schemas.openxmlformats.org/officeDocument/2006/math";

// The <m:oMath> element of an equation; every run carries runProperties
// (a <w:rPr> element).
std::string OMathXml(const std::wstring& linear, bool builtUp, const std::string& runProperties);

// The linear text of an <m:oMath> element.
std::wstring LinearFromOMath(const pugi::xml_node& oMath);

// Whether building the linear text up gives more than plain text.
bool HasStructure(const std::wstring& linear);

}  // namespace plx::docif::ooxml
