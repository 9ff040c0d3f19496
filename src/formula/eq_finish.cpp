// The parts of the field-code builder that work on the whole text: Greek
// letters before the loop, arrays, and the steps after it.
#include <cwctype>
#include <vector>

#include "common/text.hpp"
#include "formula/case_parts.hpp"
#include "formula/eq_builder.hpp"

namespace plx {
namespace {

constexpr std::wstring_view kGreek = L"αβχδεΦγηιφκλμνοπθρστυωωξψζ";

size_t FindNoCase(std::wstring_view text, std::wstring_view lowerNeedle, size_t from = 0) {
  for (size_t i = from; i + lowerNeedle.size() <= text.size(); ++i) {
    size_t k = 0;
    while (k < lowerNeedle.size() && static_cast<wchar_t>(std::towlower(text[i + k])) == lowerNeedle[k]) ++k;
    if (k == lowerNeedle.size()) return i;
  }
  return std::wstring_view::npos;
}

size_t CountNoCase(std::wstring_view text, std::wstring_view lowerNeedle) {
  size_t n = 0;
  for (size_t at = FindNoCase(text, lowerNeedle); at != std::wstring_view::npos;
       at = FindNoCase(text, lowerNeedle, at + 1))
    ++n;
  return n;
}

// Whether the opening bracket at pos is one the reader sees, not a switch's
// argument list ("\F(", "\S\UP6(", "\b\lc\{(") and not escaped ("\(").
bool IsVisibleBracket(std::wstring_view text, size_t pos) {
  if (pos >= 1 && text[pos - 1] == L'\\') return false;
  if (text[pos] != L'(') return true;
  if (pos >= 2 && text[pos - 2] == L'\\') return false;  // "\F(" or "\{("
  size_t start = pos;
  while (start > 0 && std::iswalnum(text[start - 1]) && text[start - 1] < 128) --start;
  return start == pos || start == 0 || text[start - 1] != L'\\';
}

// The content holds a switch ("\a", "\f", "\s", "\b", any letter case) with an
// argument list after it: something tall.
bool HoldsConstruct(std::wstring_view inner) {
  for (size_t i = 0; i + 1 < inner.size(); ++i) {
    if (inner[i] != L'\\') continue;
    const wchar_t s = static_cast<wchar_t>(std::towlower(inner[i + 1]));
    if ((s == L'a' || s == L'f' || s == L's' || s == L'b') && inner.find(L'(', i + 2) != std::wstring_view::npos)
      return true;
  }
  return false;
}

}  // namespace

std::wstring ChangeXLZM(const std::wstring& text) {
  std::vector<std::wstring> found;
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == L'@' && text[i + 1] >= L'a' && text[i + 1] <= L'z') found.push_back(text.substr(i, 2));
  std::wstring out = text;
  for (const std::wstring& pair : found) {
    size_t at = out.find(pair);
    if (at != std::wstring::npos) out.replace(at, 2, 1, kGreek[pair[1] - L'a']);
  }
  return out;
}

std::wstring MatrixEQ(const std::wstring& group, bool determinant) {
  const std::wstring opener = determinant ? L"\\b\\bc\\|(" : L"\\b(";
  const std::wstring inner = group.size() >= 2 ? group.substr(1, group.size() - 2) : std::wstring();
  auto array = [](size_t columns, const std::wstring& elements) {
    return L"\\a\\co" + std::to_wstring(columns) + L"\\vs2\\hs4(" + elements + L")";
  };
  std::wstring body;
  if (Contains(inner, L"|")) {
    const auto rows = MatrixRows(inner);
    std::vector<std::wstring> elements;
    for (const auto& row : rows) elements.insert(elements.end(), row.begin(), row.end());
    body = array(rows.front().size(), Join(elements, L","));
  } else if (int side = SquareSide(Split(inner, L",").size()); side > 0) {
    body = array(static_cast<size_t>(side), inner);
  } else {
    body = L"\\a(" + inner + L")";
  }
  return opener + body + L")";
}

std::wstring LiftSuperscripts(std::wstring text) {
  for (size_t at = FindNoCase(text, L")\\s("); at != std::wstring::npos; at = FindNoCase(text, L")\\s(", at)) {
    const std::wstring group = GetBracketGroup(text, at, [](const std::wstring&) {});
    const size_t depth = CountNoCase(group, L"\\s(") + CountNoCase(group, L"\\s\\up");
    const size_t fractions = CountNoCase(group, L"\\f(");
    const long n = (depth || fractions) ? static_cast<long>(3 * depth + 14 * fractions) - 2 : 3;
    text.replace(at, 4, L")\\s\\up" + std::to_wstring(n) + L"(");
  }
  return text;
}

std::wstring StretchBrackets(std::wstring text) {
  for (wchar_t open : {L'(', L'[', L'{'}) {
    for (size_t pos = text.size(); pos-- > 0;) {
      if (text[pos] != open || !IsVisibleBracket(text, pos)) continue;
      const std::wstring group = GetBracketGroup(text, pos, [](const std::wstring&) {});
      if (group.size() < 2) continue;
      const std::wstring inner = group.substr(1, group.size() - 2);
      if (!HoldsConstruct(inner)) continue;
      text.replace(pos, group.size(), L"\\b\\bc\\" + std::wstring(1, open) + L"(\\l(" + inner + L"))");
    }
  }
  return Replace(text, L"\\b\\b\\b", L"\\b\\b");
}

std::wstring ReplaceSymbols(std::wstring text, const std::wstring& table) {
  for (const std::wstring& item : Split(table, L"|")) {
    const std::vector<std::wstring> pair = Split(item, L",");
    if (pair.size() >= 2 && !pair[0].empty()) text = Replace(text, pair[0], pair[1]);
  }
  return text;
}

}  // namespace plx
