#pragma once
// Raster encoders for the formats cairo does not write.
#include <string>

#include "pictures/picture_file.hpp"

namespace plx::pictures {

// A 24-bit BMP with the resolution in its header. False when it cannot be written.
bool WriteBmp(const Raster& raster, double dpi, const std::string& file);
// A baseline JPEG (quality 90) through libjpeg.
bool WriteJpeg(const Raster& raster, double dpi, const std::string& file);

}  // namespace plx::pictures
