// The height a text box takes when it fits its text.
#include <cmath>

#include "slidehost/model/slide_data.hpp"

namespace plx::slides::model {

namespace {

constexpr double kInsetX = 7.2, kInsetY = 3.6;  // the program's default text insets
constexpr double kLineFactor = 1.2;

bool IsWide(wchar_t c) { return c >= 0x2E80; }

}  // namespace

double FittedTextHeight(const ShapeData& box) {
  const double em = box.fontSize;
  const double room = std::max(em, box.width - 2 * kInsetX);
  int lines = 1;
  double x = 0;
  for (wchar_t c : box.text) {
    if (c == L'\r' || c == L'\n' || c == L'\v') {
      ++lines;
      x = 0;
      continue;
    }
    const double w = IsWide(c) ? em : em / 2;
    if (x + w > room && x > 0) {
      ++lines;
      x = 0;
    }
    x += w;
  }
  return std::ceil(lines * em * kLineFactor + 2 * kInsetY);
}

}  // namespace plx::slides::model
