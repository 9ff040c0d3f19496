#include "docif/model/model_range.hpp"

#include <algorithm>
#include <map>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/layout.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_find.hpp"

namespace plx::docif::model {
namespace {

bool IsChineseFontName(const std::wstring& name) {
  for (wchar_t c : name)
    if (c >= 0x2E80) return true;
  return false;
}

}  // namespace

CharFormat ApplyFontChange(CharFormat f, const FontFormat& change) {
  if (change.Name) {
    f.ascii = *change.Name;
    if (IsChineseFontName(*change.Name)) f.farEast = *change.Name;
  }
  if (change.NameAscii) f.ascii = *change.NameAscii;
  if (change.NameFarEast) f.farEast = *change.NameFarEast;
  if (change.Size) f.size = *change.Size;
  if (change.Bold) f.bold = *change.Bold;
  if (change.Italic) f.italic = *change.Italic;
  if (change.Superscript) {
    f.superscript = *change.Superscript;
    if (f.superscript) f.subscript = false;
  }
  if (change.Subscript) {
    f.subscript = *change.Subscript;
    if (f.subscript) f.superscript = false;
  }
  if (change.Hidden) f.hidden = *change.Hidden;
  if (change.Underline) f.underline = *change.Underline;
  if (change.Color) f.color = *change.Color;
  if (change.Position) f.position = *change.Position;
  return f;
}

namespace {

}  // namespace

ParaFormat ApplyParagraphChange(ParaFormat p, const ParagraphFormat& c) {
  if (c.Alignment) p.alignment = *c.Alignment;
  if (c.LineSpacingRule) p.lineSpacingRule = *c.LineSpacingRule;
  if (c.LineSpacing) p.lineSpacing = *c.LineSpacing;
  if (c.CharacterUnitFirstLineIndent) p.charIndent = *c.CharacterUnitFirstLineIndent;
  if (c.FirstLineIndent) p.firstIndent = *c.FirstLineIndent;
  if (c.LeftIndent) p.leftIndent = *c.LeftIndent;
  if (c.RightIndent) p.rightIndent = *c.RightIndent;
  if (c.SpaceBefore) p.spaceBefore = *c.SpaceBefore;
  if (c.SpaceAfter) p.spaceAfter = *c.SpaceAfter;
  if (c.BaseLineAlignment) p.baseline = *c.BaseLineAlignment;
  if (c.OutlineLevel) p.outlineLevel = *c.OutlineLevel;
  return p;
}

FontFormat ToFontFormat(const CharFormat& f) {
  return {f.ascii, f.ascii, f.farEast, f.size, f.bold, f.italic, f.superscript, f.subscript,
          f.hidden, f.underline, f.color, f.position};
}

ParagraphFormat ToParagraphFormat(const ParaFormat& p) {
  return {p.alignment, p.lineSpacingRule, p.lineSpacing, p.charIndent, p.firstIndent, p.leftIndent,
          p.rightIndent, p.spaceBefore, p.spaceAfter, p.baseline, p.outlineLevel};
}

namespace {

// Keeps a member only while every value seen agrees.
template <class T>
void Agree(std::optional<T>& slot, const T& value, bool first) {
  if (first) slot = value;
  else if (slot && *slot != value) slot.reset();
}

// Changes the paragraph format of every paragraph overlapping the range.
template <class Change>
void ForEachParagraph(const RangeRef& r, Change change) {
  DocData& d = *r.doc;
  for (auto [s, e] : r.story->ParagraphsIn(r.anchor->start, r.anchor->end)) {
    CharCell& cell = r.story->Cell(e - 1);
    ParaFormat p = d.paraFormats[cell.paragraph];
    change(p);
    cell.paragraph = d.paraFormats.Intern(p);
  }
  d.Changed();
}

const ParaFormat& FirstParagraph(const RangeRef& r) {
  auto [s, e] = r.story->ParagraphAt(r.anchor->start);
  return r.doc->paraFormats[r.story->Cell(e - 1).paragraph];
}

}  // namespace

RangePtr MakeRange(const std::shared_ptr<DocData>& doc, const std::shared_ptr<Story>& story,
                   long start, long end) {
  return std::make_shared<ModelRange>(RangeRef{doc, story, story->MakeAnchor(start, end)});
}

std::wstring NormaliseInsertedText(const std::wstring& text) {
  std::wstring out = Replace(text, L"\r\n", L"\r");
  std::replace(out.begin(), out.end(), L'\n', kParagraphMark);
  return out;
}

CharCell InsertionCell(const Story& story, long pos) {
  CharCell cell;
  if (pos > 0 && !story.IsParagraphEnd(pos - 1) && story.Text()[pos - 1] != kRowEnd)
    cell = story.Cell(pos - 1);
  else if (pos < story.Length())
    cell = story.Cell(pos);
  cell.table = 0;
  if (pos < story.Length() && story.Text()[pos] != kRowEnd) cell.table = story.Cell(pos).table;
  return cell;
}

std::wstring ListNumberText(const DocData& doc, const Story& story, long paragraphEnd) {
  int list = doc.paraFormats[story.Cell(paragraphEnd - 1).paragraph].list;
  if (list <= 0 || list > static_cast<int>(doc.lists.size())) return {};
  // The paragraphs of the list so far, counted by the paragraph formats
  // that belong to it (a handful), each a lookup in the story's index.
  long number = 0;
  for (uint32_t f = 0; f < doc.paraFormats.Size(); ++f)
    if (doc.paraFormats[f].list == list) number += story.ParagraphEndsBefore(paragraphEnd, f);
  const ListInstance& li = doc.lists[list - 1];
  std::wstring digits = std::to_wstring(number);
  if (li.numberStyle == 4 || li.numberStyle == 3) {  // letters
    digits = std::wstring(1, static_cast<wchar_t>((li.numberStyle == 3 ? L'A' : L'a') + (number - 1) % 26));
  }
  return Replace(li.numberFormat, L"%1", digits);
}

void ModelRange::SetRange(long start, long end) {
  RangeRef r = Ref();
  long len = r.story->Length();
  start = std::clamp(start, 0L, len);
  end = std::clamp(end, start, len);
  r.anchor->start = start;
  r.anchor->end = end;
}

RangePtr ModelRange::Duplicate() const {
  RangeRef r = Ref();
  return MakeRange(r.doc, r.story, r.anchor->start, r.anchor->end);
}

std::wstring ModelRange::Text() const {
  RangeRef r = Ref();
  return r.story->Visible(r.anchor->start, r.anchor->end, r.doc->showFieldCodes, nullptr);
}

long ModelRange::InsertAt(const RangeRef& r, long pos, const std::wstring& text) const {
  std::wstring t = NormaliseInsertedText(text);
  r.story->Insert(pos, t, InsertionCell(*r.story, pos));
  r.doc->Changed();
  return static_cast<long>(t.size());
}

void ModelRange::SetText(const std::wstring& text) {
  RangeRef r = Ref();
  long s = r.anchor->start;
  if (r.anchor->end > s) s = r.story->Erase(s, r.anchor->end).first;
  long n = InsertAt(r, s, text);
  r.anchor->start = s;
  r.anchor->end = s + n;
  r.doc->Changed();
}

void ModelRange::InsertBefore(const std::wstring& text) {
  RangeRef r = Ref();
  long s = r.anchor->start, e = r.anchor->end;
  long n = InsertAt(r, s, text);
  r.anchor->start = s;
  r.anchor->end = e + n;
}

void ModelRange::InsertAfter(const std::wstring& text) {
  RangeRef r = Ref();
  long s = r.anchor->start, e = r.anchor->end;
  // Text appended after the final paragraph mark goes in front of it.
  long at = std::min(e, r.story->Length() - (e == r.story->Length() ? 1 : 0));
  long n = InsertAt(r, at, text);
  r.anchor->start = s;
  r.anchor->end = at + n;
}

void ModelRange::InsertBreak(int type) {
  if (type != kSectionBreakNextPage && type != kSectionBreakContinuous)
    Raise(err::kInvalidCall, L"不支持这种分隔符。");
  RangeRef r = Ref();
  long s = r.anchor->start;
  if (r.story->Cell(s).table) Raise(err::kInvalidCall, L"不能在表格中插入分节符。");
  if (r.anchor->end > s) r.story->Erase(s, r.anchor->end);
  // The new mark ends the section: it takes its paragraph's format with the break.
  ParaFormat p = r.doc->paraFormats[r.story->Cell(r.story->ParagraphAt(s).second - 1).paragraph];
  p.sectionBreak = type;
  CharCell cell = InsertionCell(*r.story, s);
  r.story->Insert(s, std::wstring(1, kParagraphMark), cell);
  r.story->Cell(s).paragraph = r.doc->paraFormats.Intern(p);
  r.anchor->start = r.anchor->end = s + 1;
  r.doc->Changed();
}

void ModelRange::Delete() {
  RangeRef r = Ref();
  if (r.anchor->end > r.anchor->start) r.story->Erase(r.anchor->start, r.anchor->end);
  r.doc->Changed();
}

void ModelRange::Collapse(int direction) {
  RangeRef r = Ref();
  if (direction == kCollapseStart) r.anchor->end = r.anchor->start;
  else r.anchor->start = r.anchor->end;
}

void ModelRange::Select() {
  RangeRef r = Ref();
  r.doc->selectionStory = r.story;
  r.doc->selection = r.story->MakeAnchor(r.anchor->start, r.anchor->end);
  r.doc->selectedShapes.clear();
  r.doc->inlineSelected = r.anchor->end == r.anchor->start + 1 &&
                          r.story->Text()[r.anchor->start] == kInlineObject;
}

void ModelRange::InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool) {
  if (characterNumber < 1 || characterNumber > 0x10FFFF) Raise(err::kInvalidCall);
  SetText(std::wstring(1, static_cast<wchar_t>(characterNumber)));
  if (font) SetFont({.NameAscii = *font, .NameFarEast = *font});
}

