#include "paper/answer_table.hpp"

#include <algorithm>

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"

namespace plx {
namespace {

// A whole number typed in a box; nothing for anything else.
std::optional<long> WholeNumber(const std::wstring& typed) {
  std::wstring text = Trim(ToHalfWidth(typed));
  if (text.empty() || text.size() > 6) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) return std::nullopt;
  return std::stol(text);
}

bool Within(const std::optional<long>& n, long low, long high) { return n && *n >= low && *n <= high; }

}  // namespace

AnswerTableInput ParseAnswerTable(const std::wstring& count, const std::wstring& perRow, const std::wstring& start) {
  auto n = WholeNumber(count), row = WholeNumber(perRow), first = WholeNumber(start);
  if (!Within(n, 1, kAnswerTableMaxCount))
    return {std::nullopt, L"选择题的题数应是1到" + std::to_wstring(kAnswerTableMaxCount) + L"之间的整数。"};
  if (!Within(row, 1, kAnswerTableMaxPerRow))
    return {std::nullopt, L"每行的题数应是1到" + std::to_wstring(kAnswerTableMaxPerRow) + L"之间的整数。"};
  if (!Within(first, 1, kAnswerTableMaxStart))
    return {std::nullopt, L"起始题号应是1到" + std::to_wstring(kAnswerTableMaxStart) + L"之间的整数。"};
  if (*first + *n - 1 > kAnswerTableMaxStart)
    return {std::nullopt, L"最后一题的题号不能超过" + std::to_wstring(kAnswerTableMaxStart) + L"。"};
  // More per row than there are questions would only add empty columns.
  return {AnswerTableLayout{static_cast<int>(*n), static_cast<int>(std::min(*row, *n)), static_cast<int>(*first)}, L""};
}

void InsertAnswerTable(AddinContext& ctx, const AnswerTableLayout& layout) {
  auto doc = ActiveDoc(ctx);
  auto at = CurrentSelection(ctx)->GetRange();
  at->Collapse(docif::kCollapseStart);
  if (at->GetTables()->Count() > 0)
    Raise(err::kInvalidCall, L"答题表不能插在表格里，请把光标移到表格外面再插入。");
  // At the end of a line of text (a group header) the table goes under that
  // line instead of splitting it off an empty remainder.
  auto line = ParagraphText(*at->Paragraphs()->First());
  if (at->Start() == line->End() && line->End() > line->Start()) {
    long next = line->End() + 1;
    if (next >= doc->Content()->End()) line->InsertAfter(L"\r");
    at = doc->GetRange(next, next);
  }
  const int pairs = (layout.count + layout.perRow - 1) / layout.perRow;
  auto table = doc->GetTables()->Add(*at, 2 * pairs, layout.perRow + 1);
  table->SetBordersEnabled(true);
  // The cells take the paragraph they were inserted into: no list number,
  // no indent, whatever that paragraph had; one and a half lines with no
  // space around give every paper the same rows, roomy enough to write in.
  auto whole = table->GetRange();
  whole->RemoveNumbers();
  whole->SetParagraphFormat({.Alignment = docif::kAlignCenter, .LineSpacingRule = docif::kSpace1pt5,
                             .CharacterUnitFirstLineIndent = 0, .FirstLineIndent = 0, .LeftIndent = 0,
                             .RightIndent = 0, .SpaceBefore = 0, .SpaceAfter = 0});
  for (int pair = 0; pair < pairs; ++pair) {
    const int row = 2 * pair + 1;
    table->Cell(row, 1)->SetText(L"题号");
    table->Cell(row + 1, 1)->SetText(L"答案");
    for (int c = 0; c < layout.perRow; ++c) {
      const int index = pair * layout.perRow + c;
      if (index < layout.count) table->Cell(row, c + 2)->SetText(std::to_wstring(layout.start + index));
    }
  }
  auto after = table->GetRange();
  after->Collapse(docif::kCollapseEnd);
  after->Select();
}

}  // namespace plx
