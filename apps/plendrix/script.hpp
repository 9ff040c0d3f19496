#pragma once
// User actions for the command-line host, one per line:
//   press ID | set FORM.CONTROL VALUE | click FORM.CONTROL |
//   dblclick FORM.CONTROL [INDEX] | answer ok|cancel|yes|no|TEXT |
//   select START END | select shape NAME | select all | select end |
//   select after TEXT | type TEXT |
//   close FORM | show FORM | preview FORM FILE.svg | config GROUP.KEY VALUE |
//   render [--page N | --selection] [--format F] [--dpi D] FILE
// Lines starting with # are comments; blanks and tabs before an action are
// allowed; in VALUE and TEXT the escapes \r, \n, \t and \\ stand for
// carriage return, line feed, tab and backslash. A script is UTF-8 (a
// byte-order mark is skipped) or, when its bytes are not UTF-8, GB18030.
#include <exception>
#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "session.hpp"

namespace plx::cli {

// A line that cannot be carried out.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file the run needs that cannot be read or written.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::wstring Unescape(const std::wstring& text);

class ScriptRunner {
 public:
  explicit ScriptRunner(Session& session) : session_(session) {}
  // Runs every line; a bad line raises ScriptError naming its number, a
  // file it cannot write FileError. A script read as GB18030 is noted on
  // standard error.
  void Run(std::istream& in);
  void RunLine(const std::wstring& line);

 private:
  // Runs the next lines until `done()` or the script ends or a line fails
  // (kept in failure_: a failure inside a modal dialog must not pass
  // through the add-in's own error traps).
  void RunLines(const std::function<bool()>& done);
  std::shared_ptr<Form> OpenForm(const std::wstring& name);
  std::pair<std::shared_ptr<Form>, std::wstring> Target(const std::wstring& formDotControl);

  Session& session_;
  int line_ = 0;
  std::vector<std::wstring> lines_;
  std::exception_ptr failure_;
};

}  // namespace plx::cli
