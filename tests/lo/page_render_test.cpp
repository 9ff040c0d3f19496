// The add-in's own picture of page 1 against LibreOffice's rendering of the
// same saved .docx, compared on a coarse grid: where one has ink, the
// other has ink at the same place or in a neighbouring cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "docif/model/model_application.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"
#include "support/example_scripts.hpp"
#include "support/page_grid.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"
#include "office_profile.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;
using namespace test;

constexpr int kDpi = 36;  // half a pixel per point: the grid's 8-pixel cells are 16 points

// The pages the add-in's own layout gives the document.
int OwnPages(const fs::path& docx) {
  auto app = std::make_shared<docif::model::ModelApplication>();
  return pictures::PageCount(*app->GetDocuments()->Open(Utf8ToWide(docx.string()), true));
}

// A page and how much of it must agree. Drawings agree almost cell for
// cell; text follows the model's layout rule, whose line breaks, line
// heights and table cell margins differ from LibreOffice's, and
// LibreOffice sets formulas in its own, larger formula font.
struct PageCase {
  std::string name;  // an example script's name, or a corpus file ("….docx")
  double minimum = 0.9;
};

// The case's name as a file and test name: "exam-student.docx" is
// "exam_student_docx".
std::string Stem(const PageCase& c) {
  std::string n = c.name;
  for (char& ch : n)
    if (ch == '-' || ch == '.') ch = '_';
  return n;
}

// Every example script, and the corpus papers.
std::vector<PageCase> PageCases() {
  std::vector<PageCase> cases;
  for (const auto& entry : fs::directory_iterator(fs::path(build_paths::SourceDir()) / "examples"))
    if (entry.path().extension() == ".txt") cases.push_back({entry.path().stem().string()});
  std::sort(cases.begin(), cases.end(), [](const PageCase& a, const PageCase& b) { return a.name < b.name; });
  // Pages that are mostly text or formulas; the scripts that work on a
  // corpus paper agree as well as the paper does.
  const std::pair<const char*, double> looser[] = {
      {"formulas", 0.8}, {"paper", 0.8}, {"numbers", 0.85}, {"paper_cleanup", 0.76}};
  for (PageCase& c : cases)
    for (const auto& [name, minimum] : looser)
      if (c.name == name) c.minimum = minimum;
  cases.push_back({"exam-student.docx", 0.9});
  cases.push_back({"worksheet.docx", 0.9});
  return cases;
}

// Every case's saved .docx, the add-in's own picture of its page 1 and
// LibreOffice's, and both page counts: one test, so that one LibreOffice
// start converts every document (ctest runs each test in a process of its
// own).
TEST(OwnRendering, PageOneOfEveryExampleAgreesWithLibreOffice) {
  if (!Quietly("command -v soffice") || !Quietly("command -v pdftoppm"))
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  test::TempDir dir;
  const fs::path& d = dir.Path();
  std::vector<PageCase> cases;
  std::string documents;
  for (const PageCase& c : PageCases()) {
    const fs::path docx = d / (Stem(c) + ".docx");
    if (!c.name.ends_with(".docx")) {
      const fs::path script = fs::path(build_paths::SourceDir()) / "examples" / (c.name + ".txt");
      const auto options = RunOptions(script);
      if (!options) {
        std::cout << c.name << ": skipped, the shared corpus it opens is not here\n";
        continue;
      }
      // Scripts that save pictures write them into the folder they run in.
      EXPECT_TRUE(Quietly("cd " + d.string() + " && " + build_paths::RunCli() + *options + " --out " +
                          docx.string() + " run " + script.string()))
          << c.name << ": the example script did not run";
    } else {
      const fs::path corpus = fs::path(build_paths::SharedDir()) / "corpus" / c.name;
      if (!fs::exists(corpus)) {
        std::cout << c.name << ": skipped, the shared corpus is not here\n";
        continue;
      }
      fs::copy_file(corpus, docx);
    }
    EXPECT_TRUE(Quietly(build_paths::RunCli() + " --doc " + docx.string() + " render --page 1 --dpi " +
                        std::to_string(kDpi) + " " + (d / (Stem(c) + "-own.bmp")).string()))
        << c.name << ": the add-in did not render page 1";
    documents += " " + docx.string();
    cases.push_back(c);
  }
  ASSERT_TRUE(Quietly(plx::cli::HeadlessOffice(d / "profile") +
                      " --convert-to pdf --outdir " + d.string() + documents));
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string stem = Stem(c);
    ASSERT_TRUE(Quietly("pdftoppm -gray -r " + std::to_string(kDpi) + " -f 1 -l 1 -singlefile " +
                        (d / (stem + ".pdf")).string() + " " + (d / (stem + "-lo")).string()))
        << "LibreOffice did not convert the document";
    EXPECT_EQ(OwnPages(d / (stem + ".docx")), PdfPages(d / (stem + ".pdf"))) << "the pages break where LibreOffice's do";
    const Grey mine = ReadBmp(d / (stem + "-own.bmp")), theirs = ReadPgm(d / (stem + "-lo.pgm"));
    ASSERT_GT(mine.width, 0);
    ASSERT_NEAR(mine.width, theirs.width, 1);
    ASSERT_NEAR(mine.height, theirs.height, 1);
    const double agreement = Agreement(mine, theirs);
    std::cout << c.name << ": " << static_cast<int>(agreement * 100 + 0.5) << "% of inked 16-point cells agree\n";
    RecordProperty(stem, std::to_string(agreement));
    EXPECT_GE(agreement, c.minimum);
  }
}

