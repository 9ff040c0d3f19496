#pragma once
// Page units, Chinese type sizes and colours.
#include <cstdint>
#include <string_view>

namespace plx {

// Chinese type size name to points ("五号" 10.5, "小六" 6.875); a text that
// reads as a non-zero number gives that number; any other text 0.
double FontSizeFromName(std::wstring_view name);

// Centimetres and millimetres typed by the user become points by these
// factors (the program's own, not the typographic 28.3465).
constexpr double CmToPoints(double cm) { return cm * 28.4; }
constexpr double MmToPoints(double mm) { return mm * 2.84; }

// 32-bit colour with red in the low byte: RGB(255, 0, 0) is 255.
constexpr uint32_t RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
         (static_cast<uint32_t>(b) << 16);
}

}  // namespace plx
