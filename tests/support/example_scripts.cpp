#include "support/example_scripts.hpp"
#include "support/build_paths.hpp"

#include <fstream>
#include <sstream>

namespace plx::test {

namespace fs = std::filesystem;

std::optional<std::string> RunOptions(const fs::path& script) {
  std::ifstream in(script);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("#", 0) != 0) break;
    const size_t from = line.find("plendrix "), to = line.find(" run ");
    if (line.find("运行") == std::string::npos || from == std::string::npos || to == std::string::npos) continue;
    std::istringstream words(line.substr(from + 9, to - from - 9));
    std::string options, word;
    while (words >> word) {
      if (word == "--out") {
        words >> word;
        continue;
      }
      if (word.rfind("../shared/", 0) == 0) {
        word = build_paths::SharedDir() + word.substr(9);
        if (!fs::exists(word)) return std::nullopt;
      }
      options += " " + word;
    }
    return options;
  }
  return "";
}

}  // namespace plx::test
