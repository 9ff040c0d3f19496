#pragma once
// The value of the power operator "^" of the macro language, written once for every place
// that computes it (the evaluation of an expression and the folding of its constant parts
// alike), so that a power of a variable and the same power with the number written in agree
// bit for bit.
//
// A whole exponent from 2 to 8 is computed by multiplying in double-double arithmetic (each
// product kept together with its exact rounding error), and the result is rounded once at
// the end. That is the correctly rounded power except where the exact power lies within
// about 2^-100 of its value from a halfway point between two doubles (exact halfway cases,
// which need few significant bits, are computed exactly and round half to even); the
// library's pow is only nearly correctly rounded, so the two may differ in the last place.
// Results too large or too small for the error terms to stay exact (beyond 2^900 or below
// 2^-900), zeros, infinities and NaN take pow. Every other exponent takes pow.
//
// The functions are always inlined and free of calls in their common case, so that loops over
// many values vectorise, at every vector width (common/vector_width.hpp).
#include <cmath>

#include "common/vector_width.hpp"

namespace plx {

// The exact rounding error of product == a * b, rounded: a * b == product + result exactly
// (barring overflow and underflow).
PLX_KERNEL double ProductError(double a, double b, double product) {
#if defined(__FMA__)
  return std::fma(a, b, -product);
#else
  // Dekker's product on halves of 26 significant bits (Veltkamp's split); without fused
  // multiply-add instructions the compiler cannot contract these steps.
  auto split = [](double v, double& high, double& low) {
    const double c = 134217729.0 * v;  // 2^27 + 1
    high = c - (c - v);
    low = v - high;
  };
  double ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  return ((ah * bh - product) + ah * bl + al * bh) + al * bl;
#endif
}

namespace exact_power_detail {

// high + low, with |low| at most half an ulp of high.
struct Pair {
  double high, low;
};

// s + e renormalised (|s| >= |e|): high is s + e rounded, low its exact error.
PLX_KERNEL Pair Renormalise(double s, double e) {
  const double high = s + e;
  return {high, e - (high - s)};
}

PLX_KERNEL Pair Times(Pair a, double b) {
  const double p = a.high * b;
  return Renormalise(p, ProductError(a.high, b, p) + a.low * b);
}

PLX_KERNEL Pair Times(Pair a, Pair b) {
  const double p = a.high * b.high;
  return Renormalise(p, ProductError(a.high, b.high, p) + (a.high * b.low + a.low * b.high));
}

// x^N by squaring and multiplying, from the highest bit of N down.
template <int N>
PLX_KERNEL Pair PowerPair(double x) {
  if constexpr (N == 1) {
    return {x, 0};
  } else {
    const Pair half = PowerPair<N / 2>(x);
    const Pair square = Times(half, half);
    if constexpr (N % 2 == 1) return Times(square, x);
    else return square;
  }
}

}  // namespace exact_power_detail

// The smallest and largest exponents computed by products.
constexpr int kProductPowerMin = 2;
constexpr int kProductPowerMax = 8;

// x^N by products, rounded once; meaningful only where ProductPowerHolds(result).
template <int N>
PLX_KERNEL double PowerByProducts(double x) {
  static_assert(N >= kProductPowerMin && N <= kProductPowerMax);
  if constexpr (N == 2) return x * x;  // one product is already correctly rounded
  else return exact_power_detail::PowerPair<N>(x).high;
}

// Whether a result of PowerByProducts is the power (its error terms stayed exact).
PLX_KERNEL bool ProductPowerHolds(double result) {
  const double magnitude = std::fabs(result);
  return magnitude >= 0x1p-900 && magnitude <= 0x1p900;
}

// x^n for a whole n from 2 to 8.
inline double WholePower(double x, int n) {
  if (n == 2) return x * x;  // correctly rounded over the whole range
  double r;
  switch (n) {
    case 3: r = PowerByProducts<3>(x); break;
    case 4: r = PowerByProducts<4>(x); break;
    case 5: r = PowerByProducts<5>(x); break;
    case 6: r = PowerByProducts<6>(x); break;
    case 7: r = PowerByProducts<7>(x); break;
    default: r = PowerByProducts<8>(x); break;
  }
  return ProductPowerHolds(r) ? r : std::pow(x, n);
}

// a ^ b: the power above for a whole b from 2 to 8, pow otherwise.
inline double Power(double a, double b) {
  if (b >= kProductPowerMin && b <= kProductPowerMax && b == std::trunc(b))
    return WholePower(a, static_cast<int>(b));
  return std::pow(a, b);
}

}  // namespace plx
