// libFuzzer target: the input is word/document.xml inside a valid package
// (the sample documents' and drawing-heavy documents' XML as seeds). Any
// text ends in a document or a clear refusal; what is read is written as
// a document that reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "xml_package.hpp"

namespace {

// The styles and numbering the seeds' paragraphs and lists refer to.
const std::string kStyles =
    "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:docDefaults><w:rPrDefault>"
    "<w:rPr><w:rFonts w:ascii=\"Times New Roman\" w:eastAsia=\"宋体\"/><w:sz w:val=\"21\"/></w:rPr></w:rPrDefault>"
    "</w:docDefaults><w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/>"
    "</w:style><w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:name w:val=\"heading 1\"/><w:basedOn "
    "w:val=\"Normal\"/><w:rPr><w:b/><w:sz w:val=\"44\"/></w:rPr></w:style></w:styles>";
const std::string kNumbering =
    "<w:numbering xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:abstractNum "
    "w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"decimal\"/><w:lvlText w:val=\"%1．\"/></w:lvl>"
    "</w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num></w:numbering>";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string document(reinterpret_cast<const char*>(data), size);
  plx::fuzz::ReadWriteReread(plx::fuzz::FramePackage(document, kStyles, kNumbering));
  return 0;
}
