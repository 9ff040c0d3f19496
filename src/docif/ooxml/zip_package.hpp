#pragma once
// A zip package (a .docx) as a map from part name to bytes, read whole and
// written whole. Writing goes to a temporary file beside the target that
// is renamed over it only when complete, so a failed save never damages
// the existing file.
#include <map>
#include <string>

namespace plx::docif::ooxml {

using Parts = std::map<std::string, std::string>;

// Error 5792 (with the library's reason) when the file is no zip package
// or cannot be read.
Parts ReadPackage(const std::string& path);
// The same from the package's bytes in memory.
Parts ParsePackage(const std::string& bytes, const std::string& name);
void WritePackage(const std::string& path, const Parts& parts);

}  // namespace plx::docif::ooxml