// EMF and WMF pictures opened by LibreOffice Draw show the whole figure:
// a thick frame around a filled square, and text at its left and right
// edges (LibreOffice's own conversion used to cut the frame to the shapes,
// losing the labels at the edges).
TEST(Metafiles, OpenInLibreOfficeDrawAndShowTheWholeFigure) {
  if (!Quietly("command -v soffice") || !Quietly("command -v pdftoppm"))
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  test::TempDir dir;
  pictures::Scene scene;
  scene.width = 200;
  scene.height = 144;
  pictures::Path frame;
  frame.Rectangle(40, 12, 120, 120);
  frame.stroke.width = 6;
  scene.Add(frame);
  pictures::Path square;
  square.Rectangle(76, 48, 48, 48);
  square.fill.visible = true;
  square.fill.fore = 0x000000;
  scene.Add(square);
  for (auto [left, text] : {std::pair{1.0, L"频率"}, std::pair{186.0, L"x"}}) {
    pictures::Text label;
    label.left = left;
    label.baseline = 100;
    label.text = text;
    label.font.size = 12;
    scene.Add(label);
  }
  for (const char* kind : {"emf", "wmf"}) {
    SCOPED_TRACE(kind);
    const fs::path file = dir.Path() / (std::string("figure.") + kind);
    ASSERT_EQ(pictures::WritePicture(scene, *pictures::FormatNamed(plx::Utf8ToWide(kind)), 72, file.string()), L"");
    ASSERT_TRUE(Quietly(plx::cli::HeadlessOffice(dir.Path() / "profile") +
                        " --convert-to pdf:draw_pdf_Export --outdir " + (dir.Path() / kind).string() + " " +
                        file.string()));
    ASSERT_TRUE(Quietly("pdftoppm -gray -r 72 -f 1 -l 1 -singlefile " + (dir.Path() / kind / "figure.pdf").string() +
                        " " + (dir.Path() / kind / "page").string()));
    const Grey page = ReadPgm(dir.Path() / kind / "page.pgm");
    size_t dark = 0;
    int left = page.width, right = -1;
    for (int y = 0; y < page.height; ++y)
      for (int x = 0; x < page.width; ++x)
        if (page.pixels[static_cast<size_t>(y) * page.width + x] < 100) {
          ++dark;
          left = std::min(left, x);
          right = std::max(right, x);
        }
    // The square alone is 2,304 points, the frame's stroke about 2,700.
    EXPECT_GT(dark, 4000u);
    // From the first character at the left edge to the x at the right.
    EXPECT_GE(right - left, 188);
  }
}

}  // namespace
}  // namespace plx
