#include "paper/paper_layout.hpp"

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "config/mod_config.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"

namespace plx {
namespace {

constexpr double kPaperHeaderSize = 16;  // 三号
constexpr double kGroupHeaderSize = 12;  // 小四

// Puts `text` in place of the first selected paragraph's text, formats it and
// moves the insertion point to the paragraph after it. That paragraph gets
// the body style when it is empty (made here when the header was the last
// paragraph); a paragraph that already holds text keeps its formatting,
// since restyling it would drop superscripts and fonts the teacher set.
void PutHeader(AddinContext& ctx, const std::wstring& text, double size, bool centred) {
  auto doc = ActiveDoc(ctx);
  auto paragraph = FirstSelectedParagraph(ctx);
  auto body = ParagraphText(*paragraph);
  body->SetText(text);
  long markEnd = body->End() + 1;
  auto header = doc->GetRange(body->Start(), markEnd);
  header->SetFont({.Size = size, .Bold = true});
  if (centred) header->SetParagraphFormat({.Alignment = docif::kAlignCenter});
  if (markEnd >= doc->Content()->End()) doc->GetRange(markEnd - 1, markEnd - 1)->InsertAfter(L"\r");
  auto next = doc->GetRange(markEnd, markEnd)->Paragraphs()->First();
  if (ParagraphText(*next)->Text().empty()) {
    next->SetStyle(L"正文");
    next->SetFont({.Bold = false});
  }
  doc->GetRange(markEnd, markEnd)->Select();
}

}  // namespace

void PaperHeader(AddinContext& ctx) {
  std::wstring text = ConfigGroup(ctx, L"zhijuan").Text(L"JuanTou");
  PutHeader(ctx, text, kPaperHeaderSize, true);
}

void GroupHeader(AddinContext& ctx, QuestionGroup group) {
  const wchar_t* key = group == QuestionGroup::Choice   ? L"XuanZeTiGan"
                       : group == QuestionGroup::FillIn ? L"TianKongTiGan"
                                                        : L"JieDaTiGan";
  std::wstring text = ConfigGroup(ctx, L"zhijuan").Text(key);
  PutHeader(ctx, text, kGroupHeaderSize, false);
}

void TianJiaTiHao(AddinContext& ctx) {
  auto tmpl = ctx.App->NumberingTemplate(1);
  tmpl->SetNumberFormat(kQuestionNumberFormat);
  tmpl->SetNumberStyle(0);
  CurrentSelection(ctx)->ApplyListTemplate(*tmpl, true);
}

void OptionBlock(AddinContext& ctx, int lines) {
  if (lines != 1 && lines != 2 && lines != 4) Raise(err::kInvalidCall, L"选项只能排成1行、2行或4行。");
  TianJiaTiHao(ctx);
  auto sel = CurrentSelection(ctx);
  // Type after the question's text, not over a selected part of it.
  auto end = ParagraphText(*sel->GetRange()->Paragraphs()->Last());
  end->Collapse(docif::kCollapseEnd);
  end->Select();
  sel->TypeText(L" ");
  const int columns = 4 / lines;
  auto table = ActiveDoc(ctx)->GetTables()->Add(*sel->GetRange(), lines, columns);
  table->SetBordersEnabled(false);
  // The cells and the empty line after the table come from the question's
  // paragraph: they are options and room for the next question, not questions.
  auto after = table->GetRange();
  after->RemoveNumbers();
  after->Collapse(docif::kCollapseEnd);
  after->Paragraphs()->First()->RemoveNumbers();
  const wchar_t* labels[] = {L"A．", L"B．", L"C．", L"D．"};
  for (int i = 0; i < 4; ++i) table->Cell(i / columns + 1, i % columns + 1)->SetText(labels[i]);
  auto first = table->Cell(1, 1);
  first->Collapse(docif::kCollapseEnd);
  first->Select();
}

}  // namespace plx
