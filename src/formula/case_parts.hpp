#pragma once
// Readings of a case's arguments that every builder shares, so that each
// builder only decides how to write the result.
#include <string>
#include <utility>
#include <vector>

#include "formula/rewrite_engine.hpp"

namespace plx {

// A circle centre coordinate: "0" (no shift), a negative number written with
// its "-" (the shift is "+" and the number without the sign), or anything else.
enum class CentreKind { Zero, Negative, Other };
CentreKind ClassifyCentre(const std::wstring& coordinate);
// The coordinate without its leading "-".
std::wstring WithoutMinus(const std::wstring& s);

// The square of a numeric radius as a number ("9", "2.25"), or empty when the
// radius is no number (the builder writes r squared as a power).
std::wstring SquareOfNumber(const std::wstring& radius);

// Arguments of ty( and sqx(: A and B trimmed; for sqx( a leading "-" on A
// puts the y term first and is removed from A.
struct ConicArgs {
  std::wstring a, b;
  bool yFirst = false;
};
ConicArgs ReadConicArgs(const CaseInput& in, bool hyperbola);

// The two stacked indices of PLA( ... PL(: the upper and the lower one, swapped
// when the textbook order is chosen.
std::pair<std::wstring, std::wstring> StackedIndices(const CaseInput& in, bool swap);

// The operand without its outer round brackets when the whole operand is one
// round group ("(a+b)" gives "a+b"; "(a)(b)" and "[a]" stay).
std::wstring StripRoundGroup(const std::wstring& operand);

// A circle: yuan(r) is centred at the origin; yuan(a,b,r) gives the bases
// "x", "(x+1)" or "(x-a)" and likewise for y. A numeric radius comes squared;
// any other radius is the base of a square, in round brackets when it is more
// than one symbol (the square of a+b is (a+b)^2, not a+b^2).
struct CircleParts {
  bool centred = true;
  std::wstring xBase = L"x", yBase = L"y";
  bool yAtZero = true;
  std::wstring radiusSquared;  // the number, or empty
  std::wstring radiusBase;     // used when radiusSquared is empty
};
CircleParts ReadCircle(const CaseInput& in);

// The operands of the "/" at in.pos and the text they replace: left and right
// operands as found, and each without its outer round brackets when the whole
// operand is one round group.
struct FractionParts {
  std::wstring target, numerator, denominator;
  std::wstring numeratorText;  // the left operand as it stands before the "/"
};
FractionParts ReadFraction(const CaseInput& in, bool digitRuns, const FormulaNotice& notice);

// Rows of a matrix argument: split at "|", elements at ",".
std::vector<std::vector<std::wstring>> MatrixRows(const std::wstring& inner);

// The integer n with n * n == count, or 0 when count is no perfect square.
int SquareSide(size_t count);

}  // namespace plx
