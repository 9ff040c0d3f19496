#include "graph/expr/decimal_rounding.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <algorithm>

#include "common/exact_power.hpp"

namespace plx::graph {
namespace {

// 10^0 .. 10^22, every one exactly representable.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The sign of a - q * b (q being a / b rounded).
double QuotientSide(double a, double b, double q) {
#if defined(__FMA__)
  return std::fma(-q, b, a);
#else
  const double back = q * b;
  return (a - back) - ProductError(q, b, back);  // a - back is exact: back is close to a
#endif
}

}  // namespace

// With v = |x| * 10^k scaled to 15 integer digits, the side of the rounded p on which the
// exact v lies is known from the rounding error, so the rounding to an integer m is exact;
// m / 10^k is then one correctly rounded operation on exact operands, which is what reading
// the text gives.
bool ThroughDecimalText(double x, double& out) {
  if (x == 0) {
    out = 0;  // the text "0" has no sign
    return true;
  }
  const double a = std::fabs(x);
  const int binaryExponent =
      static_cast<int>((std::bit_cast<uint64_t>(a) >> 52) & 0x7FF) - 1023;
  int e = (binaryExponent * 78913) >> 18;  // about floor(binaryExponent * log10(2))
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = 14 - e;
    if (k < -22 || k > 22) return false;
    const double p = k >= 0 ? a * kPow10[k] : a / kPow10[-k];
    // The exact v is p plus something with the sign of side(); needed only when p lies
    // exactly on a boundary, since rounding cannot carry v across a representable boundary.
    auto side = [&] {
      return k >= 0 ? ProductError(a, kPow10[k], p) : QuotientSide(a, kPow10[-k], p);
    };
    if (p < 1e14 || (p == 1e14 && side() < 0)) { --e; continue; }
    if (p > 1e15 || (p == 1e15 && side() >= 0)) { ++e; continue; }
    // Adding and removing 2^52 rounds 0 <= p < 2^52 to an integer, ties to even, as printing
    // rounds an exact tie (and faster than a library call).
    double m = (p + 4503599627370496.0) - 4503599627370496.0;
    const double fraction = p - m;
    if (fraction == 0.5 && side() > 0) m += 1;
    else if (fraction == -0.5 && side() < 0) m -= 1;
    const double r = k >= 0 ? m / kPow10[k] : m * kPow10[-k];
    out = std::copysign(r, x);
    return true;
  }
  return false;
}

void ThroughDecimalTextEach(const double* x, size_t n, double* out, uint8_t* ok) {
  constexpr double kTwo52 = 4503599627370496.0;
  // Blocks of a fixed size, so that the divisions at the end of each run in vector registers
  // without a remainder loop.
  constexpr size_t kBlock = 256;
  double scaled[kBlock], divisor[kBlock], sign[kBlock];
  // Neighbouring values usually share their power of ten (samples lie close together), so
  // the scale of the previous value is tried first; a value whose scaled p lies strictly
  // inside (1e14, 1e15), with no tie to break, has found its k (the only one that puts p
  // there). Any other value gets its own scale as above, or goes through the function.
  double scale = 0;
  for (size_t start = 0; start < n; start += kBlock) {
    const size_t count = n - start < kBlock ? n - start : kBlock;
    for (size_t j = 0; j < kBlock; ++j) {
      scaled[j] = 0;
      divisor[j] = 1;
      sign[j] = 1;
      if (j >= count) continue;
      const size_t i = start + j;
      const double a = std::fabs(x[i]);
      if (x[i] < 0) sign[j] = -1;  // the text "0" has no sign: -0 reads as 0
      double p = a * scale;
      double m = (p + kTwo52) - kTwo52;
      auto found = [&] { return p > 1e14 && p < 1e15 && std::fabs(p - m) != 0.5; };
      // 10^22 is left to the function, which refuses some of the values it would fit (those
      // whose estimate says 10^23), so that both agree on every value.
      if (scale == kPow10[22] || !found()) {
        // The estimate of the decimal exponent is never too large and at most one too small.
        const int binaryExponent = static_cast<int>((std::bit_cast<uint64_t>(a) >> 52) & 0x7FF) - 1023;
        const int estimate = 14 - ((binaryExponent * 78913) >> 18);
        if (estimate >= 1 && estimate <= 22) {
          scale = kPow10[a * kPow10[estimate] >= 1e15 ? estimate - 1 : estimate];
          p = a * scale;
          m = (p + kTwo52) - kTwo52;
        }
        if (a == 0 || estimate < 1 || estimate > 22 || !found()) {
          double value = 0;
          ok[i] = ThroughDecimalText(x[i], value);
          scaled[j] = std::fabs(value);
          continue;
        }
      }
      scaled[j] = m;
      divisor[j] = scale;
      ok[i] = 1;
    }
    for (size_t j = 0; j < kBlock; ++j) scaled[j] = scaled[j] / divisor[j] * sign[j];
    std::copy(scaled, scaled + count, out + start);
  }
}

}  // namespace plx::graph
