#include "docif/model/model_find.hpp"

#include "docif/find_pattern.hpp"
#include "docif/model/model_range.hpp"
#include "platform/regexp.hpp"

namespace plx::docif::model {
namespace {

// Matches in [from, to) of the story as shown, in story positions.
std::vector<FindHit> Search(const Story& story, bool showCodes, RegExp& re, long from, long to) {
  std::vector<long> pos;
  std::wstring shown = story.Visible(from, to, showCodes, &pos);
  std::vector<FindHit> hits;
  for (auto& m : re.Execute(shown)) {
    long s = pos[m.FirstIndex];
    long e = m.Length == 0 ? s : pos[m.FirstIndex + m.Length - 1] + 1;
    hits.push_back({s, e, std::move(m)});
  }
  return hits;
}

}  // namespace

bool CutsField(const std::vector<FieldMarks>& fields, long s, long e) {
  for (const auto& f : fields) {
    bool beginIn = f.begin >= s && f.begin < e;
    bool endIn = f.end >= s && f.end < e;
    if (beginIn != endIn) return true;
  }
  return false;
}

std::vector<FindHit> FindHits(const Story& story, bool showCodes, const Find& find, long s, long e, int replace) {
  if (find.Text.empty()) return {};
  CompiledFind compiled = TranslateFind({find.Text, find.MatchWildcards, find.MatchCase, find.MatchWholeWord});
  RegExp re;
  re.Pattern = compiled.pattern;
  re.IgnoreCase = compiled.ignoreCase;
  re.Global = replace == kReplaceAll || !find.Forward;

  std::vector<FindHit> hits;
  if (s != e) {
    hits = Search(story, showCodes, re, s, e);
  } else if (replace == kReplaceAll && find.Wrap == kFindContinue) {
    hits = Search(story, showCodes, re, 0, story.Length());
  } else {
    hits = find.Forward ? Search(story, showCodes, re, s, story.Length()) : Search(story, showCodes, re, 0, s);
    if (hits.empty() && find.Wrap == kFindContinue)
      hits = find.Forward ? Search(story, showCodes, re, 0, s) : Search(story, showCodes, re, s, story.Length());
  }
  if (!hits.empty() && replace != kReplaceAll) {
    FindHit first = find.Forward ? hits.front() : hits.back();
    hits = {first};
  }
  return hits;
}

bool ModelFind::Execute(int replace) {
  const RangeRef r = scope_();
  Story& story = *r.story;
  std::vector<FindHit> hits = FindHits(story, r.doc->showFieldCodes, *this, r.anchor->start, r.anchor->end, replace);
  if (hits.empty()) return false;

  if (replace == kReplaceNone) {
    r.anchor->start = hits[0].start;
    r.anchor->end = hits[0].end;
    return true;
  }

  auto parts = ParseReplacement(Replacement.Text, MatchWildcards);
  auto fields = story.FieldsIn(0, story.Length());
  DocData& d = *r.doc;
  std::vector<Story::Span> spans;
  for (const FindHit& h : hits) {
    if (CutsField(fields, h.start, h.end)) continue;
    long end = std::min(h.end, story.Length() - 1);  // the final mark stays
    CharCell cell = h.start < end ? story.Cell(h.start) : InsertionCell(story, h.start);
    cell.paragraph = story.Cell(story.ParagraphAt(h.start).second - 1).paragraph;
    if (Format) cell.format = d.charFormats.Intern(ApplyFontChange(d.charFormats[cell.format], Replacement.Font));
    spans.push_back({h.start, end, NormaliseInsertedText(ExpandReplacement(parts, h.match)), cell});
  }
  if (spans.empty()) return false;
  long firstStart = spans.front().start;
  long firstLen = static_cast<long>(spans.front().text.size());
  story.ReplaceSpans(spans);
  if (replace == kReplaceOne) {
    r.anchor->start = firstStart;
    r.anchor->end = firstStart + firstLen;
  }
  d.Changed();
  return true;
}

}  // namespace plx::docif::model
