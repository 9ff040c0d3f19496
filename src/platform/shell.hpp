#pragma once
// Opening an address in the user's browser. On this platform the system's
// opener is xdg-open; without it the address is printed so the user can
// open it by hand. Tests record the addresses instead.
#include <cstdio>
#include <string>
#include <vector>

namespace plx {

class Shell {
 public:
  virtual ~Shell() = default;
  // Raises an error with the reason when the address cannot be opened.
  virtual void Open(const std::wstring& address) = 0;
};

class SystemShell final : public Shell {
 public:
  explicit SystemShell(std::FILE* out = stdout) : out_(out) {}
  void Open(const std::wstring& address) override;

 private:
  std::FILE* out_;
};

class RecordingShell final : public Shell {
 public:
  void Open(const std::wstring& address) override { opened.push_back(address); }
  std::vector<std::wstring> opened;
};

}  // namespace plx
