#pragma once
// A dialog's controls as the command-line host lists them: one line a
// control with its name, kind, caption and current value (and a list's
// entries), tab-separated. `controls FORM` prints it for a dialog opened to
// be looked at; a script's `show FORM` prints it for an open dialog at that
// point of the script.
#include <string>

#include "addin/form.hpp"

namespace plx::cli {

std::string FormControlListing(Form& form);

}  // namespace plx::cli
