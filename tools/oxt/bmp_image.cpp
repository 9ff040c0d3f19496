#include "bmp_image.hpp"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace plx::oxt {
namespace {

uint32_t U32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

// Pictures past this side are no button image.
constexpr int32_t kMaxSide = 4096;

}  // namespace

RgbImage ReadBmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  const std::string b(std::istreambuf_iterator<char>(in), {});
  auto fail = [&](const std::string& why) -> RgbImage { throw std::runtime_error(path + ": " + why); };
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return fail("not a BMP file");
  const uint32_t pixels = U32(b, 10);
  const auto width = static_cast<int32_t>(U32(b, 18));
  const auto rawHeight = static_cast<int32_t>(U32(b, 22));
  const uint16_t bits = U16(b, 28);
  const uint32_t compression = U32(b, 30);
  if ((bits != 24 && bits != 32) || compression != 0) return fail("only uncompressed 24- and 32-bit bitmaps are read");
  // A negative height stores the rows from the top.
  const bool topDown = rawHeight < 0;
  const int64_t tall = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
  if (width <= 0 || tall <= 0 || width > kMaxSide || tall > kMaxSide) return fail("bad picture size");
  const auto height = static_cast<int32_t>(tall);
  const size_t stride = (static_cast<size_t>(width) * (bits / 8) + 3) / 4 * 4;
  if (pixels > b.size() || b.size() - pixels < stride * static_cast<size_t>(height)) return fail("cut short");
  RgbImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (int32_t y = 0; y < height; ++y) {
    const size_t row = pixels + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    for (int32_t x = 0; x < width; ++x) {
      const size_t at = row + static_cast<size_t>(x) * (bits / 8);  // blue, green, red
      uint8_t* out = &image.rgb[(static_cast<size_t>(y) * width + x) * 3];
      out[0] = static_cast<uint8_t>(b[at + 2]);
      out[1] = static_cast<uint8_t>(b[at + 1]);
      out[2] = static_cast<uint8_t>(b[at]);
    }
  }
  return image;
}

}  // namespace plx::oxt
