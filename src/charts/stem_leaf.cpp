#include "charts/stem_leaf.hpp"

#include <algorithm>
#include <map>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "docif/range.hpp"

namespace plx::charts {
namespace {

const wchar_t* const kTooLong = L"本程序暂不支持3位数以上的数据，请检查！";

bool AllDigits(const std::wstring& t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// Points per character of the table's text, and the cell margins.
constexpr double kDigitWidth = 5.5;
constexpr double kCellMargins = 12;

double LeafColumnWidth(const std::vector<StemRow>& rows) {
  size_t longest = 1;
  for (const auto& r : rows) longest = std::max(longest, LeafText(r.leaves, false).size());
  return std::max(36.0, kDigitWidth * static_cast<double>(longest) + kCellMargins);
}

void Write(docif::Table& table, int row, int column, const std::wstring& text, int alignment) {
  auto cell = table.Cell(row, column);
  cell->SetText(text);
  cell->SetParagraphFormat({.Alignment = alignment});
}

}  // namespace

std::vector<std::wstring> CleanSeries(const std::wstring& text) {
  std::wstring t = Replace(ToHalfWidth(text), L".", L"");
  t = Replace(Replace(Replace(t, L" ", L","), L"\r", L""), L"\n", L"");
  std::vector<std::wstring> items;
  for (std::wstring& item : Split(t, L","))
    if (!item.empty()) items.push_back(std::move(item));
  return items;
}

StemLeafSeries SplitStems(const std::vector<std::wstring>& items) {
  StemLeafSeries series;
  std::vector<int> values;
  for (const auto& item : items) {
    if (item.size() > 3) return {{}, kTooLong};
    if (!AllDigits(item)) return {{}, L"茎叶图的数据应是不超过3位的整数，“" + item + L"”不是，请检查！"};
    values.push_back(std::stoi(item));
  }
  if (values.empty()) return {{}, L"没有数据，请输入茎叶图的数据！"};
  std::sort(values.begin(), values.end());
  const int low = values.front() / 10, high = values.back() / 10;
  for (int stem = low; stem <= high; ++stem) series.rows.push_back({stem, {}});
  for (int v : values) series.rows[v / 10 - low].leaves.push_back(v % 10);
  return series;
}

std::wstring LeafText(const std::vector<int>& leaves, bool reversed) {
  std::vector<std::wstring> parts;
  for (int leaf : leaves) parts.push_back(std::to_wstring(leaf));
  if (reversed) std::reverse(parts.begin(), parts.end());
  return Join(parts, L" ");
}

void InsertStemLeaf(AddinContext& ctx, const std::wstring& first, const std::wstring* second) {
  const StemLeafSeries a = SplitStems(CleanSeries(first));
  StemLeafSeries b;
  if (second) b = SplitStems(CleanSeries(*second));
  const std::wstring& message = !a.message.empty() ? a.message : b.message;
  if (!message.empty()) {
    ctx.Ui().MsgBox(message, Buttons::OK, L"");
    return;
  }
  // Leaves by stem for every stem of either series.
  std::map<int, std::pair<std::vector<int>, std::vector<int>>> byStem;
  for (const auto& r : a.rows) byStem[r.stem].first = r.leaves;
  for (const auto& r : b.rows) byStem[r.stem].second = r.leaves;
  for (int s = byStem.begin()->first; s <= byStem.rbegin()->first; ++s) byStem[s];

  auto range = ctx.App->GetSelection()->GetRange();
  auto doc = ctx.App->ActiveDocument();
  const int header = second ? 1 : 0;
  const int rows = static_cast<int>(byStem.size()) + header;
  auto table = doc->GetTables()->Add(*range, rows, second ? 3 : 2);
  const int stemColumn = second ? 2 : 1;
  if (second) {
    Write(*table, 1, 1, L"甲", docif::kAlignCenter);
    Write(*table, 1, 3, L"乙", docif::kAlignCenter);
  }
  int row = header + 1;
  for (const auto& [stem, leaves] : byStem) {
    Write(*table, row, stemColumn, std::to_wstring(stem), docif::kAlignCenter);
    if (second) {
      Write(*table, row, 1, LeafText(leaves.first, true), docif::kAlignRight);
      Write(*table, row, 3, LeafText(leaves.second, false), docif::kAlignLeft);
    } else {
      Write(*table, row, 2, LeafText(leaves.first, false), docif::kAlignLeft);
    }
    ++row;
  }
  for (int side : {docif::kBorderTop, docif::kBorderLeft, docif::kBorderBottom, docif::kBorderRight,
                   docif::kBorderHorizontal})
    table->SetBorderVisible(side, false);
  table->SetColumnWidth(stemColumn, 30);
  if (second) {
    table->SetColumnWidth(1, LeafColumnWidth(a.rows));
    table->SetColumnWidth(3, LeafColumnWidth(b.rows));
  } else {
    table->SetColumnWidth(2, LeafColumnWidth(a.rows));
  }
}

}  // namespace plx::charts
