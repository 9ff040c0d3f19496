#include "formula/tex_route/tex_equations.hpp"

#include <vector>

#include "addin/addin_context.hpp"
#include "formula/formula_output.hpp"
#include "formula/tex_route/tex_to_formula.hpp"

namespace plx {

const wchar_t* const kTeXToggleMacro = L"MTCommand_TeXToggle";

void TeXToggleToEquations(AddinContext& ctx) {
  auto selection = ctx.App->GetSelection();
  auto doc = ctx.App->ActiveDocument();
  const long start = selection->Start(), end = selection->End();
  const std::wstring text = selection->Text();
  // Positions in the shown text are document positions only in plain text.
  if (static_cast<long>(text.size()) != end - start) {
    ctx.Ui().StatusText(L"选中内容含有域或对象，TeX 公式未转换。");
    return;
  }
  struct Piece {
    long from, to;  // the "$" signs included
  };
  std::vector<Piece> pieces;
  for (size_t open = text.find(L'$'); open != std::wstring::npos; open = text.find(L'$', open)) {
    const size_t close = text.find(L'$', open + 1);
    if (close == std::wstring::npos) break;
    pieces.push_back({start + static_cast<long>(open), start + static_cast<long>(close) + 1});
    open = close + 1;
  }
  int kept = 0;
  // The insertion point ends after the selection, wherever the edits put its end.
  const long tail = doc->Content()->End() - end;
  // From the last to the first, so the places before stay where they are.
  for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
    const std::wstring tex = text.substr(static_cast<size_t>(it->from - start) + 1,
                                         static_cast<size_t>(it->to - it->from) - 2);
    const auto formula = TeXToFormula(tex);
    if (!formula || formula->empty()) {
      ++kept;
      continue;
    }
    selection->SetRange(it->from, it->to);
    AddOmathGS(ctx, *formula);
  }
  const long after = doc->Content()->End() - tail;
  selection->SetRange(after, after);
  if (pieces.empty()) ctx.Ui().StatusText(L"选中内容中没有 $…$ 形式的 TeX 公式。");
  else if (kept > 0)
    ctx.Ui().StatusText(L"有 " + std::to_wstring(kept) + L" 处 TeX 无法识别，保留为原文。");
}

}  // namespace plx
