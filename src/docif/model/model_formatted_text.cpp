// Range.FormattedText: a copy of a range's characters with their
// formatting, tables, fields and equations, put in place of another
// range's text.
#include <algorithm>
#include <map>
#include <optional>

#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"

namespace plx::docif::model {
namespace {

struct FormattedCopy {
  std::wstring text;
  // Per character; `table` numbers the copy's own tables from 1 (an index
  // into `tables` plus one) until the copy is put in place.
  std::vector<CharCell> cells;
  std::vector<TableInfo> tables;
  struct Span {
    long start, end;
    bool builtUp;
  };
  std::vector<Span> equations;  // positions in the copy
};

// Which characters of [start, end) the copy keeps: the marks of a field
// only partly inside the span would leave a broken field behind, so they
// are dropped (the field's text stays).
std::vector<bool> KeptMarks(const std::wstring& text, long start, long end) {
  std::vector<bool> keep(static_cast<size_t>(end - start), true);
  struct Open {
    long begin;
    std::vector<long> separators;
  };
  std::vector<Open> open;
  for (long i = start; i < end; ++i) {
    wchar_t c = text[i];
    if (c == kFieldBegin) {
      open.push_back({i, {}});
    } else if (c == kFieldSeparator) {
      if (open.empty()) keep[i - start] = false;
      else open.back().separators.push_back(i);
    } else if (c == kFieldEnd) {
      if (open.empty()) keep[i - start] = false;
      else open.pop_back();
    }
  }
  for (const Open& o : open) {
    keep[o.begin - start] = false;
    for (long s : o.separators) keep[s - start] = false;
  }
  return keep;
}

// Copies a span of one document's story for another document (or the
// same one): formats are interned in the target's pools, the styles they
// name are brought along, inline objects and list numbering get entries of
// their own. The rows of a table that lie wholly inside the span stay a
// table; the cells of a row only partly inside become paragraphs (a cell
// end becomes a paragraph mark, the row end goes).
class Copier {
 public:
  Copier(const RangeRef& from, DocData& to) : from_(from), src_(*from.doc), dst_(to) {}

  FormattedCopy Make() {
    FormattedCopy out;
    const Story& story = *from_.story;
    long start = from_.anchor->start, end = from_.anchor->end;
    std::vector<bool> keep = KeptMarks(story.Text(), start, end);
    std::vector<long> at(static_cast<size_t>(end - start) + 1);  // source position -> copy position
    for (long i = start; i < end; ++i) {
      at[i - start] = static_cast<long>(out.text.size());
      wchar_t c = story.Text()[i];
      const CharCell& cell = story.Cell(i);
      uint32_t table = cell.table ? CopiedTable(cell.table, i, start, end, out) : 0;
      if (!keep[i - start] || (c == kRowEnd && !table)) continue;
      CharCell copy{Format(cell.format), Paragraph(cell.paragraph), 0, table, cell.showCodes};
      if (c == kInlineObject) copy.object = Object(cell.object);
      out.text += c == kCellEnd && !table ? kParagraphMark : c;
      out.cells.push_back(copy);
    }
    at.back() = static_cast<long>(out.text.size());
    // A table in a cell stays in its cell when that cell's row is copied
    // too (its rows then are as well); otherwise it stands on its own.
    for (TableInfo& copied : out.tables) {
      auto holder = rows_.find(copied.parent);
      copied.parent = holder != rows_.end() ? holder->second.number : 0;
    }
    for (const auto& eq : src_.EquationsIn(story, start, end))
      if (eq->anchor->start >= start && eq->anchor->end <= end)
        out.equations.push_back({at[eq->anchor->start - start], at[eq->anchor->end - start], eq->builtUp});
    return out;
  }

 private:
  struct WholeRows {
    long first = 0, end = 0;  // the source positions of the rows copied whole
    uint32_t number = 0;      // the table's number in the copy, 0 when no row is whole
  };

  bool SameDocument() const { return &src_ == &dst_; }

