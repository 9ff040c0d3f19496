#include "common/text.hpp"

#include <stdexcept>

namespace plx {
namespace {

bool IsTrimBlank(wchar_t c) { return c == L' '; }

wchar_t LowerChar(wchar_t c) {
  if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;   // Greek capitals
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;                // full-width A..Z
  return c;
}

wchar_t UpperChar(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 32;
  return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view in) {
  std::wstring out;
  out.reserve(in.size());
  size_t i = 0;
  while (i < in.size()) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    char32_t cp;
    size_t extra;
    if (b < 0x80) { cp = b; extra = 0; }
    else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; extra = 3; }
    else { out += L'\uFFFD'; ++i; continue; }   // stray byte: replacement character
    bool ok = true;
    for (size_t k = 1; k <= extra; ++k) {
      if (i + k >= in.size()) { ok = false; break; }
      unsigned char c = static_cast<unsigned char>(in[i + k]);
      if ((c & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) { out += L'\uFFFD'; ++i; continue; }
    out += static_cast<wchar_t>(cp);
    i += extra + 1;
  }
  return out;
}

std::string WideToUtf8(std::wstring_view in) {
  std::string out;
  out.reserve(in.size());
  for (wchar_t c : in) {
    char32_t cp = static_cast<char32_t>(c);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

std::wstring LTrim(std::wstring_view s) {
  size_t b = 0;
  while (b < s.size() && IsTrimBlank(s[b])) ++b;
  return std::wstring(s.substr(b));
}

std::wstring RTrim(std::wstring_view s) {
  size_t e = s.size();
  while (e > 0 && IsTrimBlank(s[e - 1])) --e;
  return std::wstring(s.substr(0, e));
}

std::wstring Trim(std::wstring_view s) { return LTrim(RTrim(s)); }

std::wstring LCase(std::wstring_view s) {
  std::wstring r(s);
  for (auto& c : r) c = LowerChar(c);
  return r;
}

std::wstring UCase(std::wstring_view s) {
  std::wstring r(s);
  for (auto& c : r) c = UpperChar(c);
  return r;
}

std::vector<std::wstring> Split(std::wstring_view s, std::wstring_view delimiter) {
  std::vector<std::wstring> parts;
  if (delimiter.empty()) {
    parts.emplace_back(s);
    return parts;
  }
  size_t pos = 0;
  while (true) {
    size_t hit = s.find(delimiter, pos);
    if (hit == std::wstring_view::npos) {
      parts.emplace_back(s.substr(pos));
      return parts;
    }
    parts.emplace_back(s.substr(pos, hit - pos));
    pos = hit + delimiter.size();
  }
}

std::wstring Join(const std::vector<std::wstring>& parts, std::wstring_view delimiter) {
  std::wstring out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += delimiter;
    out += parts[i];
  }
  return out;
}

std::wstring Replace(std::wstring_view s, std::wstring_view find, std::wstring_view with) {
  if (find.empty()) return std::wstring(s);
  std::wstring out;
  size_t pos = 0;
  while (true) {
    size_t hit = s.find(find, pos);
    if (hit == std::wstring_view::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(with);
    pos = hit + find.size();
  }
  out.append(s.substr(pos));
  return out;
}

size_t InStr(std::wstring_view s, std::wstring_view find, size_t start) {
  if (start < 1) start = 1;
  if (start > s.size() + 1) return 0;
  size_t hit = s.find(find, start - 1);
  return hit == std::wstring_view::npos ? 0 : hit + 1;
}

size_t InStrRev(std::wstring_view s, std::wstring_view find) {
  size_t hit = s.rfind(find);
  return hit == std::wstring_view::npos ? 0 : hit + 1;
}

std::wstring Mid(std::wstring_view s, size_t start, size_t length) {
  if (start < 1 || start > s.size()) return {};
  return std::wstring(s.substr(start - 1, length));
}

std::wstring Left(std::wstring_view s, size_t length) {
  return std::wstring(s.substr(0, length));
}

std::wstring Right(std::wstring_view s, size_t length) {
  if (length >= s.size()) return std::wstring(s);
  return std::wstring(s.substr(s.size() - length));
}

bool Contains(std::wstring_view s, std::wstring_view find) {
  return s.find(find) != std::wstring_view::npos;
}

bool StartsWith(std::wstring_view s, std::wstring_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool EndsWithText(std::wstring_view s, std::wstring_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::wstring ToHalfWidth(std::wstring_view s) {
  std::wstring r(s);
  for (auto& c : r) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<wchar_t>(c - 0xFEE0);
    else if (c == 0x3000) c = L' ';
  }
  return r;
}

std::wstring NumberText(std::wstring_view typed) {
  std::wstring r = ToHalfWidth(typed);
  for (auto& c : r)
    if (c == 0x2212) c = L'-';
  return Trim(r);
}

std::wstring ToFullWidth(std::wstring_view s) {
  std::wstring r(s);
  for (auto& c : r) {
    if (c >= 0x21 && c <= 0x7E) c = static_cast<wchar_t>(c + 0xFEE0);
    else if (c == L' ') c = 0x3000;
  }
  return r;
}

}  // namespace plx
