#include "formula/tex_to_asc.hpp"

#include <algorithm>
#include <optional>
#include <string_view>

#include "common/text.hpp"
#include "formula/tex_commands.hpp"

namespace plx {
namespace {

using namespace tex;

struct Argument {
  std::wstring value;
  size_t end;
};

// One argument of a command: a brace group (its content), another bracket
// group (whole), a command, or one character. None at the end of the text,
// before a closing bracket or at a group that is never closed.
std::optional<Argument> ReadArgument(const std::wstring& t, size_t pos, const FormulaNotice& notice) {
  pos = SkipBlanks(t, pos);
  if (pos >= t.size() || IsClosingBracket(t[pos])) return std::nullopt;
  if (IsOpeningBracket(t[pos])) {
    const std::wstring g = GetBracketGroup(t, pos, notice);
    if (g.empty()) return std::nullopt;
    return Argument{t[pos] == L'{' ? g.substr(1, g.size() - 2) : g, pos + g.size()};
  }
  const size_t end = t[pos] == L'\\' ? CommandEnd(t, pos) : pos + 1;
  return Argument{t.substr(pos, end - pos), end};
}

// "\left" and "\right" dropped; with the empty delimiter "." they leave nothing.
std::wstring DropSizing(const std::wstring& t) {
  std::wstring out;
  for (size_t i = 0; i < t.size();) {
    if (t[i] != L'\\') {
      out += t[i++];
      continue;
    }
    const size_t e = CommandEnd(t, i);
    const std::wstring_view name = std::wstring_view(t).substr(i + 1, e - i - 1);
    if (name == L"left" || name == L"right") {
      i = e < t.size() && t[e] == L'.' ? e + 1 : e;
    } else {
      out.append(t, i, e - i);
      i = e;
    }
  }
  return out;
}

// Each command is either rewritten (one fewer of it in the text) or passed
// over (the search moves on), so the loops end on any input.
std::wstring Fractions(std::wstring t, const FormulaNotice& notice) {
  for (size_t pos = FindCommand(t, L"frac"); pos != kNone;) {
    const auto p = ReadArgument(t, pos + 5, notice);
    const auto q = p ? ReadArgument(t, p->end, notice) : std::nullopt;
    if (!q) {
      pos = FindCommand(t, L"frac", pos + 5);
      continue;
    }
    t.replace(pos, q->end - pos, L"(" + p->value + L")/(" + q->value + L")");
    pos = FindCommand(t, L"frac", pos);
  }
  return t;
}

std::wstring Roots(std::wstring t, const FormulaNotice& notice) {
  for (size_t pos = FindCommand(t, L"sqrt"); pos != kNone;) {
    size_t at = SkipBlanks(t, pos + 5);
    std::wstring index;
    if (at < t.size() && t[at] == L'[') {
      const std::wstring g = GetBracketGroup(t, at, notice);
      if (!g.empty()) {
        index = g.substr(1, g.size() - 2) + L",";
        at += g.size();
      }
    }
    const auto x = ReadArgument(t, at, notice);
    if (!x) {
      pos = FindCommand(t, L"sqrt", pos + 5);
      continue;
    }
    t.replace(pos, x->end - pos, L"gh(" + index + x->value + L")");
    pos = FindCommand(t, L"sqrt", pos);
  }
  return t;
}

// ^{e} and _{e} become ^(e) and _(e): only the two braces change.
std::wstring ScriptGroups(std::wstring t, const FormulaNotice& notice) {
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] != L'^' && t[i] != L'_') continue;
    const size_t open = SkipBlanks(t, i + 1);
    if (open >= t.size() || t[open] != L'{') continue;
    const std::wstring g = GetBracketGroup(t, open, notice);
    if (g.empty()) continue;
    t[open] = L'(';
    t[open + g.size() - 1] = L')';
    t.erase(i + 1, open - i - 1);
  }
  return t;
}

}  // namespace

std::wstring TeX2Asc(const std::wstring& tex, const FormulaNotice& notice) {
  return ScriptGroups(Roots(Fractions(DropSizing(tex), notice), notice), notice);
}

std::wstring ChangeTeXSymbol(const std::wstring& text) {
  static const wchar_t* const kTable[][2] = {
      {L">=", L"\\ge "},       {L"<=", L"\\le "},      {L"<>", L"\\ne "},        {L"+-", L"\\pm "},
      {L"-+", L"\\mp "},       {L"wqd", L"\\infty "},  {L"du", L"^\\circ "},     {L"fen", L"\\text'"},
      {L"miao", L"\\text''"},  {L"jiao", L"\\angle "}, {L"α", L"\\alpha "},      {L"β", L"\\beta "},
      {L"χ", L"\\chi "},       {L"δ", L"\\delta "},    {L"ε", L"\\varepsilon "}, {L"Φ", L"\\varphi "},
      {L"γ", L"\\gamma "},     {L"η", L"\\eta "},      {L"ι", L"\\iota "},       {L"φ", L"\\phi "},
      {L"κ", L"\\kappa "},     {L"λ", L"\\lambda "},   {L"μ", L"\\mu "},         {L"ν", L"\\nu "},
      {L"ο", L" o "},          {L"π", L"\\pi "},       {L"θ", L"\\theta "},      {L"ρ", L"\\rho "},
      {L"σ", L"\\sigma "},     {L"τ", L"\\tau "},      {L"υ", L"\\upsilon "},    {L"ω", L"\\omega "},
      {L"ξ", L"\\xi "},        {L"ψ", L"\\psi "},      {L"ζ", L"\\zeta "},       {L"(", L"\\left( "},
      {L")", L" \\right)"},    {L"[", L"\\left[ "},    {L"]", L" \\right]"}};
  std::wstring out = text;
  for (const auto& entry : kTable) out = Replace(out, entry[0], entry[1]);
  return out;
}

}  // namespace plx
