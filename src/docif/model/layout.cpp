#include "docif/model/layout.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <string_view>
#include <vector>

#include "docif/range.hpp"
#include "platform/fonts.hpp"

namespace plx::docif::model {
namespace {

constexpr double kDefaultTab = 21.0;

bool IsWide(wchar_t c) { return c >= 0x2E80; }

// Full-width stops and commas may stand past the line's end rather than
// begin the next line, as both word processors set Chinese text.
bool Hangs(wchar_t c) { return std::wstring_view(L"\u3001\u3002\uFF0C\uFF0E").find(c) != std::wstring_view::npos; }

using Placed = PagePlace;

struct Layout {
  std::vector<Placed> at;  // one per story position, plus the end
  int pages = 1;
  std::vector<LaidRow> rows;
};

// The document grid's line pitch in points, 0 without a line grid. New
// documents have the 15.6-point grid a Chinese word processor starts with;
// lines of text snap to whole multiples of it.
double GridPitch(const DocData& doc) {
  const std::string& sect = doc.origin.sectPr;
  if (sect.empty()) return 15.6;
  const size_t grid = sect.find("w:docGrid");
  if (grid == std::string::npos) return 0;
  const std::string element = sect.substr(grid, sect.find('>', grid) - grid);
  if (element.find("w:type=\"lines") == std::string::npos) return 0;
  constexpr std::string_view kPitch = "w:linePitch=\"";
  const size_t pitch = element.find(kPitch);
  return pitch == std::string::npos ? 0 : std::atof(element.c_str() + pitch + kPitch.size()) / 20;
}

// The height of a line whose natural height is `natural` under the
// paragraph's line spacing, before snapping to the grid.
double SpacedHeight(double natural, const ParaFormat& para) {
  switch (para.lineSpacingRule) {
    case kSpace1pt5: return natural * 1.5;
    case kSpaceDouble: return natural * 2;
    case kSpaceMultiple: return natural * para.lineSpacing / 12;
    case kSpaceAtLeast: return std::max(natural, para.lineSpacing);
    case kSpaceExactly: return para.lineSpacing;
    default: return natural;
  }
}

// Positions that belong to a built-up fraction: the text of equations
// whose linear format has a fraction bar, and the results of EQ fields
// with a fraction switch. Their lines are laid out twice as high.
std::vector<bool> TallPositions(const DocData& doc, const Story& story) {
  std::vector<bool> tall(story.Length() + 1, false);
  auto markTall = [&](long from, long to) {
    for (long i = std::max(from, 0L); i < std::min(to, story.Length()); ++i) tall[i] = true;
  };
  for (const auto& eq : doc.EquationsIn(story, 0, story.Length())) {
    const long s = eq->anchor->start, e = eq->anchor->end;
    if (eq->builtUp && story.Text().substr(s, e - s).find(L'/') != std::wstring::npos) markTall(s, e);
  }
  for (const auto& f : story.FieldsIn(0, story.Length())) {
    std::wstring code = story.Text().substr(f.begin + 1, f.separator - f.begin - 1);
    for (auto& c : code) c = static_cast<wchar_t>(std::towupper(c));
    if (code.find(L"EQ") != std::wstring::npos && code.find(L"\\F") != std::wstring::npos) markTall(f.begin, f.end + 1);
  }
  return tall;
}

// One table row being laid out: its cells side by side between the edges,
// all starting at `top`.
struct Row {
  uint32_t table = 0;
  int index = 1;
  double top = 0, bottom = 0;
  double padTop = 0, padBottom = 0;  // the cells' room above and below their text
  std::vector<double> edges;
  size_t cell = 0;
  double CellLeft() const { return edges[std::min(cell, edges.size() - 2)]; }
  double CellRight() const { return edges[std::min(cell + 1, edges.size() - 1)]; }
};

// The number after `key` in each place it occurs in `xml` (attributes of
// the XML the reader kept as it was).
std::vector<double> NumbersAfter(const std::string& xml, std::string_view key) {
  std::vector<double> out;
  for (size_t at = xml.find(key); at != std::string::npos; at = xml.find(key, at + key.size()))
    out.push_back(std::atof(xml.c_str() + at + key.size()));
  return out;
}

// A table's cell margin on one side in points, as its properties read
// from a file set it (<w:tblCellMar>); 0 as a word processor's own tables
// have it above and below.
double CellMargin(const TableInfo& info, std::string_view side) {
  const size_t margins = info.tblPr.find("<w:tblCellMar>");
  if (margins == std::string::npos) return 0;
  const size_t end = info.tblPr.find("</w:tblCellMar>", margins);
  const auto found = NumbersAfter(info.tblPr.substr(margins, end - margins), "<w:" + std::string(side) + " w:w=\"");
  return found.empty() ? 0 : std::max(0.0, found.front() / 20);
}

// The table's grid column widths in points: the add-in's where it set
// them, else the file's; 0 where neither says.
std::vector<double> GridWidths(const TableInfo& info) {
  std::vector<double> grid;
  for (double twips : NumbersAfter(info.tblGrid, "<w:gridCol w:w=\"")) grid.push_back(std::max(0.0, twips / 20));
  if (grid.size() < info.columnWidths.size()) grid.resize(info.columnWidths.size(), 0);
  for (size_t c = 0; c < info.columnWidths.size(); ++c)
    if (info.columnWidths[c] > 0) grid[c] = info.columnWidths[c];
  return grid;
}

// The edges of a row's cells from `left`, in `room` points: grid widths,
// a cell spanning grid columns taking their sum, cells of no known width
// sharing the rest equally; a nested table wider than its cell is narrowed
// to fit.
std::vector<double> CellEdges(const TableInfo& info, const std::vector<double>& grid, int rowIndex, int cells,
                              double left, double room, bool nested) {
  std::vector<double> widths(cells, 0);
  size_t column = 0;
  const auto row = static_cast<size_t>(rowIndex - 1);
  for (int c = 0; c < cells; ++c) {
    size_t span = 1;
    if (row < info.tcPr.size() && static_cast<size_t>(c) < info.tcPr[row].size()) {
      const auto spans = NumbersAfter(info.tcPr[row][c], "<w:gridSpan w:val=\"");
      if (!spans.empty()) span = static_cast<size_t>(std::clamp(spans.front(), 1.0, 64.0));
    }
    double w = 0;
    for (size_t g = column; g < column + span; ++g) {
      if (g >= grid.size() || grid[g] <= 0) { w = 0; break; }
      w += grid[g];
    }
    widths[c] = w;
    column += span;
  }
  double known = 0;
  int unknown = 0;
  for (double w : widths) w > 0 ? known += w : ++unknown;
  if (unknown > 0) {
    const double share = std::max(room - known, 0.0) / unknown;
    for (double& w : widths)
      if (w <= 0) w = share > 0 ? share : room / cells;
  }
  double total = 0;
  for (double w : widths) total += w;
  const double scale = nested && total > room && total > 0 ? room / total : 1;
  std::vector<double> edges{left};
  for (double w : widths) edges.push_back(edges.back() + w * scale);
  return edges;
}

// The number of cells in the row of `table` that starts at `pos`.
int CellsInRow(const Story& story, long pos, uint32_t table) {
  int cells = 0;
  for (long i = pos; i < story.Length(); ++i) {
    if (story.Cell(i).table != table) continue;
    const wchar_t c = story.Text()[i];
    if (c == kCellEnd) ++cells;
    if (c == kRowEnd) break;
  }
  return std::max(cells, 1);
}

class Composer {
 public:
  Composer(const DocData& doc, const Story& story, bool aligned)
      : doc_(doc), story_(story), p_(doc.page), pitch_(GridPitch(doc)), tall_(TallPositions(doc, story)),
        aligned_(aligned) {
    story.Visible(0, story.Length(), doc.showFieldCodes, &shown_);
    visible_.assign(story.Length() + 1, false);
    for (long pos : shown_) visible_[pos] = true;
    cur_ = {p_.LeftMargin, p_.TopMargin, 1};
  }