void ModelRange::Copy() {
  RangeRef r = Ref();
  AppShared& app = *r.doc->app;
  app.clipboardText.clear();
  app.clipboardFormats.clear();
  for (long i = r.anchor->start; i < r.anchor->end; ++i) {
    app.clipboardText += r.story->Text()[i];
    app.clipboardFormats.push_back(r.doc->charFormats[r.story->Cell(i).format]);
  }
  app.journal.push_back(L"Copy " + std::to_wstring(r.anchor->start) + L" " + std::to_wstring(r.anchor->end));
}

FontFormat ModelRange::Font() const {
  RangeRef r = Ref();
  long s = r.anchor->start, e = r.anchor->end;
  if (e == s) {  // an insertion point reports the formatting typing would get
    return ToFontFormat(r.doc->charFormats[InsertionCell(*r.story, s).format]);
  }
  FontFormat out;
  for (long i = s; i < e; ++i) {
    const CharFormat& f = r.doc->charFormats[r.story->Cell(i).format];
    bool first = i == s;
    Agree(out.Name, f.ascii, first);
    Agree(out.NameAscii, f.ascii, first);
    Agree(out.NameFarEast, f.farEast, first);
    Agree(out.Size, f.size, first);
    Agree(out.Bold, f.bold, first);
    Agree(out.Italic, f.italic, first);
    Agree(out.Superscript, f.superscript, first);
    Agree(out.Subscript, f.subscript, first);
    Agree(out.Hidden, f.hidden, first);
    Agree(out.Underline, f.underline, first);
    Agree(out.Color, f.color, first);
    Agree(out.Position, f.position, first);
  }
  return out;
}

