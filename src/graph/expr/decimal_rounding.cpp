#include "graph/expr/decimal_rounding.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "common/exact_power.hpp"
#include "common/vector_width.hpp"

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

// The sign of a * 10^k - p (a / 10^-k - p for negative k).
PLX_KERNEL double Side(double a, int k, double p) {
  return k >= 0 ? ProductError(a, kPow10[k], p) : QuotientSide(a, kPow10[-k], p);
}

// The power k that scales a > 0 to v = a * 10^k in [1e14, 1e15], with p = v rounded; false
// where k would lie outside -22..22. The exact v is p plus something with the sign of side
// (a product's or quotient's exact error), needed only when p lies exactly on a boundary,
// since rounding cannot carry v across a representable boundary.
PLX_KERNEL bool DecimalScale(double a, int& k, double& p) {
  const int binaryExponent =
      static_cast<int>((std::bit_cast<uint64_t>(a) >> 52) & 0x7FF) - 1023;
  // About floor(binaryExponent * log10(2)): never too large, at most one too small. Starting
  // no lower than 10^-8 (k = 22) lets a value just above it find its power.
  int e = std::max((binaryExponent * 78913) >> 18, -8);
  for (int attempt = 0; attempt < 3; ++attempt) {
    k = 14 - e;
    if (k < -22 || k > 22) return false;
    p = k >= 0 ? a * kPow10[k] : a / kPow10[-k];
    if (p < 1e14 || (p == 1e14 && Side(a, k, p) < 0)) { --e; continue; }
    if (p > 1e15 || (p == 1e15 && Side(a, k, p) >= 0)) { ++e; continue; }
    return true;
  }
  return false;
}

// With v = |x| * 10^k scaled to 15 integer digits, the side of the rounded p on which the
// exact v lies is known from the rounding error, so the rounding to an integer m is exact;
// m / 10^k is then one correctly rounded operation on exact operands, which is what reading
// the text gives.
PLX_KERNEL bool RoundOne(double x, double& out) {
  if (x == 0) {
    out = 0;  // the text "0" has no sign
    return true;
  }
  const double a = std::fabs(x);
  int k;
  double p;
  if (!DecimalScale(a, k, p)) return false;
  // Adding and removing 2^52 rounds 0 <= p < 2^52 to an integer, ties to even, as printing
  // rounds an exact tie (and faster than a library call).
  double m = (p + 4503599627370496.0) - 4503599627370496.0;
  const double fraction = p - m;
  if (fraction == 0.5 && Side(a, k, p) > 0) m += 1;
  else if (fraction == -0.5 && Side(a, k, p) < 0) m -= 1;
  const double r = k >= 0 ? m / kPow10[k] : m * kPow10[-k];
  out = std::copysign(r, x);
  return true;
}

}  // namespace

bool ThroughDecimalText(double x, double& out) { return RoundOne(x, out); }

