#include "formula/tex_omath_parts.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/text.hpp"
#include "formula/case_parts.hpp"

namespace plx {
RootParts ReadRoot(const CaseInput& in) {
  RootParts r;
  const size_t at = in.afterName;
  if (at < in.text.size() && IsOpeningBracket(in.text[at]) && !in.group.empty()) {
    r.end = at + in.group.size();
    if (in.text[at] != L'(') {
      r.radicand = in.group;  // gh[x], gh{x}: the brackets are part of the radicand
      return r;
    }
    const std::vector<std::wstring>& parts = in.args;
    if (parts.size() >= 2) {
      r.hasIndex = true;
      r.index = Trim(parts[0]);
      r.radicand = Trim(Join(std::vector<std::wstring>(parts.begin() + 1, parts.end()), L","));
    } else {
      r.radicand = Trim(in.inner);
    }
    return r;
  }
  const size_t n = (at + 1 < in.text.size() && in.text[at] == L'@') ? 2 : 1;
  r.end = std::min(at + n, in.text.size());
  r.radicand = std::wstring(in.text.substr(at, r.end - at));
  return r;
}

ConicParts ReadConic(const CaseInput& in, bool hyperbola) {
  const ConicArgs a = ReadConicArgs(in, hyperbola);
  ConicParts c;
  c.sign = hyperbola ? L'-' : L'+';
  c.firstUnder = a.a;
  c.secondUnder = a.b;
  if (a.yFirst) {
    c.first = L'y';
    c.second = L'x';
    std::swap(c.firstUnder, c.secondUnder);
  }
  c.plainEquals = !hyperbola && !a.a.empty() && a.b.empty();
  return c;
}

std::wstring JoinMatrix(const std::wstring& inner, const std::wstring& cell, const std::wstring& row) {
  std::vector<std::wstring> rows;
  for (const std::vector<std::wstring>& r : MatrixRows(inner)) rows.push_back(Join(r, cell));
  return Join(rows, row);
}

}  // namespace plx
