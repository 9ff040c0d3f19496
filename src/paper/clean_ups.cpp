#include "paper/clean_ups.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "docif/application.hpp"
#include "paper/paper_layout.hpp"
#include "paper/paper_scope.hpp"
#include "platform/regexp.hpp"

namespace plx {
namespace {

constexpr int kLightDownwardDiagonal = 21;
constexpr double kSingleLine = 12;  // the host's line spacing of one line, in points

// The paragraphs of the selection as live ranges, taken before any edit.
std::vector<docif::RangePtr> SelectedParagraphs(AddinContext& ctx) {
  auto paragraphs = CurrentSelection(ctx)->GetRange()->Paragraphs();
  std::vector<docif::RangePtr> out;
  for (int i = 1; i <= paragraphs->Count(); ++i) out.push_back(paragraphs->Item(i));
  return out;
}

double LineSpacingPoints(const docif::ParagraphFormat& p) {
  switch (p.LineSpacingRule.value_or(docif::kSpaceSingle)) {
    case docif::kSpace1pt5: return kSingleLine * 1.5;
    case docif::kSpaceDouble: return kSingleLine * 2;
    case docif::kSpaceSingle: return kSingleLine;
    default: return p.LineSpacing.value_or(kSingleLine);
  }
}

// The number automatic numbering gives next after the range: one more
// than its last automatic number, or 1 when it has none.
long NextListNumber(const docif::Range& range) {
  auto paragraphs = range.Paragraphs();
  for (int i = paragraphs->Count(); i >= 1; --i)
    if (auto p = paragraphs->Item(i); p->ListType() != docif::kListNoNumbering)
      return static_cast<long>(Val(p->ListString())) + 1;
  return 1;
}

// The start of the heading of the document's answer part, as a live range
// (typed numbers removed before it move it); nothing when there is none.
docif::RangePtr AnswerHeading(docif::Document& doc) {
  auto paragraphs = doc.Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto p = paragraphs->Item(i);
    if (IsAnswerHeading(p->Text())) return doc.GetRange(p->Start(), p->Start());
  }
  return nullptr;
}

}  // namespace

bool IsAnswerHeading(const std::wstring& paragraphText) {
  std::wstring t = Trim(Replace(Replace(Replace(paragraphText, L"\r", L""), L"\a", L""), L"\u3000", L" "));
  while (!t.empty() && (t.back() == L'：' || t.back() == L':')) t.pop_back();
  if (t == L"答案") return true;
  for (const wchar_t* name : {L"参考答案", L"数学答案", L"标准答案", L"试卷答案"})
    if (t.starts_with(name)) return true;
  constexpr size_t kLongestTitle = 40;  // "2026年高一数学期中考试参考答案"
  return t.size() <= kLongestTitle && t.ends_with(L"参考答案");
}

void HatchSelectedShapes(AddinContext& ctx, bool on) {
  auto shapes = CurrentSelection(ctx)->GetShapeRange();
  if (on) shapes->SetFill({.Visible = true, .ForeColor = 0, .Transparency = 0, .Pattern = kLightDownwardDiagonal});
  else shapes->SetFill({.Visible = false});
}

void PictureBorders(AddinContext& ctx, bool on) {
  auto pictures = SelectionOrDocument(ctx)->GetInlineShapes();
  for (int i = 1; i <= pictures->Count(); ++i) {
    auto p = pictures->Item(i);
    if (p->Type() == docif::kInlineShapePicture) p->SetBordersEnabled(on);
  }
}

void RemoveTableBorders(AddinContext& ctx) {
  auto tables = SelectionOrDocument(ctx)->GetTables();
  for (int i = 1; i <= tables->Count(); ++i) tables->Item(i)->SetBordersEnabled(false);
}

void CentreOnLine(AddinContext& ctx) {
  SelectionOrDocument(ctx)->SetParagraphFormat({.BaseLineAlignment = docif::kBaselineCenter});
}

size_t TypedQuestionNumber(const std::wstring& text) {
  RegExp re;
  re.Pattern = L"^\\d{1,3}[.．、]{1}";
  re.IgnoreCase = true;
  re.MultiLine = true;
  auto m = re.Execute(text);
  if (m.empty() || m[0].FirstIndex != 0) return 0;
  return m[0].Length;
}

int Renumber(AddinContext& ctx) {
  auto doc = ActiveDoc(ctx);
  auto tmpl = ctx.App->NumberingTemplate(1);
  tmpl->SetNumberFormat(kQuestionNumberFormat);
  tmpl->SetNumberStyle(0);
  // The answer part after its heading is a list of its own, from 1. An
  // answer names its question by its number, so an answer whose number is
  // not the one its list would give ("5．" after "1．C　2．B　3．B　4．B")
  // keeps its typed number.
  auto heading = AnswerHeading(*doc);
  std::optional<long> nextAnswer;  // what the answer list gives next, once known
  int count = 0;
  for (auto& p : SelectedParagraphs(ctx)) {
    const bool answer = heading && p->Start() > heading->Start();
    if (answer && !nextAnswer) nextAnswer = NextListNumber(*doc->GetRange(heading->Start(), p->Start()));
    if (p->ListType() != docif::kListNoNumbering) {
      if (answer) nextAnswer = static_cast<long>(Val(p->ListString())) + 1;
      continue;
    }
    std::wstring text = p->Text();
    size_t length = TypedQuestionNumber(text);
    if (length == 0 || (answer && static_cast<long>(Val(text.substr(0, length))) != *nextAnswer)) continue;
    // The number and the blanks after it go; the text starts at the number's place.
    while (length < text.size() && (text[length] == L' ' || text[length] == L'\t' || text[length] == L'\u3000'))
      ++length;
    doc->GetRange(p->Start(), p->Start() + static_cast<long>(length))->Delete();
    p->ApplyListTemplate(*tmpl, !answer || *nextAnswer > 1);
    if (answer) ++*nextAnswer;
    ++count;
  }
  return count;
}

void SwitchNumbering(AddinContext& ctx) {
  auto paragraphs = SelectedParagraphs(ctx);
  bool numbered = std::any_of(paragraphs.begin(), paragraphs.end(),
                              [](const docif::RangePtr& p) { return p->ListType() != docif::kListNoNumbering; });
  if (!numbered) {
    Renumber(ctx);
    return;
  }
  // All at once: converting one paragraph would renumber the ones after it.
  CurrentSelection(ctx)->GetRange()->ConvertNumbersToText();
}

void ChangeLineSpacing(AddinContext& ctx, double points) {
  for (auto& p : SelectedParagraphs(ctx)) {
    docif::ParagraphFormat now = p->GetParagraphFormat();
    int rule = now.LineSpacingRule.value_or(docif::kSpaceSingle);
    double spacing = std::max(1.0, LineSpacingPoints(now) + points);
    // Exact and at-least spacing keep their rule; the others become a multiple of lines.
    if (rule != docif::kSpaceExactly && rule != docif::kSpaceAtLeast) rule = docif::kSpaceMultiple;
    p->SetParagraphFormat({.LineSpacingRule = rule, .LineSpacing = spacing});
  }
}

}  // namespace plx
