#include "common/vbnum.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/error.hpp"
#include "common/text.hpp"

namespace plx {
namespace {

bool IsValBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Reads a radix-prefixed integer after "&H" / "&O"; 16-bit values wrap to
// negative the way the language reads them.
double ReadRadix(const std::wstring& s, size_t pos, int radix) {
  uint64_t v = 0;
  size_t n = 0;
  for (; pos < s.size() && n < 16; ++pos, ++n) {
    wchar_t c = s[pos];
    int d;
    if (IsDigit(c)) d = c - L'0';
    else if (radix == 16 && c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (radix == 16 && c >= L'A' && c <= L'F') d = c - L'A' + 10;
    else break;
    if (d >= radix) break;
    v = v * radix + d;
  }
  if (v <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(v));
  if (v <= 0xFFFFFFFFull) return static_cast<double>(static_cast<int32_t>(v));
  return static_cast<double>(v);
}

// Length of the longest numeric prefix of s: sign, digits, point, digits,
// and an E or D exponent with optional sign.
size_t NumericPrefix(const std::wstring& s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ++i;
  size_t mantissaStart = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  if (i < s.size() && s[i] == L'.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
  }
  bool anyDigit = false;
  for (size_t k = mantissaStart; k < i; ++k) anyDigit |= IsDigit(s[k]);
  if (!anyDigit) return 0;
  if (i < s.size() && (s[i] == L'e' || s[i] == L'E' || s[i] == L'd' || s[i] == L'D')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == L'+' || s[j] == L'-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

double ParseNumber(const std::wstring& s) {
  std::string ascii;
  for (wchar_t c : s) ascii += (c == L'd' || c == L'D') ? 'e' : static_cast<char>(c);
  return std::strtod(ascii.c_str(), nullptr);
}

// Decimal digits of |value| rounded to 15 significant digits.
struct Decimal {
  bool negative = false;
  std::string intDigits;   // without leading zeros; empty for 0
  std::string fracDigits;  // without trailing zeros
};

// Drops leading zeros of the integer part and trailing zeros of the
// fraction; zero has no sign.
void Normalise(Decimal& d) {
  size_t nz = d.intDigits.find_first_not_of('0');
  d.intDigits = nz == std::string::npos ? "" : d.intDigits.substr(nz);
  size_t lastNz = d.fracDigits.find_last_not_of('0');
  d.fracDigits = lastNz == std::string::npos ? "" : d.fracDigits.substr(0, lastNz + 1);
  if (d.intDigits.empty() && d.fracDigits.empty()) d.negative = false;
}

Decimal ToDecimal(double value) {
  Decimal d;
  d.negative = std::signbit(value) && value != 0.0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string s(buf);
  size_t ePos = s.find('e');
  std::string mant = s.substr(0, ePos);
  int exponent = std::atoi(s.c_str() + ePos + 1);
  std::string digits;
  for (char c : mant) if (c != '.') digits += c;
  // digits = d0 d1 ... d14, value = d0.d1d2... * 10^exponent
  int pointAt = exponent + 1;  // number of digits before the decimal point
  if (pointAt <= 0) {
    d.fracDigits = std::string(static_cast<size_t>(-pointAt), '0') + digits;
  } else if (pointAt >= static_cast<int>(digits.size())) {
    d.intDigits = digits + std::string(pointAt - digits.size(), '0');
  } else {
    d.intDigits = digits.substr(0, pointAt);
    d.fracDigits = digits.substr(pointAt);
  }
  Normalise(d);
  return d;
}

// Keeps `keep` fraction digits, rounding half away from zero.
void RoundDecimal(Decimal& d, size_t keep) {
  if (d.fracDigits.size() <= keep) return;
  bool up = d.fracDigits[keep] >= '5';
  std::string all = d.intDigits + d.fracDigits.substr(0, keep);
  if (up) {
    int i = static_cast<int>(all.size()) - 1;
    while (i >= 0 && all[i] == '9') all[i--] = '0';
    if (i >= 0) ++all[i];
    else all.insert(all.begin(), '1');
  }
  size_t intLen = all.size() - keep;
  d.intDigits = all.substr(0, intLen);
  d.fracDigits = all.substr(intLen);
  Normalise(d);
}

double CheckedRound(double value, double lo, double hi) {
  if (std::isnan(value)) Raise(err::kOverflow);
  double r = std::nearbyint(value);  // the default rounding mode is half to even
  if (r < lo || r > hi) Raise(err::kOverflow);
  return r;
}

}  // namespace

double Val(std::wstring_view text) {
  std::wstring s;
  for (wchar_t c : text) if (!IsValBlank(c)) s += c;
  if (s.size() >= 2 && s[0] == L'&') {
    if (s[1] == L'h' || s[1] == L'H') return ReadRadix(s, 2, 16);
    if (s[1] == L'o' || s[1] == L'O') return ReadRadix(s, 2, 8);
  }
  size_t n = NumericPrefix(s);
  return n == 0 ? 0.0 : ParseNumber(s.substr(0, n));
}

double CDbl(std::wstring_view text) {
  std::wstring s = Trim(text);
  size_t n = NumericPrefix(s);
  if (n == 0 || n != s.size()) Raise(err::kTypeMismatch);
  return ParseNumber(s);
}

bool IsNumeric(std::wstring_view text) {
  std::wstring s = Trim(text);
  return !s.empty() && NumericPrefix(s) == s.size();
}

bool CBool(std::wstring_view text) {
  std::wstring s = LCase(Trim(text));
  if (s == L"true") return true;
  if (s == L"false") return false;
  return CDbl(s) != 0.0;
}

int16_t CInt(double value) {
  return static_cast<int16_t>(CheckedRound(value, -32768.0, 32767.0));
}

int32_t CLng(double value) {
  return static_cast<int32_t>(CheckedRound(value, -2147483648.0, 2147483647.0));
}

double Int(double value) { return std::floor(value); }
double Fix(double value) { return std::trunc(value); }

int32_t IntDiv(double a, double b) {
  int32_t x = CLng(a), y = CLng(b);
  if (y == 0) Raise(err::kDivisionByZero);
  if (x == INT32_MIN && y == -1) Raise(err::kOverflow);
  return x / y;
}

int32_t Mod(double a, double b) {
  int32_t x = CLng(a), y = CLng(b);
  if (y == 0) Raise(err::kDivisionByZero);
  if (y == -1) return 0;
  return x % y;
}

std::wstring DecimalText(double value) {
  if (std::isnan(value)) return L"NaN";
  if (std::isinf(value)) return value > 0 ? L"1.#INF" : L"-1.#INF";
  if (value == 0.0) return L"0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  return Utf8ToWide(buf);
}

std::wstring Str(double value) {
  std::wstring t = DecimalText(value);
  bool negative = !t.empty() && t[0] == L'-';
  std::wstring body = negative ? t.substr(1) : t;
  if (StartsWith(body, L"0.")) body = body.substr(1);
  return (negative ? L"-" : L" ") + body;
}

std::wstring Format(double value, std::wstring_view format) {
  size_t point = format.find(L'.');
  std::wstring_view intPart = format.substr(0, point);
  std::wstring_view fracPart =
      point == std::wstring_view::npos ? std::wstring_view{} : format.substr(point + 1);
  size_t minInt = 0;
  size_t firstZero = intPart.find(L'0');
  if (firstZero != std::wstring_view::npos) minInt = intPart.size() - firstZero;
  size_t minFrac = 0;
  for (wchar_t c : fracPart) {
    if (c == L'0') ++minFrac;
    else break;
  }
  size_t maxFrac = fracPart.size();

  Decimal d = ToDecimal(value);
  RoundDecimal(d, maxFrac);
  std::string intDigits = d.intDigits;
  if (intDigits.size() < minInt) intDigits.insert(0, minInt - intDigits.size(), '0');
  std::string frac = d.fracDigits;
  if (frac.size() < minFrac) frac.append(minFrac - frac.size(), '0');
  std::string out = (d.negative ? "-" : "") + intDigits;
  if (point != std::wstring_view::npos) out += "." + frac;
  return Utf8ToWide(out);
}

}  // namespace plx
