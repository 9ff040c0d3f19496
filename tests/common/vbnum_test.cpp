#include "common/vbnum.hpp"

#include <gtest/gtest.h>

#include "support/error_number.hpp"

#include <cmath>

#include "common/error.hpp"
#include "common/units.hpp"

namespace plx {
namespace {

using test::ErrorNumberOf;

TEST(Val, LeadingNumberParse) {
  EXPECT_EQ(Val(L"12abc"), 12);
  EXPECT_EQ(Val(L"abc"), 0);
  EXPECT_EQ(Val(L""), 0);
  EXPECT_EQ(Val(L"  -3.5e2x"), -350);
  EXPECT_EQ(Val(L"1 2 3"), 123);        // blanks inside are skipped
  EXPECT_EQ(Val(L".5"), 0.5);
  EXPECT_EQ(Val(L"2."), 2);
  EXPECT_EQ(Val(L"-."), 0);
  EXPECT_EQ(Val(L"1e"), 1);             // an exponent without digits is not read
  EXPECT_EQ(Val(L"1,000"), 1);
  EXPECT_EQ(Val(L"&HFF"), 255);
  EXPECT_EQ(Val(L"&HFFFF"), -1);        // 16-bit hexadecimal wraps
  EXPECT_EQ(Val(L"&O17"), 15);
  EXPECT_EQ(Val(L"３"), 0);             // full-width digits are not digits
}

TEST(CBool, WordsNumbersAndMismatch) {
  EXPECT_TRUE(CBool(L"True"));
  EXPECT_TRUE(CBool(L"TRUE"));
  EXPECT_FALSE(CBool(L"false"));
  EXPECT_FALSE(CBool(L"0"));
  EXPECT_TRUE(CBool(L"-1"));
  EXPECT_TRUE(CBool(L"0.5"));
  EXPECT_EQ(ErrorNumberOf([] { CBool(L"yes"); }), err::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { CBool(L""); }), err::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { CDbl(L"12abc"); }), err::kTypeMismatch);
}

TEST(Rounding, HalfToEvenWithOverflow) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_EQ(ErrorNumberOf([] { CInt(32767.5); }), err::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { CInt(-40000); }), err::kOverflow);
  EXPECT_EQ(CLng(100000.5), 100000);
  EXPECT_EQ(ErrorNumberOf([] { CLng(3e9); }), err::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { CLng(NAN); }), err::kOverflow);
  EXPECT_EQ(Int(-2.5), -3);
  EXPECT_EQ(Fix(-2.5), -2);
  EXPECT_EQ(IntDiv(7, 2), 3);
  EXPECT_EQ(Mod(-7, 3), -1);
  EXPECT_EQ(ErrorNumberOf([] { IntDiv(1, 0); }), err::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([] { Mod(1, 0.4); }), err::kDivisionByZero);  // 0.4 rounds to 0
}

TEST(DecimalText, FifteenDigitsNoTrailingZeros) {
  EXPECT_EQ(DecimalText(0.1), L"0.1");
  EXPECT_EQ(DecimalText(0.1 + 0.2), L"0.3");
  EXPECT_EQ(DecimalText(1.0 / 3), L"0.333333333333333");
  EXPECT_EQ(DecimalText(-2.5), L"-2.5");
  EXPECT_EQ(DecimalText(100), L"100");
  EXPECT_EQ(DecimalText(-0.0), L"0");
  EXPECT_EQ(DecimalText(1e16), L"1E+16");
  EXPECT_EQ(DecimalText(123456789012345.0), L"123456789012345");
  EXPECT_EQ(DecimalText(0.0001), L"0.0001");
  EXPECT_EQ(DecimalText(0.00001), L"1E-05");
  EXPECT_EQ(Str(42), L" 42");
  EXPECT_EQ(Str(-7), L"-7");
  EXPECT_EQ(Str(0.5), L" .5");
}

TEST(Format, PlaceholdersAndDecimalRounding) {
  EXPECT_EQ(Format(3.14159, L"#.###"), L"3.142");
  EXPECT_EQ(Format(2, L"#.###"), L"2.");
  EXPECT_EQ(Format(0.5, L"#.###"), L".5");
  EXPECT_EQ(Format(-0.25, L"#.###"), L"-.25");
  EXPECT_EQ(Format(-0.0001, L"#.###"), L".");   // rounds to zero: no sign
  EXPECT_EQ(Format(1.005, L"0.00"), L"1.01");    // decimal, not binary, rounding
  EXPECT_EQ(Format(2.5, L"0.00"), L"2.50");
  EXPECT_EQ(Format(0.12345, L"0.0000"), L"0.1235");
  EXPECT_EQ(Format(0.5, L"0.000"), L"0.500");
  EXPECT_EQ(Format(1.2, L"0.##"), L"1.2");
  EXPECT_EQ(Format(3, L"0.##"), L"3.");
  EXPECT_EQ(Format(7, L"00#"), L"007");
  EXPECT_EQ(Format(36, L"00#"), L"036");
  EXPECT_EQ(Format(1234, L"00000000"), L"00001234");
  EXPECT_EQ(Format(9.9996, L"#.###"), L"10.");
  // The formatted text is the value later steps use.
  EXPECT_DOUBLE_EQ(Val(Format(-1.23456, L"#.###")), -1.235);
}

TEST(Units, ChineseSizesAndPageUnits) {
  EXPECT_EQ(FontSizeFromName(L"五号"), 10.5);
  EXPECT_EQ(FontSizeFromName(L"小六"), 6.875);
  EXPECT_EQ(FontSizeFromName(L"大特号"), 63);
  EXPECT_EQ(FontSizeFromName(L"八号"), 4.5);
  EXPECT_EQ(FontSizeFromName(L"12"), 12);
  EXPECT_EQ(FontSizeFromName(L"10.5磅"), 10.5);
  EXPECT_EQ(FontSizeFromName(L"0"), 0);
  EXPECT_EQ(FontSizeFromName(L"九号"), 0);
  EXPECT_DOUBLE_EQ(CmToPoints(2), 56.8);
  EXPECT_DOUBLE_EQ(MmToPoints(10), 28.4);
  EXPECT_EQ(RGB(255, 0, 0), 255u);
  EXPECT_EQ(RGB(0, 0, 255), 0xFF0000u);
}

}  // namespace
}  // namespace plx
