#include "bank/frm_config_tk.hpp"

#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "bank/tk_import.hpp"
#include "bank/tk_rebuild.hpp"

namespace plx::bank {

frmConfigTk::frmConfigTk(AddinContext& ctx) : frmConfig(ctx) {
  AddControl(Button(L"cmdImportTK", L"导入旧版题库", [this] { cmdImportTK_Click(); }));
  AddControl(Button(L"cmdRebuildTK", L"重建知识点表", [this] { cmdRebuildTK_Click(); }));
  AddControl(Button(L"cmdEditTK", L"编辑题库配置表", [this] { cmdEditTK_Click(); }));
}

void frmConfigTk::cmdImportTK_Click() {
  try {
    ImportOldBank(Ctx());
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmConfig.cmdImportTK_Click-->line", __LINE__);
  }
}

void frmConfigTk::cmdRebuildTK_Click() {
  try {
    RebuildPointTables(Ctx());
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmConfig.cmdRebuildTK_Click-->line", __LINE__);
  }
}

void frmConfigTk::cmdEditTK_Click() {
  try {
    EditBankWorkbook(Ctx());
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmConfig.cmdEditTK_Click-->line", __LINE__);
  }
}

}  // namespace plx::bank
