// Questions of the corpus papers as written, stored in the bank: they keep
// their tables and their paragraphs' formats, come back the same in a
// worksheet, and a question saved alone leaves the paper's tags and number
// behind.
#include "bank/stored_question_checks.hpp"

namespace plx::test {

INSTANTIATE_TEST_SUITE_P(CorpusPaper, StoredQuestion, ::testing::Values(false),
                         [](const auto&) { return std::string("asWritten"); });

}  // namespace plx::test
