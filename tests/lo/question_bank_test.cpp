// The question bank as LibreOffice sees it: the questions of a corpus paper
// stored by the batch import open as documents, their pictures as
// metafiles, and a worksheet assembled from them shows the questions; the
// papers as LibreOffice saves them again keep a stored question's tables
// and formats and leave the paper's tags behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "bank/stored_question_checks.hpp"
#include "office_profile.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;

bool Quietly(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

// The text LibreOffice shows for a file, through its PDF.
std::string ShownText(const fs::path& file, const fs::path& work, const std::string& filter = "pdf") {
  fs::create_directories(work);
  if (!Quietly(plx::cli::HeadlessOffice(work / "profile") + " --convert-to " +
               filter + " --outdir " + work.string() + " '" + file.string() + "'"))
    return "";
  fs::path pdf = work / (file.stem().string() + ".pdf");
  if (!Quietly("pdftotext -enc UTF-8 '" + pdf.string() + "' '" + (work / "text.txt").string() + "'")) return "";
  std::ifstream in(work / "text.txt");
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// How many dark pixels LibreOffice Draw shows for a picture file.
long DarkPixels(const fs::path& picture, const fs::path& work) {
  fs::create_directories(work);
  if (!Quietly(plx::cli::HeadlessOffice(work / "profile") +
               " --convert-to pdf:draw_pdf_Export --outdir " + work.string() + " '" + picture.string() + "'"))
    return -1;
  fs::path pdf = work / (picture.stem().string() + ".pdf");
  if (!Quietly("pdftoppm -gray -r 50 -f 1 -l 1 -singlefile '" + pdf.string() + "' '" + (work / "page").string() + "'"))
    return -1;
  std::ifstream in(work / "page.pgm", std::ios::binary);
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  long dark = 0;
  for (char c; in.get(c);) dark += static_cast<unsigned char>(c) < 128;
  return dark;
}

class BankInLibreOffice : public test::BankDialogTest {};

TEST_F(BankInLibreOffice, StoredQuestionsAndAWorksheetOpen) {
  if (!Quietly("command -v soffice") || !Quietly("command -v pdftotext"))
    GTEST_SKIP() << "LibreOffice and poppler-utils are not installed";
  if (!OpenCorpus("exam-teacher.docx")) GTEST_SKIP() << "the shared corpus is not here";
  const auto rows = ImportWithRealPreviews();
  ASSERT_EQ(ui.Boxes().back().text, L"本次录入任务已经全部完成！");
  ASSERT_EQ(rows.size(), 8u);

  test::TempDir dir;
  // A question document is a .docx package under the bank's ".doc" name.
  fs::path doc = fs::path(WideToUtf8(rows[7].fileName + L".doc"));
  std::string shown = ShownText(doc, dir.Path() / "doc");
  EXPECT_NE(shown.find("题干"), std::string::npos) << shown;
  EXPECT_NE(shown.find("ABC"), std::string::npos);
  fs::path wmf = fs::path(WideToUtf8(rows[0].fileName + L".wmf"));
  EXPECT_GT(DarkPixels(wmf, dir.Path() / "wmf"), 200);

  // A worksheet of questions 1 and 8.
  auto sheet = host->GetDocuments()->Add();
  sheet->Content()->InsertBefore(L"周末练习\r");
  host->GetSelection()->SetRange(5, 5);
  EXPECT_EQ(bank::InsertQuestions(*ctx, {rows[0].id, rows[7].id}), 2);
  fs::path file = dir.Path() / "worksheet.docx";
  sheet->SaveAs(Utf8ToWide(file.string()));
  shown = ShownText(file, dir.Path() / "sheet");
  EXPECT_NE(shown.find("周末练习"), std::string::npos) << shown;
  EXPECT_NE(shown.find("已知集合"), std::string::npos);
  EXPECT_NE(shown.find("ABC"), std::string::npos);
  EXPECT_LT(shown.find("已知集合"), shown.find("ABC"));
}

}  // namespace

// The stored-question checks on the papers as LibreOffice saves them again.
namespace test {
INSTANTIATE_TEST_SUITE_P(LibreOfficeResaved, StoredQuestion, ::testing::Values(true),
                         [](const auto&) { return std::string("resaved"); });
}  // namespace test

}  // namespace plx
