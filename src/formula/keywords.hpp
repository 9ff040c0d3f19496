#pragma once
// The keywords of the formula language. A keyword's place in the table (1 to
// 21) is its priority and the case number every builder answers to.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace plx {

namespace kw {
enum Case : int {
  Circle = 1, Ellipse, Hyperbola, Limit, Integral, Sum, Matrix, Determinant, Root,
  Superscript, Subscript, Fraction, Arrangement, Permutation, Combination, Indices, Arc,
  Vector, System, Bar, Underline
};
}  // namespace kw

constexpr int kKeywordCount = 21;

// "yuan(", "ty(", ... "xhx(", indexed by case number - 1.
const std::array<std::wstring_view, kKeywordCount>& GSKeywords();

// The keyword's name: the keyword without its "(" ("yuan", "gh", "^").
std::wstring_view KeywordName(int caseNumber);

struct KeywordHit {
  int caseNumber;  // 1..21
  size_t pos;      // 0-based position of the keyword in the text
};

// The keyword that wins in `text`: the first table position whose keyword
// occurs anywhere (table order, not text order), at its first occurrence. A
// "gh" that is part of a word "right" (as in TeX's \right) is no root.
std::optional<KeywordHit> FindKeyword(std::wstring_view text);

}  // namespace plx
