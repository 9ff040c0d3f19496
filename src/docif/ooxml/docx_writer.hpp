#pragma once
// Saving a model document as a .docx. A document read from a file keeps
// every part it had; the main document is written anew from the model, and
// the styles, numbering, settings, relationships and content types are
// brought up to date with what the model added.
#include <string>

#include "docif/model/doc_data.hpp"
#include "docif/ooxml/zip_package.hpp"

namespace plx::docif::ooxml {

// The parts written anew or brought up to date; a document read from a
// file carries its other parts across from `origin.source` when saved.
Parts BuildDocx(const model::DocData& doc);
// Writes atomically: the existing file is replaced only by a complete one.
void SaveDocx(const model::DocData& doc, const std::wstring& path);

}  // namespace plx::docif::ooxml
