#include <cwctype>
#include <optional>
#include <vector>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "formula/eq_builder.hpp"
#include "formula/embellish/embellish_settings.hpp"
#include "formula/embellish/mhgs.hpp"
#include "formula/embellish/replace_symbol.hpp"
#include "formula/formula_trap.hpp"

namespace plx {
namespace {

// One change of the code text: `length` characters at `at` become `text`.
struct Edit {
  size_t at, length;
  std::wstring text;
  std::optional<docif::FontFormat> font{};
};

bool IsLatin(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsGreek(wchar_t c) { return (c >= L'Α' && c <= L'Ω') || (c >= L'α' && c <= L'ω'); }

docif::FontFormat Font(const std::wstring& name) {
  docif::FontFormat f;
  f.Name = name;
  return f;
}

// The Greek-letter step and the operator forms, as edits of single places so
// that the characters around them keep their formatting.
std::vector<Edit> SymbolEdits(const std::wstring& code) {
  std::vector<Edit> edits;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i] == L'@' && i + 1 < code.size()) {
      const std::wstring pair = code.substr(i, 2), greek = ChangeXLZM(pair);
      if (greek != pair) {
        edits.push_back({i, 2, greek});
        ++i;
        continue;
      }
    }
    const size_t two = code.compare(i, 2, L">=") == 0 || code.compare(i, 2, L"<=") == 0 ? 2 : 1;
    const std::wstring piece = code.substr(i, two), normal = ReplaceSymbol(piece);
    if (normal != piece) edits.push_back({i, two, normal});
    i += two - 1;
  }
  return edits;
}

// The pairs that make one sign, and "pi" in any letter case.
std::vector<Edit> PairEdits(const std::wstring& code) {
  std::vector<Edit> edits;
  for (size_t i = 0; i + 1 < code.size(); ++i) {
    const std::wstring pair = code.substr(i, 2);
    if (pair == L"＋－" || pair == L"＜＞") {
      edits.push_back({i, 2, pair == L"＋－" ? L"±" : L"≠", Font(L"宋体")});
      ++i;
    } else if (LCase(pair) == L"pi") {
      edits.push_back({i, 2, L"π"});
      ++i;
    }
  }
  return edits;
}

void Apply(docif::Range& code, const std::vector<Edit>& edits) {
  const long start = code.Start();
  for (auto it = edits.rbegin(); it != edits.rend(); ++it) {
    auto r = code.Duplicate();
    r->SetRange(start + static_cast<long>(it->at), start + static_cast<long>(it->at + it->length));
    r->SetText(it->text);
    if (it->font) r->SetFont(*it->font);
  }
}

// Positions of the switch names (a backslash and the letters after it) and
// of the field type "EQ", which are no mathematics.
std::vector<bool> SwitchLetters(const std::wstring& code) {
  std::vector<bool> isSwitch(code.size(), false);
  size_t i = 0;
  while (i < code.size() && code[i] == L' ') ++i;
  if (LCase(code.substr(i, 2)) == L"eq") isSwitch[i] = isSwitch[i + 1] = true;
  for (size_t k = 0; k < code.size(); ++k)
    if (code[k] == L'\\')
      for (size_t j = k + 1; j < code.size() && IsLatin(code[j]); ++j) isSwitch[j] = true;
  return isSwitch;
}

void SetFontAt(docif::Range& code, size_t at, size_t length, const docif::FontFormat& font) {
  auto r = code.Duplicate();
  r->SetRange(code.Start() + static_cast<long>(at), code.Start() + static_cast<long>(at + length));
  r->SetFont(font);
}

// Fonts by character: marks in Times New Roman, letters and digits by the
// settings, runs of the same kind set together.
void FormatCharacters(docif::Range& code, const EmbellishSettings& s) {
  const std::wstring text = code.Text();
  const std::vector<bool> isSwitch = SwitchLetters(text);
  enum Kind { None, Mark, Letter, Digit };
  auto kind = [&](size_t i) {
    const wchar_t c = text[i];
    if (c == L'∫' || c == L'→' || c == L'⌒') return Mark;
    if ((IsLatin(c) || IsGreek(c)) && !isSwitch[i]) return Letter;
    if (std::iswdigit(c)) return Digit;
    return None;
  };
  for (size_t i = 0; i < text.size();) {
    const Kind k = kind(i);
    size_t j = i + 1;
    while (j < text.size() && kind(j) == k) ++j;
    if (k == Mark) SetFontAt(code, i, j - i, Font(L"Times New Roman"));
    if (k == Letter) SetFontAt(code, i, j - i, s.LetterFont());
    if (k == Digit) SetFontAt(code, i, j - i, s.DigitFont());
    i = j;
  }
  docif::FontFormat upright;
  upright.Italic = false;
  for (const std::wstring& name : s.Functions())
    for (size_t at = text.find(name); at != std::wstring::npos; at = text.find(name, at + name.size()))
      SetFontAt(code, at, name.size(), upright);
}

}  // namespace

void EmbellishFormula(AddinContext& ctx, docif::Field& field) {
  RunFormulaCommand(ctx, L"EmbellishFormula", [&] {
    const EmbellishSettings s = EmbellishSettings::Load(ctx);
    auto code = field.Code();
    Apply(*code, SymbolEdits(code->Text()));
    Apply(*code, PairEdits(code->Text()));
    FormatCharacters(*code, s);
  });
}

}  // namespace plx
