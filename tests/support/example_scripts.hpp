#pragma once
// The example scripts of examples/ as the tests run them.
#include <filesystem>
#include <optional>
#include <string>

namespace plx::test {

// The host options an example's "运行" line gives ("--host-version 11.0",
// "--doc ../shared/corpus/….docx"), without its --out; nothing when a file
// it names under ../shared is not here (a clone without the shared corpus).
std::optional<std::string> RunOptions(const std::filesystem::path& script);

}  // namespace plx::test
