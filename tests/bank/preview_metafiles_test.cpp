// The batch import of a corpus paper writes every question's preview as a
// real WMF, end to end, without starting an office (bench/bank_bench.cpp
// measures how long it takes).
#include <gtest/gtest.h>


#include "bank_fixture.hpp"
#include "support/marking_office.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;

class BatchImportPreviews : public test::BankDialogTest {};

TEST_F(BatchImportPreviews, AreMetafilesOfEachQuestionWrittenWithoutAnOffice) {
  if (!OpenCorpus("exam-teacher.docx")) GTEST_SKIP() << "the shared corpus is not here";
  const test::MarkingOffice office;
  const auto rows = ImportWithRealPreviews();
  ASSERT_EQ(ui.Boxes().back().text, L"本次录入任务已经全部完成！");
  ASSERT_EQ(rows.size(), 8u);
  for (const auto& row : rows) {
    std::ifstream wmf(fs::path(WideToUtf8(row.fileName + L".wmf")), std::ios::binary);
    uint32_t key = 0;
    wmf.read(reinterpret_cast<char*>(&key), sizeof key);
    EXPECT_EQ(key, 0x9AC6CDD7u) << "a placeable WMF for question " << row.id;
  }
  EXPECT_FALSE(office.Started()) << "an office was started";
}

}  // namespace
}  // namespace plx
