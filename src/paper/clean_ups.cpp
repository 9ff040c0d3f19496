#include "paper/clean_ups.hpp"

#include <algorithm>
#include <vector>

#include "addin/addin_context.hpp"
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

}  // namespace

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
  int count = 0;
  for (auto& p : SelectedParagraphs(ctx)) {
    if (p->ListType() != docif::kListNoNumbering) continue;
    std::wstring text = p->Text();
    size_t length = TypedQuestionNumber(text);
    if (length == 0) continue;
    // The number and the blanks after it go; the text starts at the number's place.
    while (length < text.size() && (text[length] == L' ' || text[length] == L'\t' || text[length] == L'\u3000'))
      ++length;
    doc->GetRange(p->Start(), p->Start() + static_cast<long>(length))->Delete();
    p->ApplyListTemplate(*tmpl, true);
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
