#pragma once
// Reading the button bitmaps the build draws (uncompressed 24- or 32-bit BMP).
#include <cstdint>
#include <string>
#include <vector>

namespace plx::oxt {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows from the top, three bytes a pixel
};

// Throws std::runtime_error naming the file when it is missing, cut short
// or not an uncompressed 24- or 32-bit bitmap.
RgbImage ReadBmp(const std::string& path);

}  // namespace plx::oxt
