#include "bank/frm_config_tk.hpp"

#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "bank/tk_import.hpp"

namespace plx::bank {

frmConfigTk::frmConfigTk(AddinContext& ctx) : frmConfig(ctx) {
  AddControl(Button(L"cmdImportTK", L"导入旧版题库", [this] { cmdImportTK_Click(); }));
}

void frmConfigTk::cmdImportTK_Click() {
  try {
    ImportOldBank(Ctx());
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmConfig.cmdImportTK_Click-->line", __LINE__);
  }
}

}  // namespace plx::bank
