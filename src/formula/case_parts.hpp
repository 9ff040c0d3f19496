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

// The equations of fcz(: the group split at "," with pieces that are not
// balanced joined again to the next one (the comma restored), so "f(x,y)=0"
// stays one equation.
std::vector<std::wstring> SplitEquations(const std::wstring& inner);

// The operands of the "/" at in.pos and the text they replace: left and right
// operands as found, and each without its outer round brackets when the whole
// operand is one round group.
struct FractionParts {
  std::wstring target, numerator, denominator;
};
FractionParts ReadFraction(const CaseInput& in, bool digitRuns, const FormulaNotice& notice);

// Rows of a matrix argument: split at "|", elements at ",".
std::vector<std::vector<std::wstring>> MatrixRows(const std::wstring& inner);

// The integer n with n * n == count, or 0 when count is no perfect square.
int SquareSide(size_t count);

}  // namespace plx
