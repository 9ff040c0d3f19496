// The commands that must keep what a paper holds, on the corpus papers as
// LibreOffice saved them again; and a table in a table cell as LibreOffice
// shows it.
#include <cstdlib>
#include <fstream>

#include "support/paper_kept_cases.hpp"
#include "support/build_paths.hpp"
#include "office_profile.hpp"

namespace plx::test {

INSTANTIATE_TEST_SUITE_P(LibreOfficeResaved, PaperKept, ::testing::Values(true),
                         [](const auto&) { return std::string("resaved"); });

namespace {

namespace fs = std::filesystem;

bool Quietly(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

// A stem-and-leaf plot put into a cell of an option block is drawn inside
// that cell: LibreOffice shows it after the option it follows and before
// the next row of options.
TEST(NestedTableInLibreOffice, AStemAndLeafPlotInACellIsShownThere) {
  if (!Quietly("command -v soffice") || !Quietly("command -v pdftotext"))
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  TempDir dir;
  const fs::path script = dir.Path() / "nest.txt", out = dir.Path() / "nest.docx";
  std::ofstream(script) << "type 茎叶图：\\r\npress rxBtnzhijuan_addxuanzeti2\nselect after B．\n"
                           "press rxBtnPMJH_TJT\nset frmTJT.optDataType 1\n"
                           "set frmTJT.txtDataJYT(0) 68,72,75,81,92\nset frmTJT.txtDataJYT(1) 65,74,80,84,97\n"
                           "click frmTJT.cmdOKJY\nclose frmTJT\n";
  ASSERT_TRUE(Quietly(build_paths::RunCli() + " --out " + out.string() + " run " + script.string()));
  ASSERT_TRUE(Quietly(plx::cli::HeadlessOffice(dir.Path() / "profile") +
                      " --convert-to pdf --outdir " + dir.Path().string() + " " + out.string()));
  ASSERT_TRUE(Quietly("pdftotext -layout " + (dir.Path() / "nest.pdf").string() + " " +
                      (dir.Path() / "nest.txt").string()));
  std::ifstream in(dir.Path() / "nest.txt");
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  const size_t b = text.find("B．"), header = text.find("乙"), c = text.find("C．");
  ASSERT_NE(b, std::string::npos) << text;
  ASSERT_NE(header, std::string::npos) << text;
  EXPECT_LT(b, header);
  EXPECT_LT(header, c) << text;
  EXPECT_NE(text.find("04", header), std::string::npos) << "the leaves of stem 8";
}

}  // namespace
}  // namespace plx::test
