#include "formula/numbers/number_theory.hpp"

#include <cwctype>
#include <numeric>

#include "common/text.hpp"

namespace plx::numbers {
namespace {

using u128 = unsigned __int128;

constexpr u128 kMax64 = static_cast<u128>(INT64_MAX);

// Digits as a number; missing when the value passes the 64-bit range.
std::optional<u128> DigitsValue(const std::wstring& digits) {
  u128 v = 0;
  for (wchar_t c : digits) {
    v = v * 10 + static_cast<u128>(c - L'0');
    if (v > kMax64 * 10) return std::nullopt;
  }
  return v;
}

std::optional<u128> PowerOfTen(size_t k) {
  u128 v = 1;
  for (size_t i = 0; i < k; ++i) {
    v *= 10;
    if (v > kMax64 * 10) return std::nullopt;
  }
  return v;
}

bool AllDigits(const std::wstring& s) {
  for (wchar_t c : s)
    if (c < L'0' || c > L'9') return false;
  return true;
}

u128 Gcd(u128 a, u128 b) {
  while (b != 0) {
    const u128 t = a % b;
    a = b;
    b = t;
  }
  return a;
}

}  // namespace

Fraction Reduce(int64_t a, int64_t b) {
  // Work on magnitudes in 128 bits so INT64_MIN has a magnitude too.
  const bool negative = (a < 0) != (b < 0) && a != 0;
  const u128 ma = a < 0 ? static_cast<u128>(-(a + 1)) + 1 : static_cast<u128>(a);
  const u128 mb = b < 0 ? static_cast<u128>(-(b + 1)) + 1 : static_cast<u128>(b);
  const u128 g = Gcd(ma, mb);
  const u128 n = ma / g, d = mb / g;
  // Only -2^63 / 1 would not fit after the sign moves; it stays as it was.
  if (n > kMax64 || d > kMax64) return {a, b};
  const auto sn = static_cast<int64_t>(n);
  return {negative ? -sn : sn, static_cast<int64_t>(d)};
}

DecimalReading DecimalToFraction(const std::wstring& input) {
  std::wstring text = NumberText(input);
  bool negative = false;
  if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) {
    negative = text[0] == L'-';
    text.erase(0, 1);
  }
  std::wstring whole = text, fixed, repeating;
  if (const size_t dot = text.find(L'.'); dot != std::wstring::npos) {
    whole = text.substr(0, dot);
    fixed = text.substr(dot + 1);
    if (const size_t open = fixed.find(L'('); open != std::wstring::npos) {
      if (fixed.back() != L')') return {{}, DecimalError::NotANumber};
      repeating = fixed.substr(open + 1, fixed.size() - open - 2);
      fixed.erase(open);
      if (repeating.empty()) return {{}, DecimalError::NotANumber};
    }
  }
  if (!AllDigits(whole) || !AllDigits(fixed) || !AllDigits(repeating) || (whole.empty() && fixed.empty() && repeating.empty()))
    return {{}, DecimalError::NotANumber};
  // I.F(R) = (IFR - IF) / (10^|F| * (10^|R| - 1)); without R it is IF / 10^|F|.
  const auto withFixed = DigitsValue(whole + fixed);
  const auto withAll = DigitsValue(whole + fixed + repeating);
  const auto scale = PowerOfTen(fixed.size());
  const auto period = PowerOfTen(repeating.size());
  if (!withFixed || !withAll || !scale || !period) return {{}, DecimalError::TooLong};
  u128 numerator = *withFixed, denominator = *scale;
  if (!repeating.empty()) {
    numerator = *withAll - *withFixed;
    denominator = *scale * (*period - 1);
  }
  const u128 g = Gcd(numerator, denominator);
  numerator /= g;
  denominator /= g;
  if (numerator > kMax64 || denominator > kMax64) return {{}, DecimalError::TooLong};
  const auto n = static_cast<int64_t>(numerator);
  return {{negative ? -n : n, static_cast<int64_t>(denominator)}, DecimalError::None};
}

std::vector<PrimePower> Factorize(uint32_t n) {
  std::vector<PrimePower> factors;
  uint64_t rest = n;
  for (uint64_t p = 2; p * p <= rest; ++p) {
    int e = 0;
    while (rest % p == 0) {
      rest /= p;
      ++e;
    }
    if (e > 0) factors.push_back({static_cast<uint32_t>(p), e});
  }
  if (rest > 1) factors.push_back({static_cast<uint32_t>(rest), 1});
  return factors;
}

Radical SimplifyRadical(uint32_t n, uint32_t a) {
  if (a == 0) return {0, 1};
  uint64_t k = 1;
  for (const PrimePower& f : Factorize(a))
    for (uint32_t i = 0; i < static_cast<uint32_t>(f.exponent) / n; ++i) k *= f.prime;
  if (k == 1) return {1, a};
  uint64_t kn = 1;
  for (uint32_t i = 0; i < n && kn <= a; ++i) kn *= k;
  return {static_cast<uint32_t>(k), static_cast<uint32_t>(a / kn)};
}

std::optional<uint64_t> Arrangements(uint64_t n, uint64_t m) {
  u128 v = 1;
  for (uint64_t i = n - m + 1; i <= n && m > 0; ++i) {
    v *= i;
    if (v > UINT64_MAX) return std::nullopt;
  }
  return static_cast<uint64_t>(v);
}

std::optional<uint64_t> Combinations(uint64_t n, uint64_t m) {
  if (m > n - m) m = n - m;
  // C(n, i) = C(n, i-1) * (n-m+i) / i stays whole at every step; the product
  // is taken in 128 bits after dividing out what can be divided first.
  u128 v = 1;
  for (uint64_t i = 1; i <= m; ++i) {
    const u128 g = Gcd(v, i);
    const u128 factor = (n - m + i) / (i / g);
    v = (v / g) * factor;
    if (v > UINT64_MAX) return std::nullopt;
  }
  return static_cast<uint64_t>(v);
}

}  // namespace plx::numbers
