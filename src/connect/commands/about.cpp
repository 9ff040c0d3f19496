#include "common/error.hpp"
#include "common/text.hpp"
#include "addin/addin_context.hpp"
#include "connect/commands/basic_commands.hpp"
#include "addin/product_info.hpp"

namespace plx {

void ShowVersion(AddinContext& ctx) {
  ctx.Ui().MsgBox(L"当前Plendrix的版本号是：" + product::VersionText(), Buttons::OK, L"");
}

void OpenAddress(AddinContext& ctx, const std::wstring& address) {
  try {
    ctx.GetShell().Open(address);
  } catch (const std::exception& e) {
    ctx.Ui().MsgBox(AsVbError(e).description(), Buttons::OK, L"");
  }
}

void ShowAuthor(AddinContext& ctx) { ctx.Ui().MsgBox(product::kAuthorContact, Buttons::OK, L""); }

void SearchAnswer(AddinContext& ctx) {
  std::wstring text = Replace(ctx.App->GetSelection()->Text(), L"\r", L"");
  OpenAddress(ctx, product::kAnswerSearch + text);
}

}  // namespace plx
