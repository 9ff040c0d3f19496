#include "common/text.hpp"
#include "host/addin_context.hpp"
#include "host/commands/basic_commands.hpp"
#include "host/product_info.hpp"

namespace plx {
namespace {

// The legacy host shows the mode as a button caption on one of the bars.
std::shared_ptr<docif::CommandBarControl> ModeButton(AddinContext& ctx, const std::wstring& barPrefix,
                                                     const std::wstring& a, const std::wstring& b) {
  auto bars = ctx.App->GetCommandBars();
  for (int i = 1; i <= bars->Count(); ++i) {
    auto bar = bars->Item(i);
    if (!StartsWith(bar->Name(), barPrefix)) continue;
    auto controls = bar->Controls();
    for (int k = 1; k <= controls->Count(); ++k) {
      auto c = controls->Item(k);
      if (c->Caption() == a || c->Caption() == b) return c;
    }
  }
  return nullptr;
}

bool Legacy(AddinContext& ctx) { return ctx.App->Version() == L"11.0"; }

}  // namespace

void ToggleDrawMode(AddinContext& ctx) {
  const wchar_t* title = L"绘图模式与网格模式切换";
  auto doc = ctx.App->ActiveDocument();
  auto button = Legacy(ctx) ? ModeButton(ctx, L"plendrix_TXCL", L"绘图模式", L"网格模式") : nullptr;
  bool gridMode = button ? button->Caption() == L"网格模式" : doc->SnapToGrid();
  if (!gridMode) {
    if (ctx.Ui().MsgBox(L"当前已经是绘图模式，你要切换到网格模式吗？", Buttons::OKCancel, title) != Answer::OK) return;
    doc->SetSnapToGrid(true);
    doc->SetSnapToShapes(true);
    if (button) button->SetCaption(L"网格模式");
  } else {
    if (ctx.Ui().MsgBox(L"当前是网格模式，你要切换到绘图模式吗？", Buttons::OKCancel, title) != Answer::OK) return;
    doc->SetSnapToGrid(false);
    doc->SetSnapToShapes(false);
    if (button) button->SetCaption(L"绘图模式");
  }
}

void ToggleFormulaMode(AddinContext& ctx) {
  const wchar_t* title = L"公式模式与文字模式切换";
  auto autoCorrect = ctx.App->GetAutoCorrect();
  auto button = Legacy(ctx) ? ModeButton(ctx, product::kMainToolbar, L"公式模式", L"文字模式") : nullptr;
  bool formulaMode = button ? button->Caption() == L"公式模式" : autoCorrect->ReplaceText();
  if (!formulaMode) {
    if (ctx.Ui().MsgBox(L"当前是文字模式，你要切换到公式模式吗？", Buttons::OKCancel, title) != Answer::OK) return;
    autoCorrect->SetReplaceText(true);
    autoCorrect->SetCorrectSentenceCaps(false);
    if (button) button->SetCaption(L"公式模式");
  } else {
    if (ctx.Ui().MsgBox(L"当前是公式模式，你要切换到文字模式吗？", Buttons::OKCancel, title) != Answer::OK) return;
    autoCorrect->SetReplaceText(false);
    autoCorrect->SetCorrectSentenceCaps(true);
    if (button) button->SetCaption(L"文字模式");
  }
}

}  // namespace plx
