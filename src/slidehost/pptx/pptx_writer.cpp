#include "slidehost/pptx/pptx_writer.hpp"

#include <string>

#include "common/text.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "slidehost/pptx/fixed_parts.hpp"
#include "slidehost/pptx/slide_xml.hpp"

namespace plx::slides::pptx {

namespace {

constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr const char* kPml = "application/vnd.openxmlformats-officedocument.presentationml.";

std::string Relationship(const std::string& id, const std::string& type, const std::string& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + kRel + type + "\" Target=\"" + target + "\"/>";
}

std::string Override(const std::string& part, const std::string& type) {
  return "<Override PartName=\"/" + part + "\" ContentType=\"" + type + "\"/>";
}

const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char* kRelsHead = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";

}  // namespace

void SavePptx(const model::PresentationData& presentation, const std::wstring& path) {
  docif::ooxml::Parts parts;
  std::string types = std::string(kXmlHead) +
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Default Extension=\"png\" ContentType=\"image/png\"/>"
      "<Default Extension=\"jpeg\" ContentType=\"image/jpeg\"/>"
      "<Default Extension=\"docx\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document\"/>" +
      Override("ppt/presentation.xml", std::string(kPml) + "presentation.main+xml") +
      Override("ppt/slideMasters/slideMaster1.xml", std::string(kPml) + "slideMaster+xml") +
      Override("ppt/slideLayouts/slideLayout1.xml", std::string(kPml) + "slideLayout+xml") +
      Override("ppt/theme/theme1.xml", "application/vnd.openxmlformats-officedocument.theme+xml") +
      Override("docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml") +
      Override("docProps/app.xml", "application/vnd.openxmlformats-officedocument.extended-properties+xml");
  std::string presRels = std::string(kXmlHead) + kRelsHead +
      Relationship("rId1", "slideMaster", "slideMasters/slideMaster1.xml") +
      Relationship("rId2", "theme", "theme/theme1.xml");
  std::string slideIds;
  int asset = 1;
  for (size_t i = 0; i < presentation.slides.size(); ++i) {
    const std::string n = std::to_string(i + 1), rid = "rId" + std::to_string(i + 3);
    SlidePart part = WriteSlide(*presentation.slides[i], asset);
    parts["ppt/slides/slide" + n + ".xml"] = std::move(part.xml);
    parts["ppt/slides/_rels/slide" + n + ".xml.rels"] = std::move(part.rels);
    for (auto& a : part.assets) parts[a.name] = std::move(a.bytes);
    types += Override("ppt/slides/slide" + n + ".xml", std::string(kPml) + "slide+xml");
    presRels += Relationship(rid, "slide", "slides/slide" + n + ".xml");
    slideIds += "<p:sldId id=\"" + std::to_string(presentation.slides[i]->id) + "\" r:id=\"" + rid + "\"/>";
  }
  types += "</Types>";
  presRels += "</Relationships>";
  parts["[Content_Types].xml"] = types;
  parts["_rels/.rels"] = std::string(kXmlHead) + kRelsHead +
      Relationship("rId1", "officeDocument", "ppt/presentation.xml") +
      "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>" +
      Relationship("rId3", "extended-properties", "docProps/app.xml") + "</Relationships>";
  parts["docProps/app.xml"] = kAppProperties;
  parts["docProps/core.xml"] = kCoreProperties;
  parts["ppt/_rels/presentation.xml.rels"] = presRels;
  parts["ppt/presentation.xml"] = std::string(kXmlHead) +
      "<p:presentation xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
      "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\">"
      "<p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/></p:sldMasterIdLst>" +
      (slideIds.empty() ? std::string() : "<p:sldIdLst>" + slideIds + "</p:sldIdLst>") +
      "<p:sldSz cx=\"" + std::to_string(Emu(presentation.slideWidth)) + "\" cy=\"" +
      std::to_string(Emu(presentation.slideHeight)) + "\"/>"
      "<p:notesSz cx=\"6858000\" cy=\"9144000\"/></p:presentation>";
  parts["ppt/slideMasters/slideMaster1.xml"] = kSlideMaster;
  parts["ppt/slideMasters/_rels/slideMaster1.xml.rels"] = kSlideMasterRels;
  parts["ppt/slideLayouts/slideLayout1.xml"] = kSlideLayout;
  parts["ppt/slideLayouts/_rels/slideLayout1.xml.rels"] = kSlideLayoutRels;
  parts["ppt/theme/theme1.xml"] = kTheme;
  docif::ooxml::WritePackage(WideToUtf8(path), parts);
}

}  // namespace plx::slides::pptx
