// The system shell's spreadsheet editing: the workbook goes to Calc as
// one argument through no shell, the call waits for Calc to end, and
// nothing starts where no window can be shown.
#include "platform/shell.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "common/error.hpp"
#include "common/text.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

// Unsets a variable for the test's lifetime.
class Unset {
 public:
  explicit Unset(const char* name, const char* value = nullptr) : name_(name) {
    if (const char* v = std::getenv(name)) old_ = v;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
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

TEST(SystemShell, TheWorkbookGoesToCalcWholeAndTheCallWaitsForIt) {
  // A stand-in soffice (beside the spreadsheet module's library, as Calc
  // is installed) that notes its arguments one per line, takes a while and
  // ends with the status the test asks for.
  test::TempDir dir;
  const std::filesystem::path bin = dir.Path() / "soffice";
  const std::filesystem::path args = dir.Path() / "args.txt";
  std::ofstream(bin) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << args.string()
                     << "'\n/bin/sleep 0.2\necho done >> '" << args.string() << "'\nexit ${FAKE_STATUS:-0}\n";
  std::filesystem::permissions(bin, std::filesystem::perms::owner_all);
  std::ofstream(dir.Path() / "libsclo.so") << "";
  Unset path("PATH", dir.Path().c_str()), display("DISPLAY", ":99"), status("FAKE_STATUS");
  std::FILE* out = std::tmpfile();
  SystemShell shell(out);

  const std::wstring workbook = dir.WPath() + L"/it's a \"题库\" $(rm -rf x).xls";
  EXPECT_TRUE(shell.EditSpreadsheet(workbook));
  std::ifstream in(args);
  std::stringstream seen;
  seen << in.rdbuf();
  const std::string lines = seen.str();
  EXPECT_NE(lines.find("\n" + WideToUtf8(workbook) + "\n"), std::string::npos) << lines;
  EXPECT_NE(lines.find("--calc\n"), std::string::npos) << lines;
  EXPECT_EQ(lines.substr(lines.size() - 5), "done\n") << "returned before the program ended";

  Unset failing("FAKE_STATUS", "3");
  EXPECT_THROW(shell.EditSpreadsheet(workbook), VbError);
  std::fclose(out);
}

}  // namespace
}  // namespace plx
