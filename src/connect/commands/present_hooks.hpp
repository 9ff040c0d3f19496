#pragma once
// What sending to slides needs from the top of the add-in: the settings
// dialog, opened from inside a send.
#include "present/send2ppt.hpp"

namespace plx {

// Opens "frmConfig" on its slides tab before a send. This host has no
// message loop to wait in, so the send goes on with the settings as
// stored; the dialog stays open for the user.
present::SendHooks SlideSendHooks();

}  // namespace plx