void ModelRange::SetFont(const FontFormat& font) {
  RangeRef r = Ref();
  DocData& d = *r.doc;
  std::map<uint32_t, uint32_t> done;
  for (long i = r.anchor->start; i < r.anchor->end; ++i) {
    uint32_t& index = r.story->Cell(i).format;
    auto it = done.find(index);
    if (it == done.end()) it = done.emplace(index, d.charFormats.Intern(ApplyFontChange(d.charFormats[index], font))).first;
    index = it->second;
  }
  d.Changed();
}

ParagraphFormat ModelRange::GetParagraphFormat() const {
  RangeRef r = Ref();
  ParagraphFormat out;
  bool first = true;
  for (auto [s, e] : r.story->ParagraphsIn(r.anchor->start, r.anchor->end)) {
    const ParaFormat& p = r.doc->paraFormats[r.story->Cell(e - 1).paragraph];
    Agree(out.Alignment, p.alignment, first);
    Agree(out.LineSpacingRule, p.lineSpacingRule, first);
    Agree(out.LineSpacing, p.lineSpacing, first);
    Agree(out.CharacterUnitFirstLineIndent, p.charIndent, first);
    Agree(out.FirstLineIndent, p.firstIndent, first);
    Agree(out.LeftIndent, p.leftIndent, first);
    Agree(out.RightIndent, p.rightIndent, first);
    Agree(out.SpaceBefore, p.spaceBefore, first);
    Agree(out.SpaceAfter, p.spaceAfter, first);
    Agree(out.BaseLineAlignment, p.baseline, first);
    Agree(out.OutlineLevel, p.outlineLevel, first);
    first = false;
  }
  return out;
}

