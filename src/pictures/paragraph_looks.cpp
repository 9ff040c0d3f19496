#include "pictures/paragraph_looks.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "pictures/shape_scene.hpp"
#include "pictures/text_layout.hpp"

namespace plx::pictures {
namespace {

// The look of the paragraph that holds `pos`, if it has one.
const ParagraphLook* LookAt(const std::vector<ParagraphLook>& looks, long pos) {
  auto it = std::upper_bound(looks.begin(), looks.end(), pos, [](long p, const ParagraphLook& l) { return p < l.start; });
  if (it == looks.begin()) return nullptr;
  --it;
  return pos < it->end ? &*it : nullptr;
}

// Every line of a distributed paragraph (the sealing line's) cut into its
// ideographs and full-width signs, each alone, and its runs of other
// characters ("____", a word), each whole, spread evenly from where the
// line starts to its right end.
void SpreadDistributed(std::vector<docif::LaidText>& pieces, const std::vector<ParagraphLook>& looks,
                       const std::function<double(const LineItem&)>& rightOf, const TextMeasure& measure) {
  std::map<std::tuple<const ParagraphLook*, int, long>, std::vector<size_t>> lines;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const ParagraphLook* look = LookAt(looks, pieces[i].start);
    if (look && look->alignment == docif::kAlignDistribute && !pieces[i].font.Hidden.value_or(false))
      lines[{look, pieces[i].page, std::lround(pieces[i].top * 100)}].push_back(i);
  }
  if (lines.empty()) return;
  std::map<size_t, std::vector<docif::LaidText>> spread;  // by the line's first piece
  std::vector<bool> cut(pieces.size(), false);
  for (auto& [key, line] : lines) {
    std::sort(line.begin(), line.end(), [&](size_t a, size_t b) { return pieces[a].left < pieces[b].left; });
    std::vector<docif::LaidText> signs;
    double drawn = 0;
    for (size_t i : line) {
      const docif::LaidText& p = pieces[i];
      const std::vector<double> starts = measure.CharacterStarts(RunOf(p));
      for (size_t k = 0; k < p.text.size();) {
        size_t end = k + 1;
        if (p.text[k] < 0x2E80)
          while (end < p.text.size() && p.text[end] < 0x2E80) ++end;
        docif::LaidText sign = p;
        sign.text = p.text.substr(k, end - k);
        sign.start = p.start + static_cast<long>(k);
        sign.width = starts[end] - starts[k];
        drawn += sign.width;
        signs.push_back(std::move(sign));
        k = end;
      }
      cut[i] = true;
    }
    const docif::LaidText& first = pieces[line.front()];
    const double start = first.left;
    const double room = rightOf({first.start, first.page, first.top, first.left, first.width, 0}) -
                        std::get<0>(key)->rightIndent - start;
    const double gap = signs.size() > 1 && room > drawn ? (room - drawn) / static_cast<double>(signs.size() - 1) : 0;
    double x = start;
    for (docif::LaidText& sign : signs) {
      sign.left = x;
      x += sign.width + gap;
    }
    spread[*std::min_element(line.begin(), line.end())] = std::move(signs);
  }
  std::vector<docif::LaidText> out;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (auto s = spread.find(i); s != spread.end()) out.insert(out.end(), s->second.begin(), s->second.end());
    if (!cut[i]) out.push_back(std::move(pieces[i]));
  }
  pieces = std::move(out);
}

}  // namespace

std::vector<ParagraphLook> ParagraphLooks(docif::Range& range) {
  std::vector<ParagraphLook> looks;
  auto paragraphs = range.Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto p = paragraphs->Item(i);
    const docif::ParagraphFormat format = p->GetParagraphFormat();
    ParagraphLook look{p->Start(), p->End(), format.Alignment.value_or(docif::kAlignLeft),
                       format.RightIndent.value_or(0), {}};
    if (p->ListType() != docif::kListNoNumbering) look.listNumber = p->ListString();
    const bool aligned = look.alignment == docif::kAlignCenter || look.alignment == docif::kAlignRight ||
                         look.alignment == docif::kAlignDistribute;
    if (aligned || !look.listNumber.empty()) looks.push_back(std::move(look));
  }
  return looks;
}

