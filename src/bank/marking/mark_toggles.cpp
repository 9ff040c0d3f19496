#include "addin/addin_context.hpp"
#include "bank/marking/tk_marking.hpp"
#include "common/text.hpp"
#include "config/answer_colour.hpp"
#include "config/mod_config.hpp"
#include "docif/range.hpp"

namespace plx::bank {
namespace {

struct Toggle {
  const wchar_t* replaceKey;
  const wchar_t* emptyMessage;
  uint32_t colour;
};

Toggle ToggleFor(MarkKind kind) {
  switch (kind) {
    case MarkKind::BigQuestion: return {L"txtDTRep", L"请选择一个大题或大题标记", 255};
    case MarkKind::SmallQuestion: return {L"txtTMRep", L"请选择一个小题或小题标记", 0xFF0000};
    default: return {L"txtAnsRep", L"请选择一个答案或答案标记", 0xFF00FF};
  }
}

}  // namespace

// The replacement text less its paragraph mark is the tag around "\1"
// ("[pdTM]\1"): what stands before "\1" goes before the marked text, what
// stands after it goes after. Only the tag's own characters are written or
// removed, so the marked text keeps its formatting.
void ToggleMark(AddinContext& ctx, MarkKind kind) {
  Toggle t = ToggleFor(kind);
  auto sel = ctx.App ? ctx.App->GetSelection() : nullptr;
  if (!sel || sel->Start() == sel->End()) {
    ctx.Ui().MsgBox(t.emptyMessage, Buttons::OK, L"");
    return;
  }
  std::wstring pattern = Replace(ConfigGroup(ctx, L"tikuconfig").Text(t.replaceKey), L"^13", L"");
  size_t ref = pattern.find(L"\\1");
  std::wstring before = ref == std::wstring::npos ? pattern : pattern.substr(0, ref);
  std::wstring after = ref == std::wstring::npos ? L"" : pattern.substr(ref + 2);
  auto doc = ctx.App->ActiveDocument();
  std::wstring text = sel->Text();
  size_t open = before.empty() ? std::wstring::npos : text.find(before);
  if (open != std::wstring::npos) {
    long start = sel->Start();
    size_t close = after.empty() ? std::wstring::npos : text.find(after, open + before.size());
    if (close != std::wstring::npos)
      doc->GetRange(start + static_cast<long>(close), start + static_cast<long>(close + after.size()))->Delete();
    doc->GetRange(start + static_cast<long>(open), start + static_cast<long>(open + before.size()))->Delete();
    return;
  }
  docif::FontFormat tagFont;
  tagFont.Bold = true;
  tagFont.Color = t.colour;
  long start = sel->Start(), end = sel->End();
  auto head = doc->GetRange(start, start);
  head->InsertBefore(before);
  head->SetFont(tagFont);
  if (!after.empty()) {
    auto tail = doc->GetRange(end + static_cast<long>(before.size()), end + static_cast<long>(before.size()));
    tail->InsertAfter(after);
    tail->SetFont(tagFont);
  }
  sel->SetRange(start, end + static_cast<long>(before.size() + after.size()));
}

void ColourAnswer(AddinContext& ctx) {
  auto sel = ctx.App ? ctx.App->GetSelection() : nullptr;
  if (!sel || sel->Start() == sel->End()) {
    ctx.Ui().MsgBox(L"请选择要染色的答案文字", Buttons::OK, L"");
    return;
  }
  docif::FontFormat f;
  f.Color = AnswerColour(ctx);
  sel->SetFont(f);
}

void HideAnswers(AddinContext& ctx, bool hide) {
  auto doc = ctx.App ? ctx.App->ActiveDocument() : nullptr;
  if (!doc) return;
  uint32_t colour = AnswerColour(ctx);
  auto paragraphs = doc->Paragraphs();
  docif::FontFormat f;
  f.Hidden = hide;
  // A paragraph is an answer when its text is in the answer colour; its
  // mark, which a selection often leaves out, does not count.
  for (int i = 1, n = paragraphs->Count(); i <= n; ++i) {
    auto p = paragraphs->Item(i);
    auto text = p->Duplicate();
    if (text->End() > text->Start() && p->Text().ends_with(L"\r")) text->SetEnd(text->End() - 1);
    if (text->End() > text->Start() && text->Font().Color == colour) p->SetFont(f);
  }
}

}  // namespace plx::bank
