#pragma once
// Formula state shared between the formula commands and their dialogs.

namespace plx {

struct FormulaHooks {
  // Set by the fraction dialog: a selected fraction goes through the formula
  // command instead of being split at its "/".
  bool blTX = false;
};

}  // namespace plx
