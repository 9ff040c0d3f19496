// The arithmetic of the number dialogs: exact results, and refusals instead
// of wrapped-round numbers at the edges of 64 bits.
#include <gtest/gtest.h>

#include "formula/numbers/number_theory.hpp"
#include "formula/numbers/whole_input.hpp"

namespace plx::numbers {
namespace {

TEST(NumberTheory, FractionsReduceWithTheSignOnTop) {
  EXPECT_EQ(Reduce(12, 18), (Fraction{2, 3}));
  EXPECT_EQ(Reduce(3, -6), (Fraction{-1, 2}));
  EXPECT_EQ(Reduce(-4, -8), (Fraction{1, 2}));
  EXPECT_EQ(Reduce(0, 5), (Fraction{0, 1}));
  EXPECT_EQ(Reduce(INT64_MIN, 2), (Fraction{INT64_MIN / 2, 1}));
}

TEST(NumberTheory, DecimalsFiniteAndRecurring) {
  EXPECT_EQ(DecimalToFraction(L"0.25").value, (Fraction{1, 4}));
  EXPECT_EQ(DecimalToFraction(L" -1.5 ").value, (Fraction{-3, 2}));
  EXPECT_EQ(DecimalToFraction(L"0.1(6)").value, (Fraction{1, 6}));
  EXPECT_EQ(DecimalToFraction(L"0.(3)").value, (Fraction{1, 3}));
  EXPECT_EQ(DecimalToFraction(L"1.2(34)").value, (Fraction{611, 495}));
  EXPECT_EQ(DecimalToFraction(L"0.(9)").value, (Fraction{1, 1}));
  EXPECT_EQ(DecimalToFraction(L"０．１（６）").value, (Fraction{1, 6}));  // typed full width
  EXPECT_EQ(DecimalToFraction(L".5").value, (Fraction{1, 2}));
  for (const wchar_t* bad : {L"", L"abc", L"1.2.3", L"0.1(6", L"0.()", L"1/2", L"-", L"0.1(6)7"})
    EXPECT_EQ(DecimalToFraction(bad).error, DecimalError::NotANumber) << bad;
  EXPECT_EQ(DecimalToFraction(L"0.0000000000000000000001").error, DecimalError::TooLong);
  EXPECT_EQ(DecimalToFraction(L"99999999999999999999").error, DecimalError::TooLong);
}

TEST(NumberTheory, WholeInputsAreExactOrRefused) {
  EXPECT_EQ(ReadWhole(L" 9007199254740993 ").value, 9007199254740993);  // past double precision
  EXPECT_EQ(ReadWhole(L"4.0").value, 4);
  EXPECT_EQ(ReadWhole(L"  ").status, WholeStatus::Empty);
  EXPECT_EQ(ReadWhole(L"2.5").status, WholeStatus::NotWhole);
  EXPECT_EQ(ReadWhole(L"12abc").status, WholeStatus::NotWhole);
  EXPECT_EQ(ReadWhole(L"99999999999999999999").status, WholeStatus::OutOfRange);
}

TEST(NumberTheory, PrimeFactors) {
  EXPECT_EQ(Factorize(360), (std::vector<PrimePower>{{2, 3}, {3, 2}, {5, 1}}));
  EXPECT_EQ(Factorize(97), (std::vector<PrimePower>{{97, 1}}));
  EXPECT_TRUE(Factorize(1).empty());
  EXPECT_EQ(Factorize(2147483647), (std::vector<PrimePower>{{2147483647, 1}}));
  EXPECT_EQ(Factorize(4294967295u), (std::vector<PrimePower>{{3, 1}, {5, 1}, {17, 1}, {257, 1}, {65537, 1}}));
}

TEST(NumberTheory, Radicals) {
  EXPECT_EQ(SimplifyRadical(2, 72), (Radical{6, 2}));
  EXPECT_EQ(SimplifyRadical(2, 49), (Radical{7, 1}));
  EXPECT_EQ(SimplifyRadical(3, 54), (Radical{3, 2}));
  EXPECT_EQ(SimplifyRadical(2, 7), (Radical{1, 7}));
  EXPECT_EQ(SimplifyRadical(1, 12), (Radical{12, 1}));
  EXPECT_EQ(SimplifyRadical(2, 0), (Radical{0, 1}));
  EXPECT_EQ(SimplifyRadical(2147483647, 2147483647), (Radical{1, 2147483647}));
  EXPECT_EQ(SimplifyRadical(31, 2147483648u), (Radical{2, 1}));
}

TEST(NumberTheory, ArrangementsAndCombinationsUpTo64Bits) {
  EXPECT_EQ(Combinations(5, 2), 10u);
  EXPECT_EQ(Arrangements(5, 2), 20u);
  EXPECT_EQ(Arrangements(5, 0), 1u);
  EXPECT_EQ(Combinations(7, 7), 1u);
  EXPECT_EQ(Arrangements(20, 20), 2432902008176640000u);
  EXPECT_FALSE(Arrangements(21, 21));
  EXPECT_EQ(Combinations(67, 33), 14226520737620288370u);
  EXPECT_FALSE(Combinations(68, 34));
  EXPECT_EQ(Combinations(UINT64_MAX, 1), UINT64_MAX);
  EXPECT_FALSE(Combinations(UINT64_MAX, 2));
}

}  // namespace
}  // namespace plx::numbers
