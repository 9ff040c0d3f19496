#pragma once
// Reading a .docx into a model document. What the model understands
// becomes text, formats, fields, equations, tables, lists, pictures,
// bookmarks and floating shapes (floating_read); what it does not (headers,
// footers, theme, drawings it has no shape for, unknown elements and
// properties) is kept as it was so that saving writes it back.
#include <map>
#include <memory>
#include <string>

#include "docif/model/doc_data.hpp"

namespace plx::docif::ooxml {

// Error 5792 with a plain reason when the file is missing, no zip package,
// too large once inflated, nested too deep or no word-processing document.
std::shared_ptr<model::DocData> ReadDocx(const std::wstring& path,
                                         std::shared_ptr<model::AppShared> app);

// The same from a package already opened (name is the file's name for
// messages). The document keeps the package to carry its other parts
// across when saved.
std::shared_ptr<model::DocData> ReadDocxPackage(std::shared_ptr<const model::PackageSource> package,
                                                const std::wstring& name,
                                                std::shared_ptr<model::AppShared> app);

// Model style names of the host's built-in styles, from the names a file uses.
std::wstring ModelStyleName(const std::wstring& fileName);

}  // namespace plx::docif::ooxml
