#pragma once
// The toolbars the extension adds to Writer and where each stands when
// Writer first starts with it: one toolbar per ribbon group (more for a
// group wider than the window), the groups a teacher uses most shown in
// rows under Writer's own two, the others listed
// under 视图 ▸ 工具栏 to be switched on; one wide toolbar holding every
// button, hidden; and the 2003 host's toolbars (legacy_bars.hpp), hidden.
#include <string>
#include <vector>

#include "ribbon_tree.hpp"

namespace plx::oxt {

// A toolbar entry: the command it sends (a ribbon identifier, or
// kKeyCommand and a 2003 toolbar key) with its caption and picture, or a
// separator (empty command).
struct ToolbarItem {
  std::wstring command;
  std::wstring label;
  std::wstring image;
};

struct Toolbar {
  std::string node;     // the toolbar's node in Addons.xcu (ASCII letters, digits, "_" and ".")
  std::wstring name;    // what Writer calls it (视图 ▸ 工具栏, a floating bar's title)
  std::vector<ToolbarItem> items;
  bool shown = false;   // shown when Writer first starts with the extension
  int row = 0;          // its row in the top docking area (Writer's own bars take rows 0 and 1)
  int x = 0;            // its place in the row, in pixels

  // A separator after the last button, unless the bar has none yet or ends
  // with one.
  void Separate();
  // Drops a separator at the end.
  void Finish();
};

inline constexpr char kNodePrefix[] = "org.plendrix.plendrix4word.";
inline constexpr wchar_t kKeyCommand[] = L"key/";
// The width the rows of shown toolbars must fit: a 1280-pixel screen.
inline constexpr int kRowWidth = 1280;

// The node of a toolbar the extension calls `name` (kNodePrefix + name).
// Throws std::runtime_error for a name that cannot stand in a node's name
// and in the toolbar's resource name: only ASCII letters, digits and "_".
std::string ToolbarNode(const std::wstring& name);
// The resource name Writer gives the toolbar of a node.
std::string ToolbarResource(const std::string& node);

// One toolbar per group, in ribbon order, named "Plendrix " + the group's
// caption; a drop-down menu's buttons stand between separators. A group
// wider than kRowWidth goes on in bars of its own ("Plendrix 工具 2" …),
// so that no button of a bar a teacher switches on hides behind its ».
// Throws std::runtime_error for a group identifier that cannot name a
// toolbar.
std::vector<Toolbar> GroupToolbars(const std::vector<RibbonGroup>& groups);
// Every button of the ribbon, group after group with a separator between,
// named "Plendrix 全部按钮". Its node is not "...toolbar", the one bar of
// earlier versions: Writer keeps that bar's state (shown, in row 0) in the
// teacher's profile, which would show the new wide bar over Writer's own
// after an update.
Toolbar WideToolbar(const std::vector<RibbonGroup>& groups);

// The pixels Writer gives the toolbar: its buttons (a picture, or the
// caption's text) and the bar's handle, within a few pixels of what
// Writer 7.4 shows with its default fonts. A row that a larger screen font
// makes too narrow still works: Writer moves the last buttons of the row
// behind the bar's » button.
int ToolbarWidth(const Toolbar& bar);

// Places the toolbars in rows from row 2 in their order: each row takes
// the next bars while they fit kRowWidth, the bars shown first, then the
// hidden ones (which keep their places for when they are switched on).
void PlaceInRows(std::vector<Toolbar>& bars);

}  // namespace plx::oxt
