#include "bank/marking/tag_replace.hpp"

#include <algorithm>
#include <cwctype>

#include "common/text.hpp"
#include "docif/range.hpp"

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

// Replaces the one match that starts at `at` inside [at, end), if any.
bool ReplaceMatchAt(docif::Document& doc, long at, long end, const std::wstring& find,
                    const std::wstring& replace, uint32_t colour) {
  auto probe = doc.GetRange(at, end);
  auto f = probe->GetFind();
  Configure(*f, find, replace, colour);
  f->Format = false;
  if (!f->Execute() || probe->Start() != at) return false;
  auto exact = doc.GetRange(probe->Start(), probe->End());
  auto r = exact->GetFind();
  Configure(*r, find, replace, colour);
  return r->Execute(docif::kReplaceOne);
}

}  // namespace

int ApplyTagRule(docif::Document& doc, docif::Range& part, const TagRule& rule) {
  if (rule.find.empty()) return 0;
  std::wstring tag = TagOf(rule);
  int before = CountOf(part.Text(), tag);
  auto scope = part.Duplicate();
  auto f = scope->GetFind();
  Configure(*f, rule.find, rule.replace, rule.colour);
  f->Execute(docif::kReplaceAll);
  if (rule.find.starts_with(L"^13")) {
    std::wstring find = WithoutParagraphMark(rule.find), replace = WithoutParagraphMark(rule.replace);
    auto paragraphs = part.Paragraphs();
    for (int i = 1, n = paragraphs->Count(); i <= n; ++i) {
      auto p = paragraphs->Item(i);
      long start = std::max(p->Start(), part.Start());
      if (start >= part.End() || CharAt(doc, start - 1) == L'\r' || p->GetTables()->Count() > 0) continue;
      ReplaceMatchAt(doc, start, p->End(), find, replace, rule.colour);
    }
  }
  return CountOf(part.Text(), tag) - before;
}

int ApplyTagRuleAfterBlanks(docif::Document& doc, docif::Range& part, const TagRule& rule) {
  std::wstring find = WithoutParagraphMark(rule.find), replace = WithoutParagraphMark(rule.replace);
  if (find.empty()) return 0;
  int written = 0;
  long at = part.Start();
  while (at < part.End()) {
    auto probe = doc.GetRange(at, part.End());
    auto f = probe->GetFind();
    Configure(*f, find, replace, rule.colour);
    f->Format = false;
    if (!f->Execute()) break;
    long start = probe->Start(), end = probe->End();
    wchar_t before = CharAt(doc, start - 1), after = CharAt(doc, end), last = CharAt(doc, end - 1);
    bool boundary = before == L'\r' || before == L'\v' || before == L'\a' || before == L' ' ||
                    before == L'\u3000' || before == L'\t';
    bool decimal = last == L'.' && std::iswdigit(after);
    if (boundary && !decimal && ReplaceMatchAt(doc, start, end, find, replace, rule.colour)) {
      ++written;
      at = start + static_cast<long>(TagOf(rule).size()) + (end - start);
    } else {
      at = std::max(end, start + 1);
    }
  }
  return written;
}

}  // namespace plx::bank
