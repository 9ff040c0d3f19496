#pragma once
// The office configuration the extension brings: its Writer toolbars and
// "Plendrix" menu (Addons.xcu), and the toolbars' names and places in
// Writer's window (WriterWindowState.xcu). Every button sends
// vnd.plendrix:<identifier> to the extension's protocol handler.
#include <string>
#include <vector>

#include "ribbon_tree.hpp"
#include "toolbars.hpp"

namespace plx::oxt {

inline constexpr char kUrlScheme[] = "vnd.plendrix:";

// The toolbars; a "Plendrix" menu with a submenu per group and, inside it,
// a submenu per drop-down menu of the ribbon; the pictures of the buttons
// that have one (icons/, see icons.hpp). Shown for text documents only.
// Throws std::runtime_error when two toolbars have the same node.
std::string AddonsXcu(const std::vector<RibbonGroup>& groups, const std::vector<Toolbar>& bars);
// Each toolbar's name, docked at the top in its row, shown or not.
std::string WriterWindowStateXcu(const std::vector<Toolbar>& bars);

}  // namespace plx::oxt
