#include "symbols/insert_symbol.hpp"

#include "addin/addin_context.hpp"

namespace plx {

void InsertSymbolEntry(AddinContext& ctx, const SymbolEntry& symbol, const std::wstring& key) {
  if (symbol.kind == SymbolKind::Placeholder) {
    ctx.Ui().MsgBox(L"此符号暂末完成，请耐心等待 -->" + key, Buttons::OK, kSymbolPlaceholderTitle);
    return;
  }
  auto selection = ctx.App->GetSelection();
  if (symbol.kind == SymbolKind::Text) {
    selection->TypeText(std::wstring(1, static_cast<wchar_t>(symbol.code)));
    return;
  }
  std::optional<std::wstring> font;
  if (symbol.font) font = symbol.font;
  selection->InsertSymbol(static_cast<int>(symbol.code), font, true);
}

void InsertSymbolByKey(AddinContext& ctx, const std::wstring& key) {
  if (auto symbol = FindSymbol(key)) InsertSymbolEntry(ctx, *symbol, key);
}

void InsertGreek(AddinContext& ctx, const std::wstring& name) {
  if (auto symbol = FindGreek(name)) InsertSymbolEntry(ctx, *symbol, name);
}

void InsertNumberSymbol(AddinContext& ctx, const std::wstring& key) {
  if (auto symbol = FindNumberSymbol(key)) InsertSymbolEntry(ctx, *symbol, key);
}

}  // namespace plx
