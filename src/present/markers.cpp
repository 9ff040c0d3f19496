#include "present/markers.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include "addin/addin_context.hpp"
#include "docif/range.hpp"

namespace plx::present {

namespace {

bool ReplaceAll(docif::Document& doc, const std::wstring& pattern, const std::wstring& by) {
  auto content = doc.Content();
  auto f = content->GetFind();
  f->ClearFormatting();
  f->Text = pattern;
  f->Replacement.ClearFormatting();
  f->Replacement.Text = by;
  f->MatchWildcards = true;
  f->Forward = true;
  f->Wrap = docif::kFindContinue;
  return f->Execute(docif::kReplaceAll);
}

}  // namespace

std::vector<long> Occurrences(docif::Document& doc, const std::wstring& text) {
  std::vector<long> starts;
  auto content = doc.Content();
  const long end = content->End();
  auto range = doc.GetRange(0, end);
  while (true) {
    auto f = range->GetFind();
    f->ClearFormatting();
    f->Text = text;
    f->MatchWildcards = false;
    f->Forward = true;
    f->Wrap = docif::kFindStop;
    if (!f->Execute()) break;
    if (!starts.empty() && range->Start() <= starts.back()) break;
    starts.push_back(range->Start());
    range->SetRange(range->End(), doc.Content()->End());
  }
  return starts;
}

namespace {

// An option line: A, B, C or D followed by ".", "．" or "、".
bool IsOptionLine(const std::wstring& text) {
  return text.size() >= 2 && text[0] >= L'A' && text[0] <= L'D' &&
         (text[1] == L'.' || text[1] == L'．' || text[1] == L'、');
}

// A paragraph with nothing to show (the space left for a worked answer):
// it stays with the piece before it rather than becoming an empty piece.
bool IsBlank(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(),
                     [](wchar_t c) { return c == L' ' || c == L'\u3000' || c == L'\t' || c == L'\r'; });
}

// A question's first paragraph: a number followed by ".", "．" or "、",
// typed or given by automatic numbering.
bool StartsQuestion(const docif::Range& paragraph, const std::wstring& text) {
  auto numbered = [](const std::wstring& t) {
    size_t digits = 0;
    while (digits < t.size() && t[digits] >= L'0' && t[digits] <= L'9') ++digits;
    return digits > 0 && digits < t.size() && (t[digits] == L'.' || t[digits] == L'．' || t[digits] == L'、');
  };
  return numbered(text) || (paragraph.ListType() != docif::kListNoNumbering && numbered(paragraph.ListString()));
}

// Where the document's tables lie: [start, end) of each.
std::vector<std::pair<long, long>> TableSpans(docif::Document& doc) {
  std::vector<std::pair<long, long>> spans;
  auto tables = doc.GetTables();
  for (int i = 1; i <= tables->Count(); ++i) {
    auto range = tables->Item(i)->GetRange();
    spans.emplace_back(range->Start(), range->End());
  }
  return spans;
}

bool InTable(const std::vector<std::pair<long, long>>& spans, long at) {
  return std::any_of(spans.begin(), spans.end(), [at](const auto& s) { return at >= s.first && at < s.second; });
}

}  // namespace

void InsertMarker(AddinContext& ctx, const std::wstring& marker) {
  auto at = ctx.App->GetSelection()->GetRange();
  at->Collapse(docif::kCollapseStart);
  at->InsertBefore(marker);
}

void ZhuTiBiaoJi(AddinContext& ctx) {
  auto doc = ctx.App->ActiveDocument();
  doc->Content()->InsertBefore(kNewSlideMarker);
  // A table (a score table, options laid out in cells) stays whole in the
  // piece of the paragraph before it: nothing inside it is marked, and the
  // paragraph after it is marked as any other. The paragraph starts to mark
  // are collected first and marked from the last back, so the positions
  // still to mark do not move.
  const auto tables = TableSpans(*doc);
  std::vector<std::pair<long, const wchar_t*>> marks;
  auto paragraphs = doc->Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto para = paragraphs->Item(i);
    const long start = para->Start();
    if (InTable(tables, start)) continue;
    const std::wstring text = para->Text();
    if (text.find(kNewSlideMarker) != std::wstring::npos) continue;
    if (StartsQuestion(*para, text)) marks.emplace_back(start, kNewSlideMarker);
    else if (!IsOptionLine(text) && !IsBlank(text)) marks.emplace_back(start, kSameSlideMarker);
  }
  for (auto it = marks.rbegin(); it != marks.rend(); ++it) doc->GetRange(it->first, it->first)->InsertBefore(it->second);
}

void RemoveMarkers(AddinContext& ctx) { ReplaceAll(*ctx.App->ActiveDocument(), L"\\[pdPP[KN]\\]", L""); }

}  // namespace plx::present
