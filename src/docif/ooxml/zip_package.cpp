#include "docif/ooxml/zip_package.hpp"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "common/error.hpp"
#include "common/text.hpp"

namespace plx::docif::ooxml {
namespace {

constexpr int kBadFile = 5792;
constexpr zip_uint64_t kMaxPartSize = 512ull << 20;  // refuse absurd sizes from damaged files

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  Raise(kBadFile, L"无法打开文件“" + Utf8ToWide(path) + L"”：" + Utf8ToWide(why));
}

}  // namespace

Parts ReadPackage(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(path, "无法读取");
  return ParsePackage(std::string(std::istreambuf_iterator<char>(in), {}), path);
}

Parts ParsePackage(const std::string& bytes, const std::string& path) {
  zip_error_t e;
  zip_error_init(&e);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &e);
  zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &e) : nullptr;
  if (!zip) {
    std::string why = zip_error_strerror(&e);
    zip_error_fini(&e);
    if (source) zip_source_free(source);
    Fail(path, why);
  }
  zip_error_fini(&e);
  std::unique_ptr<zip_t, decltype(&zip_discard)> guard(zip, zip_discard);
  Parts parts;
  zip_int64_t n = zip_get_num_entries(zip, 0);
  for (zip_int64_t i = 0; i < n; ++i) {
    zip_stat_t st;
    if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st) != 0) Fail(path, zip_strerror(zip));
    std::string name = st.name;
    if (!name.empty() && name.back() == '/') continue;  // a folder entry
    if (st.size > kMaxPartSize) Fail(path, "部件过大：" + name);
    zip_file_t* f = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
    if (!f) Fail(path, zip_strerror(zip));
    std::string bytes(st.size, '\0');
    zip_int64_t got = st.size ? zip_fread(f, bytes.data(), st.size) : 0;
    zip_fclose(f);
    if (got < 0 || static_cast<zip_uint64_t>(got) != st.size) Fail(path, "部件已损坏：" + name);
    parts[name] = std::move(bytes);
  }
  return parts;
}

void WritePackage(const std::string& path, const Parts& parts) {
  std::string temp = path + ".plendrix-tmp";
  std::filesystem::remove(temp);
  int error = 0;
  zip_t* zip = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!zip) Raise(kBadFile, L"无法写入文件“" + Utf8ToWide(path) + L"”。");
  // The content types part comes first, as word processors expect.
  std::vector<const Parts::value_type*> order;
  if (auto it = parts.find("[Content_Types].xml"); it != parts.end()) order.push_back(&*it);
  for (const auto& p : parts)
    if (p.first != "[Content_Types].xml") order.push_back(&p);
  for (const auto* p : order) {
    zip_source_t* src = zip_source_buffer(zip, p->second.data(), p->second.size(), 0);
    if (!src || zip_file_add(zip, p->first.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
      if (src) zip_source_free(src);
      zip_discard(zip);
      std::filesystem::remove(temp);
      Raise(kBadFile, L"无法写入文件“" + Utf8ToWide(path) + L"”。");
    }
  }
  if (zip_close(zip) != 0) {
    std::string why = zip_strerror(zip);
    zip_discard(zip);
    std::filesystem::remove(temp);
    Raise(kBadFile, L"无法写入文件“" + Utf8ToWide(path) + L"”：" + Utf8ToWide(why));
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp);
    Raise(kBadFile, L"无法写入文件“" + Utf8ToWide(path) + L"”：" + Utf8ToWide(ec.message()));
  }
}

}  // namespace plx::docif::ooxml
