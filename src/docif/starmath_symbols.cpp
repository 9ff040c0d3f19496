#include "docif/starmath_symbols.hpp"

#include <algorithm>
#include <iterator>

namespace plx::docif::starmath {
namespace {

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Words Math reads as commands, in any case ("DEF" is "def"): typed as
// letters of a formula they must be quoted.
bool IsKeyword(std::wstring word) {
  std::transform(word.begin(), word.end(), word.begin(), [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c + 32 : c; });
  static const wchar_t* const kWords[] = {
      L"abs", L"acute", L"aleph", L"alignb", L"alignc", L"alignl", L"alignm", L"alignr", L"alignt", L"and",
      L"approx", L"arccos", L"arccot", L"arcosh", L"arcoth", L"arcsin", L"arctan", L"arsinh", L"artanh",
      L"backepsilon", L"bar", L"binom", L"bold", L"boper", L"breve", L"bslash", L"cdot", L"check", L"circ",
      L"circle", L"color", L"coprod", L"cos", L"cosh", L"cot", L"coth", L"csub", L"csup", L"dddot", L"ddot",
      L"def", L"div", L"divides", L"dlarrow", L"dlrarrow", L"dot", L"dotsaxis", L"dotsdiag", L"dotsdown",
      L"dotslow", L"dotsup", L"dotsvert", L"downarrow", L"drarrow", L"emptyset", L"equiv", L"evaluate",
      L"exists", L"exp", L"fact", L"fixed", L"font", L"forall", L"frac", L"from", L"func", L"ge", L"geslant",
      L"gg", L"grave", L"gt", L"hat", L"hbar", L"iiint", L"iint", L"im", L"in", L"infinity", L"infty", L"int",
      L"intersection", L"ital", L"italic", L"lambdabar", L"langle", L"lbrace", L"lceil", L"ldbracket", L"ldline",
      L"le", L"left", L"leftarrow", L"leslant", L"lfloor", L"lim", L"liminf", L"limsup", L"lint", L"ll", L"llint",
      L"lllint", L"lline", L"ln", L"log", L"lsub", L"lsup", L"lt", L"matrix", L"max", L"min", L"minusplus",
      L"mline", L"nabla", L"nbold", L"ndivides", L"neg", L"neq", L"newline", L"ni", L"nitalic", L"none",
      L"nospace", L"notexists", L"notin", L"nroot", L"nsubset", L"nsubseteq", L"nsupset", L"nsupseteq",
      L"odivide", L"odot", L"ominus", L"oper", L"oplus", L"or", L"ortho", L"otimes", L"over", L"overbrace",
      L"overline", L"overstrike", L"owns", L"parallel", L"partial", L"phantom", L"plusminus", L"prec", L"prod",
      L"prop", L"rangle", L"rbrace", L"rceil", L"rdbracket", L"rdline", L"re", L"rfloor", L"right",
      L"rightarrow", L"rline", L"rsub", L"rsup", L"sans", L"serif", L"setc", L"setminus", L"setn", L"setq",
      L"setquotient", L"setr", L"setz", L"sim", L"simeq", L"sin", L"sinh", L"size", L"slash", L"sqrt", L"stack",
      L"sub", L"subset", L"subseteq", L"succ", L"sum", L"sup", L"supset", L"supseteq", L"tan", L"tanh",
      L"text", L"tilde", L"times", L"to", L"toward", L"transl", L"transr", L"underbrace", L"underline",
      L"union", L"uoper", L"uparrow", L"vec", L"widebslash", L"widehat", L"wideslash", L"widetilde",
      L"widevec", L"wp"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

// The functions Math sets upright by themselves.
bool IsMathFunction(const std::wstring& word) {
  static const wchar_t* const kNames[] = {L"sin",    L"cos",    L"tan",    L"cot",    L"sinh",   L"cosh",
                                          L"tanh",   L"coth",   L"arcsin", L"arccos", L"arctan", L"arccot",
                                          L"arsinh", L"arcosh", L"artanh", L"arcoth", L"ln",     L"log",
                                          L"exp"};
  return std::find(std::begin(kNames), std::end(kNames), word) != std::end(kNames);
}

struct Sign {
  wchar_t c;
  const wchar_t* text;
  Role role;
};

// Signs Math has a command for, so it spaces them as the operators they are.
constexpr Sign kSigns[] = {
    {L'+', L"+", Role::kSign},          {L'-', L"-", Role::kSign},          {0x2212, L"-", Role::kSign},
    {0x00B1, L"+-", Role::kSign},       {0x2213, L"-+", Role::kSign},       {L'=', L"=", Role::kInfix},
    {L'<', L"<", Role::kInfix},         {L'>', L">", Role::kInfix},         {L'/', L"/", Role::kInfix},
    {L'*', L"*", Role::kInfix},         {0x2260, L"<>", Role::kInfix},      {0x2264, L"<=", Role::kInfix},
    {0x2265, L">=", Role::kInfix},      {0x2A7D, L"leslant", Role::kInfix}, {0x2A7E, L"geslant", Role::kInfix},
    {0x226A, L"ll", Role::kInfix},      {0x226B, L"gg", Role::kInfix},      {0x00D7, L"times", Role::kInfix},
    {0x00F7, L"div", Role::kInfix},     {0x00B7, L"cdot", Role::kInfix},    {0x22C5, L"cdot", Role::kInfix},
    {0x2208, L"in", Role::kInfix},      {0x2209, L"notin", Role::kInfix},   {0x220B, L"owns", Role::kInfix},
    {0x2282, L"subset", Role::kInfix},  {0x2283, L"supset", Role::kInfix},  {0x2286, L"subseteq", Role::kInfix},
    {0x2287, L"supseteq", Role::kInfix}, {0x2284, L"nsubset", Role::kInfix}, {0x222A, L"union", Role::kInfix},
    {0x2229, L"intersection", Role::kInfix}, {0x2216, L"setminus", Role::kInfix}, {0x22A5, L"ortho", Role::kInfix},
    {0x2225, L"parallel", Role::kInfix}, {0x2248, L"approx", Role::kInfix}, {0x2261, L"equiv", Role::kInfix},
    {0x223C, L"sim", Role::kInfix},     {0x2243, L"simeq", Role::kInfix},   {0x221D, L"prop", Role::kInfix},
    {0x2192, L"toward", Role::kInfix},  {0x21D2, L"drarrow", Role::kInfix}, {0x21D0, L"dlarrow", Role::kInfix},
    {0x21D4, L"dlrarrow", Role::kInfix}, {0x2223, L"divides", Role::kInfix}, {0x2224, L"ndivides", Role::kInfix},
    {0x221E, L"infinity", Role::kOperand}, {0x2205, L"emptyset", Role::kOperand},
    {0x2202, L"partial", Role::kOperand}, {0x2207, L"nabla", Role::kOperand}, {0x2200, L"forall", Role::kOperand},
    {0x2203, L"exists", Role::kOperand}, {0x2026, L"dotslow", Role::kOperand}, {0x22EF, L"dotsaxis", Role::kOperand},
    {0x2135, L"aleph", Role::kOperand},
};

const wchar_t* const kGreekLower[] = {L"alpha", L"beta",  L"gamma", L"delta", L"epsilon", L"zeta",
                                      L"eta",   L"theta", L"iota",  L"kappa", L"lambda",  L"mu",
                                      L"nu",    L"xi",    L"omicron", L"pi",  L"rho",     L"varsigma",
                                      L"sigma", L"tau",   L"upsilon", L"phi", L"chi",     L"psi",
                                      L"omega"};

// The Math name of a Greek letter ("%alpha", "%DELTA"), or empty.
std::wstring Greek(wchar_t c) {
  if (c >= 0x03B1 && c <= 0x03C9) return std::wstring(L"%") + kGreekLower[c - 0x03B1];
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) {
    std::wstring name = kGreekLower[c - 0x0391];
    std::transform(name.begin(), name.end(), name.begin(), [](wchar_t l) { return l - L'a' + L'A'; });
    return L"%" + name;
  }
  switch (c) {
    case 0x03D5: return L"%varphi";
    case 0x03F5: return L"%varepsilon";
    case 0x03D1: return L"%vartheta";
    case 0x03D6: return L"%varpi";
    case 0x03F1: return L"%varrho";
    default: return L"";
  }
}

// Chinese and full-width characters, set as text (Math's formula fonts
// have none of them).
bool IsText(wchar_t c) { return c >= 0x2E80 && !(c >= 0xE000 && c <= 0xF8FF); }

// Characters that only steer the layout of the markup.
bool IsInvisible(wchar_t c) { return c < 0x20 || (c >= 0x2061 && c <= 0x2064) || c == 0x200B || c == 0xFEFF; }

}  // namespace

std::wstring Quoted(const std::wstring& text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) out += c == L'"' ? static_cast<wchar_t>(0x201D) : c;
  return out + L"\"";
}

bool IsLimitOperator(const std::wstring& word) { return word == L"lim" || word == L"liminf" || word == L"limsup"; }

std::wstring NaryOperator(const std::wstring& chr) {
  switch (chr.empty() ? 0 : chr[0]) {
    case 0x2211: return L"sum";
    case 0x220F: return L"prod";
    case 0x2210: return L"coprod";
    case 0x222B: return L"int";
    case 0x222C: return L"iint";
    case 0x222D: return L"iiint";
    case 0x222E: return L"lint";
    case 0x222F: return L"llint";
    case 0x2230: return L"lllint";
    // Operators Math has no name for are made operators of their sign.
    default: return L"oper " + chr;
  }
}

void AppendText(const std::wstring& text, bool upright, std::vector<Piece>& pieces) {
  size_t i = 0;
  while (i < text.size()) {
    const wchar_t c = text[i];
    size_t end = i + 1;
    if (IsLetter(c)) {
      while (end < text.size() && IsLetter(text[end])) ++end;
      const std::wstring word = text.substr(i, end - i);
      if (upright) {
        pieces.push_back({IsMathFunction(word) ? word : L"func " + word, Role::kPrefix});
      } else if (IsKeyword(word)) {
        // As text set like Math's letters (its text and variable fonts are one family).
        pieces.push_back({L"ital " + Quoted(word)});
      } else {
        pieces.push_back({word});
      }
    } else if (IsDigit(c)) {
      while (end < text.size() &&
             (IsDigit(text[end]) || (text[end] == L'.' && end + 1 < text.size() && IsDigit(text[end + 1]))))
        ++end;
      pieces.push_back({text.substr(i, end - i)});
    } else if (c == L' ' || c == L'\t') {
      pieces.push_back({L"~"});  // Math's blank: the spaces of an answer line under a bar show
    } else if (IsInvisible(c)) {
      // nothing shows
    } else if (const std::wstring greek = Greek(c); !greek.empty()) {
      pieces.push_back({greek});
    } else if (auto sign = std::find_if(std::begin(kSigns), std::end(kSigns), [c](const Sign& s) { return s.c == c; });
               sign != std::end(kSigns)) {
      pieces.push_back({sign->text, sign->role});
    } else if (IsText(c)) {
      while (end < text.size() && IsText(text[end])) ++end;
      pieces.push_back({Quoted(text.substr(i, end - i))});
    } else if (c < 0x80) {
      // Other ASCII signs are Math's syntax or read differently by it.
      pieces.push_back({Quoted(std::wstring(1, c))});
    } else {
      pieces.push_back({std::wstring(1, c)});
    }
    i = end;
  }
}

std::wstring Join(const std::vector<Piece>& pieces) {
  std::wstring out;
  auto add = [&out](const std::wstring& text) { out += (out.empty() ? L"" : L" ") + text; };
  bool term = false;  // a term stands last
  for (const Piece& p : pieces) {
    if (p.role == Role::kInfix && !term) add(L"{}");
    add(p.text);
    term = p.role == Role::kOperand;
  }
  if (!pieces.empty() && !term) add(L"{}");
  return out;
}

}  // namespace plx::docif::starmath
