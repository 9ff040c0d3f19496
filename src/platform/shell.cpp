#include "platform/shell.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "common/error.hpp"
#include "common/text.hpp"

extern char** environ;

namespace plx {
namespace {

bool HasDisplay() { return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY"); }

// The program on PATH, or empty.
std::filesystem::path OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  for (const auto& dir : Split(Utf8ToWide(path), L":")) {
    std::filesystem::path candidate = std::filesystem::path(WideToUtf8(dir)) / program;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

// LibreOffice with its spreadsheet module: soffice beside libsclo.so.
std::filesystem::path Spreadsheet() {
  std::filesystem::path soffice = OnPath("soffice");
  if (soffice.empty()) return {};
  std::error_code ec;
  std::filesystem::path real = std::filesystem::canonical(soffice, ec);
  if (ec || !std::filesystem::exists(real.parent_path() / "libsclo.so", ec)) return {};
  return real;
}

// A profile of our own, so the program runs as its own process that ends
// when the user closes the workbook (with the user's usual profile an
// already running LibreOffice would take the file and we could not wait).
std::string ProfileUrl() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path base = cache && *cache ? cache : home && *home ? std::filesystem::path(home) / ".cache"
                                                                          : std::filesystem::temp_directory_path();
  return "file://" + (base / "plendrix" / "calc-profile").string();
}

}  // namespace

void SystemShell::Open(const std::wstring& address) {
  std::string a = WideToUtf8(address);
  for (char c : a)
    if (c == '\'' || c == '\n' || c == '\r') Raise(err::kInvalidCall, L"地址含有不允许的字符：" + address);
  if (std::system("command -v xdg-open > /dev/null 2>&1") == 0 && std::getenv("DISPLAY")) {
    if (std::system(("xdg-open '" + a + "' > /dev/null 2>&1 &").c_str()) != 0)
      Raise(err::kInvalidCall, L"无法打开地址：" + address);
    return;
  }
  std::fprintf(out_, "[打开网址] %s\n", a.c_str());
}

bool SystemShell::EditSpreadsheet(const std::wstring& path) {
  const std::filesystem::path program = Spreadsheet();
  if (program.empty() || !HasDisplay()) return false;
  // The arguments go to the program as they are, through no shell.
  std::vector<std::string> args = {program.string(), "--calc", "--nologo", "--norestore",
                                   "-env:UserInstallation=" + ProfileUrl(), WideToUtf8(path)};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) Raise(err::kFileNotFound, L"无法启动电子表格程序：" + Utf8ToWide(program.string()));
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    Raise(err::kInvalidCall, L"电子表格程序异常结束（状态 " + std::to_wstring(status) + L"），请检查工作簿“" + path + L"”。");
  return true;
}

}  // namespace plx
