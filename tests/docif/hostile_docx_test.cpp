// Hostile .docx files, made here: each opens and saves, or is refused with
// a clear message; none crashes, exhausts the stack or inflates without
// bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/xml_text.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "support/docx_package.hpp"
#include "support/test_addin.hpp"

namespace plx::docif {
namespace {

using test::Repeat;

std::shared_ptr<model::DocData> Read(const std::string& path) {
  return ooxml::ReadDocx(Utf8ToWide(path), std::make_shared<model::AppShared>());
}

// Reads and saves the body; returns the saved document's XML.
std::string RoundTrip(const test::TempDir& dir, const std::string& body) {
  std::string path = test::WritePackageWithBody(dir.Path(), body);
  ooxml::SaveDocx(*Read(path), Utf8ToWide(path + ".saved.docx"));
  return ooxml::ReadPackage(path + ".saved.docx")["word/document.xml"];
}

// The description of the error opening the file raises (empty when none).
std::wstring RefusalOfFile(const std::function<void()>& open) {
  try {
    open();
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 5792);
    return e.description();
  }
  return L"";
}

// The description of the error reading the body raises (empty when none).
std::wstring RefusalOf(const test::TempDir& dir, const std::string& body) {
  return RefusalOfFile([&] { Read(test::WritePackageWithBody(dir.Path(), body)); });
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(HostileDocx, LongBorderListsOfBorderlessTablesSave) {
  test::TempDir dir;
  std::string cell = "<w:tc><w:tcPr><w:tcW w:w=\"2000\" w:type=\"dxa\"/><w:tcBorders>" +
                     Repeat("<w:top w:val=\"nil\"/>", 3000) + "</w:tcBorders></w:tcPr><w:p><w:r><w:t>格</w:t></w:r></w:p></w:tc>";
  std::string table = "<w:tbl><w:tblPr><w:tblW w:w=\"4000\" w:type=\"dxa\"/><w:tblBorders>" +
                      Repeat("<w:top w:val=\"nil\"/>", 5000) + "</w:tblBorders></w:tblPr><w:tblGrid><w:gridCol/>"
                      "</w:tblGrid><w:tr>" + cell + "</w:tr></w:tbl><w:p/>";
  std::string xml = RoundTrip(dir, table);
  EXPECT_EQ(xml.find("<w:tblBorders"), std::string::npos) << "a borderless table writes no border list";
  EXPECT_EQ(xml.find("<w:tcBorders"), std::string::npos);
  for (const char* kept : {"<w:tblW w:w=\"4000\" w:type=\"dxa\"/>", "<w:tcW w:w=\"2000\" w:type=\"dxa\"/>", "格"})
    EXPECT_NE(xml.find(kept), std::string::npos) << kept;

  // A table with a border keeps its lists as they were.
  std::string bordered = RoundTrip(
      dir, "<w:tbl><w:tblPr><w:tblBorders><w:top w:val=\"single\" w:sz=\"4\"/></w:tblBorders></w:tblPr><w:tr><w:tc>"
           "<w:tcPr><w:tcBorders><w:left w:val=\"nil\"/></w:tcBorders></w:tcPr><w:p/></w:tc></w:tr></w:tbl><w:p/>");
  EXPECT_NE(bordered.find("<w:tblBorders><w:top w:val=\"single\" w:sz=\"4\"/></w:tblBorders>"), std::string::npos);
  EXPECT_NE(bordered.find("<w:tcBorders><w:left w:val=\"nil\"/></w:tcBorders>"), std::string::npos);
}

TEST(HostileDocx, DeepNestingIsRefusedAndShallowNestingRead) {
  test::TempDir dir;
  auto nested = [](const std::string& open, const std::string& close, int depth, const std::string& inside) {
    return Repeat(open, depth) + inside + Repeat(close, depth);
  };
  const std::string run = "<w:r><w:t>内</w:t></w:r>";
  const std::string sdtOpen = "<w:sdt><w:sdtContent>", sdtClose = "</w:sdtContent></w:sdt>";
  struct Case {
    const char* what;
    std::string body;
  } deep[] = {
      {"block content controls", nested(sdtOpen, sdtClose, 10000, "<w:p>" + run + "</w:p>")},
      {"smart tags", "<w:p>" + nested("<w:smartTag>", "</w:smartTag>", 20000, run) + "</w:p>"},
      {"inline content controls", "<w:p>" + nested(sdtOpen, sdtClose, 10000, run) + "</w:p>"},
      {"simple fields", "<w:p>" + nested("<w:fldSimple w:instr=\"PAGE\">", "</w:fldSimple>", 10000, run) + "</w:p>"},
  };
  for (const Case& c : deep) EXPECT_NE(RefusalOf(dir, c.body).find(L"文档嵌套过深"), std::wstring::npos) << c.what;

  // A deep element where saving replaces a setting.
  ooxml::Parts parts = test::PackageParts("<w:p/>");
  parts["word/_rels/document.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" Target=\"settings.xml\"/>"
      "</Relationships>";
  parts["word/settings.xml"] = "<w:settings xmlns:w=\"urn:w\"><w:embedTrueTypeFonts>" + nested("<x>", "</x>", 200000, "") +
                               "</w:embedTrueTypeFonts></w:settings>";
  std::string path = (dir.Path() / "settings.docx").string();
  ooxml::WritePackage(path, parts);
  auto withSettings = Read(path);
  withSettings->embedFonts = false;
  ooxml::SaveDocx(*withSettings, Utf8ToWide(path + "2"));
  EXPECT_EQ(ooxml::ReadPackage(path + "2")["word/settings.xml"].find("<x>"), std::string::npos);

  std::string shallow = nested(sdtOpen, sdtClose, 20, "<w:p>" + nested("<w:smartTag>", "</w:smartTag>", 20, run) + "</w:p>");
  test::WritePackageWithBody(dir.Path(), shallow);
  EXPECT_EQ(Read((dir.Path() / "made.docx").string())->main->Text(), L"内\r");
}

TEST(HostileDocx, SymbolsThatNameNoCharacterAreKeptAsRead) {
  test::TempDir dir;
  const char* bad[] = {"zz", "12345", "FFFFFFFFFFFFFFFFFFFFFFFF", "", "-1", "0013", "D800"};
  std::string body = "<w:p>";
  for (const char* code : bad)
    body += std::string("<w:r><w:sym w:font=\"Symbol\" w:char=\"") + code + "\"/></w:r>";
  body += "<w:r><w:sym w:font=\"Symbol\" w:char=\"F0B3\"/></w:r></w:p>";
  std::string path = test::WritePackageWithBody(dir.Path(), body);
  auto doc = Read(path);
  EXPECT_TRUE(doc->main->FieldsIn(0, doc->main->Length()).empty()) << "0013 made no field mark";
  EXPECT_EQ(doc->main->Text(), std::wstring(std::size(bad), model::kInlineObject) + L"\uF0B3\r");
  ooxml::SaveDocx(*doc, Utf8ToWide(path + "2"));
  std::string xml = ooxml::ReadPackage(path + "2")["word/document.xml"];
  for (const char* code : bad)
    EXPECT_NE(xml.find(std::string("<w:sym w:font=\"Symbol\" w:char=\"") + code + "\"/>"), std::string::npos) << code;
  EXPECT_NE(xml.find("w:char=\"F0B3\""), std::string::npos);
}

TEST(HostileDocx, TheRootTagIsWrittenWellFormedWhateverItsValues) {
  test::TempDir dir;
  ooxml::Parts parts = test::PackageParts("<w:p><w:r><w:t>根</w:t></w:r></w:p>");
  std::string& xml = parts["word/document.xml"];
  xml.insert(xml.find('>'), " xmlns:x=\"urn:a>b&amp;c\" x:note=\"&quot;'\"");
  std::string path = (dir.Path() / "root.docx").string();
  ooxml::WritePackage(path, parts);
  ooxml::SaveDocx(*Read(path), Utf8ToWide(path + "2"));
  EXPECT_EQ(Read(path + "2")->main->Text(), L"根\r");
  EXPECT_NE(ooxml::ReadPackage(path + "2")["word/document.xml"].find("xmlns:x=\"urn:a&gt;b&amp;c\""), std::string::npos);
}

TEST(HostileDocx, IdsAtTheLimitsOfTheirNumbersAreCountedOnWithoutOverflow) {
  test::TempDir dir;
  ooxml::Parts parts = test::PackageParts(
      "<w:p><w:hyperlink r:id=\"rId2147483647\"><w:r><w:t>链接</w:t></w:r></w:hyperlink><w:r><w:drawing><wp:inline>"
      "<wp:docPr id=\"2147483647\" name=\"a\"/></wp:inline></w:drawing><w:drawing><wp:inline>"
      "<wp:docPr id=\"99999999999999999999999\" name=\"b\"/></wp:inline></w:drawing></w:r></w:p>");
  parts["word/_rels/document.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"urn:hyperlink\" Target=\"http://a\" TargetMode=\"External\"/>"
      "<Relationship Id=\"rId2147483647\" Type=\"urn:hyperlink\" Target=\"http://b\" TargetMode=\"External\"/>"
      "</Relationships>";
  std::string path = (dir.Path() / "ids.docx").string();
  ooxml::WritePackage(path, parts);
  auto doc = Read(path);
  model::ModelDocument(doc).GetShapes()->AddLine(10, 10, 100, 100);
  ooxml::SaveDocx(*doc, Utf8ToWide(path + "2"));
  auto saved = ooxml::ReadPackage(path + "2");
  EXPECT_NE(saved["word/document.xml"].find("docPr id=\"4294967295\""), std::string::npos) << "the new line comes last";
  std::string rels = saved["word/_rels/document.xml.rels"];
  std::vector<std::string> ids;
  for (size_t at = rels.find("Id=\""); at != std::string::npos; at = rels.find("Id=\"", at + 1))
    ids.push_back(rels.substr(at + 4, rels.find('"', at + 4) - at - 4));
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << rels;
  EXPECT_GT(ids.size(), 2u) << "saving added the styles and settings";
}

// Page sizes and margins that are no number or no page keep the page the
// document had, and saving writes measures a word processor reads.
TEST(HostileDocx, PageSizesThatAreNoPageKeepTheirDefaults) {
  test::TempDir dir;
  auto doc = Read(test::WritePackageWithBody(
      dir.Path(), "<w:p/><w:sectPr><w:pgSz w:w=\"NaN\" w:h=\"1e308\"/>"
                  "<w:pgMar w:top=\"-1e300\" w:bottom=\"1440\" w:left=\"inf\" w:right=\"-5\"/></w:sectPr>"));
  const PageSetup page;
  EXPECT_EQ(doc->page.PageWidth, page.PageWidth);
  EXPECT_EQ(doc->page.PageHeight, page.PageHeight);
  EXPECT_EQ(doc->page.TopMargin, page.TopMargin);
  EXPECT_EQ(doc->page.BottomMargin, 72) << "a sound margin is read";
  EXPECT_EQ(doc->page.LeftMargin, page.LeftMargin);
  EXPECT_EQ(doc->page.RightMargin, page.RightMargin);
  EXPECT_EQ(ooxml::Twips(1e308), 2147483647);
  EXPECT_EQ(ooxml::Twips(std::nan("")), 0);
}

// A file larger than any package the reader would inflate is refused
// before it is read (a sparse file: no disk is used).
TEST(HostileDocx, AFileLargerThanAnyDocumentIsRefusedUnread) {
  test::TempDir dir;
  const std::filesystem::path huge = dir.Path() / "huge.docx";
  std::ofstream(huge).close();
  std::filesystem::resize_file(huge, 3ull << 30);
  const std::wstring refusal = RefusalOfFile([&] { ooxml::OpenPackage(huge.string()); });
  EXPECT_NE(refusal.find(L"3072 MB"), std::wstring::npos) << WideToUtf8(refusal);
}

// One picture part shown by many pictures is inflated once, and the
// pictures' copies count against the package limit: 10 pictures of a 30 MB
// part (of a few kB in the file) are refused with the limit's message.
TEST(HostileDocx, APictureShownManyTimesCountsEveryTimeAgainstTheLimit) {
  test::TempDir dir;
  auto parts = test::PackageParts(
      "<w:p>" + Repeat("<w:r><w:pict><v:shape style=\"width:40pt;height:20pt\"><v:imagedata r:id=\"rId9\"/>"
                       "</v:shape></w:pict></w:r>", 10) + "</w:p>");
  std::string& body = parts["word/document.xml"];
  body.replace(body.find("<w:document "), 12, "<w:document xmlns:v=\"urn:schemas-microsoft-com:vml\" ");
  parts["word/_rels/document.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId9\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" Target=\"media/p.png\"/>"
      "</Relationships>";
  parts["word/media/p.png"] = std::string(30u << 20, '\0');
  const std::string path = (dir.Path() / "many.docx").string();
  ooxml::WritePackage(path, parts);
  parts.clear();
  const std::wstring refusal = RefusalOfFile([&] { Read(path); });
  EXPECT_NE(refusal.find(L"图片共超过 256 MB"), std::wstring::npos) << WideToUtf8(refusal);
}

TEST(HostileDocx, PackagesAreInflatedOnlyAsFarAsTheDocumentNeeds) {
  test::TempDir dir;
  std::string path = (dir.Path() / "parts.docx").string();
  ooxml::Parts parts = test::PackageParts("<w:p><w:r><w:t>正文</w:t></w:r></w:p>");
  for (int i = 0; i < 8; ++i) parts["word/media/unused" + std::to_string(i) + ".bin"] = std::string(40000, 'x');
  ooxml::WritePackage(path, parts);
  std::string bytes = FileBytes(path);

  // Parts that would inflate past the limit altogether are refused before
  // anything is inflated, even though each alone is small.
  try {
    ooxml::ZipPackage(bytes, "parts.docx", 256 << 10);
    ADD_FAILURE() << "a package past the limit was opened";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 5792);
    EXPECT_NE(e.description().find(L"超过"), std::wstring::npos) << WideToUtf8(e.description());
  }
  EXPECT_NO_THROW(ooxml::ZipPackage(bytes, "parts.docx", 512 << 10));

  // A damaged part the document does not use is never inflated: the
  // document opens, and saving carries the part across as it was.
  const std::string damaged = "word/media/unused3.bin";
  size_t header = bytes.find(damaged) - 30;  // the entry's local header
  size_t extra = static_cast<unsigned char>(bytes[header + 28]) | static_cast<unsigned char>(bytes[header + 29]) << 8;
  size_t data = header + 30 + damaged.size() + extra;
  bytes[data + 4] = static_cast<char>(bytes[data + 4] ^ 0x5A);
  std::ofstream(path, std::ios::binary) << bytes;
  EXPECT_THROW(ooxml::ReadPackage(path), VbError) << "the damage is real";
  auto doc = Read(path);
  ASSERT_EQ(doc->main->Text(), L"正文\r");
  ooxml::SaveDocx(*doc, Utf8ToWide(path + "2"));
  auto saved = ooxml::OpenPackage(path + "2");
  std::vector<std::string> names = saved->Names();
  for (const auto& [name, content] : parts) EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  EXPECT_EQ(saved->Read("word/media/unused0.bin"), std::string(40000, 'x'));
  EXPECT_THROW(saved->Read("word/media/unused3.bin"), VbError);
}

}  // namespace
}  // namespace plx::docif
