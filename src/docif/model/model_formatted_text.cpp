// Range.FormattedText: a copy of a range's characters with their
// formatting, fields and equations, put in place of another range's text.
#include <algorithm>
#include <map>

#include "docif/model/model_range.hpp"

namespace plx::docif::model {
namespace {

struct FormattedCopy {
  std::wstring text;
  std::vector<CharCell> cells;
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
// same one): formats are interned in the target's pools, inline objects
// and list numbering get entries of their own, and table structure is
// flattened (a cell end becomes a paragraph mark, row ends go).
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
      if (!keep[i - start] || c == kRowEnd) continue;
      const CharCell& cell = story.Cell(i);
      CharCell copy{Format(cell.format), Paragraph(cell.paragraph), 0, 0, cell.showCodes};
      if (c == kInlineObject) copy.object = Object(cell.object);
      out.text += c == kCellEnd ? kParagraphMark : c;
      out.cells.push_back(copy);
    }
    at.back() = static_cast<long>(out.text.size());
    for (const auto& eq : src_.EquationsIn(story, start, end))
      if (eq->anchor->start >= start && eq->anchor->end <= end)
        out.equations.push_back({at[eq->anchor->start - start], at[eq->anchor->end - start], eq->builtUp});
    return out;
  }

 private:
  bool SameDocument() const { return &src_ == &dst_; }

  uint32_t Format(uint32_t index) {
    auto [it, added] = formats_.try_emplace(index, 0);
    if (added) it->second = dst_.charFormats.Intern(src_.charFormats[index]);
    return it->second;
  }

  uint32_t Paragraph(uint32_t index) {
    auto [it, added] = paragraphs_.try_emplace(index, 0);
    if (added) {
      ParaFormat p = src_.paraFormats[index];
      if (!SameDocument() && p.list > 0 && p.list <= static_cast<int>(src_.lists.size())) p.list = List(p.list);
      it->second = dst_.paraFormats.Intern(p);
    }
    return it->second;
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
};

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
  if (r.anchor->end > at) at = story.Erase(at, r.anchor->end).first;
  at = std::min(at, story.Length() - 1);  // in front of the story's final paragraph mark
  uint32_t table = InsertionCell(story, at).table;
  for (CharCell& cell : copy.cells) cell.table = table;
  // Equations do not nest: copied into an equation, an equation's text just joins it.
  bool insideEquation = !r.doc->EquationsIn(story, at, at).empty();
  story.InsertCells(at, copy.text, copy.cells);
  r.anchor->start = at;
  r.anchor->end = at + static_cast<long>(copy.text.size());
  if (!insideEquation)
    for (const auto& eq : copy.equations)
      r.doc->equations.push_back(std::make_shared<Equation>(
          Equation{r.story, story.MakeAnchor(at + eq.start, at + eq.end), eq.builtUp}));
  r.doc->Changed();
}

}  // namespace plx::docif::model
