#pragma once
// Handing things to the system's programs: opening an address in the
// user's browser, and a workbook in the spreadsheet program for editing.
// On this platform the opener is xdg-open (without it the address is
// printed so the user can open it by hand) and the spreadsheet program is
// LibreOffice Calc. Tests record the requests instead.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace plx {

class Shell {
 public:
  virtual ~Shell() = default;
  // Raises an error with the reason when the address cannot be opened.
  virtual void Open(const std::wstring& address) = 0;
  // Opens the file in the spreadsheet program and returns when the user has
  // closed it. False when this machine has no spreadsheet program that can
  // be shown; raises an error with the reason when the program fails.
  virtual bool EditSpreadsheet(const std::wstring& path) = 0;
};

class SystemShell final : public Shell {
 public:
  explicit SystemShell(std::FILE* out = stdout) : out_(out) {}
  void Open(const std::wstring& address) override;
  bool EditSpreadsheet(const std::wstring& path) override;

 private:
  std::FILE* out_;
};

class RecordingShell final : public Shell {
 public:
  void Open(const std::wstring& address) override { opened.push_back(address); }
  bool EditSpreadsheet(const std::wstring& path) override {
    edited.push_back(path);
    if (!hasSpreadsheet) return false;
    if (whileEditing) whileEditing(path);
    return true;
  }
  std::vector<std::wstring> opened;
  std::vector<std::wstring> edited;
  // Whether a spreadsheet program exists, and what the user does in it.
  bool hasSpreadsheet = true;
  std::function<void(const std::wstring&)> whileEditing;
};

}  // namespace plx
