#include "docif/model/model_find.hpp"

#include "docif/find_pattern.hpp"
#include "docif/model/model_range.hpp"
#include "platform/regexp.hpp"

namespace plx::docif::model {
namespace {

struct Hit {
  long start, end;  // story positions
  RegexMatch match;
};

// Matches in [from, to) of the story as shown, in story positions.
std::vector<Hit> Search(const RangeRef& r, RegExp& re, long from, long to) {
  std::vector<long> pos;
  std::wstring shown = r.story->Visible(from, to, r.doc->showFieldCodes, &pos);
  std::vector<Hit> hits;
  for (auto& m : re.Execute(shown)) {
    long s = pos[m.FirstIndex];
    long e = m.Length == 0 ? s : pos[m.FirstIndex + m.Length - 1] + 1;
    hits.push_back({s, e, std::move(m)});
  }
  return hits;
}

// True when [s, e) cuts through a field's marks without holding all of them.
bool CutsField(const std::vector<FieldMarks>& fields, long s, long e) {
  for (const auto& f : fields) {
    bool beginIn = f.begin >= s && f.begin < e;
    bool endIn = f.end >= s && f.end < e;
    if (beginIn != endIn) return true;
  }
  return false;
}

}  // namespace

bool ModelFind::Execute(int replace) {
  if (Text.empty()) return false;
  CompiledFind compiled = TranslateFind({Text, MatchWildcards, MatchCase, MatchWholeWord});
  RegExp re;
  re.Pattern = compiled.pattern;
  re.IgnoreCase = compiled.ignoreCase;
  re.Global = replace == kReplaceAll || !Forward;

  const RangeRef r = scope_();
  Story& story = *r.story;
  long s = r.anchor->start, e = r.anchor->end;
  bool collapsed = s == e;
  std::vector<Hit> hits;
  if (!collapsed) {
    hits = Search(r, re, s, e);
  } else if (replace == kReplaceAll && Wrap == kFindContinue) {
    hits = Search(r, re, 0, story.Length());
  } else {
    hits = Forward ? Search(r, re, s, story.Length()) : Search(r, re, 0, s);
    if (hits.empty() && Wrap == kFindContinue)
      hits = Forward ? Search(r, re, 0, s) : Search(r, re, s, story.Length());
  }
  if (hits.empty()) return false;
  if (replace != kReplaceAll) {
    Hit first = Forward ? hits.front() : hits.back();
    hits = {first};
  }

  if (replace == kReplaceNone) {
    r.anchor->start = hits[0].start;
    r.anchor->end = hits[0].end;
    return true;
  }

  auto parts = ParseReplacement(Replacement.Text, MatchWildcards);
  auto fields = story.FieldsIn(0, story.Length());
  DocData& d = *r.doc;
  std::vector<Story::Span> spans;
  for (const Hit& h : hits) {
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
