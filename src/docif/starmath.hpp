#pragma once
// Equations and EQ fields as LibreOffice Math formulas. Writer's formulas
// are objects holding a formula in Math's own command language ("StarMath":
// "{1} over {x} + sqrt{x^2+1}"); the add-in's equations and EQ fields reach
// it through their Office Math Markup (docif/office_math.hpp).
#include <string>

namespace plx::docif {

// The Math formula of an <m:oMath> element as OfficeMathOfEquation and
// OfficeMathOfEqField write it: fractions, radicals, scripts, brackets,
// matrices and systems, accents and bars, large operators with their
// limits, functions and limits, signs, Chinese text, spaces. Text that
// Math would read as its own syntax is quoted or escaped, so that any
// equation gives a formula Math accepts. Empty for XML that does not read.
std::wstring StarMathOfOfficeMath(const std::string& oMathXml);

// The Math formula of an equation's linear format, built up.
std::wstring StarMathOfEquation(const std::wstring& linear);

}  // namespace plx::docif