  // The copy's number for the table holding source position `pos`, or 0
  // when that position's row is not wholly inside [start, end).
  uint32_t CopiedTable(uint32_t id, long pos, long start, long end, FormattedCopy& out) {
    auto [it, added] = rows_.try_emplace(id);
    WholeRows& whole = it->second;
    if (added) {
      const auto rows = TableCellSpans(src_.tables, *from_.story, id);
      const TableInfo info = src_.tables.count(id) ? src_.tables.at(id) : TableInfo{};
      const bool perRow = info.trPr.size() == rows.size() && info.tcPr.size() == rows.size();
      TableInfo part = info;
      part.trPr.clear();
      part.tcPr.clear();
      for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].empty()) continue;
        long rowStart = rows[r].front().first, rowEnd = rows[r].back().second + 2;  // past the row end
        if (rowStart < start || rowEnd > end) continue;
        if (whole.end == 0) whole.first = rowStart;
        whole.end = rowEnd;
        if (perRow) {
          part.trPr.push_back(info.trPr[r]);
          part.tcPr.push_back(info.tcPr[r]);
        }
      }
      if (whole.end > 0) {
        out.tables.push_back(std::move(part));
        whole.number = static_cast<uint32_t>(out.tables.size());
      }
    }
    return pos >= whole.first && pos < whole.end ? whole.number : 0;
  }

  uint32_t Format(uint32_t index) {
    auto [it, added] = formats_.try_emplace(index, 0);
    if (added) it->second = dst_.charFormats.Intern(src_.charFormats[index]);
    return it->second;
  }

  uint32_t Paragraph(uint32_t index) {
    auto [it, added] = paragraphs_.try_emplace(index, 0);
    if (added) {
      ParaFormat p = src_.paraFormats[index];
      if (!SameDocument()) {
        if (p.list > 0 && p.list <= static_cast<int>(src_.lists.size())) p.list = List(p.list);
        BringStyle(p.style, 0);
      }
      it->second = dst_.paraFormats.Intern(p);
    }
    return it->second;
  }

  // The source's definition of a style the target does not have, with the
  // styles it is based on, so that the copy is saved under its own style.
  void BringStyle(const std::wstring& name, int depth) {
    if (name.empty() || depth > 32 || dst_.FindStyle(name)) return;
    const StyleInfo* style = src_.FindStyle(name);
    if (!style) return;
    StyleInfo copy = *style;
    // An id the target gives another style already would merge the two in a saved file.
    if (std::any_of(dst_.styles.begin(), dst_.styles.end(),
                    [&](const StyleInfo& s) { return !copy.id.empty() && s.id == copy.id; }))
      copy.id.clear();
    dst_.styles.push_back(copy);
    BringStyle(copy.base, depth + 1);
  }

  // A list of the source document as a new list of the target's.
  int List(int id) {
    auto [it, added] = lists_.try_emplace(id, 0);
    if (added) {
      ListInstance li = src_.lists[id - 1];
      li.sourceNumId = li.sourceLevel = 0;  // the source file's numbering is not in the target's
      dst_.lists.push_back(li);
      it->second = static_cast<int>(dst_.lists.size());
    }
    return it->second;
  }

  uint32_t Object(uint32_t id) {
    auto found = src_.objects.find(id);
    if (found == src_.objects.end()) return 0;
    uint32_t copy = dst_.nextObject++;
    InlineObject& o = dst_.objects[copy] = found->second;
    // A picture kept as read names its data by the source package's
    // relationship and the source's namespaces; in another document it is
    // written anew from its own bytes.
    if (!SameDocument() && o.type == kInlineShapePicture && !o.bytes.empty()) {
      o.rawXml.clear();
      o.relId.clear();
    }
    return copy;
  }

  const RangeRef& from_;
  const DocData& src_;
  DocData& dst_;
  std::map<uint32_t, uint32_t> formats_, paragraphs_;
  std::map<int, int> lists_;
  std::map<uint32_t, WholeRows> rows_;
};

