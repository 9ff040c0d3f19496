// The shown text of a range and the cells of a table as the layout rule
// places them, for whoever draws a page.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "docif/model/layout.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"

namespace plx::docif::model {
namespace {

// Characters that take a place but show no glyph of their own.
bool Drawn(wchar_t c) {
  return c >= 0x20 && c != 0x7F && c != kParagraphMark && c != kCellEnd && c != kRowEnd;
}

// The distance from each line top to the next line top on the same page,
// keyed by (page, top).
std::map<std::pair<int, double>, double> LineSteps(const std::vector<PagePlace>& at) {
  std::map<std::pair<int, double>, double> steps;
  for (const PagePlace& p : at) steps.emplace(std::make_pair(p.page, p.y), 0.0);
  for (auto it = steps.begin(); it != steps.end(); ++it) {
    auto next = std::next(it);
    if (next != steps.end() && next->first.first == it->first.first) it->second = next->first.second - it->first.second;
  }
  return steps;
}

}  // namespace

std::vector<LaidText> ModelRange::LaidOut() const {
  RangeRef r = Ref();
  const Story& story = *r.story;
  const std::vector<PagePlace> at = LayoutPlaces(*r.doc, story);
  const auto steps = LineSteps(at);
  std::vector<long> shown;
  const std::wstring text = story.Visible(r.anchor->start, r.anchor->end, r.doc->showFieldCodes, &shown);
  // A piece ends where an equation starts or ends, so that whoever draws
  // the equation typeset can take its characters out whole.
  std::set<long> equationEdges;
  for (const auto& eq : r.doc->EquationsIn(story, r.anchor->start, r.anchor->end)) {
    equationEdges.insert(eq->anchor->start);
    equationEdges.insert(eq->anchor->end);
  }
  std::vector<LaidText> out;
  long lastPos = -2;
  uint32_t lastFormat = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    const long pos = shown[i];
    const wchar_t c = text[i];
    if (pos < 0 || pos >= story.Length() || !Drawn(c) || story.Text()[pos] != c) {
      lastPos = -2;
      continue;
    }
    const PagePlace& p = at[pos];
    const uint32_t format = story.Cell(pos).format;
    const CharFormat& f = r.doc->charFormats[format];
    const double width = std::max(0.0, at[pos + 1].page == p.page && at[pos + 1].y == p.y ? at[pos + 1].x - p.x
                                                                                      : (c >= 0x2E80 ? f.size : f.size / 2));
    const bool joins = !out.empty() && lastPos == pos - 1 && format == lastFormat && out.back().page == p.page &&
                       out.back().top == p.y && std::abs(out.back().left + out.back().width - p.x) < 0.01 &&
                       !equationEdges.contains(pos);
    if (joins) {
      out.back().text += c;
      out.back().width += width;
    } else {
      LaidText piece;
      piece.text = std::wstring(1, c);
      piece.start = pos;
      piece.page = p.page;
      piece.left = p.x;
      piece.top = p.y;
      piece.width = width;
      const double step = steps.at({p.page, p.y});
      piece.lineHeight = step > 0 && step < 4 * f.size ? step : 1.2 * f.size;
      piece.font = ToFontFormat(f);
      out.push_back(std::move(piece));
    }
    lastPos = pos;
    lastFormat = format;
  }
  return out;
}

std::vector<CellBox> ModelTable::CellBoxes() const {
  std::vector<CellBox> boxes;
  for (const LaidRow& row : LayoutRows(*doc_, *story_)) {
    if (row.table != id_) continue;
    for (size_t c = 0; c + 1 < row.edges.size(); ++c)
      boxes.push_back({row.row, static_cast<int>(c) + 1, row.page, row.edges[c], row.top, row.edges[c + 1] - row.edges[c],
                       std::max(0.0, row.bottom - row.top)});
  }
  return boxes;
}

}  // namespace plx::docif::model
