#pragma once
// Places where later features plug into the formula commands: the custom
// rules applied to typed formulas, the embellishment of a new formula field,
// and the fraction and radical dialogs the direct commands open when nothing
// is selected. An empty hook is skipped (the dialogs say they are missing).
#include <functional>
#include <string>

namespace plx {

class AddinContext;

struct FormulaHooks {
  std::function<std::wstring(AddinContext&, const std::wstring&)> applyCustomRules;
  // Runs on the selected formula field.
  std::function<void(AddinContext&)> embellishSelection;
  std::function<void(AddinContext&)> openFractionDialog;
  std::function<void(AddinContext&)> openRadicalDialog;
  // Set by the fraction dialog: a selected fraction goes through the formula
  // command instead of being split at its "/".
  bool blTX = false;
};

}  // namespace plx
