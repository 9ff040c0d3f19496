#pragma once
// The streams of a compound file, the container of an Excel 97-2003
// workbook: sectors chained by an allocation table, and streams shorter
// than 4096 bytes in a mini stream of 64-byte sectors. Read from the
// file's bytes in memory; every sector number, chain and size is checked
// against the file, so a damaged or crafted file gives a reason instead of
// a read out of bounds, a loop or an allocation the file does not hold.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plx::bank {

// Little-endian numbers at `at` of bytes long enough to hold them, as the
// compound file and the workbook's records store them.
uint16_t Le16(std::string_view b, size_t at);
uint32_t Le32(std::string_view b, size_t at);

// "文件已损坏（what）": the reason given for a file whose structure is broken.
std::wstring DamagedFile(const std::wstring& what);

class CompoundFile {
 public:
  // Reads the header, the allocation tables and the directory of `bytes`,
  // which must outlive this object. False with the reason in `why`.
  bool Open(std::string_view bytes, std::wstring& why);

  // Whether a stream of this name (ASCII letter case ignored) is there.
  bool Has(std::string_view name) const;

  // The named stream's bytes, or nothing with the reason in `why`.
  std::optional<std::string> Stream(std::string_view name, std::wstring& why) const;

 private:
  struct Entry {
    std::string name;  // ASCII letters lowered
    uint8_t type = 0;  // 2 stream, 5 root
    uint32_t start = 0;
    uint64_t size = 0;
  };
  const Entry* Find(std::string_view name) const;
  // The sectors of the chain from `start` through `table`, until `count`
  // are gathered or, with count 0, until the chain ends; false for a
  // sector past `limit`, past the table or met twice.
  static bool Chain(const std::vector<uint32_t>& table, uint32_t start, size_t count, size_t limit,
                    std::vector<uint32_t>& out);
  std::string_view Sector(uint32_t n) const;

  std::string_view bytes_;
  size_t sectorSize_ = 512;
  size_t sectors_ = 0;  // whole or partial sectors after the header
  std::vector<uint32_t> fat_, miniFat_;
  std::vector<Entry> entries_;
};

}  // namespace plx::bank
