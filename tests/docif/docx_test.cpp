// .docx in and out: real documents from another word processor survive a
// round trip, everything the model holds is written, bad files are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "support/docx_package.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx::docif {
namespace {

namespace fs = std::filesystem;

std::string CorpusFile(const char* name) { return build_paths::SharedDir() + "/corpus/" + name; }

std::string DumpWithoutName(const model::DocData& doc) {
  std::string json = model::DumpJson(doc, -1);
  size_t at = json.find("\"fullName\":\"");
  if (at != std::string::npos) json.erase(at, json.find("\",", at + 12) + 2 - at);
  return json;
}

std::shared_ptr<model::DocData> Read(const std::string& path) {
  return ooxml::ReadDocx(Utf8ToWide(path), std::make_shared<model::AppShared>());
}

TEST(Docx, CorpusDocumentsSurviveARoundTrip) {
  if (!fs::exists(CorpusFile("worksheet.docx"))) GTEST_SKIP() << "the shared corpus is not here";
  test::TempDir dir;
  for (const char* name : {"exam-teacher.docx", "exam-student.docx", "worksheet.docx"}) {
    auto first = Read(CorpusFile(name));
    std::string saved = (dir.Path() / name).string();
    ooxml::SaveDocx(*first, Utf8ToWide(saved));
    auto second = Read(saved);
    EXPECT_EQ(DumpWithoutName(*first), DumpWithoutName(*second)) << name;
    // Parts the model does not touch are carried through byte for byte.
    auto before = ooxml::ReadPackage(CorpusFile(name));
    auto after = ooxml::ReadPackage(saved);
    for (const auto& [part, bytes] : before) {
      ASSERT_TRUE(after.count(part)) << name << " lost " << part;
      if (part.starts_with("word/media/") || part.starts_with("docProps/") || part == "word/fontTable.xml") {
        EXPECT_EQ(after[part], bytes) << name << " changed " << part;
      }
    }
    // The picture is still referenced and still there.
    EXPECT_NE(after["word/document.xml"].find("r:embed=\"rId2\""), std::string::npos) << name;
  }
  auto teacher = Read(CorpusFile("exam-teacher.docx"));
  std::wstring text = teacher->main->Text();
  EXPECT_NE(text.find(L"1．已知集合A={x|x2−3x+2=0}"), std::wstring::npos);
  EXPECT_EQ(teacher->tables.size(), 1u);
  EXPECT_EQ(teacher->objects.size(), 1u);
}

TEST(Docx, EverythingTheModelHoldsIsWritten) {
  test::TempDir dir;
  test::ModelDoc m;
  m.SetText(L"函数图象\r粗体红字 x2 上标\r题目");
  auto doc = m.doc;
  doc->GetRange(5, 7)->SetFont({.Name = L"黑体", .Bold = true, .Color = 0x0000FF});
  doc->GetRange(11, 12)->SetFont({.Superscript = true});
  doc->Paragraphs()->Item(1)->SetParagraphFormat({.Alignment = kAlignCenter, .LineSpacingRule = kSpace1pt5});
  auto tmpl = m.app->NumberingTemplate(1);
  tmpl->SetNumberFormat(L"%1．");
  doc->Paragraphs()->Item(3)->ApplyListTemplate(*tmpl, true);
  doc->GetFields()->Add(*doc->GetRange(4, 4), kFieldEmpty, L"EQ \\F(1,2)", false);
  auto end = doc->Content();
  end->Collapse(kCollapseEnd);
  end->SetRange(end->Start() - 1, end->Start() - 1);
  doc->GetTables()->Add(*end, 2, 2)->Cell(2, 2)->SetText(L"D．");
  auto shapes = doc->GetShapes();
  auto line = shapes->AddLine(100.5f, 200, 300, 200);
  line->SetLine({.ForeColor = 0x0000FF, .EndArrowheadStyle = 2});
  auto oval = shapes->AddShape(kAutoShapeOval, 50, 50, 40, 40);
  auto curve = shapes->AddCurve({{0, 0}, {10, 10}, {20, 10}, {30, 0}});
  shapes->Range({oval->Name(), curve->Name()})->Group()->SetName(L"组合：12320261206_plendrix");
  auto box = shapes->AddTextbox(1, 300, 300, 80, 30);
  box->TextRange()->SetText(L"框内");
  std::wstring path = dir.WPath() + L"/all.docx";
  ooxml::SaveDocx(*m.Data(), path);

  auto parts = ooxml::ReadPackage(WideToUtf8(path));
  const std::string& xml = parts["word/document.xml"];
  EXPECT_NE(xml.find("<w:instrText xml:space=\"preserve\">EQ \\F(1,2)</w:instrText>"), std::string::npos);
  EXPECT_NE(xml.find("<wp:posOffset>1276350</wp:posOffset>"), std::string::npos) << "100.5 pt in EMU";
  EXPECT_NE(xml.find("组合：12320261206_plendrix"), std::string::npos);
  EXPECT_NE(xml.find("<w:txbxContent>"), std::string::npos);
  EXPECT_NE(xml.find("<w:vertAlign w:val=\"superscript\"/>"), std::string::npos);
  EXPECT_NE(xml.find("<w:color w:val=\"FF0000\"/>"), std::string::npos) << "red in the low byte";
  EXPECT_NE(parts["word/numbering.xml"].find("w:lvlText w:val=\"%1．\""), std::string::npos);
  EXPECT_NE(xml.find("<w:numId w:val=\"1\"/></w:numPr><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" "
                     "w:lineRule=\"auto\"/><w:ind w:left=\"420\" w:right=\"0\" w:hanging=\"420\"/>"),
            std::string::npos)
      << "a numbered paragraph's own indents are its list's, which they would otherwise override";
  EXPECT_NE(parts["[Content_Types].xml"].find("numbering.xml"), std::string::npos);

  auto back = Read(WideToUtf8(path));
  EXPECT_EQ(back->main->Text().substr(0, 4), L"函数图象");
  auto backDoc = std::make_shared<model::ModelDocument>(back);
  auto paragraphs = backDoc->Paragraphs();
  EXPECT_EQ(paragraphs->Item(1)->GetParagraphFormat().Alignment, kAlignCenter);
  EXPECT_EQ(paragraphs->Item(1)->GetParagraphFormat().LineSpacingRule, kSpace1pt5);
  EXPECT_EQ(backDoc->GetRange(paragraphs->Item(2)->Start(), paragraphs->Item(2)->Start() + 2)->Font().Color, 0x0000FFu);
  EXPECT_EQ(paragraphs->Item(3)->ListString(), L"1．");
  EXPECT_EQ(backDoc->GetFields()->Item(1)->Code()->Text(), L"EQ \\F(1,2)");
  EXPECT_EQ(backDoc->GetTables()->Item(1)->Cell(2, 2)->Text(), L"D．");
  // A second round trip changes nothing more.
  ooxml::SaveDocx(*back, path + L"2");
  EXPECT_EQ(DumpWithoutName(*back), DumpWithoutName(*Read(WideToUtf8(path + L"2"))));
}

TEST(Docx, BadFilesAreRefusedAndSavingIsAtomic) {
  test::TempDir dir;
  auto expectRefused = [&](const std::string& bytes, const char* what) {
    std::string path = (dir.Path() / "bad.docx").string();
    std::ofstream(path, std::ios::binary) << bytes;
    try {
      Read(path);
      ADD_FAILURE() << what << " was accepted";
    } catch (const VbError& e) {
      EXPECT_EQ(e.number(), 5792) << what;
    }
  };
  expectRefused("", "an empty file");
  expectRefused("this is plain text, not a zip package at all", "plain text");
  ooxml::Parts noDocument{{"[Content_Types].xml", "<Types/>"}};
  ooxml::WritePackage((dir.Path() / "zip.docx").string(), noDocument);
  std::ifstream in(dir.Path() / "zip.docx", std::ios::binary);
  std::string zip((std::istreambuf_iterator<char>(in)), {});
  expectRefused(zip, "a zip without a document");
  expectRefused(zip.substr(0, zip.size() / 2), "a truncated zip");
  ooxml::WritePackage((dir.Path() / "x.docx").string(), {{"word/document.xml", "<w:document><w:body>"}});
  std::ifstream in2(dir.Path() / "x.docx", std::ios::binary);
  expectRefused(std::string((std::istreambuf_iterator<char>(in2)), {}), "broken XML");
  EXPECT_THROW(Read((dir.Path() / "missing.docx").string()), VbError);

  // A failed save leaves the existing file as it was and no temporary file.
  test::ModelDoc m;
  m.SetText(L"原文");
  std::wstring target = dir.WPath() + L"/keep.docx";
  ooxml::SaveDocx(*m.Data(), target);
  auto before = fs::file_size(WideToUtf8(target));
  fs::create_directory(WideToUtf8(target) + ".plendrix-tmp");  // blocks the temporary file
  fs::create_directory(WideToUtf8(target) + ".plendrix-tmp/x");
  m.SetText(L"新的内容会更长一些");
  EXPECT_THROW(ooxml::SaveDocx(*m.Data(), target), std::exception);
  EXPECT_EQ(fs::file_size(WideToUtf8(target)), before);
  EXPECT_EQ(Read(WideToUtf8(target))->main->Text(), L"原文\r");
}

}  // namespace
}  // namespace plx::docif

