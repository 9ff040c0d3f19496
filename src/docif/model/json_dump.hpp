#pragma once
// The whole of a model document as JSON: paragraphs with runs and their
// formatting, fields with codes and results, equations (linear text, built
// up or not, font), tables, inline pictures, shapes with geometry, points,
// line, fill, text and group items. The command-line host prints it and
// tests compare against it.
#include <string>

#include "docif/model/doc_data.hpp"

namespace plx::docif::model {

// UTF-8 JSON text, indented by `indent` spaces (-1 for one line).
std::string DumpJson(const DocData& doc, int indent = 2);

}  // namespace plx::docif::model
