#include "docif/uno/office_process.hpp"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <thread>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

const std::string kProgramDir = PLENDRIX_LO_PROGRAM_DIR;
constexpr int kRestartRequested = 81;
// A first start on a fresh profile took up to 19 s on a loaded machine.
constexpr auto kStartTimeout = std::chrono::seconds(120);

// This process's own UNO environment: just enough to open a bridge (the
// office's types, and the services that resolve a uno: address).
uno::Reference<uno::XComponentContext> LocalContext() {
  static const uno::Reference<uno::XComponentContext> local = [] {
    const rtl::OUString dir = rtl::OUString::createFromAscii(("file://" + kProgramDir).c_str());
    rtl::Bootstrap::set("URE_INTERNAL_LIB_DIR", dir);
    rtl::Bootstrap::set("LO_LIB_DIR", dir);
    rtl::Bootstrap::set("UNO_TYPES", dir + "/types.rdb " + dir + "/types/offapi.rdb");
    rtl::Bootstrap::set("UNO_SERVICES", dir + "/services.rdb");
    return cppu::defaultBootstrap_InitialComponentContext();
  }();
  return local;
}

}  // namespace

bool OfficeInstalled() { return access((kProgramDir + "/soffice.bin").c_str(), X_OK) == 0; }

OfficeProcess::OfficeProcess(const std::string& profile, const std::string& pipe)
    : profile_(std::filesystem::absolute(profile).string()), pipe_(pipe) {
  if (!OfficeInstalled()) Raise(err::kInvalidCall, L"没有找到 LibreOffice（" + Utf8ToWide(kProgramDir) + L"/soffice.bin）。");
  std::filesystem::create_directories(profile_);
  pid_ = Spawn();
  try {
    Connect();
  } catch (const uno::Exception& e) {
    Stop();
    RaiseFromUno(e);
  }
}

void OfficeProcess::Connect() {
  auto resolver = bridge::UnoUrlResolver::create(LocalContext());
  const rtl::OUString address = ToOUString(L"uno:pipe,name=" + Utf8ToWide(pipe_) + L";urp;StarOffice.ComponentContext");
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (!office_.is()) {
    try {
      office_.set(resolver->resolve(address), uno::UNO_QUERY_THROW);
    } catch (const connection::NoConnectException&) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != kRestartRequested)
          Raise(err::kInvalidCall, L"LibreOffice 启动后立即退出了（退出码 " +
                                       std::to_wstring(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + L"）。");
        pid_ = Spawn();  // it asked to be started again
      }
      if (std::chrono::steady_clock::now() > deadline) {
        Stop();
        Raise(err::kInvalidCall, L"LibreOffice 在 120 秒内没有应答。");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  SetUpProfile();
}

OfficeProcess::~OfficeProcess() { Stop(); }

void OfficeProcess::SetUpProfile() const {
  auto provider = configuration::theDefaultProvider::get(office_);
  const auto update = [&](const char* node, const std::function<void(beans::XPropertySet&)>& change) {
    beans::NamedValue path("nodepath", uno::Any(rtl::OUString::createFromAscii(node)));
    uno::Sequence<uno::Any> args(1);
    args.getArray()[0] <<= path;
    auto access = provider->createInstanceWithArguments("com.sun.star.configuration.ConfigurationUpdateAccess", args);
    change(*uno::Reference<beans::XPropertySet>(access, uno::UNO_QUERY_THROW));
    uno::Reference<util::XChangesBatch>(access, uno::UNO_QUERY_THROW)->commitChanges();
  };
  update("/org.openoffice.Office.Common/Misc",
         [](beans::XPropertySet& misc) { misc.setPropertyValue("UseLocking", uno::Any(false)); });
  update("/org.openoffice.Setup/Product", [](beans::XPropertySet& product) {
    product.setPropertyValue("ooSetupLastVersion", product.getPropertyValue("ooSetupVersion"));
  });
}

pid_t OfficeProcess::Spawn() const {
  const std::string program = kProgramDir + "/soffice.bin";
  const std::string profileArg = "-env:UserInstallation=file://" + profile_;
  const std::string acceptArg = "--accept=pipe,name=" + pipe_ + ";urp;StarOffice.ComponentContext";
  const pid_t pid = fork();
  if (pid == 0) {
    // The office ends with this process, however it ends, and keeps none of
    // its output streams open (a test harness waits for them to close).
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int quiet = open("/dev/null", O_RDWR);
    if (quiet >= 0) {
      dup2(quiet, STDIN_FILENO);
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
    // The office finds its installation from its own path, so it gets the full one.
    execl(program.c_str(), program.c_str(), "--headless", "--invisible", "--norestore", "--nodefault",
          "--nologo", profileArg.c_str(), acceptArg.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid < 0) Raise(err::kInvalidCall, L"无法启动 LibreOffice。");
  return pid;
}

void OfficeProcess::Stop() {
  if (office_.is()) {
    try {
      frame::Desktop::create(office_)->terminate();
    } catch (const uno::Exception&) {
      // the bridge goes down with the office; the process is stopped below
    }
    office_.clear();
  }
  if (pid_ <= 0) return;
  for (int i = 0; i < 100; ++i) {  // up to 10 s for a clean exit
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace plx::docif::lo
