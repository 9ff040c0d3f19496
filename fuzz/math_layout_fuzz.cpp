// libFuzzer target: any Office Math Markup is typeset into a box with
// finite measures, or into nothing, never a crash, a hang or a stack
// overflow; and any EQ field code either converts into markup that
// typesets the same way or is refused.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/text.hpp"
#include "docif/office_math.hpp"
#include "pictures/math_layout.hpp"

namespace {

void Check(const plx::pictures::MathBox& box) {
  if (!std::isfinite(box.width) || !std::isfinite(box.ascent) || !std::isfinite(box.descent)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const plx::pictures::Font font;
  Check(plx::pictures::TypesetOfficeMath("<m:oMath>" + bytes + "</m:oMath>", font));
  if (auto xml = plx::docif::OfficeMathOfEqField(L" EQ " + plx::Utf8ToWide(bytes) + L" "))
    Check(plx::pictures::TypesetOfficeMath(*xml, font));
  Check(plx::pictures::TypesetOfficeMath(plx::docif::OfficeMathOfEquation(plx::Utf8ToWide(bytes), true), font));
  return 0;
}
