#include "docif/model/story.hpp"

#include <algorithm>
#include <optional>
#include <tuple>

namespace plx::docif::model {

Story::Story(uint32_t format, uint32_t paragraph)
    : text_(1, kParagraphMark), cells_(1, CharCell{format, paragraph, 0, 0, false}) {}

bool Story::IsParagraphEnd(long pos) const {
  wchar_t c = text_[pos];
  return c == kParagraphMark || c == kCellEnd;
}

void Story::Assign(std::wstring text, std::vector<CharCell> cells) {
  if (text.empty() || text.back() != kParagraphMark || cells.size() != text.size()) {
    text.push_back(kParagraphMark);
    cells.resize(text.size(), cells.empty() ? CharCell{} : cells.back());
  }
  text_ = std::move(text);
  cells_ = std::move(cells);
  TextChanged();
  for (auto& w : anchors_)
    if (auto a = w.lock()) a->start = a->end = 0;
}

void Story::TextChanged() {
  ++revision_;
  fields_.reset();
  DropCellIndexes();
}

void Story::DropCellIndexes() {
  ++edits_;
  tables_.reset();
  paragraphEnds_.reset();
}

std::shared_ptr<Anchor> Story::MakeAnchor(long start, long end) {
  start = std::clamp(start, 0L, Length());
  end = std::clamp(end, start, Length());
  auto a = std::make_shared<Anchor>(Anchor{start, end});
  std::erase_if(anchors_, [](const auto& w) { return w.expired(); });
  anchors_.push_back(a);
  return a;
}

std::shared_ptr<Anchor> Story::MakeParagraphAnchor(long pos) {
  const long start = ParagraphAt(std::clamp(pos, 0L, std::max(Length() - 1, 0L))).first;
  auto a = MakeAnchor(start, start);
  a->paragraph = true;
  return a;
}

void Story::Shift(long pos, long count) {
  // Where a paragraph's anchor at pos goes: past the paragraph ends the
  // inserted text starts with, as typing them one by one at the start of
  // the paragraph moves it down; the text after them joins its paragraph.
  // Found only when such an anchor is there.
  std::optional<long> paragraphStart;
  auto paragraphAfter = [&] {
    if (!paragraphStart) {
      long i = pos;
      while (i < pos + count && IsParagraphEnd(i)) ++i;
      paragraphStart = i;
    }
    return *paragraphStart;
  };
  for (auto& w : anchors_) {
    auto a = w.lock();
    if (!a) continue;
    bool collapsedHere = a->start == pos && a->end == pos;
    if (a->paragraph && collapsedHere) {
      a->start = a->end = paragraphAfter();
      continue;
    }
    if (a->start >= pos) a->start += count;
    if (a->end > pos || collapsedHere) a->end += count;
  }
}

void Story::Collapse(long start, long end) {
  long n = end - start;
  auto move = [&](long p) { return p >= end ? p - n : (p > start ? start : p); };
  for (auto& w : anchors_) {
    auto a = w.lock();
    if (!a) continue;
    a->start = move(a->start);
    a->end = move(a->end);
  }
}

void Story::Insert(long pos, const std::wstring& text, const CharCell& cell) {
  if (text.empty()) return;
  pos = std::clamp(pos, 0L, Length() - 1 >= 0 ? Length() : 0L);
  // The paragraph format a new mark copies is the one of the paragraph it splits.
  long paraEnd = pos;
  while (paraEnd < Length() && !IsParagraphEnd(paraEnd)) ++paraEnd;
  uint32_t splitFormat = paraEnd < Length() ? cells_[paraEnd].paragraph : cell.paragraph;
  std::vector<CharCell> added(text.size(), cell);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kParagraphMark) added[i].paragraph = splitFormat;
    if (text[i] != kFieldBegin) added[i].showCodes = false;
    if (text[i] != kInlineObject) added[i].object = 0;
  }
  InsertCells(pos, text, added);
}

void Story::InsertCells(long pos, const std::wstring& text, const std::vector<CharCell>& cells) {
  if (text.empty()) return;
  pos = std::clamp(pos, 0L, Length());
  text_.insert(static_cast<size_t>(pos), text);
  cells_.insert(cells_.begin() + pos, cells.begin(), cells.end());
  TextChanged();
  Shift(pos, static_cast<long>(text.size()));
}

