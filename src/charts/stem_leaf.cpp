#include "charts/stem_leaf.hpp"

#include <algorithm>
#include <map>

#include "addin/addin_context.hpp"
#include "charts/chart_canvas.hpp"
#include "common/text.hpp"
#include "docif/range.hpp"

namespace plx::charts {
namespace {

const wchar_t* const kTooLong = L"本程序暂不支持3位数以上的数据，请检查！";

bool AllDigits(const std::wstring& t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The left and right margins of a cell together (0.19 cm each), and room
// to spare so that a row never wraps.
constexpr double kCellMargins = 2 * 5.4 + 4;

// A column as wide as its widest text at the table's type size.
double ColumnWidth(const std::vector<std::wstring>& texts, double size, double least) {
  double width = least;
  for (const auto& t : texts) width = std::max(width, TextWidth(t, size) + kCellMargins);
  return width;
}

std::vector<std::wstring> LeafTexts(const std::vector<StemRow>& rows) {
  std::vector<std::wstring> texts;
  for (const auto& r : rows) texts.push_back(LeafText(r.leaves, false));
  return texts;
}

void Write(docif::Table& table, int row, int column, const std::wstring& text, int alignment) {
  auto cell = table.Cell(row, column);
  cell->SetText(text);
  cell->SetParagraphFormat({.Alignment = alignment});
}

}  // namespace

std::vector<std::wstring> CleanSeries(const std::wstring& text) {
  std::wstring t = Replace(NumberText(text), L".", L"");
  for (const wchar_t* separator : {L" ", L";", L"、"}) t = Replace(t, separator, L",");
  t = Replace(Replace(t, L"\r", L""), L"\n", L"");
  std::vector<std::wstring> items;
  for (std::wstring& item : Split(t, L","))
    if (!item.empty()) items.push_back(std::move(item));
  return items;
}

StemLeafSeries SplitStems(const std::vector<std::wstring>& items) {
  StemLeafSeries series;
  std::vector<int> values;
  for (const auto& item : items) {
    if (!AllDigits(item)) return {{}, L"茎叶图的数据应是不超过3位的整数，“" + item + L"”不是，请检查！"};
    if (item.size() > 3) return {{}, kTooLong};
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
  // The plot's lines follow each other closely, whatever spacing the
  // paragraph it replaced had.
  table->GetRange()->SetParagraphFormat({.LineSpacingRule = docif::kSpaceSingle, .SpaceBefore = 0, .SpaceAfter = 0});
  const double size = table->Cell(rows, stemColumn)->Font().Size.value_or(10.5);
  std::vector<std::wstring> stems;
  for (const auto& entry : byStem) stems.push_back(std::to_wstring(entry.first));
  table->SetColumnWidth(stemColumn, ColumnWidth(stems, size, 30));
  if (second) {
    table->SetColumnWidth(1, ColumnWidth(LeafTexts(a.rows), size, 36));
    table->SetColumnWidth(3, ColumnWidth(LeafTexts(b.rows), size, 36));
  } else {
    table->SetColumnWidth(2, ColumnWidth(LeafTexts(a.rows), size, 36));
  }
}

}  // namespace plx::charts
