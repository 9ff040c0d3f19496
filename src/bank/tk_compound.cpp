#include "bank/tk_compound.hpp"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <cstring>

namespace plx::bank {
namespace {

bool SameName(std::string_view a, const char* b) {
  if (!b || a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

uint16_t Le16(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | static_cast<uint32_t>(Le16(b, at + 2)) << 16; }

std::wstring DamagedFile(const std::wstring& what) { return L"文件已损坏（" + what + L"）"; }

CompoundFile::~CompoundFile() {
  if (file_) g_object_unref(file_);
  if (input_) g_object_unref(input_);
}

bool CompoundFile::Open(std::string_view bytes, std::wstring& why) {
  static const bool initialised = (gsf_init(), true);
  (void)initialised;
  input_ = gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()), static_cast<gsf_off_t>(bytes.size()),
                                FALSE);
  GError* error = nullptr;
  file_ = input_ ? gsf_infile_msole_new(input_, &error) : nullptr;
  if (error) g_error_free(error);
  if (!file_) {
    why = L"不是 Excel 97-2003 格式（.xls）的工作簿";
    return false;
  }
  return true;
}

int CompoundFile::Find(std::string_view name) const {
  const int children = gsf_infile_num_children(file_);
  for (int i = 0; i < children; ++i)
    if (SameName(name, gsf_infile_name_by_index(file_, i))) return i;
  return -1;
}

bool CompoundFile::Has(std::string_view name) const { return file_ && Find(name) >= 0; }

std::optional<std::string> CompoundFile::Stream(std::string_view name, std::wstring& why) const {
  const int index = file_ ? Find(name) : -1;
  GsfInput* stream = index >= 0 ? gsf_infile_child_by_index(file_, index) : nullptr;
  if (!stream) {
    why = DamagedFile(L"工作簿数据流无法读取");
    return std::nullopt;
  }
  const gsf_off_t size = gsf_input_size(stream);
  const guint8* data = size > 0 ? gsf_input_read(stream, static_cast<size_t>(size), nullptr) : nullptr;
  std::optional<std::string> out;
  if (size == 0) out.emplace();
  else if (data) out.emplace(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
  else why = DamagedFile(L"工作簿数据流不完整");
  g_object_unref(stream);
  return out;
}

}  // namespace plx::bank
