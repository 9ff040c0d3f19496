#pragma once
// The arithmetic kernels shared by the one-value and the many-values evaluators of compiled
// expressions. None of them raises: a fault of the host language's arithmetic (the root or
// logarithm of a number out of range, a negative number to a fractional power) shows as a
// result that is not finite, and the callers decide what that means.
#include <cmath>
#include <cstdint>

#include "common/exact_power.hpp"

namespace plx::graph::expr_math {

// The built-in functions, as compiled into Call1 and Call2 instructions.
enum Fn : uint8_t { kSqr, kLog, kExp, kSin, kCos, kTan, kAtn, kAbs, kSgn, kFloor, kCeil,
                    kPow, kMin, kMax };

// A one-argument function. Sgn(0) is 0 in the host language and keeps the sign of zero (and
// NaN) in JavaScript.
inline double Apply1(uint8_t fn, double a, bool host) {
  switch (fn) {
    case kSqr: return std::sqrt(a);
    case kLog: return std::log(a);
    case kExp: return std::exp(a);
    case kSin: return std::sin(a);
    case kCos: return std::cos(a);
    case kTan: return std::tan(a);
    case kAtn: return std::atan(a);
    case kAbs: return std::fabs(a);
    case kSgn: return a > 0 ? 1.0 : a < 0 ? -1.0 : host ? 0.0 : a;
    case kFloor: return std::floor(a);
    case kCeil: return std::ceil(a);
    default: return NAN;
  }
}

// JavaScript's power: 1 ** Infinity and anything ** NaN are NaN, unlike C's pow; otherwise
// the same value as the host language's power.
inline double JsPow(double a, double b) {
  if (std::isnan(b) || (std::fabs(a) == 1 && std::isinf(b))) return NAN;
  return Power(a, b);
}

// JavaScript's ToInt32: the integer part taken modulo 2^32.
inline int32_t ToInt32(double v) {
  if (!std::isfinite(v)) return 0;
  double m = std::fmod(std::trunc(v), 4294967296.0);
  if (m < 0) m += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(m));
}

// The two-argument functions of JavaScript: Math.pow, Math.min, Math.max.
inline double Apply2(uint8_t fn, double a, double b) {
  if (fn == kPow) return JsPow(a, b);
  if (std::isnan(a) || std::isnan(b)) return NAN;
  return fn == kMin ? (a < b ? a : b) : (a > b ? a : b);
}

}  // namespace plx::graph::expr_math