std::vector<double> AlignmentShifts(const std::vector<LineItem>& items, const std::vector<ParagraphLook>& looks,
                                    const std::function<double(const LineItem&)>& rightOf) {
  std::vector<double> shifts(items.size(), 0);
  // The items of each line of an aligned paragraph, left to right.
  std::map<std::tuple<const ParagraphLook*, int, long>, std::vector<size_t>> lines;
  for (size_t i = 0; i < items.size(); ++i) {
    const ParagraphLook* look = LookAt(looks, items[i].start);
    if (!look || (look->alignment != docif::kAlignCenter && look->alignment != docif::kAlignRight)) continue;
    lines[{look, items[i].page, std::lround(items[i].top * 100)}].push_back(i);
  }
  for (auto& [key, line] : lines) {
    std::sort(line.begin(), line.end(), [&](size_t a, size_t b) { return items[a].left < items[b].left; });
    // Where the line really ends: an item that follows another in the
    // layout starts where the one before is drawn to end.
    const double start = items[line.front()].left;
    double end = start, slotEnd = start;
    for (size_t i : line) {
      const LineItem& item = items[i];
      const double left = std::abs(item.left - slotEnd) < 0.01 ? std::max(item.left, end) : item.left;
      end = std::max(end, left + item.drawn);
      slotEnd = item.left + item.slot;
    }
    const ParagraphLook* look = std::get<0>(key);
    const double room = rightOf(items[line.front()]) - look->rightIndent - start, width = end - start;
    if (width >= room) continue;
    const double shift = look->alignment == docif::kAlignCenter ? (room - width) / 2 : room - width;
    for (size_t i : line) shifts[i] = shift;
  }
  return shifts;
}

void AlignPieces(std::vector<docif::LaidText>& pieces, std::vector<LineItem>& others,
                 const std::vector<ParagraphLook>& looks, const std::function<double(const LineItem&)>& rightOf) {
  if (looks.empty()) return;
  const TextMeasure measure;
  SpreadDistributed(pieces, looks, rightOf, measure);
  std::vector<LineItem> items;
  for (const docif::LaidText& p : pieces)
    items.push_back({p.start, p.page, p.top, p.left, p.width,
                     p.font.Hidden.value_or(false) ? 0 : measure.Measure(RunOf(p)).width});
  items.insert(items.end(), others.begin(), others.end());
  const std::vector<double> shifts = AlignmentShifts(items, looks, rightOf);
  for (size_t i = 0; i < pieces.size(); ++i) pieces[i].left += shifts[i];
  for (size_t i = 0; i < others.size(); ++i) others[i].left += shifts[pieces.size() + i];
}

void AddListNumbers(Scene& scene, std::vector<docif::LaidText>& pieces, const std::vector<ParagraphLook>& looks,
                    int page, double dx, double dy) {
  const TextMeasure measure;
  for (const ParagraphLook& look : looks) {
    if (look.listNumber.empty()) continue;
    // The paragraph's first piece, if it is among these.
    auto first = std::min_element(pieces.begin(), pieces.end(), [&](const auto& a, const auto& b) {
      const bool ina = a.start >= look.start && a.start < look.end, inb = b.start >= look.start && b.start < look.end;
      return ina != inb ? ina : a.start < b.start;
    });
    if (first == pieces.end() || first->start < look.start || first->start >= look.end || first->page != page)
      continue;
    docif::LaidText number = *first;
    number.text = look.listNumber;
    number.font.Superscript = number.font.Subscript = false;
    Text run = RunOf(number);
    const double size = number.font.Size.value_or(10.5);
    run.left = number.left + dx;
    run.baseline = Baseline(number.top + dy, number.lineHeight, size);
    const double shift = measure.Measure(run).width + size / 2;
    const double top = number.top, left = number.left;
    for (docif::LaidText& p : pieces)
      if (p.start >= look.start && p.start < look.end && p.page == page && std::abs(p.top - top) < 0.01 &&
          p.left >= left - 0.01)
        p.left += shift;
    scene.Add(std::move(run));
  }
}

}  // namespace plx::pictures
