#include "docif/model/symbol_fonts.hpp"

#include <string_view>

namespace plx::docif::model {
namespace {

// The Symbol font from byte 0x20 to 0xFE, one character per byte; a blank
// stands for the pieces without a character of their own (bracket
// extenders, the radical extender, 0xF0).
constexpr std::wstring_view kSymbolFont =
    L" !∀#∃%&∋()∗+,−./0123456789:;<=>?"
    L"≅ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ[∴]⊥_"
    L" αβχδεφγηιϕκλμνοπθρστυϖωξψζ{|}∼ "
    L"                                "
    L"€ϒ′≤⁄∞ƒ♣♦♥♠↔←↑→↓°±″≥×∝∂•÷≠≡≈…⏐⎯↵"
    L"ℵℑℜ℘⊗⊕∅∩∪⊃⊇⊄⊂⊆∈∉∠∇®©™∏√⋅¬∧∨⇔⇐⇑⇒⇓"
    L"◊〈®©™∑⎛⎜⎝⎡⎢⎣⎧⎨⎩⎪ 〉∫⌠⎮⌡⎞⎟⎠⎤⎥⎦⎫⎬⎭";

// The add-in's own "plendrix" font: the set, logic and geometry signs of
// Chinese textbooks at the codes its symbol buttons insert.
struct Sign {
  wchar_t code, shown;
};
constexpr Sign kPlendrixFont[] = {
    {0xF0A5, L'∅'}, {0xF0A9, L'⊇'}, {0xF0AC, L'⊆'}, {0xF0AE, L'∉'}, {0xF0B8, L'∧'}, {0xF0B9, L'∨'},
    {0xF0BA, L'⇔'}, {0xF0BB, L'⇐'}, {0xF0BD, L'⇒'}, {0xF0D9, L'⋕'}, {0xF0DA, L'⋕'}, {0xF0DD, L'∁'},
    {0xF0E0, L'⊊'}, {0xF0E1, L'⊋'}, {0xF0E5, L'⊈'}, {0xF0E6, L'⊉'}, {0xF0F4, L'∈'}, {0xF0F6, L'⇎'},
    {0xF0F7, L'⇍'}, {0xF0F8, L'⇏'}, {0xF0F9, L'∦'}, {0xF0FB, L'∉'},
};

// Euclid Math Two holds the double-struck capitals at A to Z.
wchar_t DoubleStruck(wchar_t letter) {
  switch (letter) {
    case L'C': return L'ℂ';
    case L'H': return L'ℍ';
    case L'N': return L'ℕ';
    case L'P': return L'ℙ';
    case L'Q': return L'ℚ';
    case L'R': return L'ℝ';
    case L'Z': return L'ℤ';
    default: return 0;  // the others lie outside the 16-bit range
  }
}

}  // namespace

std::optional<wchar_t> SymbolFontCharacter(const std::wstring& font, wchar_t code) {
  if (code < 0xF020 || code > 0xF0FF) return std::nullopt;
  const wchar_t byte = code - 0xF000;
  wchar_t shown = 0;
  if (font == L"Symbol") {
    if (byte - 0x20 < static_cast<wchar_t>(kSymbolFont.size())) shown = kSymbolFont[byte - 0x20];
  } else if (font == L"Euclid Math Two") {
    shown = DoubleStruck(byte);
  } else if (font == L"plendrix") {
    for (const Sign& s : kPlendrixFont)
      if (s.code == code) shown = s.shown;
  }
  if (shown == 0 || (shown == L' ' && byte != 0x20)) return std::nullopt;
  return shown;
}

}  // namespace plx::docif::model
