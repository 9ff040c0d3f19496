#pragma once
// EQ field codes in the equations' linear format, so that the result a
// saved EQ field carries can be an equation ("EQ \F(x\S(2),4)" gives
// "〖(x^(2))/(4)〗") that word processors which do not lay out EQ fields
// still show typeset.
#include <optional>
#include <string>

namespace plx::docif::ooxml {

// Switches nested deeper than this do not convert.
constexpr int kMaxEqLinearDepth = 8;

// The linear format of an EQ field code, or nothing when the code does not
// convert: an argument list left open, a switch or an option this
// conversion does not know (a boxed \X, a plain overstrike \O(=,/)),
// nesting deeper than kMaxEqLinearDepth, text that the linear format would
// read as structure ("^", "&", unbalanced brackets inside an argument), or
// a code that gives no structure at all.
std::optional<std::wstring> EqLinearText(const std::wstring& code);

}  // namespace plx::docif::ooxml