  Layout Run() {
    Layout out;
    out.at.resize(story_.Length() + 1);
    at_ = &out.at;
    for (long i = 0; i < story_.Length(); ++i) {
      EnterTable(i);
      if (lineStart_ && (i == 0 || story_.IsParagraphEnd(i - 1) || story_.Text()[i - 1] == kRowEnd)) StartParagraph(i);
      if (!visible_[i]) {
        out.at[i] = cur_;
        continue;
      }
      Place(i);
    }
    out.at[story_.Length()] = cur_;
    out.pages = cur_.page;
    out.rows = std::move(laidRows_);
    return out;
  }

 private:
  double Left() const { return rows_.empty() ? p_.LeftMargin : rows_.back().CellLeft(); }
  double Right() const { return rows_.empty() ? p_.PageWidth - p_.RightMargin : rows_.back().CellRight(); }
  double Bottom() const { return p_.PageHeight - p_.BottomMargin; }
  double Snapped(double h) const {
    const bool exact = para_ && para_->lineSpacingRule == kSpaceExactly;
    return pitch_ > 0 && !exact ? std::ceil(h / pitch_ - 1e-6) * pitch_ : h;
  }
  double LineHeight() const {
    const double natural = lineHeight_ > 0 ? lineHeight_ : 12.6;
    return Snapped(para_ ? SpacedHeight(natural, *para_) : natural);
  }

