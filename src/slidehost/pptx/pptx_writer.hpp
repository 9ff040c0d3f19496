#pragma once
// Saving a presentation as a .pptx package: one master and one blank
// layout on a plain theme, and a slide part per slide with its text boxes,
// pictures and embedded documents, its background picture, its transition
// and its entrance animations.
#include <string>

#include "slidehost/model/slide_data.hpp"

namespace plx::slides::pptx {

// Raises (error 75, the path in the text) when the file cannot be written;
// an existing file is replaced only by a complete package.
void SavePptx(const model::PresentationData& presentation, const std::wstring& path);

}  // namespace plx::slides::pptx
