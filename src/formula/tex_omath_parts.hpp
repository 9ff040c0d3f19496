#pragma once
// Argument readings the TeX builder and the linear-format builder share, on
// top of those of case_parts.hpp: each builder only decides how to write.
#include <string>

#include "formula/rewrite_engine.hpp"

namespace plx {

// A root: "gh" + one character (two for "@" and its letter), "gh" + a group,
// or "gh(n,x)". `end` is where the construct ends in the text.
struct RootParts {
  size_t end = 0;
  bool hasIndex = false;
  std::wstring index, radicand;
};
RootParts ReadRoot(const CaseInput& in);

// An ellipse or hyperbola as two terms in the order they are written; an
// empty denominator means the term is the bare square. The ellipse without a
// y denominator is written with the ASCII "=" in the linear format, the other
// forms with the full-width one.
struct ConicParts {
  wchar_t first = L'x', second = L'y';
  std::wstring firstUnder, secondUnder;
  wchar_t sign = L'+';
  bool plainEquals = false;
};
ConicParts ReadConic(const CaseInput& in, bool hyperbola);

// The elements of a matrix argument joined with `cell` and its rows with `row`.
std::wstring JoinMatrix(const std::wstring& inner, const std::wstring& cell, const std::wstring& row);

}  // namespace plx
