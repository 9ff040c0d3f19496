#pragma once
// Batch import from a marked paper: the paper is checked, cut into its
// questions and handed to the batch import dialog.
#include <functional>

#include "bank/marking/paper_analysis.hpp"

namespace plx {
class AddinContext;
}

namespace plx::bank {

// The batch import dialog takes the analysed paper through this before it
// is shown.
class PaperImportTarget {
 public:
  virtual ~PaperImportTarget() = default;
  virtual void SetPaper(PaperAnalysis analysis) = 0;
};

// What receives the analysed questions (opens the batch import dialog).
using ImportHandler = std::function<void(AddinContext&, PaperAnalysis)>;

// Stops with a message when the active document is no paper (no numbered
// question in it), has no answers, or its tags do not pair up.
void PLRK(AddinContext& ctx, const ImportHandler& openImport);

}  // namespace plx::bank
