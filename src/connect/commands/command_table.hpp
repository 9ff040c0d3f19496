#pragma once
// The command table: every ribbon control identifier and legacy toolbar key
// with the action it runs. Actions whose handlers belong to features not
// built yet do nothing; adding one is one line here.
#include <functional>
#include <string>
#include <vector>

namespace plx {

class AddinContext;

struct Action {
  std::wstring name;                         // what the command does
  std::function<void(AddinContext&)> run;    // empty: nothing to do yet
};

struct CommandEntry {
  std::wstring id;      // ribbon control identifier
  std::wstring legacy;  // the legacy key running the same command ("" for none)
  Action action;
};

// The 284 entries in order ("rxBtnonekey_zhuanhua" stands twice).
const std::vector<CommandEntry>& CommandTable();
// Keys that exist only on the legacy toolbars.
const std::vector<std::pair<std::wstring, Action>>& LegacyOnlyKeys();

// The first entry with this identifier (exact comparison); null for none.
const Action* FindRibbonAction(const std::wstring& id);
// The first action for a legacy key (compared lower-cased); null for none.
const Action* FindLegacyAction(const std::wstring& parameter);

}  // namespace plx
