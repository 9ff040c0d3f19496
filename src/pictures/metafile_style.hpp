#pragma once
// What EMF and WMF share: pens, brushes, angles and bitmaps as both
// formats' records take them.
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/metafile_scene.hpp"

namespace plx::pictures {

// A fill as a GDI brush: a solid colour (the flat mix for patterns that
// are not hatchings), or a hatch style over an opaque background.
struct FillStyle {
  uint32_t colour = 0, background = 0;
  int hatch = -1;  // a GDI hatch style, -1 for a solid brush
};
FillStyle FillStyleOf(const Fill& fill);

// A stroke's dash as a GDI pen style, and its end cap (round for round
// dots, else flat, as the cairo painter draws them).
struct PenStyle {
  uint32_t dash = 0, cap = 0;
};
PenStyle PenStyleOf(const Stroke& stroke);

// A clockwise turn as GDI's counter-clockwise escapement, 0 to 3599.
int32_t TenthsOfDegrees(double clockwise);

// The bitmap's rows bottom up, as device-independent bitmaps keep them,
// with `bytesPerPixel` 3 (blue, green, red; rows padded to four bytes) or 4.
std::vector<char> BottomUpRows(const Bitmap& bitmap, int bytesPerPixel = 4);

// UTF-16 for the metafiles' wide strings.
std::u16string Utf16(const std::wstring& text);

}  // namespace plx::pictures
