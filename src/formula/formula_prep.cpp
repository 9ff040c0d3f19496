#include "formula/formula_prep.hpp"

#include "common/text.hpp"
#include "formula/eq_builder.hpp"
#include "formula/omath_builder.hpp"
#include "formula/rewrite_engine.hpp"
#include "formula/tex_builder.hpp"
#include "platform/regexp.hpp"
#include "platform/ui.hpp"

namespace plx {

const wchar_t* const kFormulaPrompt = L"输入“Help”将打开录入说明文档，录入为空则退出";
const wchar_t* const kFormulaTitle = L"请在此输入公式文本";

namespace {

constexpr const wchar_t* kUnbalanced = L"您输入的表达式括号不匹配，请检查您的输入";

// Builds with the route's builder; the TeX builder keeps its finished pieces
// in `pieces` so that later passes cannot touch them.
std::wstring BuildWith(FormulaRoute route, const std::wstring& text, const FormulaSettings& settings,
                       const FormulaNotice& notice, TeXPieces& pieces) {
  switch (route) {
    case FormulaRoute::Field: return SetEQ(text, settings, notice);
    case FormulaRoute::TeX: return SetTeXEq(text, settings, notice, pieces);
    case FormulaRoute::Equation: return SetOMathEq(text, settings, notice);
  }
  return text;
}

std::wstring PlaceholderOf(size_t i) { return L"repLW" + std::to_wstring(i); }

std::vector<std::wstring> ProtectedWords(const FormulaSettings& settings) {
  std::vector<std::wstring> words;
  if (settings.blGsExp)
    for (const std::wstring& w : Split(settings.txtGsExp, L",")) words.push_back(Trim(w));
  return words;
}

}  // namespace

FormulaRoute RouteOf(int iMathType) {
  if (iMathType == 0) return FormulaRoute::Field;
  if (iMathType == 1) return FormulaRoute::TeX;
  return FormulaRoute::Equation;
}

bool ApplyInterval(FormulaRoute route, std::wstring& text, const FormulaSettings& settings,
                   const FormulaNotice& notice) {
  RegExp re;
  re.Pattern = LR"(qj([\[\(]{1})(.*)([\]\)]{1}))";
  re.Global = true;
  re.MultiLine = true;
  const auto matches = re.Execute(text);
  if (matches.size() != 1 || matches[0].SubMatches.size() != 3) return false;
  const RegexMatch& m = matches[0];
  const std::wstring& open = m.SubMatches[0];
  const std::wstring& close = m.SubMatches[2];
  std::wstring inner = m.SubMatches[1];
  std::wstring construct;
  TeXPieces pieces;
  switch (route) {
    case FormulaRoute::Field:
      construct = L" \\b\\lc\\" + open + L"\\rc\\" + close + L"(\\l(" + SetEQ(inner, settings, notice) + L"))";
      break;
    case FormulaRoute::TeX:
      construct = L"\\left" + open + L" " +
                  RestoreTeXPieces(SetTeXEq(inner, settings, notice, pieces), pieces) + L" \\right" + close;
      break;
    case FormulaRoute::Equation:
      if (size_t comma = inner.find(L','); comma != std::wstring::npos) inner.replace(comma, 1, L", ");
      construct = open + SetOMathEq(inner, settings, notice) + close;
      break;
  }
  // Only the interval is replaced: text around it is kept and built with it.
  text.replace(m.FirstIndex, m.Length, construct);
  return true;
}

std::wstring BuildProtected(FormulaRoute route, const std::wstring& text, const FormulaSettings& settings,
                            const FormulaNotice& notice) {
  const std::vector<std::wstring> words = ProtectedWords(settings);
  std::wstring t = text;
  for (size_t i = 0; i < words.size(); ++i)
    if (!words[i].empty()) t = Replace(t, words[i], L"(" + PlaceholderOf(i) + L")");
  TeXPieces pieces;
  t = BuildWith(route, t, settings, notice, pieces);
  // Highest index first ("repLW1" is part of "repLW10"); a fraction may have
  // dropped the brackets around a placeholder, so the bare name is restored too.
  for (size_t i = words.size(); i-- > 0;) {
    if (words[i].empty()) continue;
    t = Replace(t, L"(" + PlaceholderOf(i) + L")", words[i]);
    t = Replace(t, PlaceholderOf(i), words[i]);
  }
  if (route == FormulaRoute::TeX) t = L"$" + RestoreTeXPieces(t, pieces) + L"$";
  return t;
}

std::wstring BuildFormulaCode(FormulaRoute route, std::wstring text, const FormulaSettings& settings,
                              const FormulaNotice& notice) {
  if (!ApplyInterval(route, text, settings, notice) && !IsBracketBalanced(text))
    throw FormulaStopped(kUnbalanced);
  return BuildProtected(route, text, settings, notice);
}

std::optional<std::wstring> PrepareFormula(UserInterface& ui, FormulaRoute route, std::wstring text,
                                           const FormulaSettings& settings) {
  const FormulaNotice notice = [&ui](const std::wstring& m) { ui.MsgBox(m); };
  if (!ApplyInterval(route, text, settings, notice)) {
    while (!IsBracketBalanced(text)) {
      ui.MsgBox(kUnbalanced);
      text = ui.InputBox(kFormulaPrompt, kFormulaTitle, text);
      if (Trim(text).empty()) return std::nullopt;
    }
  }
  return BuildProtected(route, text, settings, notice);
}

std::wstring NarrowFormulaText(const std::wstring& text, const FormulaSettings& settings) {
  if (!settings.blAutoNarrow) return text;
  const std::wstring keep = Trim(settings.txtNarrowExp);
  if (!settings.blNarrowExp || keep.empty()) return ToHalfWidth(text);
  std::vector<std::wstring> pieces = Split(text, keep);
  for (std::wstring& p : pieces) p = Trim(ToHalfWidth(p));
  std::wstring out = Join(pieces, keep);
  if (EndsWithText(out, keep)) out.resize(out.size() - keep.size());
  return out;
}

}  // namespace plx
