#include "formula/numbers/whole_input.hpp"

#include "common/text.hpp"
#include "formula/numbers/number_theory.hpp"

namespace plx::numbers {

WholeInput ReadWhole(const std::wstring& text) {
  if (NumberText(text).empty()) return {0, WholeStatus::Empty};
  const DecimalReading r = DecimalToFraction(text);
  switch (r.error) {
    case DecimalError::NotANumber: return {0, WholeStatus::NotWhole};
    case DecimalError::TooLong: return {0, WholeStatus::OutOfRange};
    case DecimalError::None: break;
  }
  if (r.value.denominator != 1) return {0, WholeStatus::NotWhole};
  return {r.value.numerator, WholeStatus::Ok};
}

}  // namespace plx::numbers
