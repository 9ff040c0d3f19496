#include "pictures/metafile_style.hpp"

#include <uemf.h>

#include <cmath>

#include "pictures/patterns.hpp"

namespace plx::pictures {

FillStyle FillStyleOf(const Fill& fill) {
  if (fill.pattern == 0) return {fill.fore, fill.back, -1};
  switch (HatchLines(fill.pattern)) {
    case kHatchHorizontal: return {fill.fore, fill.back, U_HS_HORIZONTAL};
    case kHatchVertical: return {fill.fore, fill.back, U_HS_VERTICAL};
    case kHatchDown: return {fill.fore, fill.back, U_HS_FDIAGONAL};
    case kHatchUp: return {fill.fore, fill.back, U_HS_BDIAGONAL};
    case kHatchHorizontal | kHatchVertical: return {fill.fore, fill.back, U_HS_CROSS};
    case kHatchDown | kHatchUp: return {fill.fore, fill.back, U_HS_DIAGCROSS};
    default: return {MixColours(fill.fore, fill.back, PatternCoverage(fill.pattern)), fill.back, -1};
  }
}

PenStyle PenStyleOf(const Stroke& stroke) {
  switch (stroke.dash) {
    case 2: return {U_PS_DOT, U_PS_ENDCAP_FLAT};
    case 3: return {U_PS_DOT, U_PS_ENDCAP_ROUND};
    case 4:
    case 7: return {U_PS_DASH, U_PS_ENDCAP_FLAT};
    case 5:
    case 8: return {U_PS_DASHDOT, U_PS_ENDCAP_FLAT};
    case 6: return {U_PS_DASHDOTDOT, U_PS_ENDCAP_FLAT};
    default: return {U_PS_SOLID, U_PS_ENDCAP_FLAT};
  }
}

int32_t TenthsOfDegrees(double clockwise) {
  const long tenths = std::lround(-clockwise * 10);
  return static_cast<int32_t>(((tenths % 3600) + 3600) % 3600);
}

std::vector<char> BottomUpRows(const Bitmap& bitmap, int bytesPerPixel) {
  const size_t stride = (static_cast<size_t>(bitmap.pixelWidth) * bytesPerPixel + 3) / 4 * 4;
  std::vector<char> rows(stride * bitmap.pixelHeight, 0);
  for (int row = 0; row < bitmap.pixelHeight; ++row) {
    const uint8_t* from = bitmap.bgrx.data() + static_cast<size_t>(row) * bitmap.pixelWidth * 4;
    char* to = rows.data() + stride * (bitmap.pixelHeight - 1 - row);
    for (int x = 0; x < bitmap.pixelWidth; ++x)
      for (int b = 0; b < bytesPerPixel; ++b) to[x * bytesPerPixel + b] = static_cast<char>(from[x * 4 + b]);
  }
  return rows;
}

std::u16string Utf16(const std::wstring& text) {
  std::u16string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    const auto code = static_cast<uint32_t>(c);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(u'\uFFFD');
    } else if (code > 0xFFFF) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return out;
}

}  // namespace plx::pictures
