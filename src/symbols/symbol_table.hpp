#pragma once
// The symbols the add-in inserts: for each key (the name part of its
// command), the character, the font (or none: the current font stays) and
// how it goes in.
#include <optional>
#include <string>
#include <vector>

namespace plx {

enum class SymbolKind {
  Code,         // the host's insert-symbol operation with the character code
  Text,         // typed as text (full-width signs, ∓)
  Placeholder,  // not made yet: a message says so
};

struct SymbolEntry {
  const wchar_t* key;
  SymbolKind kind;
  char32_t code;        // for Code and Text
  const wchar_t* font;  // null: the current font
};

// The entry for a key (exact, case-sensitive); nothing for an unknown key.
std::optional<SymbolEntry> FindSymbol(const std::wstring& key);
// The numbered symbols: "kuohao1".."kuohao10" (⑴..⑽ in 宋体) and
// "daiquanshuzi1".."daiquanshuzi10" (①..⑩ in the current font).
std::optional<SymbolEntry> FindNumberSymbol(const std::wstring& key);
// The Greek letters by name ("alpha" .. "omega"), in Times New Roman.
std::optional<SymbolEntry> FindGreek(const std::wstring& name);

// Every symbol key of the symbol commands, in table order.
const std::vector<std::wstring>& SymbolKeys();

}  // namespace plx
