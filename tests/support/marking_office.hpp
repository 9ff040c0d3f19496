#pragma once
// An office put first on the PATH for as long as this object lives: it
// starts nothing and leaves a mark when it is run, so a test can tell that
// the add-in never started LibreOffice.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_addin.hpp"

namespace plx::test {

class MarkingOffice {
 public:
  MarkingOffice() : path_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    const auto bin = dir_.Path() / "bin";
    std::filesystem::create_directories(bin);
    std::ofstream(bin / "soffice") << "#!/bin/sh\ntouch '" << Mark().string() << "'\nexit 1\n";
    std::filesystem::permissions(bin / "soffice", std::filesystem::perms::owner_all);
    setenv("PATH", (bin.string() + ":" + path_).c_str(), 1);
  }
  ~MarkingOffice() { setenv("PATH", path_.c_str(), 1); }
  MarkingOffice(const MarkingOffice&) = delete;
  MarkingOffice& operator=(const MarkingOffice&) = delete;

  bool Started() const { return std::filesystem::exists(Mark()); }

 private:
  std::filesystem::path Mark() const { return dir_.Path() / "started"; }

  TempDir dir_;
  std::string path_;
};

}  // namespace plx::test
