#include "formula/tex_commands.hpp"

#include <algorithm>

namespace plx::tex {
namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

}  // namespace

size_t CommandEnd(const std::wstring& t, size_t pos) {
  size_t e = pos + 1;
  if (e < t.size() && IsAsciiLetter(t[e])) {
    while (e < t.size() && IsAsciiLetter(t[e])) ++e;
    return e;
  }
  return std::min(pos + 2, t.size());
}

size_t FindCommand(const std::wstring& t, std::wstring_view name, size_t from) {
  for (size_t i = from; i < t.size();) {
    if (t[i] != L'\\') {
      ++i;
      continue;
    }
    const size_t e = CommandEnd(t, i);
    if (std::wstring_view(t).substr(i + 1, e - i - 1) == name) return i;
    i = e;
  }
  return std::wstring::npos;
}

size_t SkipBlanks(const std::wstring& t, size_t pos) {
  while (pos < t.size() && t[pos] == L' ') ++pos;
  return pos;
}

}  // namespace plx::tex
