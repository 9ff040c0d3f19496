#pragma once
// What the symbol fonts draw. Signs set in a symbol font are stored as
// private-use code points (U+F020 to U+F0FF, the font's byte plus 0xF000);
// only the font says which sign they are. This table gives the Unicode
// character each known font draws there, so a reader of the text can see it.
#include <optional>
#include <string>

namespace plx::docif::model {

// The Unicode character `font` draws at private-use code `code`; nothing
// when the font or the code is not known.
std::optional<wchar_t> SymbolFontCharacter(const std::wstring& font, wchar_t code);

// True for the private-use area, where only the font gives a meaning.
inline bool IsPrivateUse(wchar_t c) { return c >= 0xE000 && c <= 0xF8FF; }

}  // namespace plx::docif::model
