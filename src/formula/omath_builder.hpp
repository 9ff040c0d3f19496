#pragma once
// The host-equation builder: a formula text becomes the host's linear
// equation format, which the host builds up into one of its equations.
#include <string>

#include "formula/brackets.hpp"
#include "formula/formula_settings.hpp"

namespace plx {

std::wstring SetOMathEq(const std::wstring& text, const FormulaSettings& settings, const FormulaNotice& notice);

}  // namespace plx
