#pragma once
// The texts of the three error boxes every trapping procedure shows. Only
// the texts live here; showing them is the user-interface service's job.
#include <string>

#include "common/error.hpp"

namespace plx {

struct ErrorBoxText {
  std::wstring title;
  std::wstring message;
};

// Short form: description CR LF "module.procedure-->line" + " " + line,
// title "错误号:" + " " + number. `location` is "module.procedure-->line".
ErrorBoxText ShortErrorBox(const VbError& e, const std::wstring& location, int line);

// Long form: description CR LF " in procedure P of Module M in line L",
// title "Error: " + number. Dialog procedures pass isForm = true and say
// " of Form " instead.
ErrorBoxText LongErrorBox(const VbError& e, const std::wstring& procedure,
                          const std::wstring& owner, int line, bool isForm = false);

// Bracket form: "Error N (description) in procedure P of Module M in line L".
ErrorBoxText BracketErrorBox(const VbError& e, const std::wstring& procedure,
                             const std::wstring& module, int line);

}  // namespace plx
