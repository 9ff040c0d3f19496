#include "bank/marking/plrk.hpp"

#include "addin/addin_context.hpp"
#include "bank/marking/answer_layout.hpp"
#include "bank/marking/tk_marking.hpp"
#include "common/text.hpp"
#include "platform/regexp.hpp"

namespace plx::bank {
namespace {

// A paper to import from has at least one paragraph that passes the
// small-question test.
bool LooksLikePaper(docif::Document& doc) {
  RegExp re;
  re.Pattern = L"\\d+[．、.]{1}";
  return re.Test(doc.Content()->Text());
}

}  // namespace

void PLRK(AddinContext& ctx, const ImportHandler& openImport) {
  UserInterface& ui = ctx.Ui();
  auto doc = ctx.App ? ctx.App->ActiveDocument() : nullptr;
  if (!doc || !LooksLikePaper(*doc)) {
    ui.MsgBox(L"当前文档不是题库数据源，请先打开题库数据源文件（如试卷等）。", Buttons::OK, L"");
    return;
  }
  int layout = AnswerLayoutOf(ctx, doc);
  if (layout == kNoAnswers) return;
  std::wstring report = TiKu_JianChaBiaoJi(ctx, false);
  if (Contains(report, L"请手工检查相关数据")) {
    ui.MsgBox(report, Buttons::OK, L"");
    return;
  }
  ui.Progress(0, L"正在分析试卷内容,请稍等！");
  PaperAnalysis analysis;
  if (layout == kAnswersInline) {
    analysis = AnalyseByTags(*doc);
    ui.Progress(100, L"试卷内容分析完成！");
  } else {
    analysis = AnalyseByParagraphs(*doc, ctx.TkLayout.answerStart);
    ui.Progress(100, L"");
  }
  openImport(ctx, std::move(analysis));
}

}  // namespace plx::bank
