#pragma once
// Operator forms of embellished formulas.
#include <string>

namespace plx {

// ">=" "≥", "<=" "≤" first, then "+" "＋", "-" "－", "=" "＝", ">" "＞",
// "<" "＜", each everywhere: a>=b becomes a≥b, never a＞＝b.
std::wstring ReplaceSymbol(const std::wstring& text);

}  // namespace plx
