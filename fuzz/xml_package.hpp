#pragma once
// The frame the structure-aware targets fuzz inside: a valid package whose
// relationships, content types and settings stay fixed while the fuzzer
// writes one or two of its XML parts, so that every input reaches the XML
// reader instead of stopping at the zip layer.
#include <cstdint>
#include <string>

#include "docif/ooxml/zip_package.hpp"

namespace plx::fuzz {

// The package with these parts (an empty string leaves the part out).
docif::ooxml::Parts FramePackage(const std::string& document, const std::string& styles, const std::string& numbering);

// Reads the package, dumps and writes the document, and reads what was
// written again: a refusal is a clear answer for the input, but a document
// that was read must be written as one that reads back. Traps otherwise.
void ReadWriteReread(docif::ooxml::Parts parts);

}  // namespace plx::fuzz
