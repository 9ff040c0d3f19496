#pragma once
// LibreOffice profiles for plendrix's own offices. An office's first start on
// a new profile fills it, asks to be started again and runs the office's
// one-time graphics checks: seconds of drawing, holding the office while
// they run. One profile is prepared by such a start, once per user; the
// offices plendrix and its tests start work on copies of it.
#include <filesystem>
#include <string>

namespace plx::cli {

// Makes `folder` a copy of the prepared profile (preparing it first, when
// this is the user's first). A build without LibreOffice's SDK cannot
// prepare one: the folder is left to the office's own first start.
// Raises a FileError or std::filesystem::filesystem_error when it fails.
void CopyPreparedProfile(const std::filesystem::path& folder);

// The command that starts a headless office on a copy of the prepared
// profile made at `profile`, for the options that follow (--convert-to).
std::string HeadlessOffice(const std::filesystem::path& profile);

// A copy of the prepared profile in a folder of its own, removed with it.
class RunProfile {
 public:
  RunProfile();
  ~RunProfile();
  RunProfile(const RunProfile&) = delete;
  RunProfile& operator=(const RunProfile&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace plx::cli
