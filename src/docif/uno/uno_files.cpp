#include "docif/uno/uno_files.hpp"

#include <filesystem>

#include <osl/file.hxx>

#include "common/text.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

rtl::OUString FileUrl(const std::wstring& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(std::filesystem::path(WideToUtf8(path)), error);
  const rtl::OUString system = ToOUString(Utf8ToWide(error ? WideToUtf8(path) : absolute.string()));
  rtl::OUString url;
  if (osl::FileBase::getFileURLFromSystemPath(system, url) != osl::FileBase::E_None) return system;
  return url;
}

}  // namespace plx::docif::lo
