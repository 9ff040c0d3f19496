#pragma once
// The picture an embedded document shows when the program has none from
// the document's own program: a page with a folded corner.
#include <string>

namespace plx::slides::model {

struct ObjectIcon {
  std::string png;
  double width = 0, height = 0;  // points
};

ObjectIcon DocumentIcon();

}  // namespace plx::slides::model
