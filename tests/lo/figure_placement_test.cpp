// A graph inserted after a question of a paper another word processor
// wrote shows up beside that question in LibreOffice's layout, not where
// our own layout rule alone would put it: inserted by the add-in on the
// model, and inserted in LibreOffice itself, saved as .docx and opened
// there again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/test_addin.hpp"
#include "support/build_paths.hpp"
#include "office_profile.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;

bool Quietly(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

// The top of the first word of the page's text (pdftotext -bbox) that
// contains `text`; -1 when there is none.
double WordTop(const std::string& bbox, const std::string& text, bool whole = false) {
  std::istringstream in(bbox);
  for (std::string line; std::getline(in, line);) {
    const size_t open = line.find("<word "), close = line.find("</word>");
    if (open == std::string::npos || close == std::string::npos) continue;
    const size_t start = line.find('>', open) + 1;
    const std::string word = line.substr(start, close - start);
    if (whole ? word != text : word.find(text) == std::string::npos) continue;
    const size_t y = line.find("yMin=\"");
    return std::atof(line.c_str() + y + 6);
  }
  return -1;
}

class FigurePlacement : public ::testing::TestWithParam<std::string> {};

TEST_P(FigurePlacement, AGraphAfterAQuestionStaysBesideItInLibreOffice) {
  const fs::path paper = fs::path(build_paths::SharedDir()) / "corpus" / "worksheet.docx";
  if (!fs::exists(paper)) GTEST_SKIP() << "the shared corpus is not here";
  if (std::system("command -v soffice > /dev/null && command -v pdftotext > /dev/null") != 0)
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
#ifndef PLENDRIX_UNO
  if (GetParam() == "libreoffice") GTEST_SKIP() << "this build has no LibreOffice SDK (libreoffice-dev)";
#endif
  test::TempDir dir;
  const fs::path script = dir.Path() / "graph.txt", out = dir.Path() / "paper.docx";
  std::ofstream(script) << "select after 的图象。\npress rxBtnztqt_hstx\nset frmGraph.txtFx_Any x^2\n"
                           "click frmGraph.cmdOK_Any\nclick frmGraph.cmdOK\nclose frmGraph\n";
  ASSERT_TRUE(Quietly(build_paths::RunCli() + " --host " + GetParam() + " --doc " + paper.string() +
                      " --out " + out.string() + " run " + script.string()));
  ASSERT_TRUE(Quietly(plx::cli::HeadlessOffice(dir.Path() / "profile") +
                  " --convert-to pdf --outdir " + dir.Path().string() + " " + out.string()));
  const fs::path words = dir.Path() / "words.html";
  ASSERT_TRUE(Quietly("pdftotext -bbox -f 1 -l 1 " + (dir.Path() / "paper.pdf").string() + " " + words.string()));
  std::stringstream bbox;
  bbox << std::ifstream(words).rdbuf();

  const double before = WordTop(bbox.str(), "1234．"), question = WordTop(bbox.str(), "的图象。");
  const double after = WordTop(bbox.str(), "（教师提示");
  const double origin = WordTop(bbox.str(), "O", true);  // the graph's origin letter
  ASSERT_GT(before, 0);
  ASSERT_GT(question, before);
  ASSERT_GT(after, question);
  ASSERT_GT(origin, 0) << "the graph's letters are on the page";
  EXPECT_GT(origin, before + 20) << "the graph does not cover the question before";
  EXPECT_LT(origin, after) << "the graph stands beside its question, above the next";
  EXPECT_NEAR(origin, question, 60) << "the origin is level with the question's line";
}

INSTANTIATE_TEST_SUITE_P(Hosts, FigurePlacement, ::testing::Values("model", "libreoffice"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace plx
