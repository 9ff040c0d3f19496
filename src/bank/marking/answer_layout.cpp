#include "bank/marking/answer_layout.hpp"

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "config/mod_config.hpp"

namespace plx::bank {

long AnswerPartStart(docif::Document& doc, const std::wstring& heading) {
  auto paragraphs = doc.Paragraphs();
  for (int i = 1, n = paragraphs->Count(); i <= n; ++i) {
    auto p = paragraphs->Item(i);
    std::wstring text = Trim(Replace(p->Text(), L"\u3000", L" "));
    for (const wchar_t* name : {L"参考答案", L"数学答案", L"标准答案", L"试卷答案"})
      if (text.starts_with(name)) return p->Start();
  }
  if (heading.empty()) return -1;
  size_t at = doc.Content()->Text().find(heading);
  return at == std::wstring::npos ? -1 : static_cast<long>(at);
}

int AnswerLayoutOf(AddinContext& ctx, const std::shared_ptr<docif::Document>& doc) {
  auto& state = ctx.TkLayout;
  if (state.known && state.document.lock() == doc) return state.layout;
  const ConfigDictionary& cfg = ConfigGroup(ctx, L"tikuconfig");
  std::wstring teacher = cfg.Text(L"txtTeacher"), normal = cfg.Text(L"txtNormal");
  std::wstring text = doc->Content()->Text();
  state = {};
  state.known = true;
  state.document = doc;
  long start = -1;
  if (!teacher.empty() && Contains(text, teacher)) {
    state.layout = kAnswersInline;
  } else if (!normal.empty() && Contains(text, normal) && (start = AnswerPartStart(*doc, normal)) >= 0) {
    state.layout = kAnswerPart;
    state.answerStart = start;
  } else {
    state.known = false;
    state.layout = kNoAnswers;
    ctx.Ui().MsgBox(L"该试卷可能没有答案，请检查核对一下！", Buttons::OK, L"");
  }
  return state.layout;
}

}  // namespace plx::bank
