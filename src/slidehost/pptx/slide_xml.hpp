#pragma once
// One slide as a PresentationML part, with the relationships its shapes
// and background need.
#include <string>
#include <vector>

#include "slidehost/model/slide_data.hpp"

namespace plx::slides::pptx {

// A part the slide refers to (a picture or an embedded package), added to
// the package under `name` ("ppt/media/image3.png").
struct SlideAsset {
  std::string name;
  std::string bytes;
};

struct SlidePart {
  std::string xml;
  std::string rels;
  std::vector<SlideAsset> assets;
};

// `next` numbers the assets across the whole package.
SlidePart WriteSlide(const model::SlideData& slide, int& next);

// Points to the package's English Metric Units.
long long Emu(double points);

}  // namespace plx::slides::pptx
