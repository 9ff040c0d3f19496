#include <algorithm>
#include <utility>

#include "common/error.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"

namespace plx::docif::model {

std::vector<std::vector<std::pair<long, long>>> ModelTable::CellSpans() const {
  return TableCellSpans(*story_, id_);
}

std::vector<std::vector<std::pair<long, long>>> TableCellSpans(const Story& story, uint32_t id) {
  std::vector<std::vector<std::pair<long, long>>> rows(1);
  auto extent = story.TableExtent(id);
  if (!extent) return {};
  long cellStart = -1;
  for (long i = extent->first; i < extent->second; ++i) {
    if (story.Cell(i).table != id) continue;
    if (cellStart < 0) cellStart = i;
    wchar_t c = story.Text()[i];
    if (c == kCellEnd) {
      rows.back().emplace_back(cellStart, i);
      cellStart = i + 1;
    } else if (c == kRowEnd) {
      rows.emplace_back();
      cellStart = i + 1;
    }
  }
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

int ModelTable::RowsCount() const { return static_cast<int>(CellSpans().size()); }

int ModelTable::ColumnsCount() const {
  auto rows = CellSpans();
  return rows.empty() ? 0 : static_cast<int>(rows.front().size());
}

RangePtr ModelTable::Cell(int row, int column) {
  auto rows = CellSpans();
  if (row < 1 || row > static_cast<int>(rows.size()) || column < 1 ||
      column > static_cast<int>(rows[row - 1].size()))
    Raise(5941, L"集合所要求的成员不存在。");
  auto [s, e] = rows[row - 1][column - 1];
  return MakeRange(doc_, story_, s, e);
}

RangePtr ModelTable::GetRange() {
  auto extent = std::as_const(*story_).TableExtent(id_);
  if (!extent) Raise(err::kInvalidCall, L"该表格已被删除。");
  return MakeRange(doc_, story_, extent->first, extent->second);
}

bool ModelTable::BordersEnabled() const { return doc_->tables.at(id_).borders; }

void ModelTable::SetBordersEnabled(bool on) {
  doc_->tables.at(id_).borders = on;
  doc_->tables.at(id_).hiddenSides.fill(false);
  doc_->Changed();
}

namespace {

size_t SideIndex(int border) {
  if (border > kBorderTop || border < kBorderVertical) Raise(5941, L"集合所要求的成员不存在。");
  return static_cast<size_t>(-border - 1);
}

}  // namespace

bool ModelTable::BorderVisible(int border) const {
  const TableInfo& info = doc_->tables.at(id_);
  return info.borders && !info.hiddenSides[SideIndex(border)];
}

void ModelTable::SetBorderVisible(int border, bool visible) {
  TableInfo& info = doc_->tables.at(id_);
  const size_t side = SideIndex(border);
  if (visible && !info.borders) {
    // Turning one border on keeps the others off.
    info.borders = true;
    info.hiddenSides.fill(true);
  }
  info.hiddenSides[side] = !visible;
  doc_->Changed();
}

void ModelTable::SetColumnWidth(int column, double points) {
  if (column < 1 || column > ColumnsCount()) Raise(5941, L"集合所要求的成员不存在。");
  if (!(points > 0)) Raise(err::kInvalidCall, L"列宽应大于0。");
  TableInfo& info = doc_->tables.at(id_);
  if (info.columnWidths.size() < static_cast<size_t>(column)) info.columnWidths.resize(column, 0);
  info.columnWidths[column - 1] = points;
  doc_->Changed();
}

std::wstring ModelTable::Style() const { return doc_->tables.at(id_).style; }

void ModelTable::SetStyle(const std::wstring& name) {
  doc_->tables.at(id_).style = name;
  doc_->Changed();
}

void ModelTable::Delete() {
  RangePtr r = GetRange();
  story_->Erase(r->Start(), r->End());
  doc_->tables.erase(id_);
  doc_->Changed();
}

std::vector<uint32_t> ModelTables::Ids() const {
  std::vector<uint32_t> ids;
  const Story& story = *scope_.story;
  long s = scope_.anchor->start, e = std::max(scope_.anchor->end, s + 1);
  for (long i = s; i < e && i < story.Length(); ++i) {
    uint32_t id = story.Cell(i).table;
    if (id && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  }
  return ids;
}

std::shared_ptr<Table> ModelTables::Item(int index) {
  auto ids = Ids();
  if (index < 1 || index > static_cast<int>(ids.size())) Raise(5941, L"集合所要求的成员不存在。");
  return std::make_shared<ModelTable>(scope_.doc, scope_.story, ids[index - 1]);
}

std::shared_ptr<Table> ModelTables::Add(const Range& at, int rows, int columns) {
  if (rows < 1 || columns < 1 || rows > 32767 || columns > 63)
    Raise(err::kInvalidCall, L"表格的行数或列数无效。");
  DocData& d = *scope_.doc;
  Story& story = *scope_.story;
  long s = at.Start();
  if (at.End() > s) s = story.Erase(s, at.End()).first;
  if (story.Cell(s).table) Raise(err::kInvalidCall, L"不能在表格中插入表格。");
  // A table takes whole paragraphs: split the paragraph when s is inside it.
  if (story.ParagraphAt(s).first != s) {
    story.Insert(s, std::wstring(1, kParagraphMark), InsertionCell(story, s));
    ++s;
  }
  uint32_t id = d.nextTable++;
  d.tables[id] = TableInfo{};
  std::wstring text;
  for (int r = 0; r < rows; ++r) text += std::wstring(columns, kCellEnd) + kRowEnd;
  CharCell cell = InsertionCell(story, s);
  cell.paragraph = story.Cell(story.ParagraphAt(s).second - 1).paragraph;
  cell.table = id;
  story.Insert(s, text, cell);
  for (long i = s; i < s + static_cast<long>(text.size()); ++i) {
    story.Cell(i).table = id;
    story.Cell(i).paragraph = cell.paragraph;
  }
  d.Changed();
  return std::make_shared<ModelTable>(scope_.doc, scope_.story, id);
}

}  // namespace plx::docif::model
