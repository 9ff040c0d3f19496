#pragma once
// EMF and WMF pictures written record by record from the scene (libUEMF
// builds the records): outlines, fills with the host's hatchings, text in
// its fonts, pictures as device-independent bitmaps, on a frame of the
// scene's whole size. Both open in LibreOffice and in Windows programs.
#include <string>

#include "pictures/scene.hpp"

namespace plx::pictures {

// Each returns an empty text on success, else what went wrong.
std::wstring WriteEmf(const Scene& scene, const std::string& file);
std::wstring WriteWmf(const Scene& scene, const std::string& file);

}  // namespace plx::pictures
