#include "platform/jet_sql.hpp"

#include <cwchar>
#include <cwctype>
#include <optional>

namespace plx::db {
namespace {

bool IsWordChar(wchar_t c) { return std::iswalnum(c) || c == L'_'; }

// Quotes turned around: "a'b" becomes 'a''b'; [name] becomes "name".
std::wstring TranslateQuotes(const std::wstring& s) {
  std::wstring out;
  out.reserve(s.size() + 8);
  for (size_t i = 0; i < s.size(); ++i) {
    wchar_t c = s[i];
    if (c == L'\'') {  // copy a single-quoted literal unchanged
      out += c;
      for (++i; i < s.size(); ++i) {
        out += s[i];
        if (s[i] == L'\'') {
          if (i + 1 < s.size() && s[i + 1] == L'\'') out += s[++i];
          else break;
        }
      }
    } else if (c == L'"') {
      out += L'\'';
      for (++i; i < s.size(); ++i) {
        if (s[i] == L'"') {
          if (i + 1 < s.size() && s[i + 1] == L'"') { out += L'"'; ++i; continue; }
          break;
        }
        if (s[i] == L'\'') out += L"''";
        else out += s[i];
      }
      out += L'\'';
    } else if (c == L'[') {
      size_t close = s.find(L']', i);
      if (close == std::wstring::npos) { out += c; continue; }
      out += L'"' + s.substr(i + 1, close - i - 1) + L'"';
      i = close;
    } else {
      out += c;
    }
  }
  return out;
}

// Skips a single-quoted literal starting at i; returns the index after it.
size_t SkipLiteral(const std::wstring& s, size_t i) {
  for (++i; i < s.size(); ++i) {
    if (s[i] == L'\'') {
      if (i + 1 < s.size() && s[i + 1] == L'\'') ++i;
      else return i + 1;
    }
  }
  return s.size();
}

bool KeywordAt(const std::wstring& s, size_t i, const wchar_t* word) {
  size_t n = std::wcslen(word);
  if (i + n > s.size()) return false;
  if (i > 0 && IsWordChar(s[i - 1])) return false;
  for (size_t k = 0; k < n; ++k)
    if (static_cast<wchar_t>(std::towlower(s[i + k])) != word[k]) return false;
  return i + n == s.size() || !IsWordChar(s[i + n]);
}

struct TopClause {
  size_t begin, end;  // the text " top N" to remove
  std::wstring count;
  size_t scopeEnd;    // where this select ends
};

std::optional<TopClause> FindTop(const std::wstring& s) {
  for (size_t i = 0; i < s.size();) {
    if (s[i] == L'\'') { i = SkipLiteral(s, i); continue; }
    if (!KeywordAt(s, i, L"select")) { ++i; continue; }
    size_t j = i + 6;
    size_t afterSelect = j;
    while (j < s.size() && std::iswspace(s[j])) ++j;
    if (j == afterSelect || !KeywordAt(s, j, L"top")) { i = j; continue; }
    size_t k = j + 3;
    size_t numStart = k;
    while (k < s.size() && std::iswspace(s[k])) ++k;
    if (k == numStart) { i = k; continue; }
    size_t digits = k;
    while (k < s.size() && std::iswdigit(s[k])) ++k;
    if (k == digits) { i = k; continue; }
    TopClause t{afterSelect, k, s.substr(digits, k - digits), s.size()};
    int depth = 0;
    for (size_t p = k; p < s.size();) {
      if (s[p] == L'\'') { p = SkipLiteral(s, p); continue; }
      if (s[p] == L'(') ++depth;
      if (s[p] == L')' && --depth < 0) { t.scopeEnd = p; break; }
      ++p;
    }
    return t;
  }
  return std::nullopt;
}

}  // namespace

std::wstring TranslateJetSql(const std::wstring& jet) {
  std::wstring s = TranslateQuotes(jet);
  while (auto top = FindTop(s)) {
    s.insert(top->scopeEnd, L" LIMIT " + top->count);
    s.erase(top->begin, top->end - top->begin);
  }
  return s;
}

}  // namespace plx::db