std::pair<long, long> Story::ErasableSpan(long start, long end) const {
  start = std::clamp(start, 0L, Length() - 1);
  end = std::clamp(end, start, Length() - 1);  // the final mark stays
  // Widen to whole fields: a field partly inside goes entirely.
  bool widened = true;
  while (widened) {
    widened = false;
    for (const auto& f : FieldsIn(0, Length())) {
      bool beginIn = f.begin >= start && f.begin < end;
      bool endIn = f.end >= start && f.end < end;
      bool sepIn = f.separator >= start && f.separator < end;
      if ((beginIn || endIn || sepIn) && !(beginIn && endIn)) {
        long s = std::min(start, f.begin), e = std::max(end, f.end + 1);
        if (s != start || e != end) {
          start = s;
          end = std::min(e, Length() - 1);
          widened = true;
        }
      }
    }
  }
  return {start, std::max(start, end)};
}

std::pair<long, long> Story::Erase(long start, long end) {
  std::tie(start, end) = ErasableSpan(start, end);
  if (end <= start) return {start, start};
  text_.erase(static_cast<size_t>(start), static_cast<size_t>(end - start));
  cells_.erase(cells_.begin() + start, cells_.begin() + end);
  TextChanged();
  Collapse(start, end);
  return {start, end};
}

void Story::ReplaceSpans(const std::vector<Span>& spans) {
  if (spans.empty()) return;
  std::wstring text;
  std::vector<CharCell> cells;
  text.reserve(text_.size());
  cells.reserve(cells_.size());
  // newStart[i]: where span i begins in the new text.
  std::vector<long> newStart(spans.size());
  long pos = 0;
  for (size_t i = 0; i < spans.size(); ++i) {
    const Span& sp = spans[i];
    text.append(text_, pos, sp.start - pos);
    cells.insert(cells.end(), cells_.begin() + pos, cells_.begin() + sp.start);
    newStart[i] = static_cast<long>(text.size());
    text.append(sp.text);
    CharCell cell = sp.cell;
    cell.object = 0;
    cell.showCodes = false;
    cells.insert(cells.end(), sp.text.size(), cell);
    pos = sp.end;
  }
  text.append(text_, pos, std::wstring::npos);
  cells.insert(cells.end(), cells_.begin() + pos, cells_.end());
  auto map = [&](long p, bool isEnd) {
    // The last span starting at or before p.
    auto it = std::upper_bound(spans.begin(), spans.end(), p,
                               [](long v, const Span& sp) { return v < sp.start; });
    if (it == spans.begin()) return p;
    size_t i = static_cast<size_t>(it - spans.begin()) - 1;
    const Span& sp = spans[i];
    long newEnd = newStart[i] + static_cast<long>(sp.text.size());
    if (p == sp.start) return newStart[i];
    if (p < sp.end) return isEnd ? newEnd : newStart[i];
    return newEnd + (p - sp.end);
  };
  for (auto& w : anchors_) {
    auto a = w.lock();
    if (!a) continue;
    a->start = map(a->start, false);
    a->end = std::max(a->start, map(a->end, true));
  }
  text_ = std::move(text);
  cells_ = std::move(cells);
  TextChanged();
}

std::pair<long, long> Story::ParagraphAt(long pos) const {
  pos = std::clamp(pos, 0L, Length() - 1);
  long s = pos;
  while (s > 0 && !IsParagraphEnd(s - 1) && text_[s - 1] != kRowEnd) --s;
  long e = pos;
  while (e < Length() - 1 && !IsParagraphEnd(e)) ++e;
  return {s, e + 1};
}

std::vector<std::pair<long, long>> Story::ParagraphsIn(long start, long end) const {
  std::vector<std::pair<long, long>> out;
  long pos = std::clamp(start, 0L, Length() - 1);
  while (true) {
    auto p = ParagraphAt(pos);
    if (text_[pos] == kRowEnd) p = {pos, pos + 1};
    else out.push_back(p);
    if (p.second >= end || p.second >= Length()) break;
    pos = p.second;
  }
  return out;
}

