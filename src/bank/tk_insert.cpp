#include "bank/tk_insert.hpp"

#include "addin/addin_context.hpp"
#include "bank/tk_papers.hpp"
#include "bank/tk_store.hpp"
#include "common/paths.hpp"

namespace plx::bank {

int InsertQuestions(AddinContext& ctx, const std::vector<long>& ids) {
  if (!ctx.App) return 0;
  auto target = ctx.App->ActiveDocument();
  long at = ctx.App->GetSelection()->Start();
  auto docs = ctx.App->GetDocuments();
  std::vector<long> missing;
  int inserted = 0;
  for (long id : ids) {
    std::wstring stem = QuestionFileName(ctx, id);
    if (stem.empty() || !FileExists(stem + L".doc")) {
      missing.push_back(id);
      continue;
    }
    auto question = docs->Open(stem + L".doc", true);
    struct Back {
      std::shared_ptr<docif::Documents> docs;
      std::shared_ptr<docif::Document> question, target;
      ~Back() {
        docs->Close(question);
        target->Activate();
      }
    } back{docs, question, target};
    auto copy = target->GetRange(at, at);
    copy->SetFormattedText(*question->Content());
    at = copy->End();
    UseQuestion(ctx, id);
    ++inserted;
  }
  target->GetRange(at, at)->Select();
  if (!missing.empty())
    ctx.Ui().MsgBox(L"编号为" + JoinIds(missing) + L"的试题文件已经找不到了，这些题目没有插入，请检查！", Buttons::OK, L"");
  return inserted;
}

}  // namespace plx::bank
