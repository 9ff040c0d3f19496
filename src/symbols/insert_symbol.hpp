#pragma once
// Inserting a symbol at the selection, replacing it as typing does.
#include <string>

#include "symbols/symbol_table.hpp"

namespace plx {

class AddinContext;

// The placeholder message's title.
inline constexpr const wchar_t* kSymbolPlaceholderTitle = L"plendrix.example.com";

void InsertSymbolEntry(AddinContext& ctx, const SymbolEntry& symbol, const std::wstring& key);
// The routine of one symbol key; an unknown key inserts nothing.
void InsertSymbolByKey(AddinContext& ctx, const std::wstring& key);
void InsertGreek(AddinContext& ctx, const std::wstring& name);
void InsertNumberSymbol(AddinContext& ctx, const std::wstring& key);

}  // namespace plx
