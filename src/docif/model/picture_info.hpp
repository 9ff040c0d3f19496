#pragma once
// The type and size of a picture from its first bytes (PNG, JPEG, GIF, BMP).
#include <string>

namespace plx::docif::model {

struct PictureInfo {
  std::wstring contentType;  // empty when the data is no known picture
  double widthPoints = 0, heightPoints = 0;  // at 96 pixels per inch
};

PictureInfo ReadPictureInfo(const std::string& bytes);

}  // namespace plx::docif::model