  // Rows of the tables the character at pos stands in, outermost first: a
  // table at the start of a cell opens the row of the table around it too.
  void EnterTable(long pos) {
    std::vector<uint32_t> chain;
    for (uint32_t t = story_.Cell(pos).table; t && chain.size() < 64;) {
      chain.push_back(t);
      auto info = doc_.tables.find(t);
      t = info == doc_.tables.end() ? 0 : info->second.parent;
    }
    for (auto t = chain.rbegin(); t != chain.rend(); ++t) EnterRow(pos, *t);
  }

  void EnterRow(long pos, uint32_t table) {
    for (const Row& r : rows_)
      if (r.table == table) return;
    Row row;
    row.table = table;
    row.index = ++rowsDone_[table];
    row.top = row.bottom = cur_.y;
    auto grid = grids_.find(table);
    auto info = doc_.tables.find(table);
    static const TableInfo kNoInfo;
    const TableInfo& tableInfo = info == doc_.tables.end() ? kNoInfo : info->second;
    if (grid == grids_.end()) grid = grids_.emplace(table, GridWidths(tableInfo)).first;
    row.edges = CellEdges(tableInfo, grid->second, row.index, CellsInRow(story_, pos, table), Left(),
                          Right() - Left(), !rows_.empty());
    row.padTop = CellMargin(tableInfo, "top");
    row.padBottom = CellMargin(tableInfo, "bottom");
    row.bottom += row.padTop + row.padBottom;
    cur_.y += row.padTop;
    rows_.push_back(row);
    cur_.x = Left();
  }

  void StartParagraph(long pos) {
    auto [s, e] = story_.ParagraphAt(pos);
    para_ = &doc_.paraFormats[story_.Cell(e - 1).paragraph];
    if (cur_.y > p_.TopMargin + 0.01) cur_.y += para_->spaceBefore;
    const CharFormat& f = doc_.charFormats[story_.Cell(pos).format];
    cur_.x = Left() + para_->leftIndent + para_->firstIndent + para_->charIndent * f.size;
    // The number of a list the add-in made stands at the indent and its
    // text one step further, on every line, as the saved file says
    // (left 420, hanging 420 twips); a list read from a file keeps its
    // own numbering definition, which the layout does not read.
    if (NumberedHere()) cur_.x = Left() + para_->leftIndent + kListTextStep;
  }

  bool NumberedHere() const { return para_ && doc_.InAddinList(*para_); }

  // A centred or right-aligned line moves right by its share of the room
  // its text leaves (the text ends at cur_.x); the others start at the left.
  void AlignLine() {
    if (!aligned_ || lineStart_ || !para_ || (para_->alignment != kAlignCenter && para_->alignment != kAlignRight))
      return;
    const double room = Right() - para_->rightIndent - cur_.x;
    if (room <= 0.01) return;
    const double shift = para_->alignment == kAlignCenter ? room / 2 : room;
    for (long i = lineFirst_; i <= lineLast_; ++i) (*at_)[i].x += shift;
  }

  void NewLine() {
    AlignLine();
    cur_.y += LineHeight();
    cur_.x = Left() + (para_ ? para_->leftIndent : 0) + (NumberedHere() ? kListTextStep : 0);
    lineHeight_ = 0;
    lineStart_ = true;
  }

  void NewPage() {
    ++cur_.page;
    cur_.y = p_.TopMargin;
    for (Row& r : rows_) r.top = r.bottom = cur_.y;
  }

  // A line's height for the character in its format: its font's own line
  // height, the East Asian font's for CJK and full-width characters.
  double LineEm(uint32_t format, const CharFormat& f, bool wide) {
    auto it = ems_.find(format);
    if (it == ems_.end())
      it = ems_.emplace(format, std::array<double, 2>{LineHeightEm(f.ascii, false), LineHeightEm(f.farEast, true)}).first;
    return it->second[wide ? 1 : 0];
  }

