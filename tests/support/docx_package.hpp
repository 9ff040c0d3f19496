#pragma once
// Small .docx packages made by the tests themselves, as another word
// processor might write them.
#include <filesystem>
#include <string>

#include "docif/ooxml/zip_package.hpp"

namespace plx::test {

// The parts of a package whose document body is `body` (WordprocessingML
// with the w: and r: prefixes declared).
docif::ooxml::Parts PackageParts(const std::string& body);
// That package written as dir/made.docx; returns its path.
std::string WritePackageWithBody(const std::filesystem::path& dir, const std::string& body);
// `times` copies of `piece`.
std::string Repeat(const std::string& piece, int times);

}  // namespace plx::test
