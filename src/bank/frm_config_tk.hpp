#pragma once
// The settings dialog with its question-bank buttons, which need the bank
// and so are added here, above the configuration layer: importing the
// question bank of an older installation (`cmdImportTK`), rebuilding the
// chapter and knowledge-point tables from the bank's workbook
// (`cmdRebuildTK`) and opening that workbook for editing (`cmdEditTK`).
#include "config/frm_config.hpp"

namespace plx::bank {

class frmConfigTk : public frmConfig {
 public:
  explicit frmConfigTk(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdImportTK_Click();
  void cmdRebuildTK_Click();
  void cmdEditTK_Click();
};

}  // namespace plx::bank
