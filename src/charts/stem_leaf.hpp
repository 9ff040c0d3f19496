#pragma once
// Stem-and-leaf plots: one or two series of whole numbers of up to three
// digits, written as a table at the selection. The leaves of one stem follow
// each other in ascending order, separated by blanks; every stem from the
// smallest to the largest gets its row, so an empty stem shows as a gap.
// Two series stand either side of the stems, headed "甲" and "乙", the
// leaves of "甲" read outwards from the stem (the largest nearest to it). Only
// the lines between the columns are drawn. Each column is as wide as its
// widest text at the table's type size with the cells' margins, so no row
// wraps; the rows are single-spaced without space before or after.
#include <optional>
#include <string>
#include <vector>

namespace plx {
class AddinContext;
}

namespace plx::charts {

// A series text cleaned: full-width characters narrowed, every "." removed,
// blanks, ";" and "、" read as separators like ",", line breaks removed,
// empty items dropped.
std::vector<std::wstring> CleanSeries(const std::wstring& text);

struct StemRow {
  int stem = 0;
  std::vector<int> leaves;  // ascending
};

struct StemLeafSeries {
  std::vector<StemRow> rows;  // by stem, ascending, every stem present
  std::wstring message;       // why the series cannot be plotted
};

// The stems and leaves of the items: the last digit is the leaf, the digits
// before it the stem (0 for one digit). Items with more than 3 digits, or
// that are not whole numbers, give the message instead.
StemLeafSeries SplitStems(const std::vector<std::wstring>& items);

// The leaves of a row as written: "2 7", or reversed for the left side.
std::wstring LeafText(const std::vector<int>& leaves, bool reversed);

// Builds the plot of the series texts (one, or "甲" and "乙") at the
// selection; shows the message and builds nothing for bad data.
void InsertStemLeaf(AddinContext& ctx, const std::wstring& first, const std::wstring* second);

}  // namespace plx::charts
