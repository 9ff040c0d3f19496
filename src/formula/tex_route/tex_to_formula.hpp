#pragma once
// TeX read back into the formula language, so that TeX typed between "$"
// signs (or written by the TeX route) can become one of the host's own
// equations through the linear builder.
#include <optional>
#include <string>

namespace plx {

// The formula text of a TeX formula: fractions, roots, scripts, integrals,
// sums, limits, arcs, vectors, bars, matrices, determinants, systems of
// equations, Greek letters and the usual signs. Missing when the TeX holds a
// command it does not know or a group that never closes.
std::optional<std::wstring> TeXToFormula(const std::wstring& tex);

}  // namespace plx
