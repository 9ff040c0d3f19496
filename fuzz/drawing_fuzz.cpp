// libFuzzer target: the input is one drawing of a run (w:drawing with a
// wp:anchor or wp:inline, w:pict with VML, or mc:AlternateContent holding
// both), standing in a paragraph of a valid package whose root declares
// every namespace drawings use, with a dictionary of the shape readers'
// element, attribute and style words. Any drawing ends in a shape, a
// drawing kept as read or a clear refusal, and what is read is written as
// a document that reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "xml_package.hpp"

namespace {

const std::string kOpen =
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\""
    " xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\""
    " xmlns:wpg=\"http://schemas.microsoft.com/office/word/2010/wordprocessingGroup\""
    " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
    " xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:w10=\"urn:schemas-microsoft-com:office:word\"><w:body><w:p><w:r><w:t>已知函数</w:t></w:r><w:r>";
const std::string kClose = "</w:r><w:r><w:t>的图象</w:t></w:r></w:p><w:p><w:r><w:t>下一段</w:t></w:r></w:p></w:body></w:document>";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string drawing(reinterpret_cast<const char*>(data), size);
  plx::fuzz::ReadWriteReread(plx::fuzz::FramePackage(kOpen + drawing + kClose, "", ""));
  return 0;
}
