// A question of a corpus paper stored in the bank keeps its tables and
// its paragraphs' formats, and comes back the same in a worksheet; a
// question saved alone leaves the paper's tags and number behind.
#include <gtest/gtest.h>

#include "bank/stored_question_checks.hpp"

namespace plx {
namespace {

class StoredQuestion : public test::StoredQuestionTest {};

TEST_F(StoredQuestion, KeepsItsTableThroughSingleAndBatchImport) {
  CheckTablesKept(::test::CorpusPaper("worksheet.docx"), "worksheet.docx");
}

TEST_F(StoredQuestion, KeepsAlignmentStyleFontsAndLineBreaks) {
  CheckFormatsKept(::test::CorpusPaper("exam-teacher.docx"), "exam-teacher.docx");
}

TEST_F(StoredQuestion, SavedAloneLosesThePapersTagsAndNumber) {
  CheckTagsRemoved(::test::CorpusPaper("exam-teacher.docx"), "exam-teacher.docx");
}

}  // namespace
}  // namespace plx
