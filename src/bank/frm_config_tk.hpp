#pragma once
// The settings dialog with its question-bank button, which needs the bank
// and so is added here, above the configuration layer: importing the
// question bank of an older installation (`cmdImportTK`).
#include "config/frm_config.hpp"

namespace plx::bank {

class frmConfigTk : public frmConfig {
 public:
  explicit frmConfigTk(AddinContext& ctx);
  void cmdImportTK_Click();
};

}  // namespace plx::bank
