#pragma once
#include <functional>

#include "docif/model/doc_data.hpp"
#include "docif/range.hpp"
#include "platform/regexp.hpp"

namespace plx::docif::model {

struct FindHit {
  long start, end;  // story positions
  RegexMatch match;
};

// What a find with these settings takes from a story searched over
// [start, end) as shown: every match for a replace-all, otherwise the first
// one (the last one searching backwards), wrapping as the find says.
std::vector<FindHit> FindHits(const Story& story, bool showCodes, const Find& find, long start, long end,
                              int replace);
// True when [s, e) cuts through a field's marks without holding all of them.
bool CutsField(const std::vector<FieldMarks>& fields, long s, long e);

// Find on a model range: searches the text as shown, moves the range onto
// what it found, and replaces in one pass over the story.
class ModelFind final : public Find {
 public:
  // `scope` gives the range searched at each Execute (the selection's find
  // follows whatever is selected then).
  explicit ModelFind(std::function<RangeRef()> scope) : scope_(std::move(scope)) {}
  bool Execute(int replace) override;

 private:
  std::function<RangeRef()> scope_;
};

}  // namespace plx::docif::model
