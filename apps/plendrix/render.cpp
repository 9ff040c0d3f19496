#include "render.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "office_profile.hpp"

namespace plx::cli {
namespace {

bool OnPath(const std::string& tool) {
  return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::string RenderFirstPage(const std::string& docx, const std::string& png) {
  // A picture that cannot be written is known before LibreOffice runs.
  const std::filesystem::path folder = std::filesystem::absolute(png).parent_path();
  if (access(folder.c_str(), W_OK) != 0) return "无法写入 " + png + "（文件夹不存在或不可写）";
  if (!OnPath("soffice")) return "没有安装 LibreOffice（soffice），无法生成图片";
  if (!OnPath("pdftoppm")) return "没有安装 poppler-utils（pdftoppm），无法生成图片";
  namespace fs = std::filesystem;
  fs::path work = fs::temp_directory_path() / ("plendrix-render-" + std::to_string(getpid()));
  fs::create_directories(work);
  std::string error;
  fs::path pdf = work / (fs::path(docx).stem().string() + ".pdf");
  try {
    // One LibreOffice profile per run, so parallel runs never collide.
    const std::string convert = HeadlessOffice(work / "profile") + " --convert-to pdf --outdir " +
                                Quote(work.string()) + " " + Quote(docx) + " > /dev/null 2>&1";
    if (std::system(convert.c_str()) != 0 || !fs::exists(pdf)) error = "LibreOffice 转换失败";
  } catch (const std::exception& e) {
    error = std::string("无法准备 LibreOffice 的配置文件夹：") + e.what();
  }
  if (error.empty()) {
    fs::path prefix = work / "page";
    std::string raster = "pdftoppm -png -r 80 -f 1 -l 1 -singlefile " + Quote(pdf.string()) + " " +
                         Quote(prefix.string()) + " > /dev/null 2>&1";
    std::error_code ec;
    if (std::system(raster.c_str()) != 0) error = "pdftoppm 转换失败";
    else fs::copy_file(prefix.string() + ".png", png, fs::copy_options::overwrite_existing, ec);
    if (error.empty() && ec) error = "无法写入 " + png;
  }
  std::error_code ec;
  fs::remove_all(work, ec);
  return error;
}

}  // namespace plx::cli
