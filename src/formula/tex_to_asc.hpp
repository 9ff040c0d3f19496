#pragma once
// The equation converter's two TeX helpers: TeX read back into the formula
// text, and formula symbols written as TeX.
#include <string>

#include "formula/brackets.hpp"

namespace plx {

// \frac{p}{q} becomes (p)/(q), \sqrt{x} gh(x), \sqrt[n]{x} gh(n,x), ^{e} ^(e),
// _{e} _(e); the sizing words \left and \right are dropped. Malformed TeX
// (a command without its arguments, an unclosed group) is left as it stands.
std::wstring TeX2Asc(const std::wstring& tex, const FormulaNotice& notice);

// Symbol words, Greek characters and brackets written as TeX commands.
std::wstring ChangeTeXSymbol(const std::wstring& text);

}  // namespace plx
