#pragma once
// The type and size of a picture from its first bytes (PNG, JPEG, GIF, BMP).
#include <string>

#include "docif/range.hpp"

namespace plx::docif::model {

struct PictureInfo {
  std::wstring contentType;  // empty when the data is no known picture
  double widthPoints = 0, heightPoints = 0;  // at 96 pixels per inch
};

PictureInfo ReadPictureInfo(const std::string& bytes);

// A picture's data with the crop of the first a:srcRect in `markup` (its
// l, t, r, b in thousandths of a percent; none: no crop).
PictureData PictureDataOf(const std::string& bytes, const std::wstring& contentType, const std::string& markup);

}  // namespace plx::docif::model
