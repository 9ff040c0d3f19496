#include "figures/vertical_layout.hpp"

#include <algorithm>

namespace plx::figures {
namespace {

int Digits(int64_t v) { return static_cast<int>(std::to_wstring(v).size()); }

// Addition and subtraction: both operands, the operator and the result
// under a rule, all right-aligned to the units column.
VerticalLayout Column(int64_t a, int64_t b, const wchar_t* op, int64_t result) {
  VerticalLayout l;
  l.rows = 3;
  l.columns = std::max(Digits(a), Digits(b)) + 1;
  l.PutRight(1, l.columns, std::to_wstring(a));
  l.PutRight(2, l.columns, std::to_wstring(b));
  l.cells[{2, 1}] = op;
  l.PutRight(3, l.columns, result < 0 ? L"－" + std::to_wstring(-result) : std::to_wstring(result));
  l.rules.push_back({L"竖式横线", 3, 1, l.columns});
  return l;
}

}  // namespace

std::wstring VerticalLayout::Cell(int row, int column) const {
  auto it = cells.find({row, column});
  return it == cells.end() ? L"" : it->second;
}

void VerticalLayout::PutRight(int row, int last, const std::wstring& text) {
  // "－" counts as one cell like a digit.
  const int n = static_cast<int>(text.size());
  for (int i = 0; i < n; ++i) cells[{row, last - n + 1 + i}] = text.substr(i, 1);
}

VerticalLayout AdditionLayout(int64_t a, int64_t b) { return Column(a, b, L"＋", a + b); }
VerticalLayout SubtractionLayout(int64_t a, int64_t b) { return Column(a, b, L"－", a - b); }

VerticalLayout MultiplicationLayout(int64_t a, int64_t b) {
  VerticalLayout l;
  const std::wstring digits = std::to_wstring(b);
  const int nb = static_cast<int>(digits.size());
  const int64_t product = a * b;
  int longest = std::max({Digits(a), nb, Digits(product)});
  std::vector<int64_t> partials;
  if (nb > 1) {
    // Partial products from the units digit up, each one column further left.
    for (int k = 0; k < nb; ++k) {
      partials.push_back(a * (digits[nb - 1 - k] - L'0'));
      longest = std::max(longest, Digits(partials.back()) + k);
    }
  }
  l.columns = longest + 1;
  l.rows = nb > 1 ? nb + 3 : 3;
  l.PutRight(1, l.columns, std::to_wstring(a));
  l.PutRight(2, l.columns, digits);
  l.cells[{2, 1}] = L"×";
  l.rules.push_back({L"竖式横线1", 3, 1, l.columns});
  for (int k = 0; k < static_cast<int>(partials.size()); ++k)
    l.PutRight(3 + k, l.columns - k, std::to_wstring(partials[k]));
  if (nb > 1) l.rules.push_back({L"竖式横线2", l.rows, 1, l.columns});
  l.PutRight(l.rows, l.columns, std::to_wstring(product));
  return l;
}

VerticalLayout DivisionLayout(int64_t a, int64_t b) {
  VerticalLayout l;
  const std::wstring dividend = std::to_wstring(a);
  const int na = static_cast<int>(dividend.size()), nb = Digits(b);
  l.columns = na + nb;
  l.bracketColumn = nb + 1;
  l.PutRight(2, nb, std::to_wstring(b));
  l.PutRight(2, l.columns, dividend);
  l.rules.push_back({L"竖式横线", 2, nb + 1, l.columns});
  const auto column = [&](int i) { return nb + 1 + i; };  // the column of dividend digit i
  int64_t current = 0;
  bool started = false;
  int remainderRow = 2;  // the row that shows what is being divided now
  for (int i = 0; i < na; ++i) {
    current = current * 10 + (dividend[i] - L'0');
    if (started && remainderRow > 2) {
      // The next digit is brought down beside the remainder.
      for (int c = 1; c <= l.columns; ++c) l.cells.erase({remainderRow, c});
      l.PutRight(remainderRow, column(i), std::to_wstring(current));
    }
    if (!started && current < b && i < na - 1) continue;  // no quotient digit over a leading part
    started = true;
    const int64_t q = current / b;
    l.cells[{1, column(i)}] = std::wstring(1, static_cast<wchar_t>(L'0' + q));
    if (q == 0) continue;  // a zero in the quotient: the next digit is brought down as well
    const int64_t taken = q * b;
    current -= taken;
    l.PutRight(remainderRow + 1, column(i), std::to_wstring(taken));
    l.rules.push_back({L"竖式横线1", remainderRow + 2, column(i) - Digits(taken) + 1, column(i)});
    remainderRow += 2;
    l.PutRight(remainderRow, column(i), std::to_wstring(current));
  }
  l.rows = remainderRow;
  return l;
}

}  // namespace plx::figures