// The copy put into a cell of the target's table `table`: the copy's
// tables become paragraphs of that cell.
void FlattenInto(FormattedCopy& copy, uint32_t table) {
  FormattedCopy flat;
  std::vector<long> at(copy.text.size() + 1);
  for (size_t i = 0; i < copy.text.size(); ++i) {
    at[i] = static_cast<long>(flat.text.size());
    wchar_t c = copy.text[i];
    CharCell cell = copy.cells[i];
    if (cell.table && c == kRowEnd) continue;
    cell.table = table;
    flat.text += c == kCellEnd ? kParagraphMark : c;
    flat.cells.push_back(cell);
  }
  at.back() = static_cast<long>(flat.text.size());
  for (const auto& eq : copy.equations) flat.equations.push_back({at[eq.start], at[eq.end], eq.builtUp});
  copy = std::move(flat);
}

// The copy's tables become tables of the target document.
void AddTables(FormattedCopy& copy, DocData& doc) {
  std::vector<uint32_t> ids;
  for (TableInfo& info : copy.tables) {
    ids.push_back(doc.nextTable++);
    doc.tables[ids.back()] = std::move(info);
  }
  for (CharCell& cell : copy.cells)
    if (cell.table) cell.table = ids[cell.table - 1];
  for (uint32_t id : ids)
    if (uint32_t& parent = doc.tables[id].parent) parent = ids[parent - 1];
  copy.tables.clear();
}

}  // namespace

void ModelRange::SetFormattedText(const Range& source) {
  const auto* from = dynamic_cast<const ModelRange*>(&source);
  if (!from) {  // not a range of this model: only its text can be copied
    SetText(source.Text());
    return;
  }
  RangeRef r = Ref();
  FormattedCopy copy = Copier(from->Ref(), *r.doc).Make();
  Story& story = *r.story;
  long at = r.anchor->start;
  const bool overFinalMark = r.anchor->end >= story.Length();
  if (r.anchor->end > at) at = story.Erase(at, r.anchor->end).first;
  at = std::min(at, story.Length() - 1);  // in front of the story's final paragraph mark
  if (uint32_t table = InsertionCell(story, at).table) {
    FlattenInto(copy, table);
  } else {
    AddTables(copy, *r.doc);
    // A table takes whole paragraphs: a copy starting with one splits the paragraph it lands in.
    const bool startsTable = !copy.cells.empty() && copy.cells.front().table;
    if (startsTable && story.ParagraphAt(at).first != at) {
      story.Insert(at, std::wstring(1, kParagraphMark), InsertionCell(story, at));
      ++at;
    }
  }
  // Put over the final paragraph mark, the copy's own last mark takes its
  // place (with its formats) rather than leaving an empty paragraph after it.
  std::optional<CharCell> finalMark;
  if (overFinalMark && !copy.text.empty() && copy.text.back() == kParagraphMark && !copy.cells.back().table) {
    finalMark = copy.cells.back();
    copy.text.pop_back();
    copy.cells.pop_back();
  }
  // Equations do not nest: copied into an equation, an equation's text just joins it.
  bool insideEquation = !r.doc->EquationsIn(story, at, at).empty();
  story.InsertCells(at, copy.text, copy.cells);
  r.anchor->start = at;
  r.anchor->end = at + static_cast<long>(copy.text.size());
  if (finalMark) {
    ParaFormat p = r.doc->paraFormats[finalMark->paragraph];
    p.sectionBreak = 0;  // the final mark ends the document's last section, as it did
    p.sectionXml.clear();
    CharCell& mark = story.Cell(story.Length() - 1);
    mark.format = finalMark->format;
    mark.paragraph = r.doc->paraFormats.Intern(p);
    r.anchor->end = story.Length();
  }
  if (!insideEquation)
    for (const auto& eq : copy.equations)
      r.doc->equations.push_back(std::make_shared<Equation>(
          Equation{r.story, story.MakeAnchor(at + eq.start, at + eq.end), eq.builtUp}));
  r.doc->Changed();
}

}  // namespace plx::docif::model
