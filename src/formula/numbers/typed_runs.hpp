#pragma once
// Typing a result into the document at the selection as a teacher would:
// plain runs and raised runs one after the other.
#include <string>
#include <vector>

namespace plx {
class AddinContext;
}

namespace plx::numbers {

struct TypedRun {
  std::wstring text;
  bool superscript = false;
};

// Types the runs at the selection, each raised or not as it says, and
// leaves the insertion point after them.
void TypeRuns(AddinContext& ctx, const std::vector<TypedRun>& runs);

}  // namespace plx::numbers
