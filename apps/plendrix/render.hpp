#pragma once
// Page 1 of a saved .docx as a PNG, through LibreOffice and pdftoppm when
// they are installed.
#include <string>

namespace plx::cli {

// Returns an empty string on success, else what went wrong.
std::string RenderFirstPage(const std::string& docx, const std::string& png);

}  // namespace plx::cli
