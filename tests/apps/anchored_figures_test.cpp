// Figures under the questions of the corpus paper as another word processor wrote it.
#include "support/anchored_figures_cases.hpp"

namespace plx::cli {

INSTANTIATE_TEST_SUITE_P(CorpusPaper, AnchoredFigures, ::testing::Values(false),
                         [](const auto&) { return std::string("asWritten"); });

}  // namespace plx::cli
