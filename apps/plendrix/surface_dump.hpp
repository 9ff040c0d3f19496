#pragma once
// A document as any host shows it through the document-host surface:
// paragraphs with their positions, text, style, paragraph format, list
// number, tab stops and runs of one font, the tables' cell texts, the fields'
// codes and results, the inline shapes and the floating shapes with their
// names, kinds and boxes.
// The same document gives the same dump on every host, so the model and
// LibreOffice are compared through it.
#include <string>

#include "docif/document.hpp"

namespace plx::cli {

// UTF-8 JSON text, indented by `indent` spaces (-1 for one line).
std::string SurfaceDumpJson(docif::Document& doc, int indent = 2);

}  // namespace plx::cli
