#include "docif/ooxml/zip_package.hpp"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/error.hpp"
#include "common/text.hpp"

namespace plx::docif::ooxml {
namespace {

constexpr int kBadFile = 5792;
// zlib's fastest level: a long paper's XML deflates several times faster
// than at the default level, and the package is about a tenth larger.
constexpr zip_uint32_t kDeflateLevel = 1;

[[noreturn]] void Fail(const std::string& path, const std::wstring& why) {
  Raise(kBadFile, L"无法打开文件“" + Utf8ToWide(path) + L"”：" + why);
}

[[noreturn]] void Fail(const std::string& path, const std::string& why) { Fail(path, Utf8ToWide(why)); }

[[noreturn]] void CannotWrite(const std::string& path, const std::string& why = "") {
  Raise(kBadFile, L"无法写入文件“" + Utf8ToWide(path) + (why.empty() ? L"”。" : L"”：" + Utf8ToWide(why)));
}

template <class Map>
std::vector<std::string> NamesOf(const Map& parts) {
  std::vector<std::string> out;
  for (const auto& part : parts) out.push_back(part.first);
  return out;
}

}  // namespace

ZipPackage::ZipPackage(std::string bytes, const std::string& name, uint64_t limit)
    : bytes_(std::move(bytes)), name_(name) {
  zip_error_t e;
  zip_error_init(&e);
  zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &e);
  zip_ = source ? zip_open_from_source(source, ZIP_RDONLY, &e) : nullptr;
  if (!zip_) {
    std::string why = zip_error_strerror(&e);
    zip_error_fini(&e);
    if (source) zip_source_free(source);
    Fail(name_, why);
  }
  zip_error_fini(&e);
  // The sizes the directory declares; reading never inflates more than
  // these, so their sum bounds what the package can cost.
  uint64_t total = 0;
  zip_int64_t n = zip_get_num_entries(zip_, 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    zip_stat_t st;
    if (zip_stat_index(zip_, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
        !(st.valid & ZIP_STAT_SIZE)) {
      std::string why = zip_strerror(zip_);
      zip_discard(zip_);
      Fail(name_, why);
    }
    std::string entry = st.name;
    if (!entry.empty() && entry.back() == '/') continue;  // a folder entry
    total += st.size;
    if (st.size > limit || total > limit) {
      zip_discard(zip_);
      Fail(name_, L"各部件解压后共超过 " + std::to_wstring(limit >> 20) + L" MB，文件已损坏或不是文档");
    }
    entries_[entry] = {static_cast<uint64_t>(i), st.size};
  }
}

ZipPackage::~ZipPackage() { zip_discard(zip_); }

std::vector<std::string> ZipPackage::Names() const { return NamesOf(entries_); }

std::optional<std::string> ZipPackage::Read(const std::string& name) const {
  auto it = entries_.find(name);
  if (it == entries_.end()) return std::nullopt;
  zip_file_t* f = zip_fopen_index(zip_, it->second.index, 0);
  if (!f) Fail(name_, zip_strerror(zip_));
  std::string bytes(it->second.size, '\0');
  zip_int64_t got = bytes.empty() ? 0 : zip_fread(f, bytes.data(), bytes.size());
  zip_fclose(f);
  if (got < 0 || static_cast<uint64_t>(got) != bytes.size()) Fail(name_, L"部件已损坏：" + Utf8ToWide(name));
  return bytes;
}

bool ZipPackage::CopyInto(zip_t* target, const std::string& name) const {
  auto it = entries_.find(name);
  if (it == entries_.end()) return false;
  zip_source_t* src = zip_source_zip(target, zip_, it->second.index, ZIP_FL_COMPRESSED, 0, -1);
  if (!src) return false;
  if (zip_file_add(target, name.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
    zip_source_free(src);
    return false;
  }
  return true;
}

std::vector<std::string> PartsPackage::Names() const { return NamesOf(parts_); }

std::optional<std::string> PartsPackage::Read(const std::string& name) const {
  auto it = parts_.find(name);
  if (it == parts_.end()) return std::nullopt;
  return it->second;
}

std::shared_ptr<ZipPackage> OpenPackage(const std::string& path) {
  // A package's stored parts are never larger than they inflate to, so a
  // file past that limit (and room for its directory) is refused before a
  // byte of it is read.
  std::error_code ec;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size > kMaxInflatedSize + (16ull << 20))
    Fail(path, L"文件有 " + std::to_wstring(size >> 20) + L" MB，超过了文档能有的大小，文件已损坏或不是文档");
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path, L"无法读取");
  return std::make_shared<ZipPackage>(std::string(std::istreambuf_iterator<char>(in), {}), path);
}

Parts ReadPackage(const std::string& path) {
  auto package = OpenPackage(path);
  Parts parts;
  for (const std::string& name : package->Names()) parts[name] = *package->Read(name);
  return parts;
}

void WritePackage(const std::string& path, const Parts& parts, const model::PackageSource* carried) {
  std::string temp = path + ".plendrix-tmp";
  std::filesystem::remove(temp);
  int error = 0;
  zip_t* zip = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!zip) CannotWrite(path);
  auto fail = [&](const std::string& why = "") {
    zip_discard(zip);
    std::filesystem::remove(temp);
    CannotWrite(path, why);
  };
  auto add = [&](const std::string& name, const std::string& bytes) {
    zip_source_t* src = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
    const zip_int64_t index = src ? zip_file_add(zip, name.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
      if (src) zip_source_free(src);
      fail();
    }
    // libzip deflates at its strongest level unless told otherwise, which
    // took a third of opening and saving a long paper.
    if (zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, kDeflateLevel) != 0)
      fail(zip_strerror(zip));
  };
  // The content types part comes first, as word processors expect.
  if (auto it = parts.find("[Content_Types].xml"); it != parts.end()) add(it->first, it->second);
  for (const auto& [name, bytes] : parts)
    if (name != "[Content_Types].xml") add(name, bytes);
  // Parts carried across: copied compressed from a zip package, or (from
  // parts in memory) held here until the package is closed.
  std::vector<std::string> held;
  if (carried) {
    std::vector<std::string> names = carried->Names();
    held.reserve(names.size());
    const auto* zipped = dynamic_cast<const ZipPackage*>(carried);
    for (const std::string& name : names) {
      if (parts.count(name)) continue;
      if (zipped) {
        if (!zipped->CopyInto(zip, name)) fail(zip_strerror(zip));
      } else {
        held.push_back(carried->Read(name).value_or(""));
        add(name, held.back());
      }
    }
  }
  if (zip_close(zip) != 0) fail(zip_strerror(zip));
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp);
    CannotWrite(path, ec.message());
  }
}

}  // namespace plx::docif::ooxml
