#pragma once
// What a dialog that needs a source paper implements: the paper chosen
// from the list, or just described and saved.
#include <string>

namespace plx::bank {

class PaperPickTarget {
 public:
  virtual ~PaperPickTarget() = default;
  virtual void PaperPicked(long id, const std::wstring& name) = 0;
};

}  // namespace plx::bank
