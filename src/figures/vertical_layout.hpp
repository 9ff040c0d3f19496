#pragma once
// The written column methods as a grid of one-character cells: addition,
// subtraction, multiplication with partial products and long division,
// laid out as a primary-school textbook writes them. Rows and columns count
// from 1, row 1 at the top, the last column the units column.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace plx::figures {

struct VerticalLayout {
  int rows = 0, columns = 0;
  std::map<std::pair<int, int>, std::wstring> cells;  // (row, column) → one character
  // A rule along the top edge of `row`, from the left edge of column `from`
  // to the right edge of column `to`.
  struct Rule {
    std::wstring role;
    int row = 0, from = 0, to = 0;
  };
  std::vector<Rule> rules;
  // Long division: the bracket stands at the left edge of this column in
  // row 2 (0: none).
  int bracketColumn = 0;

  std::wstring Cell(int row, int column) const;
  // Writes `text` in `row` so that its last character is in column `last`.
  void PutRight(int row, int last, const std::wstring& text);
};

// a + b, a − b, a × b, a ÷ b for positive whole numbers. A difference below
// 0 is written with "－" before its digits.
VerticalLayout AdditionLayout(int64_t a, int64_t b);
VerticalLayout SubtractionLayout(int64_t a, int64_t b);
VerticalLayout MultiplicationLayout(int64_t a, int64_t b);
// Quotient in row 1 over the dividend, divisor and dividend in row 2, then
// per step the product under the digits it is taken from and the remainder
// with the next digits brought down; the last row holds the final remainder.
VerticalLayout DivisionLayout(int64_t a, int64_t b);

}  // namespace plx::figures
