#include "formula/embellish/replace_symbol.hpp"

#include "common/text.hpp"

namespace plx {

std::wstring ReplaceSymbol(const std::wstring& text) {
  static const std::pair<const wchar_t*, const wchar_t*> kTable[] = {
      {L">=", L"≥"}, {L"<=", L"≤"}, {L"+", L"＋"}, {L"-", L"－"}, {L"=", L"＝"}, {L">", L"＞"}, {L"<", L"＜"}};
  std::wstring out = text;
  for (const auto& [from, to] : kTable) out = Replace(out, from, to);
  return out;
}

}  // namespace plx
