#pragma once
// The streams of a compound file, the container of an Excel 97-2003
// workbook, and the little-endian numbers its records hold.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// libgsf's input objects, known here only by pointer.
struct _GsfInput;
struct _GsfInfile;

namespace plx::bank {

// Little-endian numbers at `at` of bytes long enough to hold them, as the
// compound file and the workbook's records store them.
uint16_t Le16(std::string_view b, size_t at);
uint32_t Le32(std::string_view b, size_t at);

// "文件已损坏（what）": the reason given for a file whose structure is broken.
std::wstring DamagedFile(const std::wstring& what);

// A compound file's streams, read with libgsf's OLE2 reader, which checks
// the file's sectors, chains and sizes itself.
class CompoundFile {
 public:
  CompoundFile() = default;
  ~CompoundFile();
  CompoundFile(const CompoundFile&) = delete;
  CompoundFile& operator=(const CompoundFile&) = delete;

  // Reads the container from `bytes`, which must outlive this object.
  // False with the reason in `why`.
  bool Open(std::string_view bytes, std::wstring& why);

  // Whether a stream of this name (ASCII letter case ignored) is there.
  bool Has(std::string_view name) const;

  // The named stream's bytes, or nothing with the reason in `why`.
  std::optional<std::string> Stream(std::string_view name, std::wstring& why) const;

 private:
  // The index of the top-level stream of that name, or -1.
  int Find(std::string_view name) const;

  _GsfInput* input_ = nullptr;
  _GsfInfile* file_ = nullptr;
};

}  // namespace plx::bank
