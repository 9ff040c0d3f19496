#include "common/paths.hpp"

#include <filesystem>

#include "common/text.hpp"

namespace plx {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& relative) {
  return folder + kPathSep + relative;
}

std::wstring CollapseSeparators(const std::wstring& path) {
  const std::wstring doubled{kPathSep, kPathSep};
  std::wstring out = path;
  while (Contains(out, doubled)) out = Replace(out, doubled, std::wstring(1, kPathSep));
  return out;
}

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(WideToUtf8(path)), ec);
}

}  // namespace plx
