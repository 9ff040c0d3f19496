// The parts of the TeX builder around the loop: the finished pieces and their
// keys, the symbol words and the Greek letters after it.
#include <algorithm>
#include <array>

#include "common/text.hpp"
#include "formula/tex_builder.hpp"

namespace plx {
namespace {

constexpr std::array<const wchar_t*, 26> kLowerGreek = {
    L" \\alpha ",  L" \\beta ",   L" \\chi ",   L" \\delta ", L" \\varepsilon ", L" \\varphi ", L" \\gamma ",
    L" \\eta ",    L" \\iota ",   L" \\phi ",   L" \\kappa ", L" \\lambda ",     L" \\mu ",     L" \\nu ",
    L" o ",        L" \\pi ",     L" \\theta ", L" \\rho ",   L" \\sigma ",      L" \\tau ",    L" \\upsilon ",
    L" \\varpi ",  L" \\omega ",  L" \\xi ",    L" \\psi ",   L" \\zeta "};

constexpr std::array<const wchar_t*, 26> kUpperGreek = {
    L" \\Alpha ",  L" \\Beta ",   L" \\Chi ",   L" \\Delta ", L" \\Epsilon ", L" \\vartheta ", L" \\Gamma ",
    L" \\Eta ",    L" \\Iota ",   L" \\Phi ",   L" \\Kappa ", L" \\Lambda ",  L" \\Mu ",       L" \\Nu ",
    L" {\\mathrm O} ", L" \\Pi ", L" \\Theta ", L" \\Rho ",   L" \\Sigma ",   L" \\Tau ",      L" \\Upsilon ",
    L" \\varsigma ", L" \\Omega ", L" \\Xi ",   L" \\Psi ",   L" \\Zeta "};

struct Word {
  const wchar_t* word;
  const wchar_t* tex;
};

// "\angle " keeps a blank after it: "jiaoABC" must not become the unknown
// command "\angleABC".
constexpr Word kWords[] = {
    {L">=", L" \\ge "},      {L"<=", L" \\le "},  {L"<>", L" \\ne "},      {L"+-", L" \\pm "},
    {L"-+", L" \\mp "},      {L"wqd", L" \\infty "}, {L"du", L" ^\\circ "}, {L"fen", L"\\text'"},
    {L"miao", L"\\text''"}, {L"jiao", L"\\angle "}};

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

std::wstring ReplaceWord(const std::wstring& text, std::wstring_view word, std::wstring_view tex) {
  const bool letters = IsAsciiLetter(word[0]);
  std::wstring out;
  size_t from = 0;
  for (size_t at = text.find(word); at != std::wstring::npos; at = text.find(word, at + 1)) {
    if (at < from || (letters && at > 0 && text[at - 1] == L'@')) continue;
    out.append(text, from, at - from);
    out += tex;
    from = at + word.size();
  }
  return out + text.substr(from);
}

}  // namespace

std::wstring TeXPieces::Add(const std::wstring& piece) {
  const auto found = std::find(pieces.begin(), pieces.end(), piece);
  if (found != pieces.end() && static_cast<size_t>(found - pieces.begin()) < keys.size())
    return keys[static_cast<size_t>(found - pieces.begin())];
  pieces.push_back(piece);
  keys.push_back(L"MyRStr" + std::to_wstring(pieces.size()));
  return keys.back();
}

void TeXPieces::Clear() {
  keys.clear();
  pieces.clear();
}

std::wstring RestoreTeXPieces(const std::wstring& text, const TeXPieces& pieces) {
  std::wstring out = text;
  for (size_t i = std::min(pieces.keys.size(), pieces.pieces.size()); i-- > 0;)
    if (!pieces.keys[i].empty()) out = Replace(out, pieces.keys[i], pieces.pieces[i]);
  return out;
}

std::wstring ChangeXLZM_Tex(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
    if (text[i] == L'@' && next >= L'a' && next <= L'z') {
      out += kLowerGreek[static_cast<size_t>(next - L'a')];
      ++i;
    } else if (text[i] == L'@' && next >= L'A' && next <= L'Z') {
      out += kUpperGreek[static_cast<size_t>(next - L'A')];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::wstring ReplaceTeXWords(const std::wstring& text) {
  std::wstring out = text;
  for (const Word& w : kWords) out = ReplaceWord(out, w.word, w.tex);
  return out;
}

}  // namespace plx
