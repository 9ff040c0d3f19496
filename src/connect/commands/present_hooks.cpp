#include "connect/commands/present_hooks.hpp"

#include "addin/addin_context.hpp"
#include "config/frm_config.hpp"
#include "connect/form_registry.hpp"

namespace plx {

namespace {
constexpr int kSlidesTab = 4;
}

present::SendHooks SlideSendHooks() {
  return {.showSettings = [](AddinContext& ctx) {
    // A batch sends piece after piece: the dialog opened for the first
    // piece stays the one the user sees.
    if (ctx.FindForm<frmConfig>()) return;
    auto form = CreateForm(ctx, L"frmConfig");
    if (!form) return;
    form->Show();
    if (auto config = std::dynamic_pointer_cast<frmConfig>(form)) config->SSTab1_Click(kSlidesTab);
  }};
}

}  // namespace plx
