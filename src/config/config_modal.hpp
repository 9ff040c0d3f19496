#pragma once
// The settings dialog shown modally, as sending to slides does when its
// settings ask for it: the caller goes on only after the user has closed
// the dialog.
#include <memory>

#include "config/frm_config.hpp"

namespace plx {

// Shows the settings dialog modally and returns when it has closed, by OK
// (everything saved) or Cancel. `form` is the dialog to show: by default
// the settings alone; callers that see the question bank pass
// bank::frmConfigTk for its bank buttons. A settings dialog the user already
// has open is the one shown, so no second copy appears beside it. When the
// host has nobody left to answer it, it is closed as by Cancel.
void ShowConfigModal(AddinContext& ctx, std::shared_ptr<frmConfig> form = nullptr);

}  // namespace plx
