#pragma once
// Zip packages (.docx). Reading lists the entries at once and inflates a
// part only when it is asked for, so a document never holds the parts it
// does not use; a package whose parts together would inflate past a limit
// is refused before anything is inflated. Writing goes to a temporary
// file beside the target that is renamed over it only when complete, so a
// failed save never damages the existing file; the parts carried across
// from the package a document was read from are copied still compressed.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "docif/model/doc_data.hpp"

struct zip;

namespace plx::docif::ooxml {

using Parts = std::map<std::string, std::string>;

// What the parts of one package may inflate to altogether.
constexpr uint64_t kMaxInflatedSize = 256ull << 20;

class ZipPackage : public model::PackageSource {
 public:
  // Error 5792 (with the reason) when the bytes are no zip package or its
  // parts would inflate past `limit` altogether; `name` names the file in
  // messages.
  ZipPackage(std::string bytes, const std::string& name, uint64_t limit = kMaxInflatedSize);
  ~ZipPackage() override;
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  std::vector<std::string> Names() const override;
  std::optional<std::string> Read(const std::string& name) const override;
  // Adds the part to a package being written, without inflating it; this
  // package must stay open until the target is closed.
  bool CopyInto(struct zip* target, const std::string& name) const;

 private:
  std::string bytes_, name_;
  struct zip* zip_ = nullptr;
  struct Entry {
    uint64_t index, size;
  };
  std::map<std::string, Entry> entries_;
};

// A package held as parts in memory (as tests and fuzz targets make them).
class PartsPackage : public model::PackageSource {
 public:
  explicit PartsPackage(Parts parts) : parts_(std::move(parts)) {}
  std::vector<std::string> Names() const override;
  std::optional<std::string> Read(const std::string& name) const override;

 private:
  Parts parts_;
};

// The package in a file: error 5792 when it cannot be read or is refused.
std::shared_ptr<ZipPackage> OpenPackage(const std::string& path);
// Every part of the package in a file, inflated.
Parts ReadPackage(const std::string& path);
// Writes the parts, and those of `carried` that `parts` does not replace.
void WritePackage(const std::string& path, const Parts& parts, const model::PackageSource* carried = nullptr);

}  // namespace plx::docif::ooxml
