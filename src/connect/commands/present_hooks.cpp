#include "connect/commands/present_hooks.hpp"

#include "addin/addin_context.hpp"
#include "config/config_modal.hpp"
#include "config/frm_config.hpp"
#include "connect/form_registry.hpp"

namespace plx {

namespace {
constexpr int kSlidesTab = 4;
}

present::SendHooks SlideSendHooks() {
  return {.showSettings = [](AddinContext& ctx) {
    // The settings dialog opens on the slides tab, and sending goes on only
    // once the user has closed it, so the settings changed there are used.
    auto config = ctx.FindForm<frmConfig>();
    if (!config) config = std::dynamic_pointer_cast<frmConfig>(CreateForm(ctx, L"frmConfig"));
    if (!config) return;
    config->Show();
    config->GetControl(L"SSTab1").value = kSlidesTab;
    config->SSTab1_Click(kSlidesTab);
    ShowConfigModal(ctx, config);
  }};
}

}  // namespace plx
