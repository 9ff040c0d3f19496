#include "connect/commands/present_hooks.hpp"

#include "config/frm_config.hpp"
#include "connect/form_registry.hpp"

namespace plx {

namespace {
constexpr int kSlidesTab = 4;
}

present::SendHooks SlideSendHooks() {
  return {.showSettings = [](AddinContext& ctx) {
    auto form = CreateForm(ctx, L"frmConfig");
    if (!form) return;
    form->Show();
    if (auto config = std::dynamic_pointer_cast<frmConfig>(form)) config->SSTab1_Click(kSlidesTab);
  }};
}

}  // namespace plx
