#pragma once
// Pressing a command as the user would: on a ribbon host a button of the
// ribbon the add-in defined, on the 2003 host (version 11.0) a toolbar
// button by its key. What the host could not press (an identifier that is
// on no ribbon button or toolbar, a ribbon identifier on the 2003 host, a
// toolbar key on a ribbon host) raises error 5 naming it, so a typing
// mistake in a script never passes silently.
#include <string>

#include "session.hpp"

namespace plx::cli {

void Press(Session& session, const std::wstring& id);

}  // namespace plx::cli
