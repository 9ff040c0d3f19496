#include "formula/tex_route/tex_to_formula.hpp"

#include <map>
#include <vector>

#include "common/text.hpp"
#include "formula/brackets.hpp"
#include "formula/tex_commands.hpp"
#include "formula/tex_to_asc.hpp"

namespace plx {
namespace {

using namespace tex;

const FormulaNotice kQuiet = [](const std::wstring&) {};

// A brace group at pos (blanks skipped): its content and the position after it.
bool BraceGroup(const std::wstring& t, size_t pos, std::wstring& content, size_t& end) {
  pos = SkipBlanks(t, pos);
  if (pos >= t.size() || t[pos] != L'{') return false;
  const std::wstring g = GetBracketGroup(t, pos, kQuiet);
  if (g.size() < 2) return false;
  content = g.substr(1, g.size() - 2);
  end = pos + g.size();
  return true;
}

// Limits written _{a}^{b} (either order) after pos.
bool Limits(const std::wstring& t, size_t& pos, std::wstring& lower, std::wstring& upper) {
  bool found = false;
  for (int k = 0; k < 2; ++k) {
    const size_t at = SkipBlanks(t, pos);
    if (at >= t.size() || (t[at] != L'_' && t[at] != L'^')) break;
    std::wstring content;
    size_t end;
    if (!BraceGroup(t, at + 1, content, end)) {
      // One character, as in \int_0^1.
      if (at + 1 >= t.size()) break;
      content = t.substr(at + 1, 1);
      end = at + 2;
    }
    (t[at] == L'_' ? lower : upper) = content;
    pos = end;
    found = true;
  }
  return found;
}

// A command with one brace argument becomes keyword + "(" + argument + ")".
std::wstring OneArgument(std::wstring t, const std::wstring& command, const std::wstring& keyword) {
  for (size_t pos = FindCommand(t, command); pos != kNone; pos = FindCommand(t, command, pos + 1)) {
    std::wstring arg;
    size_t end;
    if (!BraceGroup(t, CommandEnd(t, pos), arg, end)) continue;
    t.replace(pos, end - pos, keyword + L"(" + arg + L")");
  }
  return t;
}

// \int and \sum with their limits and a braced body.
std::wstring BigOperators(std::wstring t) {
  for (const auto& [command, keyword, sign] : std::vector<std::tuple<std::wstring, std::wstring, std::wstring>>{
           {L"int", L"jf", L"∫"}, {L"sum", L"qh", L"∑"}}) {
    for (size_t pos = FindCommand(t, command); pos != kNone; pos = FindCommand(t, command, pos + 1)) {
      size_t at = CommandEnd(t, pos);
      const size_t limits = SkipBlanks(t, at);
      if (t.compare(limits, 7, L"\\limits") == 0) at = limits + 7;
      std::wstring lower, upper, body;
      const bool hasLimits = Limits(t, at, lower, upper);
      size_t end = at;
      const bool hasBody = BraceGroup(t, at, body, end);
      std::wstring out;
      if (hasLimits && hasBody) out = keyword + L"(" + lower + L"," + upper + L"," + body + L")";
      else if (hasLimits && keyword == L"jf") out = keyword + L"(" + lower + L"," + upper + L")";
      else if (hasBody && keyword == L"jf") out = keyword + L"(" + body + L")";
      else {
        out = sign;
        end = CommandEnd(t, pos);
      }
      t.replace(pos, end - pos, out);
    }
  }
  return t;
}

// \underset{v\to a}{\mathop{\lim}}\, is the limit jx(v,a).
std::wstring Limits(std::wstring t) {
  for (size_t pos = FindCommand(t, L"underset"); pos != kNone; pos = FindCommand(t, L"underset", pos + 1)) {
    std::wstring under, over;
    size_t mid, end;
    if (!BraceGroup(t, CommandEnd(t, pos), under, mid) || !BraceGroup(t, mid, over, end)) continue;
    const size_t to = FindCommand(under, L"to");
    if (FindCommand(over, L"lim") == kNone || to == kNone) continue;
    if (t.compare(end, 2, L"\\,") == 0) end += 2;
    t.replace(pos, end - pos, L"jx(" + Trim(under.substr(0, to)) + L"," + Trim(under.substr(CommandEnd(under, to))) + L")");
  }
  return t;
}

// \begin{NAME}...\end{NAME} with the \left and \right around it: matrices,
// determinants and systems of equations.
std::wstring Environments(std::wstring t) {
  for (const std::wstring name : {L"matrix", L"align"}) {
    const std::wstring begin = L"\\begin{" + name + L"}", finish = L"\\end{" + name + L"}";
    for (size_t pos = t.find(begin); pos != kNone; pos = t.find(begin, pos + 1)) {
      const size_t stop = t.find(finish, pos);
      if (stop == kNone) break;
      std::vector<std::wstring> rows;
      for (const std::wstring& row : Split(t.substr(pos + begin.size(), stop - pos - begin.size()), L"\\\\"))
        if (!Trim(row).empty()) rows.push_back(Join(Split(Trim(row), L"&"), L","));
      size_t from = pos, to = stop + finish.size();
      // The sizing brackets around the environment decide what it is.
      const std::wstring before = RTrim(t.substr(0, pos));
      std::wstring keyword = name == L"align" ? L"fcz" : L"jz";
      for (const std::wstring open : {L"\\left(", L"\\left|", L"\\left\\{", L"\\left["})
        if (EndsWithText(before, open)) {
          from = before.size() - open.size();
          if (open == L"\\left|") keyword = L"hls";
        }
      const size_t after = SkipBlanks(t, to);
      for (const std::wstring close : {L"\\right)", L"\\right|", L"\\right.", L"\\right]"})
        if (t.compare(after, close.size(), close) == 0) to = after + close.size();
      t.replace(from, to - from, keyword + L"(" + Join(rows, keyword == L"fcz" ? L"," : L"|") + L")");
      pos = from;
    }
  }
  return t;
}

const std::map<std::wstring, std::wstring>& Signs() {
  static const std::map<std::wstring, std::wstring> signs = {
      {L"alpha", L"α"}, {L"beta", L"β"}, {L"gamma", L"γ"}, {L"delta", L"δ"}, {L"epsilon", L"ϵ"},
      {L"varepsilon", L"ε"}, {L"zeta", L"ζ"}, {L"eta", L"η"}, {L"theta", L"θ"}, {L"vartheta", L"ϑ"},
      {L"iota", L"ι"}, {L"kappa", L"κ"}, {L"lambda", L"λ"}, {L"mu", L"μ"}, {L"nu", L"ν"}, {L"xi", L"ξ"},
      {L"pi", L"π"}, {L"varpi", L"ϖ"}, {L"rho", L"ρ"}, {L"sigma", L"σ"}, {L"varsigma", L"ς"}, {L"tau", L"τ"},
      {L"upsilon", L"υ"}, {L"phi", L"ϕ"}, {L"varphi", L"φ"}, {L"chi", L"χ"}, {L"psi", L"ψ"}, {L"omega", L"ω"},
      {L"Alpha", L"Α"}, {L"Beta", L"Β"}, {L"Gamma", L"Γ"}, {L"Delta", L"Δ"}, {L"Epsilon", L"Ε"}, {L"Zeta", L"Ζ"},
      {L"Eta", L"Η"}, {L"Theta", L"Θ"}, {L"Iota", L"Ι"}, {L"Kappa", L"Κ"}, {L"Lambda", L"Λ"}, {L"Mu", L"Μ"},
      {L"Nu", L"Ν"}, {L"Xi", L"Ξ"}, {L"Pi", L"Π"}, {L"Rho", L"Ρ"}, {L"Sigma", L"Σ"}, {L"Tau", L"Τ"},
      {L"Upsilon", L"Υ"}, {L"Phi", L"Φ"}, {L"Chi", L"Χ"}, {L"Psi", L"Ψ"}, {L"Omega", L"Ω"},
      {L"ge", L"≥"}, {L"geq", L"≥"}, {L"le", L"≤"}, {L"leq", L"≤"}, {L"ne", L"≠"}, {L"neq", L"≠"},
      {L"pm", L"±"}, {L"mp", L"∓"}, {L"infty", L"∞"}, {L"circ", L"°"}, {L"angle", L"∠"}, {L"cdot", L"·"},
      {L"times", L"×"}, {L"div", L"÷"}, {L"to", L"→"}, {L"rightarrow", L"→"}, {L"in", L"∈"}, {L"cup", L"∪"},
      {L"cap", L"∩"}, {L"subseteq", L"⊆"}, {L"subset", L"⊂"}, {L"perp", L"⊥"}, {L"parallel", L"∥"},
      {L"triangle", L"△"}, {L"because", L"∵"}, {L"therefore", L"∴"}, {L"cdots", L"⋯"}, {L"ldots", L"…"},
      {L"approx", L"≈"}, {L"sim", L"∼"}, {L"cong", L"≅"}, {L"emptyset", L"∅"}, {L"forall", L"∀"},
      {L"exists", L"∃"}, {L"neg", L"¬"}, {L"log", L"log"}, {L"ln", L"ln"}, {L"lg", L"lg"}, {L"sin", L"sin"},
      {L"cos", L"cos"}, {L"tan", L"tan"}, {L"lim", L"lim"}, {L"quad", L" "}, {L"qquad", L" "}, {L",", L" "},
      {L";", L" "}, {L" ", L" "}, {L"{", L"\x1"}, {L"}", L"\x2"}, {L"%", L"%"}};
  return signs;
}

// Signs and letters written as commands become their characters; \text and
// \mathrm keep their argument; everything else stays for the later steps.
std::wstring SignCommands(const std::wstring& t) {
  std::wstring out;
  for (size_t i = 0; i < t.size();) {
    if (t[i] != L'\\') {
      out += t[i++];
      continue;
    }
    const size_t e = CommandEnd(t, i);
    const std::wstring name = t.substr(i + 1, e - i - 1);
    if (name == L"text" && e < t.size() && t[e] == L'\'') {
      const bool twice = e + 1 < t.size() && t[e + 1] == L'\'';
      out += twice ? L"″" : L"′";
      i = e + (twice ? 2 : 1);
    } else if (const auto it = Signs().find(name); it != Signs().end()) {
      out += it->second;
      i = e;
    } else {
      out.append(t, i, e - i);
      i = e;
    }
  }
  return out;
}

// "\text{...}", "\mathrm{...}" and "\mathop{...}" stand for their content.
std::wstring PlainGroups(std::wstring t) {
  for (const std::wstring command : {L"text", L"mathrm", L"mathop", L"mathit", L"displaystyle"}) {
    for (size_t pos = FindCommand(t, command); pos != kNone; pos = FindCommand(t, command, pos)) {
      std::wstring content;
      size_t end;
      if (BraceGroup(t, CommandEnd(t, pos), content, end)) t.replace(pos, end - pos, content);
      else t.erase(pos, CommandEnd(t, pos) - pos);
    }
  }
  return t;
}

}  // namespace

std::optional<std::wstring> TeXToFormula(const std::wstring& tex) {
  // An interval, \left[ a,b \right), is the formula language's qj[a,b).
  const std::wstring trimmed = Trim(tex);
  if (!IsBracketBalanced(trimmed)) {
    if (!StartsWith(trimmed, L"\\left") || trimmed.size() < 13) return std::nullopt;
    const size_t right = trimmed.rfind(L"\\right");
    if (right == kNone || right + 6 != trimmed.size() - 1) return std::nullopt;
    const wchar_t open = trimmed[5], close = trimmed.back();
    if ((open != L'(' && open != L'[') || (close != L')' && close != L']')) return std::nullopt;
    const auto inner = TeXToFormula(trimmed.substr(6, right - 6));
    if (!inner) return std::nullopt;
    return L"qj" + std::wstring(1, open) + *inner + std::wstring(1, close);
  }
  std::wstring t = Environments(tex);
  t = Limits(t);
  t = BigOperators(t);
  t = OneArgument(t, L"widehat", L"hu");
  t = OneArgument(t, L"vec", L"xl");
  t = OneArgument(t, L"overrightarrow", L"xl");
  t = OneArgument(t, L"overline", L"fei");
  t = OneArgument(t, L"underline", L"xhx");
  t = PlainGroups(t);
  t = TeX2Asc(SignCommands(t), kQuiet);
  // Degrees are written as a raised circle.
  t = Replace(Replace(t, L"^°", L"°"), L"^(°)", L"°");
  // What braces remain only grouped; escaped ones are the signs themselves.
  std::wstring out;
  for (wchar_t c : t)
    if (c != L'{' && c != L'}') out += c == L'\x1' ? L'{' : c == L'\x2' ? L'}' : c;
  if (Contains(out, L"\\") || Contains(out, L"&")) return std::nullopt;
  return Trim(out);
}

}  // namespace plx
