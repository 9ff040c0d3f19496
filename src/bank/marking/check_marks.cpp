#include "addin/addin_context.hpp"
#include "bank/marking/tk_marking.hpp"
#include "docif/range.hpp"
#include "platform/regexp.hpp"

namespace plx::bank {
namespace {

size_t CountMatches(const std::wstring& text, const std::wstring& pattern) {
  RegExp re;
  re.Pattern = pattern;
  re.Global = true;
  return re.Execute(text).size();
}

bool HasAutomaticNumbers(docif::Document& doc) {
  auto paragraphs = doc.Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i)
    if (paragraphs->Item(i)->ListType() != docif::kListNoNumbering) return true;
  return false;
}

}  // namespace

std::wstring TiKu_JianChaBiaoJi(AddinContext& ctx, bool show) {
  auto doc = ctx.App ? ctx.App->ActiveDocument() : nullptr;
  std::wstring text = doc ? doc->Content()->Text() : std::wstring();
  size_t d = CountMatches(text, L"\\[pdDT.*?\\]");
  size_t t = CountMatches(text, L"\\[pdTM.*?\\]");
  size_t a = CountMatches(text, L"\\[pdAns\\]");
  std::wstring counts = L"本次共检测到" + std::to_wstring(d) + L"道大题，" + std::to_wstring(t) + L"道小题，" +
                        std::to_wstring(a) + L"个答案。";
  std::wstring report = (d && t && a && t == a)
                            ? counts + L"\r\n" + L"题目数与答案数相符，请点击“批量入库”按钮查看题目并批量入库。"
                            : L"没有找到题目或题目数与答案数不符，请手工检查相关数据。" + std::wstring(L"\r\n") + counts;
  // Automatic numbers are no text: marking finds no question in a paper
  // whose numbers were made automatic (重新编号), and the teacher is told how to
  // get them back as text.
  if (t == 0 && doc && HasAutomaticNumbers(*doc))
    report += L"\r\n试卷的题号是自动编号，标记找不到它们：请全选试卷，按“切换编号”把题号变成文字后再自动标记。";
  if (show) ctx.Ui().MsgBox(report, Buttons::OK, L"");
  return report;
}

}  // namespace plx::bank