void ModelRange::SetParagraphFormat(const ParagraphFormat& format) {
  ForEachParagraph(Ref(), [&](ParaFormat& p) { p = ApplyParagraphChange(p, format); });
}

std::vector<TabStop> ModelRange::TabStops() const { return FirstParagraph(Ref()).tabs; }

void ModelRange::AddTabStop(const TabStop& stop) {
  ForEachParagraph(Ref(), [&](ParaFormat& p) {
    std::erase_if(p.tabs, [&](const TabStop& t) { return t.Position == stop.Position; });
    p.tabs.push_back(stop);
    std::sort(p.tabs.begin(), p.tabs.end(),
              [](const TabStop& a, const TabStop& b) { return a.Position < b.Position; });
  });
}

void ModelRange::ClearTabStops() {
  ForEachParagraph(Ref(), [](ParaFormat& p) { p.tabs.clear(); });
}

std::wstring ModelRange::Style() const { return FirstParagraph(Ref()).style; }

void ModelRange::SetStyle(const std::wstring& name) {
  RangeRef r = Ref();
  const StyleInfo* style = r.doc->FindStyle(name);
  if (!style) Raise(5941, L"集合所要求的成员不存在。");
  StyleInfo copy = *style;
  ForEachParagraph(r, [&](ParaFormat& p) {
    int list = p.list;
    p = copy.para;
    p.style = copy.name;
    p.list = list;
  });
  for (auto [s, e] : r.story->ParagraphsIn(r.anchor->start, r.anchor->end))
    for (long i = s; i < e; ++i) r.story->Cell(i).format = r.doc->charFormats.Intern(copy.font);
}

void ModelRange::ApplyListTemplate(const ListTemplate& tmpl, bool continuePreviousList) {
  RangeRef r = Ref();
  DocData& d = *r.doc;
  ListInstance wanted{tmpl.NumberFormat(), tmpl.NumberStyle()};
  int id = 0;
  if (continuePreviousList) {
    auto [s, e] = r.story->ParagraphAt(r.anchor->start);
    for (long i = s - 1; i >= 0 && id == 0; --i) {
      if (!r.story->IsParagraphEnd(i)) continue;
      int list = d.paraFormats[r.story->Cell(i).paragraph].list;
      if (list > 0 && d.lists[list - 1].numberFormat == wanted.numberFormat) id = list;
    }
  }
  if (id == 0) {
    d.lists.push_back(wanted);
    id = static_cast<int>(d.lists.size());
  }
  ForEachParagraph(r, [&](ParaFormat& p) { p.list = id; });
}

