#include "xml_package.hpp"

#include <memory>

#include "common/error.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"

namespace plx::fuzz {
namespace {

namespace model = docif::model;

const std::string kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const std::string kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

// A 1 × 1 PNG, for pictures that refer to rId9.
const std::string kPng("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1f\x15\xc4\x89"
                       "\0\0\0\rIDATx\x9c" "c\xf8\x0f\0\0\x01\x01\x01\0\x18\xdd\x8d\xb0\0\0\0\0IEND\xae" "B`\x82",
                       67);

std::shared_ptr<model::DocData> Read(docif::ooxml::Parts parts) {
  return docif::ooxml::ReadDocxPackage(std::make_shared<docif::ooxml::PartsPackage>(std::move(parts)), L"fuzz.docx",
                                       std::make_shared<model::AppShared>());
}

}  // namespace

docif::ooxml::Parts FramePackage(const std::string& document, const std::string& styles, const std::string& numbering) {
  docif::ooxml::Parts parts{
      {"[Content_Types].xml",
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Default Extension=\"png\" ContentType=\"image/png\"/>"
       "</Types>"},
      {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"" + kRel + "officeDocument\" Target=\"word/document.xml\"/>"
                      "</Relationships>"},
      {"word/_rels/document.xml.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"" + kRel + "styles\" Target=\"styles.xml\"/>"
       "<Relationship Id=\"rId2\" Type=\"" + kRel + "numbering\" Target=\"numbering.xml\"/>"
       "<Relationship Id=\"rId3\" Type=\"" + kRel + "settings\" Target=\"settings.xml\"/>"
       "<Relationship Id=\"rId9\" Type=\"" + kRel + "image\" Target=\"media/image1.png\"/></Relationships>"},
      {"word/settings.xml", "<w:settings xmlns:w=\"" + kW + "\"><w:defaultTabStop w:val=\"420\"/></w:settings>"},
      {"word/media/image1.png", kPng},
      {"word/document.xml", document},
  };
  if (!styles.empty()) parts["word/styles.xml"] = styles;
  if (!numbering.empty()) parts["word/numbering.xml"] = numbering;
  return parts;
}

void ReadWriteReread(docif::ooxml::Parts parts) {
  std::shared_ptr<model::DocData> doc;
  try {
    doc = Read(parts);
  } catch (const VbError&) {
    return;  // refused with a message
  }
  model::DumpJson(*doc);
  docif::ooxml::Parts written = docif::ooxml::BuildDocx(*doc);
  for (auto& [name, bytes] : written) parts[name] = std::move(bytes);
  try {
    Read(std::move(parts));
  } catch (const VbError&) {
    __builtin_trap();  // saving made a document that cannot be opened
  }
}

}  // namespace plx::fuzz
