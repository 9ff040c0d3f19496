#pragma once
// User actions for the command-line host, one per line:
//   press ID | set FORM.CONTROL VALUE | click FORM.CONTROL |
//   dblclick FORM.CONTROL [INDEX] | answer ok|cancel|yes|no|TEXT |
//   select START END | select shape NAME | select all | select end |
//   select after TEXT | type TEXT |
//   close FORM | preview FORM FILE.svg | config GROUP.KEY VALUE
// Lines starting with # are comments; in VALUE and TEXT the escapes \r,
// \n, \t and \\ stand for carriage return, line feed, tab and backslash.
#include <functional>
#include <istream>
#include <stdexcept>
#include <string>

#include "session.hpp"

namespace plx::cli {

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::wstring Unescape(const std::wstring& text);

class ScriptRunner {
 public:
  explicit ScriptRunner(Session& session) : session_(session) {}
  // Runs every line; a bad line raises ScriptError naming its number.
  void Run(std::istream& in);
  void RunLine(const std::wstring& line);
  // Presses a ribbon command (or a toolbar key on the legacy host).
  std::function<void(const std::wstring&)> press;

 private:
  std::shared_ptr<Form> OpenForm(const std::wstring& name);
  std::pair<std::shared_ptr<Form>, std::wstring> Target(const std::wstring& formDotControl);

  Session& session_;
};

}  // namespace plx::cli