void ModelRange::RemoveNumbers() {
  ForEachParagraph(Ref(), [](ParaFormat& p) { p.list = 0; });
}

void ModelRange::ConvertNumbersToText() {
  RangeRef r = Ref();
  // Number texts first: removing a number renumbers the paragraphs after it.
  std::vector<std::pair<std::shared_ptr<Anchor>, std::wstring>> numbers;
  for (auto [s, e] : r.story->ParagraphsIn(r.anchor->start, r.anchor->end)) {
    std::wstring text = ListNumberText(*r.doc, *r.story, e);
    if (!text.empty()) numbers.emplace_back(r.story->MakeAnchor(s, e), text + L"\t");
  }
  for (auto& [anchor, text] : numbers) {
    long s = anchor->start;
    CharCell& mark = r.story->Cell(anchor->end - 1);
    ParaFormat p = r.doc->paraFormats[mark.paragraph];
    p.list = 0;
    mark.paragraph = r.doc->paraFormats.Intern(p);
    r.story->Insert(s, text, InsertionCell(*r.story, s));
  }
  r.doc->Changed();
}

int ModelRange::ListType() const {
  return FirstParagraph(Ref()).list > 0 ? kListSimpleNumbering : kListNoNumbering;
}

std::wstring ModelRange::ListString() const {
  RangeRef r = Ref();
  return ListNumberText(*r.doc, *r.story, r.story->ParagraphAt(r.anchor->start).second);
}

double ModelRange::Information(int type) const {
  RangeRef r = Ref();
  return LayoutInformation(*r.doc, *r.story, r.anchor->start, type);
}

std::shared_ptr<Ranges> ModelRange::Characters() const {
  return Spans(StoryRanges::Of::Characters);
}

std::shared_ptr<Ranges> ModelRange::Paragraphs() const {
  return Spans(StoryRanges::Of::Paragraphs);
}

std::shared_ptr<Ranges> ModelRange::Spans(StoryRanges::Of of) const {
  RangeRef r = Ref();
  return std::make_shared<StoryRanges>(r.story, r.anchor->start, r.anchor->end, of,
                                       [doc = r.doc, story = r.story](long s, long e) { return MakeRange(doc, story, s, e); });
}

std::shared_ptr<Fields> ModelRange::GetFields() { return std::make_shared<ModelFields>(Ref()); }
std::shared_ptr<InlineShapes> ModelRange::GetInlineShapes() { return std::make_shared<ModelInlineShapes>(Ref()); }
std::shared_ptr<Tables> ModelRange::GetTables() { return std::make_shared<ModelTables>(Ref()); }
std::shared_ptr<OMaths> ModelRange::GetOMaths() { return std::make_shared<ModelOMaths>(Ref()); }
std::shared_ptr<Find> ModelRange::GetFind() {
  return std::make_shared<ModelFind>([r = Ref()] { return r; });
}

}  // namespace plx::docif::model

namespace plx::docif::model {

const std::vector<std::pair<long, long>>& StoryRanges::Spans() const {
  if (found_ && revision_ == story_->Revision()) return spans_;
  const long start = wholeStory_ ? 0 : anchor_->start, end = wholeStory_ ? story_->Length() : anchor_->end;
  if (of_ == Of::Paragraphs) {
    spans_ = story_->ParagraphsIn(start, end);
  } else {
    spans_.clear();
    for (long i = start; i < end; ++i) spans_.emplace_back(i, i + 1);
  }
  revision_ = story_->Revision();
  found_ = true;
  return spans_;
}

RangePtr StoryRanges::Item(int index) const {
  const auto& spans = Spans();
  if (index < 1 || index > static_cast<int>(spans.size())) Raise(5941, L"集合所要求的成员不存在。");
  auto [s, e] = spans[index - 1];
  return make_(s, e);
}

}  // namespace plx::docif::model
