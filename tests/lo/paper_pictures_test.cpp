// The picture commands on a paper LibreOffice saved again keep what the
// paper held, and LibreOffice reads a picture turned in the text as turned.
#include <cstdlib>

#include "docif/paper_pictures.hpp"
#include "support/corpus.hpp"
#include "office_profile.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;
using test::PaperPictures;
using test::TeachersPicture;

INSTANTIATE_TEST_SUITE_P(LibreOfficeResaved, TeachersPicture, ::testing::Values(true),
                         [](const auto&) { return std::string("resaved"); });

constexpr const char* kPaper = "exam-teacher.docx";

TEST_F(PaperPictures, ResavedPictureTurnsInPlaceAndLibreOfficeKeepsTheTurn) {
  auto paper = ::test::LibreOfficeResaved(kPaper);
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing(kPaper);
  TurnsInPlace(*paper);
  // LibreOffice saving the turned paper again writes the turn it read.
  const fs::path out = dir.Path() / "lo";
  const std::string command = plx::cli::HeadlessOffice(dir.Path() / "profile") +
                              " --convert-to 'docx:MS Word 2007 XML' --outdir '" + out.string() + "' '" +
                              (dir.Path() / "saved.docx").string() + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string body = docif::ooxml::ReadPackage((out / "saved.docx").string()).at("word/document.xml");
  EXPECT_TRUE(Has(body, "rot=\"1800000\"")) << "30°";
  EXPECT_TRUE(Has(body, "<wp:inline")) << "still in the text";
}

}  // namespace
}  // namespace plx