  // Lays out the character at i, and where it ends a line, the line.
  void Place(long i) {
    const wchar_t c = story_.Text()[i];
    // A row's end stands at the row's bottom, where the next line starts.
    if (c == kRowEnd) {
      EndRow();
      (*at_)[i] = cur_;
      return;
    }
    const uint32_t format = story_.Cell(i).format;
    const CharFormat& f = doc_.charFormats[format];
    double w = IsWide(c) ? f.size : f.size / 2;
    double h = (tall_[i] ? 2 : 1) * LineEm(format, f, IsWide(c)) * f.size;
    if (c == kInlineObject) {
      auto it = doc_.objects.find(story_.Cell(i).object);
      if (it != doc_.objects.end()) {
        w = it->second.width;
        h = it->second.height;
      }
    } else if (c == L'\t') {
      const double rel = cur_.x - Left();
      double next = (std::floor(rel / kDefaultTab) + 1) * kDefaultTab;
      if (para_)
        for (const auto& t : para_->tabs)
          if (t.Position > rel + 0.01) { next = t.Position; break; }
      w = std::max(0.0, next - rel);
    }
    // A paragraph's mark and a hanging stop stay on the line they end.
    const bool overflows = story_.IsParagraphEnd(i) || (Hangs(c) && cur_.x <= Right() + 0.01);
    if (cur_.x + w > Right() + 0.01 && !lineStart_ && !overflows) NewLine();
    lineHeight_ = std::max(lineHeight_, h);
    if (cur_.y + LineHeight() > Bottom() + 0.01 && cur_.y > p_.TopMargin) NewPage();
    (*at_)[i] = cur_;
    if (lineStart_) lineFirst_ = i;
    lineLast_ = i;
    lineStart_ = false;
    if (c == kCellEnd && !rows_.empty()) {
      EndCell();
    } else if (story_.IsParagraphEnd(i) || c == L'\v') {
      NewLine();
      if (c == kParagraphMark && para_) cur_.y += para_->spaceAfter;
    } else if (c == L'\f') {
      NewPage();
      cur_.x = Left();
      lineHeight_ = 0;
      lineStart_ = true;
    } else {
      cur_.x += w;
    }
  }

  // A cell's height takes its last paragraph's room after it, as its other
  // paragraphs' do, and the room below the text.
  void EndCell() {
    NewLine();
    if (para_) cur_.y += para_->spaceAfter;
    Row& row = rows_.back();
    row.bottom = std::max(row.bottom, cur_.y + row.padBottom);
    ++row.cell;
    cur_.y = row.top + row.padTop;
    cur_.x = Left();
  }

  void EndRow() {
    const double bottom = std::max(rows_.empty() ? cur_.y : rows_.back().bottom, cur_.y);
    if (!rows_.empty()) {
      const Row& row = rows_.back();
      laidRows_.push_back({row.table, row.index, cur_.page, row.top, bottom, row.edges});
      rows_.pop_back();
    }
    cur_.y = bottom;
    cur_.x = Left();
    lineHeight_ = 0;
    lineStart_ = true;
  }

  const DocData& doc_;
  const Story& story_;
  const PageSetup& p_;
  const double pitch_;
  const std::vector<bool> tall_;
  const bool aligned_;
  std::vector<long> shown_;
  std::vector<bool> visible_;
  std::vector<Row> rows_;
  std::vector<LaidRow> laidRows_;
  std::map<uint32_t, int> rowsDone_;
  std::map<uint32_t, std::vector<double>> grids_;
  std::map<uint32_t, std::array<double, 2>> ems_;
  Placed cur_;
  std::vector<Placed>* at_ = nullptr;
  long lineFirst_ = 0, lineLast_ = -1;  // the positions on the line being laid out
  double lineHeight_ = 0;
  bool lineStart_ = true;
  const ParaFormat* para_ = nullptr;
};

Layout Compute(const DocData& doc, const Story& story, bool aligned = false) {
  return Composer(doc, story, aligned).Run();
}

}  // namespace

std::vector<PagePlace> LayoutPlaces(const DocData& doc, const Story& story) { return Compute(doc, story).at; }

std::vector<LaidRow> LayoutRows(const DocData& doc, const Story& story) { return Compute(doc, story).rows; }

double LayoutInformation(const DocData& doc, const Story& story, long pos, int type) {
  // Text box stories sit in their box: report the main story's positions.
  const Story& laid = story.Length() > 0 ? story : *doc.main;
  Layout layout = Compute(doc, laid, true);
  pos = std::clamp(pos, 0L, laid.Length());
  const Placed& at = layout.at[pos];
  switch (type) {
    case kHorizontalPositionRelativeToPage: return at.x;
    case kVerticalPositionRelativeToPage: return at.y;
    case kActiveEndPageNumber: return at.page;
    case kNumberOfPagesInDocument: return layout.pages;
    default: return -1;
  }
}

std::pair<long, long> PageSpan(const DocData& doc, int page) {
  Layout layout = Compute(doc, *doc.main);
  long start = -1, end = doc.main->Length();
  for (long i = 0; i < doc.main->Length(); ++i) {
    if (layout.at[i].page == page && start < 0) start = i;
    if (layout.at[i].page > page) { end = i; break; }
  }
  if (start < 0) return {end, end};
  return {start, end};
}

}  // namespace plx::docif::model
