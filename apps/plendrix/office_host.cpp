#include "office_host.hpp"

#include <filesystem>
#include <unistd.h>

#include "common/error.hpp"
#include "common/text.hpp"
#include "script.hpp"

#ifdef PLENDRIX_UNO
#include "docif/uno/office_process.hpp"
#include "docif/uno/uno_application.hpp"
#include "office_profile.hpp"
#endif

namespace plx::cli {

#ifdef PLENDRIX_UNO
namespace {

std::string PipeName() { return "plendrix-" + std::to_string(getpid()); }

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
