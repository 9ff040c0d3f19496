#pragma once
// The office configuration the extension brings: its Writer toolbar and
// "Plendrix" menu (Addons.xcu), and the toolbar's name and place in
// Writer's window (WriterWindowState.xcu). Every button sends
// vnd.plendrix:<identifier> to the extension's protocol handler.
#include <string>
#include <vector>

#include "ribbon_tree.hpp"

namespace plx::oxt {

inline constexpr char kUrlScheme[] = "vnd.plendrix:";
// The toolbar's node, and the resource name the office gives it.
inline constexpr char kToolbarNode[] = "org.plendrix.plendrix4word.toolbar";
inline constexpr char kToolbarResource[] = "private:resource/toolbar/addon_org.plendrix.plendrix4word.toolbar";

// One toolbar holding every button in ribbon order, a separator between
// groups; a "Plendrix" menu with a submenu per group and, inside it, a
// submenu per drop-down menu of the ribbon; the pictures of the buttons
// that have one (icons/, see icons.hpp). Shown for text documents only.
std::string AddonsXcu(const std::vector<RibbonGroup>& groups);
// The toolbar named "Plendrix", docked at the top and shown.
std::string WriterWindowStateXcu();

}  // namespace plx::oxt
