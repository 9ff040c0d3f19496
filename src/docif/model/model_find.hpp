#pragma once
#include <functional>

#include "docif/model/doc_data.hpp"
#include "docif/range.hpp"

namespace plx::docif::model {

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