namespace {

constexpr size_t kBlock = 256;
constexpr int kHighestPass = 21;  // see RoundPass
constexpr double kTwo52 = 4503599627370496.0;

// 10^-k rounded to the nearest double, k = 0..22.
constexpr double kTenths[] = {1e-0,  1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                              1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                              1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};

// The pass for 10^k over a block (see RoundBlock); returns the number of lanes not rounded
// yet. The first pass writes every lane, the others only those they round.
//
// The quotient Q = m / 10^k is the one division per value. With fused multiply-add it is
// taken without one, as q0 = m * y with y = 10^-k rounded, corrected once by its remainder:
// q = RN(q0 + RN(m - q0 * 10^k) * y), each step rounded once. This is exactly RN(Q) for k up
// to 21, which is why the passes stop there (a value needing 10^22 goes to RoundOne):
//  - q0 = Q(1 + h) with |h| <= 2u + u^2 (u = 2^-53), so the remainder is -m h, rounded, and
//    the corrected value before its rounding is Q - Q h (e1 + e3 + e1 e3), with e1 the error
//    of y and e3 that of the remainder: within Q (2u + u^2)^2 < 2^(e-102) of Q, where
//    2^e <= Q < 2^(e+1).
//  - Q is never a midpoint between doubles (a Q that is a fraction of a power of two has at
//    most 50 significant bits), and its distance to one, |m 2^(53-e) - (2j+1) 10^k| /
//    (10^k 2^(53-e)), has a numerator of at least 2^min(k, 53-e): at least 1 / (5^k 2^(53-e))
//    or 1 / 10^k. Both exceed 2^(e-102) when 5^k < 2^49, that is k <= 21 (and m <= 10^15).
// So no midpoint lies between the corrected value and Q, and both round to the same double.
template <bool kFused, bool kFirst>
PLX_KERNEL int64_t RoundPass(const double* __restrict x, double* __restrict out,
                             int64_t* __restrict rounded, int k) {
  const double scale = kPow10[k], inverse = kTenths[k];
  int64_t done = 0;
  for (size_t i = 0; i < kBlock; ++i) {
    const double a = std::fabs(x[i]);
    const double p = a * scale;
    // Both round to an integer, ties to even, as printing rounds an exact tie; the vector
    // instruction sets have an instruction for it, the baseline's library call is slow.
    const double m = kFused ? std::nearbyint(p) : (p + kTwo52) - kTwo52;
    // p on a boundary is as good as inside: the exact value on either side of it rounds to
    // the same fifteen digits (1e14 * 10^-k) with either power.
    const double fraction = p - m;
    bool good = (p >= 1e14) & (p <= 1e15) & (fraction != 0.5) & (fraction != -0.5);
    double q;
    if constexpr (kFused) {
      const double q0 = m * inverse;
      q = std::fma(std::fma(-q0, scale, m), inverse, q0);
    } else {
      q = m / scale;
    }
    if constexpr (kFirst) {
      out[i] = std::copysign(q, x[i]);
      rounded[i] = good;
    } else {
      out[i] = SelectLane(good, std::copysign(q, x[i]), out[i]);
      rounded[i] |= good;
    }
    done += rounded[i];
  }
  return static_cast<int64_t>(kBlock) - done;
}

// One block of values, in branch-free passes over the whole block, each with one power of
// ten, since looking a power up for each lane would not vectorise. In the pass for 10^k, a
// lane is rounded as RoundOne does and gets ok where its scaled value lies in [1e14, 1e15]
// with no tie to break: that is where 10^k is the lane's own power (or, on a boundary, one
// giving the same value) and the rounding needs no exact side. Every lane no pass rounds
// (zero, a tie, values out of range) is left with ok = 0 for RoundOne. Returns whether every
// lane was rounded.
template <bool kFused>
PLX_KERNEL bool RoundBlock(const double* __restrict x, double* __restrict out,
                           uint8_t* __restrict ok) {
  // Once few lanes are left, rounding them one at a time is cheaper than another pass.
  constexpr int64_t kWorthAPass = 24;
  // Every lane's values are 64 bits wide, so that the vectoriser packs as many lanes per
  // register as there are doubles (a byte array would make it take 64 lanes at a time and run
  // out of registers).
  int64_t rounded[kBlock];
  // The middle lane's power first: in a block of samples most lanes share it.
  int first = 14, power;
  double scaled;
  if (DecimalScale(std::fabs(x[kBlock / 2]), power, scaled)) first = std::clamp(power, 0, kHighestPass);
  int64_t left = RoundPass<kFused, true>(x, out, rounded, first);
  if (left > kWorthAPass) {
    // The others, for every power between those of the largest and the smallest lane not
    // rounded yet with 1e-8 <= |x| < 1e15, from the largest values down. Non-negative
    // doubles compare as their bits, and integer minima vectorise where floating ones do not.
    constexpr uint64_t kLowest = std::bit_cast<uint64_t>(1e-8), kBeyond = std::bit_cast<uint64_t>(1e15);
    uint64_t smallest = ~uint64_t{0}, largest = 0;
    for (size_t i = 0; i < kBlock; ++i) {
      const uint64_t bits = std::bit_cast<uint64_t>(std::fabs(x[i]));
      const uint64_t wanted =
          0 - static_cast<uint64_t>((bits >= kLowest) & (bits < kBeyond) & (rounded[i] == 0));
      smallest = std::min(smallest, bits | ~wanted);
      largest = std::max(largest, bits & wanted);
    }
    int from = 0, to = -1, fromLargest, toSmallest;
    if (largest != 0 && DecimalScale(std::bit_cast<double>(largest), fromLargest, scaled) &&
        DecimalScale(std::bit_cast<double>(smallest), toSmallest, scaled)) {
      from = std::clamp(fromLargest, 0, kHighestPass);
      to = std::clamp(toSmallest, 0, kHighestPass);
    }
    for (int k = from; k <= to && left > kWorthAPass; ++k)
      if (k != first) left = RoundPass<kFused, false>(x, out, rounded, k);
  }
  if (left == 0) {
    std::fill(ok, ok + kBlock, 1);  // the common case, without reading the flags
    return true;
  }
  for (size_t i = 0; i < kBlock; ++i) ok[i] = static_cast<uint8_t>(rounded[i]);
  return false;
}

// The lanes of a block that RoundBlock refused, one at a time; returns how many RoundOne
// refused too.
PLX_KERNEL size_t RoundRefused(const double* x, size_t count, double* out, uint8_t* ok) {
  size_t refused = 0;
  ForEachUnset(ok, count, [&](size_t i) PLX_KERNEL_LAMBDA {
    double value = 0;
    ok[i] = RoundOne(x[i], value);
    out[i] = value;
    refused += !ok[i];
  });
  return refused;
}

// The blocks of x[0..n), the last one padded.
template <bool kFused>
PLX_KERNEL size_t RoundAll(const double* x, size_t n, double* out, uint8_t* ok) {
  size_t refused = 0;
  double paddedX[kBlock], paddedOut[kBlock];
  uint8_t paddedOk[kBlock];
  for (size_t start = 0; start < n; start += kBlock) {
    const size_t count = std::min(kBlock, n - start);
    if (count == kBlock) {
      if (!RoundBlock<kFused>(x + start, out + start, ok + start))
        refused += RoundRefused(x + start, count, out + start, ok + start);
      continue;
    }
    std::copy(x + start, x + n, paddedX);
    std::fill(paddedX + count, paddedX + kBlock, 1.0);
    if (!RoundBlock<kFused>(paddedX, paddedOut, paddedOk))
      refused += RoundRefused(paddedX, count, paddedOut, paddedOk);
    std::copy(paddedOut, paddedOut + count, out + start);
    std::copy(paddedOk, paddedOk + count, ok + start);
  }
  return refused;
}

size_t RoundAllBaseline(const double* x, size_t n, double* out, uint8_t* ok) {
  return RoundAll<false>(x, n, out, ok);
}
PLX_TARGET_AVX2 size_t RoundAllAvx2(const double* x, size_t n, double* out, uint8_t* ok) {
  return RoundAll<true>(x, n, out, ok);
}
PLX_TARGET_AVX512 size_t RoundAllAvx512(const double* x, size_t n, double* out, uint8_t* ok) {
  return RoundAll<true>(x, n, out, ok);
}

}  // namespace

size_t ThroughDecimalTextEach(VectorWidth width, const double* x, size_t n, double* out,
                              uint8_t* ok) {
  switch (width) {
    case VectorWidth::kAvx512: return RoundAllAvx512(x, n, out, ok);
    case VectorWidth::kAvx2: return RoundAllAvx2(x, n, out, ok);
    case VectorWidth::kBaseline: break;
  }
  return RoundAllBaseline(x, n, out, ok);
}

size_t ThroughDecimalTextEach(const double* x, size_t n, double* out, uint8_t* ok) {
  return ThroughDecimalTextEach(WidestVectors(), x, n, out, ok);
}

}  // namespace plx::graph
