#include "support/docx_package.hpp"

namespace plx::test {

docif::ooxml::Parts PackageParts(const std::string& body) {
  const std::string w = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
  return {
      {"[Content_Types].xml",
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
       "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument."
       "wordprocessingml.document.main+xml\"/></Types>"},
      {"_rels/.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
       "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
       "Target=\"word/document.xml\"/></Relationships>"},
      {"word/document.xml", "<w:document xmlns:w=\"" + w +
                                "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                "<w:body>" + body + "</w:body></w:document>"},
  };
}

std::string WritePackageWithBody(const std::filesystem::path& dir, const std::string& body) {
  std::string path = (dir / "made.docx").string();
  docif::ooxml::WritePackage(path, PackageParts(body));
  return path;
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  out.reserve(piece.size() * static_cast<size_t>(times));
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace plx::test
