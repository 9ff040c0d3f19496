#pragma once
// The field-code builder: a formula text becomes the body of an EQ field
// (without "EQ "), built from the switches \F \S \R \O \B \A \I \X and \L.
#include <string>

#include "formula/brackets.hpp"
#include "formula/formula_settings.hpp"

namespace plx {

std::wstring SetEQ(const std::wstring& text, const FormulaSettings& settings, const FormulaNotice& notice);

// "@" + a lowercase letter becomes its Greek character (each pair found is
// replaced once, after the whole text has been read).
std::wstring ChangeXLZM(const std::wstring& text);

// The array body of jz( (a matrix) or hls( (a determinant) for its group.
std::wstring MatrixEQ(const std::wstring& group, bool determinant);

// The steps after the loop: exponents after a ")" are raised by the height of
// what they follow; brackets around tall content are stretched; the symbol
// table is applied.
std::wstring LiftSuperscripts(std::wstring text);
std::wstring StretchBrackets(std::wstring text);
std::wstring ReplaceSymbols(std::wstring text, const std::wstring& table);

}  // namespace plx
