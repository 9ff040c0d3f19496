#pragma once
#include "docif/model/doc_data.hpp"
#include "docif/range.hpp"

namespace plx::docif::model {

// Find on a model range: searches the text as shown, moves the range onto
// what it found, and replaces in one pass over the story.
class ModelFind final : public Find {
 public:
  explicit ModelFind(RangeRef ref) : ref_(std::move(ref)) {}
  bool Execute(int replace) override;

 private:
  RangeRef ref_;
};

}  // namespace plx::docif::model