std::vector<FieldMarks> Story::FieldsIn(long start, long end) const {
  if (!fields_) {
    // Marks pair up as brackets do; a begin without an end is no field.
    std::vector<FieldMarks> all, open;
    for (long i = 0; i < Length(); ++i) {
      wchar_t c = text_[i];
      if (c == kFieldBegin) {
        open.push_back({i, -1, -1});
      } else if (c == kFieldSeparator && !open.empty()) {
        open.back().separator = i;
      } else if (c == kFieldEnd && !open.empty()) {
        FieldMarks f = open.back();
        open.pop_back();
        f.end = i;
        if (f.separator < 0) f.separator = i;
        all.push_back(f);
      }
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.begin < b.begin; });
    fields_ = std::move(all);
  }
  auto first = std::lower_bound(fields_->begin(), fields_->end(), start,
                                [](const FieldMarks& f, long pos) { return f.begin < pos; });
  auto last = std::lower_bound(first, fields_->end(), end, [](const FieldMarks& f, long pos) { return f.begin < pos; });
  return std::vector<FieldMarks>(first, last);
}

std::optional<std::pair<long, long>> Story::TableExtent(uint32_t table) const {
  if (!tables_) {
    tables_.emplace();
    for (long i = 0; i < Length(); ++i) {
      uint32_t id = cells_[i].table;
      if (!id) continue;
      auto [it, added] = tables_->try_emplace(id, i, i + 1);
      if (!added) it->second.second = i + 1;
    }
  }
  auto it = tables_->find(table);
  if (it == tables_->end()) return std::nullopt;
  return it->second;
}

long Story::ParagraphEndsBefore(long pos, uint32_t paragraph) const {
  if (!paragraphEnds_) {
    paragraphEnds_.emplace();
    for (long i = 0; i < Length(); ++i)
      if (IsParagraphEnd(i)) (*paragraphEnds_)[cells_[i].paragraph].push_back(i);
  }
  auto it = paragraphEnds_->find(paragraph);
  if (it == paragraphEnds_->end()) return 0;
  return std::lower_bound(it->second.begin(), it->second.end(), pos) - it->second.begin();
}

std::wstring Story::Visible(long start, long end, bool showCodes, std::vector<long>* positions) const {
  start = std::clamp(start, 0L, Length());
  end = std::clamp(end, start, Length());
  // 0 shown, 1 hidden, 2 a field end shown because its field shows its code.
  std::vector<char> state(static_cast<size_t>(end - start), 0);
  auto mark = [&](long from, long to, char value) {
    for (long i = std::max(from, start); i < std::min(to, end); ++i) state[i - start] = value;
  };
  // Only fields that begin inside the span are shown by code or result;
  // a span that starts inside a field (its code or its result) shows its
  // characters as they are.
  for (const auto& f : FieldsIn(start, end)) {
    bool codes = showCodes || cells_[f.begin].showCodes;
    if (codes) {
      mark(f.separator, f.end, 1);
      if (f.end >= start && f.end < end && state[f.end - start] == 0) state[f.end - start] = 2;
    } else {
      mark(f.begin, f.separator + 1, 1);
      mark(f.end, f.end + 1, 1);
    }
  }
  std::wstring out;
  out.reserve(state.size());
  if (positions) {
    positions->clear();
    positions->reserve(state.size() + 1);
  }
  auto emit = [&](wchar_t c, long pos) {
    out += c;
    if (positions) positions->push_back(pos);
  };
  for (long i = start; i < end; ++i) {
    if (state[i - start] == 1) continue;
    wchar_t c = text_[i];
    if (c == kCellEnd || c == kRowEnd) {
      emit(kParagraphMark, i);
      emit(kCellEnd, i);
    } else {
      emit(c, i);
    }
  }
  if (positions) positions->push_back(end);
  return out;
}

void MoveDownByParagraphs(const Story& story, Anchor& anchor, int count, bool extend) {
  long pos = anchor.end;
  // A selection that ends just after a paragraph mark is already at the
  // start of the next paragraph: that is the first step.
  int steps = count;
  if (anchor.end > anchor.start && pos > 0 && story.IsParagraphEnd(pos - 1)) --steps;
  for (int i = 0; i < steps; ++i) {
    long next = story.ParagraphAt(pos).second;
    if (next >= story.Length()) break;
    pos = next;
  }
  if (extend) anchor.end = std::max(pos, anchor.start);
  else anchor.start = anchor.end = pos;
}

}  // namespace plx::docif::model
