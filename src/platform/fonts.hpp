#pragma once
// The names of the font families installed on this machine, as a font
// chooser lists them.
#include <string>
#include <vector>

namespace plx {

// Family names from fontconfig, sorted and without duplicates; empty when
// fontconfig cannot be initialised.
std::vector<std::wstring> InstalledFontFamilies();

}  // namespace plx
