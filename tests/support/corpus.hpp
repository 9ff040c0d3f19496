// The shared corpus of real papers written by another word processor, and
// the same papers after LibreOffice opened and saved them again. Both are
// absent on a plain clone: callers skip with a message then.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace test {

// The corpus paper NAME ("exam-teacher.docx"), or nothing when the corpus is not here.
std::optional<std::filesystem::path> CorpusPaper(const std::string& name);

// The corpus paper NAME as LibreOffice saves it again as .docx, made once per
// test program in a folder of its own; nothing when the corpus is not here or
// LibreOffice could not convert it.
std::optional<std::filesystem::path> LibreOfficeResaved(const std::string& name);

// The corpus paper NAME as written (resaved false) or as LibreOffice saves
// it again (resaved true): the two forms a paper check runs on.
std::optional<std::filesystem::path> CorpusPaperAs(const std::string& name, bool resaved);

// The message a test skips with when a corpus paper (or its re-saved copy) is missing.
std::string CorpusMissing(const std::string& name);

}  // namespace test
