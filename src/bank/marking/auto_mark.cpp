#include <algorithm>

#include "addin/addin_context.hpp"
#include "bank/marking/answer_layout.hpp"
#include "bank/marking/tag_replace.hpp"
#include "bank/marking/tk_marking.hpp"
#include "config/mod_config.hpp"
#include "docif/range.hpp"

namespace plx::bank {
namespace {

constexpr uint32_t kRed = 255, kBlue = 0xFF0000, kMagenta = 0xFF00FF;

void RemoveSourceNotes(docif::Document& doc) {
  auto all = doc.Content();
  auto f = all->GetFind();
  f->ClearFormatting();
  f->Text = L"\\[来源[!^13]@\\]";
  f->Replacement.Text = L"";
  f->Forward = true;
  f->Wrap = docif::kFindContinue;
  f->MatchWildcards = true;
  f->MatchCase = f->MatchWholeWord = f->MatchSoundsLike = f->MatchAllWordForms = false;
  f->Execute(docif::kReplaceAll);
}

}  // namespace

void TiKu_AutoMark(AddinContext& ctx) {
  auto doc = ctx.App ? ctx.App->ActiveDocument() : nullptr;
  if (!doc) return;
  int layout = AnswerLayoutOf(ctx, doc);
  if (layout == kNoAnswers) return;
  UserInterface& ui = ctx.Ui();
  const ConfigDictionary& cfg = ConfigGroup(ctx, L"tikuconfig");
  ui.Progress(0, L"正在分析试卷内容,检查题号中，请稍等！");
  // The two parts as live ranges, so that the notes removed and the tags
  // written in the question part move the start of the answer part.
  long end = doc->Content()->End();
  long split = layout == kAnswerPart ? std::min(ctx.TkLayout.answerStart, end) : end;
  auto questions = doc->GetRange(0, split);
  auto answers = doc->GetRange(layout == kAnswerPart ? split : 0, end);
  RemoveSourceNotes(*doc);
  ui.Progress(20, L"开始检查并标记大题，请稍等！");
  ApplyTagRule(*doc, *questions, {cfg.Text(L"txtDT"), cfg.Text(L"txtDTRep"), kRed});
  ui.Progress(50, L"开始检查并标记小题，请稍等！");
  ApplyTagRule(*doc, *questions, {cfg.Text(L"txtTM"), cfg.Text(L"txtTMRep"), kBlue});
  ui.Progress(90, L"开始检查并标记答案，请稍等！");
  if (layout != kAnswerPart) answers = doc->Content();
  TagRule answerRule{cfg.Text(L"txtAns"), cfg.Text(L"txtAnsRep"), kMagenta};
  int tagged = ApplyTagRule(*doc, *answers, answerRule);
  // A separate answer part usually lists its answers by question number,
  // several to a line, without the answer mark a teacher's version has.
  if (layout == kAnswerPart && tagged == 0)
    ApplyTagRuleAfterBlanks(*doc, *answers, {cfg.Text(L"txtTM"), cfg.Text(L"txtAnsRep"), kMagenta});
  if (layout == kAnswerPart) ctx.TkLayout.answerStart = answers->Start();
  ui.Progress(100, L"");
}

}  // namespace plx::bank
