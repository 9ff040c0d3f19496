#pragma once
// The arithmetic behind the number dialogs, on whole numbers that fit in 64
// bits. Every result that would not fit is reported as missing instead of
// wrapping round, so a dialog never shows a wrong number.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plx::numbers {

struct Fraction {
  int64_t numerator = 0;
  int64_t denominator = 1;
  bool operator==(const Fraction&) const = default;
};

// a/b in lowest terms with a positive denominator; b must not be 0.
Fraction Reduce(int64_t a, int64_t b);

// What a decimal text reads as: a fraction, or why it is none.
enum class DecimalError { None, NotANumber, TooLong };
struct DecimalReading {
  Fraction value;
  DecimalError error = DecimalError::None;
};
// A decimal such as "0.25", "-1.5", "3" or one with its repeating digits in
// brackets ("0.1(6)", "0.(3)", "1.2(34)"), as a fraction in lowest terms.
DecimalReading DecimalToFraction(const std::wstring& text);

struct PrimePower {
  uint32_t prime;
  int exponent;
  bool operator==(const PrimePower&) const = default;
};
// The prime factors of n (at least 1) in increasing order; 1 has none.
std::vector<PrimePower> Factorize(uint32_t n);

// The n-th root of a written as k times the n-th root of r, with k as large
// as possible (a = k^n * r). n is at least 1.
struct Radical {
  uint32_t coefficient;
  uint32_t radicand;
  bool operator==(const Radical&) const = default;
};
Radical SimplifyRadical(uint32_t n, uint32_t a);

// Arrangements n!/(n-m)! and combinations n!/(m!(n-m)!) for 0 <= m <= n;
// missing when the value does not fit in 64 bits.
std::optional<uint64_t> Arrangements(uint64_t n, uint64_t m);
std::optional<uint64_t> Combinations(uint64_t n, uint64_t m);

}  // namespace plx::numbers
