#pragma once
// The add-in's dialogs have no windows in LibreOffice yet. A command that
// opens one gets it closed again, and the user is told why nothing
// appeared.
#include <memory>
#include <string>
#include <vector>

#include "addin/addin_context.hpp"
#include "addin/form.hpp"

namespace plx::oxt {

// The message for the dialogs `forms` (by name); `command` is the caption
// of the button that asked for them, or empty when not known.
std::wstring DialogNotAvailable(const std::vector<std::wstring>& forms, const std::wstring& command);

// Unloads the dialogs open now that were not open `before` (so what a
// dialog opened on loading, such as a report document, is closed with it)
// and returns their names.
std::vector<std::wstring> CloseOpenedDialogs(AddinContext& ctx, const std::vector<std::shared_ptr<Form>>& before);

}  // namespace plx::oxt
