#include "config/config_modal.hpp"

#include "addin/addin_context.hpp"

namespace plx {

void ShowConfigModal(AddinContext& ctx, std::shared_ptr<frmConfig> form) {
  if (auto open = ctx.FindForm<frmConfig>()) form = open;
  if (!form) form = std::make_shared<frmConfig>(ctx);
  form->Show();
  ctx.Ui().RunModal(form->Name(), [&form] { return !form->Loaded(); });
  if (form->Loaded()) form->cmdCancel_Click();
}

}  // namespace plx
