#pragma once
// The macro language's number semantics, written once: the leading-number
// parse, text to boolean, rounding half to even into 16- and 32-bit
// integers, integer part, the decimal text of a double and the number
// formats the program uses. Faults raise VbError (6 overflow, 11 division
// by zero, 13 type mismatch) instead of crashing.
#include <cstdint>
#include <string>
#include <string_view>

namespace plx {

// Leading-number parse: blanks, tabs and line feeds are skipped anywhere,
// a number is read as far as it goes (&H and &O prefixes included) and a
// text that does not begin with a number reads 0.
double Val(std::wstring_view text);

// Strict conversion of a whole text to a number (error 13 when it is none).
double CDbl(std::wstring_view text);
// Whether the whole text, blanks around it aside, is a number CDbl reads.
bool IsNumeric(std::wstring_view text);
// "True"/"False" in any letter case, or a number (0 false, else true);
// anything else is error 13.
bool CBool(std::wstring_view text);

// Round half to even; error 6 when the result does not fit.
int16_t CInt(double value);
int32_t CLng(double value);
// Integer part: Int rounds down, Fix rounds toward zero.
double Int(double value);
double Fix(double value);
// Integer division and remainder of the rounded operands; error 11 on zero.
int32_t IntDiv(double a, double b);
int32_t Mod(double a, double b);

// Decimal text of a double: at most 15 significant digits, no trailing
// zeros, exponent form ("1E+16", "1E-05") outside the fixed range.
std::wstring DecimalText(double value);
// As DecimalText, with one leading blank for a non-negative value and the
// zero before the decimal point dropped (" 42", " .5", "-.5").
std::wstring Str(double value);

// Number formats built from digit placeholders: "0" always shows a digit,
// "#" only a significant one; a "." in the format is always written.
// Rounds half away from zero on the decimal digits ("#.###", "0.00",
// "0.##", "00#", "00000000", ...). The result is the value later steps use.
std::wstring Format(double value, std::wstring_view format);

}  // namespace plx
