#include "pictures/metafile.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/text.hpp"
#include "pictures/picture_file.hpp"

namespace plx::pictures {
namespace {

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::wstring WriteMetafile(const Scene& scene, const std::wstring& extension, const std::string& file) {
  namespace fs = std::filesystem;
  if (std::system("command -v soffice > /dev/null 2>&1") != 0)
    return L"没有安装 LibreOffice（soffice），无法保存为 " + extension + L" 图元文件。";
  const fs::path work = fs::temp_directory_path() / ("plendrix-metafile-" + std::to_string(getpid()));
  std::error_code ec;
  fs::remove_all(work, ec);
  fs::create_directories(work, ec);
  const fs::path svg = work / "picture.svg";
  std::wstring error = WritePicture(scene, PictureFormat::Svg, 72, svg.string());
  if (error.empty()) {
    // A profile of its own, so that a running LibreOffice is not disturbed.
    const std::string command = "soffice --headless -env:UserInstallation=file://" + (work / "profile").string() +
                                " --convert-to " + WideToUtf8(extension) + " --outdir " + Quote(work.string()) +
                                " " + Quote(svg.string()) + " > /dev/null 2>&1";
    const fs::path converted = work / ("picture." + WideToUtf8(extension));
    if (std::system(command.c_str()) != 0 || !fs::exists(converted)) {
      error = L"LibreOffice 未能转换为 " + extension + L" 图元文件。";
    } else {
      fs::copy_file(converted, file, fs::copy_options::overwrite_existing, ec);
      if (ec) error = L"无法写入“" + Utf8ToWide(file) + L"”。";
    }
  }
  fs::remove_all(work, ec);
  return error;
}

}  // namespace plx::pictures
