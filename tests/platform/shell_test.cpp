// The system shell's spreadsheet editing where no window can be shown.
#include "platform/shell.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace plx {
namespace {

// Unsets a variable for the test's lifetime.
class Unset {
 public:
  explicit Unset(const char* name) : name_(name) {
    if (const char* v = std::getenv(name)) old_ = v;
    unsetenv(name);
  }
  ~Unset() {
    if (old_) setenv(name_, old_->c_str(), 1);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SystemShell, WithoutADisplayThereIsNoSpreadsheetToWaitFor) {
  // Starting Calc here would block the caller on a window nobody sees.
  Unset display("DISPLAY"), wayland("WAYLAND_DISPLAY");
  std::FILE* out = std::tmpfile();
  SystemShell shell(out);
  EXPECT_FALSE(shell.EditSpreadsheet(L"/tmp/不存在的工作簿.xls"));
  std::fclose(out);
}

}  // namespace
}  // namespace plx
