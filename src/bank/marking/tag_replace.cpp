#include "bank/marking/tag_replace.hpp"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <utility>

#include "common/text.hpp"
#include "docif/find_pattern.hpp"
#include "docif/range.hpp"
#include "platform/regexp.hpp"

namespace plx::bank {
namespace {

std::wstring WithoutParagraphMark(const std::wstring& s) {
  return s.starts_with(L"^13") ? s.substr(3) : s;
}

std::wstring TagOf(const TagRule& rule) {
  std::wstring r = WithoutParagraphMark(rule.replace);
  size_t ref = r.find(L"\\1");
  return ref == std::wstring::npos ? r : r.substr(0, ref);
}

int CountOf(const std::wstring& text, const std::wstring& tag) {
  if (tag.empty()) return 0;
  int n = 0;
  for (size_t at = text.find(tag); at != std::wstring::npos; at = text.find(tag, at + tag.size())) ++n;
  return n;
}

void Configure(docif::Find& f, const std::wstring& find, const std::wstring& replace, uint32_t colour) {
  f.ClearFormatting();
  f.Text = find;
  f.Replacement.Text = replace;
  f.Forward = true;
  f.Wrap = docif::kFindStop;
  f.MatchWildcards = true;
  f.MatchCase = f.MatchWholeWord = f.MatchSoundsLike = f.MatchAllWordForms = false;
  f.Format = true;
  f.Replacement.Font = {};
  f.Replacement.Font.Bold = true;
  f.Replacement.Font.Color = colour;
}

// The character at a position as the text shows it; a cell or row end,
// which reads as CR BEL, is its BEL.
wchar_t CharAt(docif::Document& doc, long pos) {
  if (pos < 0) return L'\r';
  std::wstring t = doc.GetRange(pos, pos + 1)->Text();
  return t.empty() ? L'\r' : t.back();
}

// The rule's replacement for a found text, or nothing when the find text
// does not match it alone (it looks at the text around the match).
std::optional<std::wstring> Replacement(const TagRule& rule, const std::wstring& found) {
  const docif::CompiledFind compiled = docif::TranslateFind({rule.find, true, false, false});
  RegExp re;
  re.Pattern = L"\\A(?:" + compiled.pattern + L")\\z";
  re.IgnoreCase = compiled.ignoreCase;
  auto matches = re.Execute(found);
  if (matches.empty()) return std::nullopt;
  return docif::ExpandReplacement(docif::ParseReplacement(rule.replace, true), matches.front());
}

// Writes the rule's replacement over the match [start, end) and returns
// where the replacement ends. Only what differs is written: what the
// match and its replacement share at their start (the paragraph mark a
// "^13" rule finds) and at their end (the marked text "\1" puts back)
// keeps its characters and formatting, and only the tag between them is
// new, in bold and the rule's colour. A match holding field codes, or one
// the find text reads only in its surroundings, is replaced whole as the
// host replaces it. The part keeps its start when the tag is written there.
long WriteTag(docif::Document& doc, docif::Range& part, long start, long end, const TagRule& rule) {
  const std::wstring found = doc.GetRange(start, end)->Text();
  const std::optional<std::wstring> replacement =
      found.size() == static_cast<size_t>(end - start) ? Replacement(rule, found) : std::nullopt;
  if (!replacement) {
    auto exact = doc.GetRange(start, end);
    auto f = exact->GetFind();
    Configure(*f, rule.find, rule.replace, rule.colour);
    return f->Execute(docif::kReplaceOne) ? exact->End() : end;
  }
  const std::wstring& r = *replacement;
  size_t same = 0, tail = 0;
  while (same < found.size() && same < r.size() && found[same] == r[same]) ++same;
  while (tail < found.size() - same && tail < r.size() - same &&
         found[found.size() - 1 - tail] == r[r.size() - 1 - tail])
    ++tail;
  const long from = start + static_cast<long>(same), partStart = part.Start();
  auto tag = doc.GetRange(from, end - static_cast<long>(tail));
  tag->SetText(r.substr(same, r.size() - same - tail));
  if (tag->End() > tag->Start()) {
    docif::FontFormat font;
    font.Bold = true;
    font.Color = rule.colour;
    tag->SetFont(font);
  }
  if (from == partStart) part.SetRange(partStart, part.End());
  return tag->End() + static_cast<long>(tail);
}

// The first match of the rule's pattern in [at, end), as its start and end.
std::optional<std::pair<long, long>> FirstMatch(docif::Document& doc, long at, long end, const TagRule& rule) {
  auto probe = doc.GetRange(at, end);
  auto f = probe->GetFind();
  Configure(*f, rule.find, rule.replace, rule.colour);
  f->Format = false;
  if (!f->Execute()) return std::nullopt;
  return std::pair{probe->Start(), probe->End()};
}

// Tags every match of the rule in the part, front to back.
void TagEach(docif::Document& doc, docif::Range& part, const TagRule& rule) {
  long at = part.Start();
  while (at < part.End()) {
    const auto match = FirstMatch(doc, at, part.End(), rule);
    if (!match) break;
    at = std::max(WriteTag(doc, part, match->first, match->second, rule), match->first + 1);
  }
}

// Tags the one match that starts at `at` inside [at, end), if any, and
// returns where its replacement ends; -1 when there is none.
long TagMatchAt(docif::Document& doc, docif::Range& part, long at, long end, const TagRule& rule) {
  const auto match = FirstMatch(doc, at, end, rule);
  if (!match || match->first != at) return -1;
  return WriteTag(doc, part, at, match->second, rule);
}

}  // namespace

int ApplyTagRule(docif::Document& doc, docif::Range& part, const TagRule& rule) {
  if (rule.find.empty()) return 0;
  std::wstring tag = TagOf(rule);
  int before = CountOf(part.Text(), tag);
  TagEach(doc, part, rule);
  if (rule.find.starts_with(L"^13")) {
    const TagRule bare{WithoutParagraphMark(rule.find), WithoutParagraphMark(rule.replace), rule.colour};
    auto paragraphs = part.Paragraphs();
    for (int i = 1, n = paragraphs->Count(); i <= n; ++i) {
      auto p = paragraphs->Item(i);
      long start = std::max(p->Start(), part.Start());
      if (start >= part.End() || CharAt(doc, start - 1) == L'\r' || p->GetTables()->Count() > 0) continue;
      TagMatchAt(doc, part, start, p->End(), bare);
    }
  }
  return CountOf(part.Text(), tag) - before;
}

int ApplyTagRuleAfterBlanks(docif::Document& doc, docif::Range& part, const TagRule& rule) {
  const TagRule bare{WithoutParagraphMark(rule.find), WithoutParagraphMark(rule.replace), rule.colour};
  if (bare.find.empty()) return 0;
  int written = 0;
  long at = part.Start();
  while (at < part.End()) {
    const auto match = FirstMatch(doc, at, part.End(), bare);
    if (!match) break;
    const auto [start, end] = *match;
    wchar_t before = CharAt(doc, start - 1), after = CharAt(doc, end), last = CharAt(doc, end - 1);
    bool boundary = before == L'\r' || before == L'\v' || before == L'\a' || before == L' ' ||
                    before == L'\u3000' || before == L'\t';
    bool decimal = last == L'.' && std::iswdigit(after);
    const long tagEnd = boundary && !decimal ? TagMatchAt(doc, part, start, end, bare) : -1;
    if (tagEnd >= 0) ++written;
    at = std::max(tagEnd >= 0 ? tagEnd : end, start + 1);
  }
  return written;
}

}  // namespace plx::bank
