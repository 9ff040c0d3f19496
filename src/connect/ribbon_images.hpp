#pragma once
// The ribbon identifiers that have a picture of the add-in's own, and the
// name of that picture in img/.
#include <string>

namespace plx {

// The image name of an identifier, or "" when it has none.
std::wstring RibbonImageName(const std::wstring& id);

}  // namespace plx
