#include "office_profile.hpp"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "script.hpp"

#ifdef PLENDRIX_UNO
#include "docif/uno/office_process.hpp"
#endif

namespace plx::cli {

namespace fs = std::filesystem;

#ifdef PLENDRIX_UNO
namespace {

fs::path CacheFolder() {
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) return fs::path(xdg) / "plendrix";
  if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".cache" / "plendrix";
  return fs::temp_directory_path() / "plendrix-cache";
}

// Holds a file lock until it goes, however the scope is left.
class FileLock {
 public:
  explicit FileLock(const fs::path& file) : fd_(open(file.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600)) {
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~FileLock() {
    if (fd_ >= 0) close(fd_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

// The prepared profile: made once by starting the office on it, under a
// lock so that runs started together make it once. The marker is written
// last, so a preparation cut short is made again.
fs::path PreparedProfile() {
  const fs::path cache = CacheFolder();
  fs::create_directories(cache);
  const fs::path profile = cache / "libreoffice-profile";
  const fs::path ready = cache / "libreoffice-profile.prepared";
  const FileLock lock(cache / "libreoffice-profile.lock");
  if (!fs::exists(ready)) {
    fs::remove_all(profile);
    docif::lo::OfficeProcess(profile.string(), "plendrix-" + std::to_string(getpid()) + "-prepare").Stop();
    std::FILE* f = std::fopen(ready.c_str(), "w");
    if (f) std::fclose(f);
  }
  return profile;
}

}  // namespace

void CopyPreparedProfile(const fs::path& folder) {
  const fs::path prepared = PreparedProfile();
  fs::create_directories(folder);
  fs::copy(prepared, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}
#else
void CopyPreparedProfile(const fs::path&) {}
#endif

std::string HeadlessOffice(const fs::path& profile) {
  CopyPreparedProfile(profile);
  return "soffice --headless -env:UserInstallation=file://" + profile.string();
}

RunProfile::RunProfile() {
  std::string folder = (fs::temp_directory_path() / "plendrix-lo-XXXXXX").string();
  if (!mkdtemp(folder.data())) throw FileError("无法建立 LibreOffice 的临时配置文件夹。");
  path_ = folder;
  try {
    CopyPreparedProfile(path_);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    throw;
  }
}

RunProfile::~RunProfile() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace plx::cli
