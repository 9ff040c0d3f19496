#pragma once
// Every dialog of the add-in by name, so a host can open one the way its
// command would.
#include <memory>
#include <string>
#include <vector>

#include "addin/form.hpp"

namespace plx {

// A new, not yet loaded dialog; null for an unknown name.
std::shared_ptr<Form> CreateForm(AddinContext& ctx, const std::wstring& name);
std::vector<std::wstring> FormNames();

}  // namespace plx
