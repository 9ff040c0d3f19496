#pragma once
// EMF and WMF pictures: the scene written as SVG and converted by
// LibreOffice's Draw export filters, which write every record type the
// drawing needs (paths, Béziers, pattern brushes, text with its fonts).
#include <string>

#include "pictures/scene.hpp"

namespace plx::pictures {

// `extension` is "emf" or "wmf". Returns an empty text on success, else
// what went wrong (LibreOffice missing, or the conversion failed).
std::wstring WriteMetafile(const Scene& scene, const std::wstring& extension, const std::string& file);

}  // namespace plx::pictures
