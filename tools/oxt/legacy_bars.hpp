#pragma once
// The 2003 host's toolbars for the extension, hidden until a teacher used
// to them switches them on under 视图 ▸ 工具栏: the main bar and each
// secondary bar, built by the add-in's own code on the model word
// processor as the 2003 host would have them, and read back.
#include <vector>

#include "ribbon_tree.hpp"
#include "toolbars.hpp"

namespace plx::oxt {

// The bars in the order the 2003 host lists them: "Plendrix 2003 主工具栏",
// then "Plendrix 2003 " + the caption of each secondary bar in the main
// bar's "其它工具栏" menu. Drop-down menus stand flat between separators;
// the entries that switch a bar on or off are left out (Writer's toolbar
// menu does that). A button sends the ribbon identifier of the same
// command; a command only the 2003 bars have goes by its key
// (kKeyCommand + key, which the extension runs as the 2003 host's button
// would); buttons that do nothing are left out, and a bar left without
// buttons is not offered.
std::vector<Toolbar> LegacyToolbars(const std::vector<RibbonGroup>& groups);

}  // namespace plx::oxt
