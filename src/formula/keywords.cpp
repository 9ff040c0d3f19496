#include "formula/keywords.hpp"

namespace plx {

const std::array<std::wstring_view, kKeywordCount>& GSKeywords() {
  static const std::array<std::wstring_view, kKeywordCount> table = {
      L"yuan(", L"ty(", L"sqx(", L"jx(",  L"jf(",  L"qh(",  L"jz(",
      L"hls(",  L"gh",  L"^",    L"_",    L"/",    L"PLA(", L"PLP(",
      L"PLC(",  L"PL(", L"hu(",  L"xl(",  L"fcz(", L"fei(", L"xhx("};
  return table;
}

std::wstring_view KeywordName(int caseNumber) {
  std::wstring_view k = GSKeywords()[caseNumber - 1];
  if (k.size() > 1 && k.back() == L'(') k.remove_suffix(1);
  return k;
}

namespace {

bool InsideRight(std::wstring_view text, size_t pos) {
  return pos >= 2 && text.substr(pos - 2, 5) == L"right";
}

}  // namespace

std::optional<KeywordHit> FindKeyword(std::wstring_view text) {
  for (int c = 1; c <= kKeywordCount; ++c) {
    std::wstring_view k = GSKeywords()[c - 1];
    size_t pos = text.find(k);
    if (c == kw::Root)
      while (pos != std::wstring_view::npos && InsideRight(text, pos)) pos = text.find(k, pos + 1);
    if (pos != std::wstring_view::npos) return KeywordHit{c, pos};
  }
  return std::nullopt;
}

}  // namespace plx
