#pragma once
// The slide background pictures b001.jpg … b036.jpg: quiet, light
// pictures that text stays readable on.
#include <string>

namespace plx::tools {

// Writes the 36 pictures into `folder`.
void MakeSlideBackgrounds(const std::string& folder);

}  // namespace plx::tools
