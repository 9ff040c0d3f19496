#pragma once
// The host language's text operations, on std::wstring. Positions are
// 1-based and count characters, as the word processor and its macro
// language do. UTF-8 appears only at the edges (files, SQLite, console),
// always through Utf8ToWide / WideToUtf8.
#include <string>
#include <string_view>
#include <vector>

namespace plx {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

std::wstring LTrim(std::wstring_view s);
std::wstring RTrim(std::wstring_view s);
std::wstring Trim(std::wstring_view s);
std::wstring LCase(std::wstring_view s);
std::wstring UCase(std::wstring_view s);

// Splits at every occurrence of the delimiter; an empty text gives one
// empty element, as the macro language does.
std::vector<std::wstring> Split(std::wstring_view s, std::wstring_view delimiter);
std::wstring Join(const std::vector<std::wstring>& parts, std::wstring_view delimiter);
std::wstring Replace(std::wstring_view s, std::wstring_view find, std::wstring_view with);

// 1-based position of `find` in `s` starting at `start`, 0 when absent.
size_t InStr(std::wstring_view s, std::wstring_view find, size_t start = 1);
size_t InStrRev(std::wstring_view s, std::wstring_view find);
std::wstring Mid(std::wstring_view s, size_t start, size_t length = std::wstring::npos);
std::wstring Left(std::wstring_view s, size_t length);
std::wstring Right(std::wstring_view s, size_t length);
bool Contains(std::wstring_view s, std::wstring_view find);
bool StartsWith(std::wstring_view s, std::wstring_view prefix);
bool EndsWithText(std::wstring_view s, std::wstring_view suffix);

// Full-width ASCII forms (U+FF01..U+FF5E) and the ideographic blank (U+3000)
// folded to their half-width counterparts, and back.
std::wstring ToHalfWidth(std::wstring_view s);
std::wstring ToFullWidth(std::wstring_view s);
// A number as a teacher types it, ready for the number readers: full-width
// digits, signs and decimal point folded (what a Chinese input method
// types), the minus sign U+2212 of a copied text read as "-", blanks
// around it trimmed.
std::wstring NumberText(std::wstring_view typed);

}  // namespace plx
