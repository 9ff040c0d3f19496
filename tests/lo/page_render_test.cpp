// The add-in's own picture of page 1 against LibreOffice's rendering of the
// same saved .docx, compared on a coarse grid: where one has ink, the
// other has ink at the same place or in a neighbouring cell.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "pictures/picture_file.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;

constexpr int kDpi = 36;   // half a pixel per point
constexpr int kCell = 8;   // pixels: a 16-point grid

bool Quietly(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A page as grey levels, one byte a pixel.
struct Grey {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
};

Grey ReadPgm(const fs::path& p) {
  const std::string bytes = Slurp(p);
  Grey g;
  int maxval = 0, consumed = 0;
  if (std::sscanf(bytes.c_str(), "P5 %d %d %d%n", &g.width, &g.height, &maxval, &consumed) != 3) return g;
  g.pixels.assign(bytes.begin() + consumed + 1, bytes.end());
  return g;
}

Grey ReadBmp(const fs::path& p) {
  const std::string b = Slurp(p);
  Grey g;
  if (b.size() < 54 || b[0] != 'B') return g;
  auto u32 = [&](size_t at) {
    return static_cast<int>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
                            static_cast<unsigned char>(b[at + 2]) << 16);
  };
  g.width = u32(18);
  g.height = u32(22);
  const size_t stride = (static_cast<size_t>(g.width) * 3 + 3) / 4 * 4;
  g.pixels.resize(static_cast<size_t>(g.width) * g.height);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) {
      const size_t at = 54 + (g.height - 1 - y) * stride + x * 3;
      int sum = 0;
      for (int c = 0; c < 3; ++c) sum += static_cast<unsigned char>(b[at + c]);
      g.pixels[static_cast<size_t>(y) * g.width + x] = static_cast<unsigned char>(sum / 3);
    }
  return g;
}

// Which cells of the grid hold ink.
std::vector<std::vector<bool>> Inked(const Grey& g) {
  std::vector<std::vector<bool>> cells((g.height + kCell - 1) / kCell, std::vector<bool>((g.width + kCell - 1) / kCell));
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (g.pixels[static_cast<size_t>(y) * g.width + x] < 160) cells[y / kCell][x / kCell] = true;
  return cells;
}

// The share of inked cells of either picture that the other has ink at or
// beside.
double Agreement(const Grey& a, const Grey& b) {
  const auto ia = Inked(a), ib = Inked(b);
  auto near = [](const std::vector<std::vector<bool>>& cells, int r, int c) {
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc) {
        const int rr = r + dr, cc = c + dc;
        if (rr >= 0 && rr < static_cast<int>(cells.size()) && cc >= 0 && cc < static_cast<int>(cells[rr].size()) &&
            cells[rr][cc])
          return true;
      }
    return false;
  };
  int inked = 0, matched = 0;
  for (const auto* pair : {&ia, &ib}) {
    const auto& self = *pair;
    const auto& other = pair == &ia ? ib : ia;
    for (int r = 0; r < static_cast<int>(self.size()); ++r)
      for (int c = 0; c < static_cast<int>(self[r].size()); ++c)
        if (self[r][c]) {
          ++inked;
          matched += near(other, r, c);
        }
  }
  return inked == 0 ? 1 : static_cast<double>(matched) / inked;
}

