#pragma once
// File paths as text, with the platform's separator. Data files are named
// relative to the install folder with this separator.
#include <string>

namespace plx {

constexpr wchar_t kPathSep = L'/';

// folder + separator + relative ("config/config.mdb").
std::wstring JoinPath(const std::wstring& folder, const std::wstring& relative);
// Every run of doubled separators collapsed to one.
std::wstring CollapseSeparators(const std::wstring& path);
// True when a directory search finds the path (file or folder); false for "".
bool FileExists(const std::wstring& path);

}  // namespace plx
