// libFuzzer target: the input is word/styles.xml and word/numbering.xml,
// separated by a NUL byte, inside a valid package whose document uses
// styles, character styles and lists. Broken, cyclic or deep definitions
// end in a document or a clear refusal, and what is read is written as a
// document that reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "xml_package.hpp"

namespace {

const std::string kDocument =
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
    "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr><w:r><w:t>一、选择题</w:t></w:r></w:p>"
    "<w:p><w:pPr><w:pStyle w:val=\"List\"/><w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr></w:pPr>"
    "<w:r><w:rPr><w:rStyle w:val=\"Strong\"/></w:rPr><w:t>已知</w:t></w:r><w:r><w:t>集合</w:t></w:r></w:p>"
    "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"1\"/><w:numId w:val=\"2\"/></w:numPr></w:pPr><w:r><w:t>A．1</w:t></w:r></w:p>"
    "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/></w:tblPr><w:tr><w:tc><w:p><w:pPr><w:numPr><w:ilvl w:val=\"0\"/>"
    "<w:numId w:val=\"1\"/></w:numPr></w:pPr><w:r><w:t>格</w:t></w:r></w:p></w:tc></w:tr></w:tbl>"
    "<w:p><w:r><w:t>完</w:t></w:r></w:p></w:body></w:document>";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find('\0');
  std::string styles = input.substr(0, split);
  std::string numbering = split == std::string::npos ? "" : input.substr(split + 1);
  plx::fuzz::ReadWriteReread(plx::fuzz::FramePackage(kDocument, styles, numbering));
  return 0;
}
