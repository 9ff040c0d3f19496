// Figures under the questions of the corpus paper as LibreOffice saved it again.
#include "support/anchored_figures_cases.hpp"

namespace plx::cli {

INSTANTIATE_TEST_SUITE_P(LibreOfficeResaved, AnchoredFigures, ::testing::Values(true),
                         [](const auto&) { return std::string("resaved"); });

}  // namespace plx::cli
