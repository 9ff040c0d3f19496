#include "support/corpus.hpp"
#include "support/build_paths.hpp"
#include "office_profile.hpp"

#include <cstdlib>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace test {

std::optional<fs::path> CorpusPaper(const std::string& name) {
  fs::path path = fs::path(build_paths::SharedDir()) / "corpus" / name;
  if (!fs::exists(path)) return std::nullopt;
  return path;
}

std::optional<fs::path> LibreOfficeResaved(const std::string& name) {
  static std::map<std::string, std::optional<fs::path>> made;
  if (auto found = made.find(name); found != made.end()) return found->second;
  std::optional<fs::path> result;
  if (auto paper = CorpusPaper(name)) {
    // One folder and one LibreOffice profile per test program: programs run side by side.
    const fs::path work = fs::temp_directory_path() / ("plendrix-resaved-" + std::to_string(getpid()));
    const fs::path out = work / "out";
    fs::create_directories(out);
    const std::string command = plx::cli::HeadlessOffice(work / "profile") +
                                " --convert-to 'docx:MS Word 2007 XML' --outdir '" + out.string() + "' '" +
                                paper->string() + "' > /dev/null 2>&1";
    const fs::path converted = out / name;
    if (std::system(command.c_str()) == 0 && fs::exists(converted)) result = converted;
  }
  made[name] = result;
  return result;
}

std::optional<fs::path> CorpusPaperAs(const std::string& name, bool resaved) {
  return resaved ? LibreOfficeResaved(name) : CorpusPaper(name);
}

std::string CorpusMissing(const std::string& name) {
  return name + ": the shared corpus is not under " + build_paths::SharedDir() + " (or LibreOffice could not save it again)";
}

}  // namespace test
