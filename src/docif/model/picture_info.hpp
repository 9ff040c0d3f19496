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
// l, t, r, b in thousandths of a percent), or else of its VML v:imagedata
// (cropleft, croptop, cropright, cropbottom); none: no crop.
PictureData PictureDataOf(const std::string& bytes, const std::wstring& contentType, const std::string& markup);

// A VML crop side as a fraction of the picture: the text is a fraction, or
// 65536ths with a trailing "f"; limited to ±1, 0 for no number.
double VmlCropFraction(const std::string& text);

}  // namespace plx::docif::model
