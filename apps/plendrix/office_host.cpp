#include "office_host.hpp"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

#include "common/error.hpp"
#include "common/text.hpp"
#include "script.hpp"

#ifdef PLENDRIX_UNO
#include "docif/uno/office_process.hpp"
#include "docif/uno/uno_application.hpp"
#endif

namespace plx::cli {

#ifdef PLENDRIX_UNO
namespace {

namespace fs = std::filesystem;

fs::path CacheFolder() {
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) return fs::path(xdg) / "plendrix";
  if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".cache" / "plendrix";
  return fs::temp_directory_path() / "plendrix-cache";
}

std::string PipeName() { return "plendrix-" + std::to_string(getpid()); }

// The prepared profile: made once by starting the office on it (its first
// start fills the profile and asks for a restart), under a lock so that
// runs started together make it once.
fs::path PreparedProfile() {
  const fs::path cache = CacheFolder();
  fs::create_directories(cache);
  const fs::path profile = cache / "libreoffice-profile";
  const fs::path ready = cache / "libreoffice-profile.ready";
  const int lock = open((cache / "libreoffice-profile.lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
  if (lock >= 0) flock(lock, LOCK_EX);
  if (!fs::exists(ready)) {
    fs::remove_all(profile);
    docif::lo::OfficeProcess(profile.string(), PipeName() + "-prepare").Stop();
    std::FILE* f = std::fopen(ready.c_str(), "w");
    if (f) std::fclose(f);
  }
  if (lock >= 0) close(lock);
  return profile;
}

// A profile folder of this run, removed when the run ends.
class RunProfile {
 public:
  RunProfile() {
    const fs::path prepared = PreparedProfile();
    std::string folder = (fs::temp_directory_path() / "plendrix-lo-XXXXXX").string();
    if (!mkdtemp(folder.data())) throw FileError("无法建立 LibreOffice 的临时配置文件夹。");
    path_ = folder;
    fs::copy(prepared, path_, fs::copy_options::recursive);
  }
  ~RunProfile() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

class LibreOfficeHost final : public OfficeHost {
 public:
  explicit LibreOfficeHost(const std::wstring& version)
      : office_(profile_.Path().string(), PipeName()), app_(docif::lo::MakeUnoApplication(office_.Context(), version)) {}
  ~LibreOfficeHost() override { app_.reset(); }
  std::shared_ptr<docif::Application> Application() override { return app_; }
  void SetMacro(const std::wstring& name, std::function<void()> handler) override {
    docif::lo::SetMacro(*app_, name, std::move(handler));
  }

 private:
  RunProfile profile_;
  docif::lo::OfficeProcess office_;
  std::shared_ptr<docif::Application> app_;
};

}  // namespace

std::unique_ptr<OfficeHost> StartOfficeHost(const std::wstring& version) {
  try {
    return std::make_unique<LibreOfficeHost>(version);
  } catch (const VbError& e) {
    throw FileError(WideToUtf8(e.description()));
  } catch (const std::filesystem::filesystem_error& e) {
    throw FileError(std::string("无法准备 LibreOffice 的配置文件夹：") + e.what());
  }
}
#else
std::unique_ptr<OfficeHost> StartOfficeHost(const std::wstring&) {
  throw FileError("这个 plendrix 构建时没有 LibreOffice 的开发包（libreoffice-dev），不能使用 --host libreoffice。");
}
#endif

}  // namespace plx::cli
