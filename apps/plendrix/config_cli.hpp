#pragma once
// `plendrix config`: the stored settings listed, or one of them set, through
// the same saving step the settings dialog uses.
#include <string>
#include <vector>

#include "session.hpp"

namespace plx::cli {

// No arguments: every setting as "group.key<TAB>value", tab by tab of the
// settings dialog. "set GROUP.KEY VALUE": stores the value. Returns the exit
// status (2 for a request it does not understand, 1 when saving failed).
int RunConfigCommand(Session& session, const std::vector<std::wstring>& args);

}  // namespace plx::cli
