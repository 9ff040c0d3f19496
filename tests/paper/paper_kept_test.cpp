// The commands that must keep what a paper holds, on the corpus papers as
// another word processor wrote them.
#include "support/paper_kept_cases.hpp"

namespace plx::test {

INSTANTIATE_TEST_SUITE_P(CorpusPaper, PaperKept, ::testing::Values(false),
                         [](const auto&) { return std::string("asWritten"); });

}  // namespace plx::test
