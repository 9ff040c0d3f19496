#include <functional>

#include "common/text.hpp"
#include "addin/addin_context.hpp"
#include "connect/commands/basic_commands.hpp"
#include "addin/product_info.hpp"

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

// One of the two switches: the mode that is on now (`on` is its caption),
// the question for switching to the other, and the settings of the new mode.
struct ModeSwitch {
  const wchar_t* title;
  const wchar_t* onCaption;
  const wchar_t* offCaption;
  const wchar_t* askToTurnOn;   // asked while the mode is off
  const wchar_t* askToTurnOff;  // asked while it is on
};

void Toggle(AddinContext& ctx, const ModeSwitch& m, const std::wstring& barPrefix, bool onNow,
            const std::function<void(bool)>& apply) {
  auto button = Legacy(ctx) ? ModeButton(ctx, barPrefix, m.onCaption, m.offCaption) : nullptr;
  bool on = button ? button->Caption() == m.onCaption : onNow;
  if (ctx.Ui().MsgBox(on ? m.askToTurnOff : m.askToTurnOn, Buttons::OKCancel, m.title) != Answer::OK) return;
  apply(!on);
  if (button) button->SetCaption(on ? m.offCaption : m.onCaption);
}

}  // namespace

void ToggleDrawMode(AddinContext& ctx) {
  auto doc = ctx.App->ActiveDocument();
  Toggle(ctx,
         {L"绘图模式与网格模式切换", L"网格模式", L"绘图模式", L"当前已经是绘图模式，你要切换到网格模式吗？",
          L"当前是网格模式，你要切换到绘图模式吗？"},
         L"plendrix_TXCL", doc->SnapToGrid(), [&](bool grid) {
           doc->SetSnapToGrid(grid);
           doc->SetSnapToShapes(grid);
         });
}

void ToggleFormulaMode(AddinContext& ctx) {
  auto autoCorrect = ctx.App->GetAutoCorrect();
  Toggle(ctx,
         {L"公式模式与文字模式切换", L"公式模式", L"文字模式", L"当前是文字模式，你要切换到公式模式吗？",
          L"当前是公式模式，你要切换到文字模式吗？"},
         product::kMainToolbar, autoCorrect->ReplaceText(), [&](bool formula) {
           autoCorrect->SetReplaceText(formula);
           autoCorrect->SetCorrectSentenceCaps(!formula);
         });
}

}  // namespace plx
