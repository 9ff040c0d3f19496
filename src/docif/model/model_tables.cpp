#include <algorithm>
#include <utility>

#include "common/error.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"

namespace plx::docif::model {

std::vector<std::vector<std::pair<long, long>>> ModelTable::CellSpans() const {
  return TableCellSpans(doc_->tables, *story_, id_);
}

namespace {

// Tables in tables nest no deeper than this, as the reader's containers.
constexpr int kMaxTableDepth = 64;

uint32_t ParentOf(const TableMap& tables, uint32_t table) {
  auto it = tables.find(table);
  return it == tables.end() ? 0 : it->second.parent;
}

// The table and the tables around it, innermost first.
std::vector<uint32_t> TableChain(const TableMap& tables, uint32_t table) {
  std::vector<uint32_t> chain;
  for (; table && chain.size() <= kMaxTableDepth; table = ParentOf(tables, table)) chain.push_back(table);
  return chain;
}

}  // namespace

uint32_t TableWithin(const TableMap& tables, uint32_t table, uint32_t container) {
  if (table == container) return 0;
  auto chain = TableChain(tables, table);
  for (uint32_t t : chain)
    if (ParentOf(tables, t) == container) return t;
  return 0;
}

std::optional<std::pair<long, long>> TableSpan(const TableMap& tables, const Story& story, uint32_t id) {
  auto span = story.TableExtent(id);
  if (!span) return span;
  // A table at the start of a cell comes before the cell's own characters.
  for (const auto& [inner, info] : tables) {
    if (!info.parent || !TableWithin(tables, inner, id)) continue;
    if (auto extent = story.TableExtent(inner)) {
      span->first = std::min(span->first, extent->first);
      span->second = std::max(span->second, extent->second);
    }
  }
  return span;
}

std::vector<std::vector<std::pair<long, long>>> TableCellSpans(const TableMap& tables, const Story& story, uint32_t id) {
  std::vector<std::vector<std::pair<long, long>>> rows(1);
  auto span = TableSpan(tables, story, id);
  if (!span) return {};
  long cellStart = -1;
  for (long i = span->first; i < span->second; ++i) {
    if (cellStart < 0) cellStart = i;
    if (story.Cell(i).table != id) continue;  // a table in the cell
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
  auto extent = TableSpan(doc_->tables, *story_, id_);
  if (!extent) Raise(err::kInvalidCall, L"该表格已被删除。");
  return MakeRange(doc_, story_, extent->first, extent->second);
}

std::shared_ptr<Tables> ModelTable::NestedTables() {
  auto extent = TableSpan(doc_->tables, *story_, id_);
  if (!extent) Raise(err::kInvalidCall, L"该表格已被删除。");
  return std::make_shared<ModelTables>(RangeRef{doc_, story_, story_->MakeAnchor(extent->first, extent->second)}, id_);
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

// Whether a table read from a file turns the side off in its own borders
// (the add-in has not changed them): "none" or "nil" there.
bool SideOffAsRead(const TableInfo& info, size_t side) {
  const size_t from = info.tblPr.find("<w:tblBorders>"), to = info.tblPr.find("</w:tblBorders>");
  if (from == std::string::npos || to == std::string::npos) return false;
  static const char* const kNames[][2] = {{"top", "top"},     {"left", "start"},      {"bottom", "bottom"},
                                          {"right", "end"}, {"insideH", "insideH"}, {"insideV", "insideV"}};
  const std::string borders = info.tblPr.substr(from, to - from);
  for (const char* name : kNames[side]) {
    const size_t at = borders.find(std::string("<w:") + name + " ");
    if (at == std::string::npos) continue;
    const std::string element = borders.substr(at, borders.find('>', at) - at);
    return element.find("w:val=\"none\"") != std::string::npos || element.find("w:val=\"nil\"") != std::string::npos;
  }
  return false;
}

}  // namespace

bool ModelTable::BorderVisible(int border) const {
  const TableInfo& info = doc_->tables.at(id_);
  const size_t side = SideIndex(border);
  const bool changed = std::find(info.hiddenSides.begin(), info.hiddenSides.end(), true) != info.hiddenSides.end();
  return info.borders && !info.hiddenSides[side] && (changed || !SideOffAsRead(info, side));
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
  std::vector<uint32_t> gone{id_};
  for (const auto& [inner, info] : doc_->tables)
    if (TableWithin(doc_->tables, inner, id_)) gone.push_back(inner);
  for (uint32_t t : gone) doc_->tables.erase(t);
  doc_->Changed();
}

std::vector<uint32_t> TablesIn(const TableMap& tables, const Story& story, long start, long end) {
  long s = std::min(start, story.Length() - 1), e = std::max(end, s + 1);
  e = std::min(e, story.Length());
  const auto first = TableChain(tables, story.Cell(s).table), last = TableChain(tables, story.Cell(e - 1).table);
  for (uint32_t t : first)
    if (std::find(last.begin(), last.end(), t) != last.end()) return {t};
  std::vector<uint32_t> ids;
  for (long i = s; i < e; ++i) {
    const auto chain = TableChain(tables, story.Cell(i).table);
    if (chain.empty()) continue;
    const uint32_t outermost = chain.back();
    if (std::find(ids.begin(), ids.end(), outermost) == ids.end()) ids.push_back(outermost);
  }
  return ids;
}

std::vector<uint32_t> ModelTables::Ids() const {
  if (!container_) return TablesIn(scope_.doc->tables, *scope_.story, scope_.anchor->start, scope_.anchor->end);
  // In the order they stand in the story.
  std::vector<std::pair<long, uint32_t>> nested;
  for (const auto& [id, info] : scope_.doc->tables)
    if (info.parent == container_)
      if (auto span = TableSpan(scope_.doc->tables, *scope_.story, id)) nested.emplace_back(span->first, id);
  std::sort(nested.begin(), nested.end());
  std::vector<uint32_t> ids;
  for (const auto& n : nested) ids.push_back(n.second);
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
  // In a cell the new table stands in that cell; a row's end is in no cell.
  const uint32_t parent = s < story.Length() ? story.Cell(s).table : 0;
  if (parent && story.Text()[s] == kRowEnd) Raise(err::kInvalidCall, L"不能在表格的行尾插入表格。");
  if (TableChain(d.tables, parent).size() >= kMaxTableDepth) Raise(err::kInvalidCall, L"表格嵌套过深。");
  // A table takes whole paragraphs: split the paragraph when s is inside it.
  if (story.ParagraphAt(s).first != s) {
    story.Insert(s, std::wstring(1, kParagraphMark), InsertionCell(story, s));
    ++s;
  }
  uint32_t id = d.nextTable++;
  d.tables[id] = TableInfo{};
  d.tables[id].parent = parent;
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
