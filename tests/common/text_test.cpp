#include "common/text.hpp"

#include <gtest/gtest.h>

namespace plx {
namespace {

TEST(Text, Utf8RoundTripAndDamagedInput) {
  std::wstring chinese = L"函数图象 y=x²";
  EXPECT_EQ(Utf8ToWide(WideToUtf8(chinese)), chinese);
  // A stray continuation byte and a truncated sequence become U+FFFD.
  EXPECT_EQ(Utf8ToWide("a\x80z"), L"a\uFFFDz");
  EXPECT_EQ(Utf8ToWide("ok\xE5\x87"), L"ok\uFFFD\uFFFD");
}

TEST(Text, SplitKeepsEmptyPartsAndEmptyTextGivesOne) {
  EXPECT_EQ(Split(L"", L"@@"), std::vector<std::wstring>{L""});
  EXPECT_EQ(Split(L"a@@@@b@@", L"@@"), (std::vector<std::wstring>{L"a", L"", L"b", L""}));
  EXPECT_EQ(Join({L"1", L"2", L"x"}, L"@@"), L"1@@2@@x");
}

TEST(Text, OneBasedPositions) {
  EXPECT_EQ(InStr(L"abcabc", L"c"), 3u);
  EXPECT_EQ(InStr(L"abcabc", L"c", 4), 6u);
  EXPECT_EQ(InStr(L"abc", L"z"), 0u);
  EXPECT_EQ(InStr(L"abc", L"a", 9), 0u);
  EXPECT_EQ(InStrRev(L"a/b/c", L"/"), 4u);
  EXPECT_EQ(Mid(L"坐标系统", 2, 2), L"标系");
  EXPECT_EQ(Mid(L"abc", 3), L"c");
  EXPECT_EQ(Mid(L"abc", 9), L"");
  EXPECT_EQ(Left(L"abc", 9), L"abc");
  EXPECT_EQ(Right(L"abc", 2), L"bc");
}

TEST(Text, TrimOnlyBlanksAndCaseOfLatinGreekFullWidth) {
  EXPECT_EQ(Trim(L"  a b \t"), L"a b \t");
  EXPECT_EQ(LCase(L"ZBXConfig ΑΒ ＡＢ"), L"zbxconfig αβ ａｂ");
  EXPECT_EQ(UCase(L"rxbtn"), L"RXBTN");
}

TEST(Text, WidthFolding) {
  EXPECT_EQ(ToHalfWidth(L"ｘ＋１＝２　（ａ）"), L"x+1=2 (a)");
  EXPECT_EQ(ToFullWidth(L"A. 1"), L"Ａ．　１");
  // Characters outside the folded ranges stay.
  EXPECT_EQ(ToHalfWidth(L"，。、"), L",。、");
  EXPECT_EQ(Replace(L"a--b--", L"--", L"+"), L"a+b+");
  // A typed number: full-width digits, signs and point, and the minus sign of a copied text.
  EXPECT_EQ(NumberText(L" －１２．５ "), L"-12.5");
  EXPECT_EQ(NumberText(L"\u22123"), L"-3");
  EXPECT_EQ(NumberText(L"＋３０　"), L"+30");
}

}  // namespace
}  // namespace plx
