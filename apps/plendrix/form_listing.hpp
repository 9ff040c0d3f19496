#pragma once
// A dialog's controls as the command-line host lists them, made from the
// dialog's layout: a first line "# 对话框“title”" with the dialog's size in
// dialog units, then the controls in tab order, one line a control with its
// name, kind, caption, current value and box in dialog units ("x,y,w,h")
// (and a list's entries), tab-separated. A line starting with "# " names the
// tab page and frames ("# 选项卡“直线” › 框“x轴”") of the controls below it,
// up to the next such line; the regions that are no control (a preview)
// follow as "# 区域“name”" lines with their boxes. `controls FORM` prints it
// for a dialog opened to be looked at; a script's `show FORM` prints it for
// an open dialog at that point of the script.
#include <string>

#include "addin/form.hpp"

namespace plx::cli {

std::string FormControlListing(Form& form);

}  // namespace plx::cli
