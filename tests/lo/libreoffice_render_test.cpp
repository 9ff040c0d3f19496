// A saved document opened by a real word processor: LibreOffice converts it
// to PDF; the text must be there and every shape drawn where it belongs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "docif/model/model_document.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"
#include "office_profile.hpp"

namespace plx::docif {
namespace {

namespace fs = std::filesystem;

bool HasTool(const char* tool) {
  return std::system((std::string("command -v ") + tool + " > /dev/null 2>&1").c_str()) == 0;
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A grey page at one pixel per point (PGM as pdftoppm writes it).
struct Page {
  int width = 0, height = 0;
  std::string pixels;
  int DarkIn(double left, double top, double right, double bottom) const {
    int dark = 0;
    for (int y = std::max(0, static_cast<int>(top)); y < std::min(height, static_cast<int>(bottom) + 1); ++y)
      for (int x = std::max(0, static_cast<int>(left)); x < std::min(width, static_cast<int>(right) + 1); ++x)
        dark += static_cast<unsigned char>(pixels[static_cast<size_t>(y) * width + x]) < 200;  // thin lines are anti-aliased grey
    return dark;
  }
};

Page ReadPgm(const fs::path& p) {
  std::string bytes = Slurp(p);
  Page page;
  int maxval = 0, consumed = 0;
  if (std::sscanf(bytes.c_str(), "P5 %d %d %d%n", &page.width, &page.height, &maxval, &consumed) != 3) return page;
  page.pixels = bytes.substr(static_cast<size_t>(consumed) + 1);
  return page;
}

TEST(LibreOffice, SavedDocumentShowsItsTextAndEveryShape) {
  if (!HasTool("soffice") || !HasTool("pdftotext") || !HasTool("pdftoppm"))
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  test::TempDir dir;
  test::ModelDoc m;
  m.SetText(L"函数图象与几何作图\r分数：\r");
  auto doc = m.doc;
  doc->GetFields()->Add(*doc->GetRange(12, 12), kFieldEmpty, L"EQ \\F(3,4)", false);
  auto end = doc->Content();
  end->SetRange(end->End() - 1, end->End() - 1);
  auto table = doc->GetTables()->Add(*end, 1, 2);
  table->Cell(1, 1)->SetText(L"甲表格");
  table->Cell(1, 2)->SetText(L"乙表格");
  auto shapes = doc->GetShapes();
  struct Expect { const char* what; double l, t, r, b; };
  std::vector<Expect> drawn;
  shapes->AddLine(100, 400, 300, 400);
  drawn.push_back({"horizontal line", 100, 398, 300, 402});
  shapes->AddLine(350, 300, 350, 450);
  drawn.push_back({"vertical line", 348, 300, 352, 450});
  shapes->AddShape(kAutoShapeOval, 100, 470, 60, 60)->SetFill({.Visible = false});
  drawn.push_back({"oval", 98, 468, 162, 532});
  shapes->AddShape(kAutoShapeRectangle, 200, 470, 60, 40)->SetFill({.ForeColor = 0});
  drawn.push_back({"filled rectangle", 205, 475, 255, 505});
  shapes->AddCurve({{400, 300}, {430, 250}, {470, 350}, {500, 300}});
  drawn.push_back({"curve", 400, 280, 500, 320});
  auto ff = shapes->BuildFreeform(kEditingAuto, 400, 450);
  ff->AddNodes(kSegmentLine, kEditingAuto, 500, 450);
  ff->AddNodes(kSegmentLine, kEditingAuto, 450, 520);
  ff->AddNodes(kSegmentLine, kEditingAuto, 400, 450);
  ff->ConvertToShape()->SetFill({.ForeColor = 0, .Pattern = 21});
  drawn.push_back({"hatched freeform", 410, 455, 490, 510});
  auto box = shapes->AddTextbox(1, 100, 560, 150, 40);
  box->TextRange()->SetText(L"文本框内容");
  drawn.push_back({"text box", 100, 560, 250, 600});
  auto a = shapes->AddLine(300, 600, 400, 650);
  auto b = shapes->AddShape(kAutoShapeRectangle, 380, 620, 40, 40);
  shapes->Range({a->Name(), b->Name()})->Group();
  drawn.push_back({"group", 300, 600, 420, 660});

  fs::path docx = dir.Path() / "render.docx";
  ooxml::SaveDocx(*m.Data(), Utf8ToWide(docx.string()));
  std::string convert = plx::cli::HeadlessOffice(dir.Path() / "profile") + " --convert-to pdf --outdir " +
                        dir.Path().string() + " " + docx.string() + " > /dev/null 2>&1";
  ASSERT_EQ(std::system(convert.c_str()), 0);
  fs::path pdf = dir.Path() / "render.pdf";
  ASSERT_TRUE(fs::exists(pdf));
  ASSERT_EQ(std::system(("pdftotext -layout " + pdf.string() + " " + (dir.Path() / "t.txt").string()).c_str()), 0);
  std::string text = Slurp(dir.Path() / "t.txt");
  for (const char* expected : {"函数图象与几何作图", "甲表格", "乙表格", "文本框内容"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " missing from\n" << text;
  // The EQ fraction is typeset: 3 on the line above the text, 4 on the line below.
  const size_t label = text.find("分数");
  ASSERT_NE(label, std::string::npos) << text;
  EXPECT_NE(text.rfind('3', label), std::string::npos) << text;
  EXPECT_NE(text.find('4', label), std::string::npos) << text;
  EXPECT_EQ(text.find("3/4"), std::string::npos) << "the fraction is not flat text:\n" << text;

  ASSERT_EQ(std::system(("pdftoppm -gray -r 72 -f 1 -l 1 -singlefile " + pdf.string() + " " +
                         (dir.Path() / "page").string()).c_str()), 0);
  Page page = ReadPgm(dir.Path() / "page.pgm");
  // PLENDRIX_LO_KEEP=folder keeps the PDF and the page picture to look at.
  if (const char* keep = std::getenv("PLENDRIX_LO_KEEP")) {
    std::error_code ec;
    fs::copy_file(pdf, fs::path(keep) / "render.pdf", fs::copy_options::overwrite_existing, ec);
    fs::copy_file(dir.Path() / "page.pgm", fs::path(keep) / "render.pgm", fs::copy_options::overwrite_existing, ec);
  }
  ASSERT_GT(page.width, 590);
  for (const auto& e : drawn) EXPECT_GT(page.DarkIn(e.l, e.t, e.r, e.b), 10) << e.what << " is not drawn";
  EXPECT_EQ(page.DarkIn(450, 650, 560, 800), 0) << "nothing was drawn there";
  EXPECT_EQ(page.DarkIn(170, 330, 330, 390), 0) << "nothing was drawn above the line";
}

// ---- documents opened and saved again ----

bool Quietly(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

// Every page of a PDF as a grey picture at one pixel per point.
std::vector<Page> Pages(const fs::path& pdf) {
  fs::path prefix = pdf.parent_path() / (pdf.stem().string() + "-page");
  std::vector<Page> pages;
  if (!Quietly("pdftoppm -gray -r 72 " + pdf.string() + " " + prefix.string())) return pages;
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(pdf.parent_path()))
    if (e.path().filename().string().starts_with(prefix.filename().string())) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  for (const auto& f : files) pages.push_back(ReadPgm(f));
  return pages;
}

// Pixels whose grey differs clearly between two pages of the same size.
size_t Differing(const Page& a, const Page& b) {
  if (a.width != b.width || a.height != b.height) return a.pixels.size() + b.pixels.size();
  size_t n = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
    n += std::abs(static_cast<unsigned char>(a.pixels[i]) - static_cast<unsigned char>(b.pixels[i])) > 96;
  return n;
}

void Rename(model::ShapeData& s) {
  s.name += L"·";
  for (auto& c : s.children) Rename(*c);
}

// The document opened and saved, as is ("same") and with every shape
// renamed so that each is written anew from the model ("anew").
void SaveReopened(const fs::path& from, const fs::path& same, const fs::path& anew, size_t& shapes) {
  auto app = std::make_shared<model::AppShared>();
  auto doc = ooxml::ReadDocx(Utf8ToWide(from.string()), app);
  ooxml::SaveDocx(*doc, Utf8ToWide(same.string()));
  shapes = model::AllShapes(*doc).size();
  for (auto& s : doc->shapes) Rename(*s);
  ooxml::SaveDocx(*doc, Utf8ToWide(anew.string()));
}

class ReopenedDocument : public ::testing::TestWithParam<const char*> {};

// The examples' documents, the same after LibreOffice saved them, and the
// corpus papers look in LibreOffice as they did after open and save,
// whether each shape is written back as read or anew from the model.
TEST_P(ReopenedDocument, LooksAsBeforeAfterOpenAndSave) {
  if (!HasTool("soffice") || !HasTool("pdftoppm")) GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  test::TempDir dir;
  const std::string name = GetParam();
  const fs::path original = dir.Path() / "original.docx";
  const bool example = !name.ends_with(".docx");
  if (example) {
    ASSERT_TRUE(Quietly(build_paths::RunCli() + " --out " + original.string() + " run " +
                    build_paths::SourceDir() + "/examples/" + name + ".txt"));
  } else {
    fs::path corpus = fs::path(build_paths::SharedDir()) / "corpus" / name;
    if (!fs::exists(corpus)) GTEST_SKIP() << "the shared corpus is not here";
    fs::copy_file(corpus, original);
  }
  const std::string lo = plx::cli::HeadlessOffice(dir.Path() / "profile");
  ASSERT_TRUE(Quietly(lo + " --convert-to docx --outdir " + (dir.Path() / "lo").string() + " " + original.string()));
  fs::copy_file(dir.Path() / "lo" / "original.docx", dir.Path() / "libre.docx");

  std::string files;
  for (const char* source : {"original", "libre"}) {
    size_t shapes = 0;
    SaveReopened(dir.Path() / (std::string(source) + ".docx"), dir.Path() / (std::string(source) + "-same.docx"),
                 dir.Path() / (std::string(source) + "-anew.docx"), shapes);
    if (example) {
      EXPECT_GT(shapes, 0u) << source << ": the drawings were not read as shapes";
    }
    for (const char* kind : {"", "-same", "-anew"}) files += " " + (dir.Path() / (std::string(source) + kind + ".docx")).string();
  }
  ASSERT_TRUE(Quietly(lo + " --convert-to pdf --outdir " + dir.Path().string() + files));
  for (const char* source : {"original", "libre"}) {
    std::vector<Page> before = Pages(dir.Path() / (std::string(source) + ".pdf"));
    ASSERT_FALSE(before.empty()) << source;
    for (const char* kind : {"-same", "-anew"}) {
      std::vector<Page> after = Pages(dir.Path() / (std::string(source) + kind + ".pdf"));
      ASSERT_EQ(after.size(), before.size()) << source << kind;
      for (size_t p = 0; p < before.size(); ++p) {
        // Anti-aliasing, and text in a text box written anew settling a
        // pixel apart, change a few dozen pixels; a shape moved, lost or
        // redrawn differently changes hundreds.
        EXPECT_LE(Differing(before[p], after[p]), 100u) << source << kind << " page " << p + 1;
      }
    }
  }
  if (const char* keep = std::getenv("PLENDRIX_LO_KEEP")) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir.Path()))
      if (e.path().extension() == ".pgm" || e.path().extension() == ".docx")
        fs::copy_file(e.path(), fs::path(keep) / (fs::path(name).stem().string() + "-" +
                                                  e.path().filename().string()),
                      fs::copy_options::overwrite_existing, ec);
  }
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, ReopenedDocument,
                         ::testing::Values("flowchart", "curves", "graphs", "conics", "worksheet.docx",
                                           "exam-teacher.docx", "exam-student.docx"),
                         [](const auto& info) {
                           std::string n = info.param;
                           return n.substr(0, n.find('.')) == "exam-teacher" ? std::string("examTeacher")
                                : n.substr(0, n.find('.')) == "exam-student" ? std::string("examStudent")
                                : n.substr(0, n.find('.'));
                         });

}  // namespace
}  // namespace plx::docif
