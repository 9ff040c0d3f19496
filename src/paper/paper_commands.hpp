#pragma once
// The exam-paper and document commands as the command table wires them:
// identifier (or legacy key), what the command does, its routine and the
// location its errors are reported under.
#include <functional>
#include <string>
#include <vector>

#include "paper/drawing_style.hpp"

namespace plx {

class AddinContext;

struct PaperCommand {
  std::wstring id;
  std::wstring what;
  std::function<void(AddinContext&)> run;
  std::wstring procedure;
};

enum class PaperCommandSet {
  Layout,     // "rxBtnzhijuan_…": headers, numbers, options, sealing lines
  CleanUps,   // "rxBtnonekey_…": hatching, borders, tables, baseline, watermark
  Numbering,  // "rxBtnonekey_…": renumbering, line spacing, option alignment
  Article,    // legacy keys of the typesetting toolbar
  PaperSizes, // "rxBtnzhijuan_A4", "…_16K", "…_8K2": the paper of the page
};

// The commands of a set in the command table's order.
std::vector<PaperCommand> PaperCommands(PaperCommandSet set);

// "rxBtnqt_showhidetxt": hidden text in the selection is shown; without
// any, the selected text is hidden.
void ShowOrHideText(AddinContext& ctx);

}  // namespace plx