namespace plx::docif {
namespace {

TEST(Docx, WhatTheModelDoesNotKnowComesBackUnchanged) {
  test::TempDir dir;
  std::string path = test::WritePackageWithBody(
      dir.Path(),
      "<w:p><w:r><w:t>见</w:t></w:r><w:hyperlink r:id=\"rId9\"><w:r><w:t>网站</w:t></w:r></w:hyperlink>"
      "<w:del w:id=\"1\" w:author=\"老师\"><w:r><w:delText>旧</w:delText></w:r></w:del>"
      "<w:r><w:rPr><w:lang w:val=\"zh-CN\"/><w:b/></w:rPr><w:t>粗</w:t></w:r></w:p>"
      "<w:sdt><w:sdtContent><w:p><w:r><w:t>控件内</w:t></w:r></w:p></w:sdtContent></w:sdt>"
      "<w:customBlock xmlns:x=\"urn:x\"/>"
      "<w:p><w:fldSimple w:instr=\" PAGE \"><w:r><w:t>1</w:t></w:r></w:fldSimple></w:p>");
  auto doc = Read(path);
  EXPECT_EQ(doc->main->Text().substr(0, 1), L"见");
  ooxml::SaveDocx(*doc, Utf8ToWide(path + "2"));
  std::string xml = ooxml::ReadPackage(path + "2")["word/document.xml"];
  for (const char* kept : {"<w:hyperlink r:id=\"rId9\">", "<w:delText>旧</w:delText>", "<w:lang w:val=\"zh-CN\"/>",
                           "<w:customBlock xmlns:x=\"urn:x\"/>", "控件内", "<w:instrText xml:space=\"preserve\"> PAGE </w:instrText>"})
    EXPECT_NE(xml.find(kept), std::string::npos) << kept << " lost in\n" << xml;
  // Properties stay in schema order: rFonts before b, lang after sz.
  size_t run = xml.find("粗");
  std::string rPr = xml.substr(xml.rfind("<w:rPr>", run), run - xml.rfind("<w:rPr>", run));
  EXPECT_LT(rPr.find("<w:rFonts"), rPr.find("<w:b/>"));
  EXPECT_LT(rPr.find("<w:sz "), rPr.find("<w:lang"));
}

TEST(Docx, RaisedAndLoweredRunsKeepTheirPosition) {
  // Papers from other word processors write subscripts as smaller text
  // lowered by w:position (half points).
  test::TempDir dir;
  std::string path = test::WritePackageWithBody(
      dir.Path(), "<w:p><w:r><w:t>a</w:t></w:r><w:r><w:rPr><w:position w:val=\"-2\"/><w:sz w:val=\"19\"/></w:rPr>"
                  "<w:t>n</w:t></w:r></w:p>");
  auto doc = Read(path);
  EXPECT_EQ(doc->charFormats[doc->main->Cell(1).format].position, -1);
  EXPECT_EQ(doc->charFormats[doc->main->Cell(0).format].position, 0);
  ooxml::SaveDocx(*doc, Utf8ToWide(path + "2"));
  const std::string xml = ooxml::ReadPackage(path + "2")["word/document.xml"];
  EXPECT_NE(xml.find("<w:position w:val=\"-2\"/><w:sz w:val=\"19\"/>"), std::string::npos) << xml;
  EXPECT_EQ(xml.find("<w:position w:val=\"-2\"/><w:position"), std::string::npos) << "written once";
  auto back = Read(path + "2");
  EXPECT_EQ(back->charFormats[back->main->Cell(1).format].position, -1);
}

TEST(Docx, EqFieldsShowAReadableResult) {
  using model::EqResultText;
  EXPECT_EQ(EqResultText(L"EQ \\F(1,2)"), L"1/2");
  EXPECT_EQ(EqResultText(L"EQ \\F(x+1,2)"), L"(x+1)/2");
  EXPECT_EQ(EqResultText(L"EQ \\R(3,x)"), L"3√x");
  EXPECT_EQ(EqResultText(L"EQ x\\S\\UP6(2)"), L"x^2");
  EXPECT_EQ(EqResultText(L"EQ \\O(\\S\\UP6(⌒),AB)"), L"⌒AB");
  EXPECT_EQ(EqResultText(L"eq \\b\\lc\\{(\\a(x=1,y=2))"), L"{x=1  y=2") << "a left brace only";
  EXPECT_EQ(EqResultText(L"EQ \\F(1,"), L"1/") << "an unbalanced code still renders";
  EXPECT_EQ(EqResultText(L"EQ \\\\\\("), L"\\(");
  EXPECT_EQ(EqResultText(L"EQ \\F(f(x),2)"), L"(f(x))/2") << "brackets in an argument nest";
  EXPECT_EQ(EqResultText(L"EQ \\B\\lc\\{(\\a\\al(f(x,y)=0,x=1))"), L"{f(x,y)=0  x=1");
}

}  // namespace
}  // namespace plx::docif