// A page and how much of it must agree. Drawings agree almost cell for
// cell; text follows the model's layout rule, whose line breaks and table
// cell margins differ from LibreOffice's, and equations are drawn as their
// linear text where LibreOffice typesets them.
struct PageCase {
  const char* name;
  double minimum;
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

class OwnRendering : public ::testing::TestWithParam<PageCase> {};

TEST_P(OwnRendering, PageOneAgreesWithLibreOffice) {
  if (!Quietly("command -v soffice") || !Quietly("command -v pdftoppm"))
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  test::TempDir dir;
  const std::string name = GetParam().name;
  const fs::path docx = dir.Path() / "page.docx";
  if (!name.ends_with(".docx")) {
    ASSERT_TRUE(Quietly(std::string(PLENDRIX_RUN_CLI) + " --out " + docx.string() + " run " + PLENDRIX_SOURCE_DIR +
                        "/examples/" + name + ".txt"));
  } else {
    const fs::path corpus = fs::path(PLENDRIX_SHARED_DIR) / "corpus" / name;
    if (!fs::exists(corpus)) GTEST_SKIP() << "the shared corpus is not here";
    fs::copy_file(corpus, docx);
  }
  const fs::path own = dir.Path() / "own.bmp";
  ASSERT_TRUE(Quietly(std::string(PLENDRIX_RUN_CLI) + " --doc " + docx.string() + " render --page 1 --dpi " +
                      std::to_string(kDpi) + " " + own.string()));
  ASSERT_TRUE(Quietly("soffice --headless -env:UserInstallation=file://" + (dir.Path() / "profile").string() +
                      " --convert-to pdf --outdir " + dir.Path().string() + " " + docx.string()));
  ASSERT_TRUE(Quietly("pdftoppm -gray -r " + std::to_string(kDpi) + " -f 1 -l 1 -singlefile " +
                      (dir.Path() / "page.pdf").string() + " " + (dir.Path() / "lo").string()));
  const Grey mine = ReadBmp(own), theirs = ReadPgm(dir.Path() / "lo.pgm");
  ASSERT_GT(mine.width, 0);
  ASSERT_NEAR(mine.width, theirs.width, 1);
  ASSERT_NEAR(mine.height, theirs.height, 1);
  const double agreement = Agreement(mine, theirs);
  std::cout << name << ": " << static_cast<int>(agreement * 100 + 0.5) << "% of inked 16-point cells agree\n";
  RecordProperty("agreement", std::to_string(agreement));
  EXPECT_GE(agreement, GetParam().minimum) << name;
}

INSTANTIATE_TEST_SUITE_P(Pages, OwnRendering,
                         ::testing::Values(PageCase{"graphs", 0.9}, PageCase{"conics", 0.9}, PageCase{"curves", 0.9},
                                           PageCase{"shapes", 0.9}, PageCase{"flowchart", 0.9},
                                           PageCase{"symbols", 0.9}, PageCase{"worksheet", 0.85},
                                           PageCase{"formulas", 0.65}, PageCase{"exam-student.docx", 0.65},
                                           PageCase{"worksheet.docx", 0.75}),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& c : n)
                             if (c == '-' || c == '.') c = '_';
                           return n;
                         });

// EMF and WMF pictures opened by LibreOffice Draw show the figure: a thick
// frame around a filled square, both dark.
TEST(Metafiles, OpenInLibreOfficeDrawAndShowTheFigure) {
  if (!Quietly("command -v soffice") || !Quietly("command -v pdftoppm"))
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  test::TempDir dir;
  pictures::Scene scene;
  scene.width = scene.height = 144;
  pictures::Path frame;
  frame.Rectangle(12, 12, 120, 120);
  frame.stroke.width = 6;
  scene.Add(frame);
  pictures::Path square;
  square.Rectangle(48, 48, 48, 48);
  square.fill.visible = true;
  square.fill.fore = 0x000000;
  scene.Add(square);
  for (const char* kind : {"emf", "wmf"}) {
    const fs::path file = dir.Path() / (std::string("figure.") + kind);
    ASSERT_EQ(pictures::WritePicture(scene, *pictures::FormatNamed(plx::Utf8ToWide(kind)), 72, file.string()), L"")
        << kind;
    ASSERT_TRUE(Quietly("soffice --headless -env:UserInstallation=file://" + (dir.Path() / "profile").string() +
                        " --convert-to pdf:draw_pdf_Export --outdir " + (dir.Path() / kind).string() + " " +
                        file.string()))
        << kind;
    ASSERT_TRUE(Quietly("pdftoppm -gray -r 72 -f 1 -l 1 -singlefile " + (dir.Path() / kind / "figure.pdf").string() +
                        " " + (dir.Path() / kind / "page").string()));
    const Grey page = ReadPgm(dir.Path() / kind / "page.pgm");
    size_t dark = 0;
    for (unsigned char v : page.pixels) dark += v < 100;
    // The square alone is 2,304 points, the frame's stroke about 2,700.
    EXPECT_GT(dark, 4000u) << kind;
  }
}

}  // namespace
}  // namespace plx
