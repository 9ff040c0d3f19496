#include "bank/tk_compound.hpp"

#include <algorithm>
#include <cstring>

namespace plx::bank {
namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr size_t kMiniSectorSize = 64;
constexpr uint64_t kMiniStreamCutoff = 4096;
constexpr size_t kHeaderDifatEntries = 109;
constexpr size_t kEntrySize = 128;

bool Damaged(std::wstring& why, const wchar_t* what) {
  why = DamagedFile(what);
  return false;
}

std::string Lowered(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

uint16_t Le16(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | static_cast<uint32_t>(Le16(b, at + 2)) << 16; }

std::wstring DamagedFile(const std::wstring& what) { return L"文件已损坏（" + what + L"）"; }

std::string_view CompoundFile::Sector(uint32_t n) const {
  const size_t at = (static_cast<size_t>(n) + 1) * sectorSize_;
  return bytes_.substr(at, sectorSize_);
}

bool CompoundFile::Chain(const std::vector<uint32_t>& table, uint32_t start, size_t count, size_t limit,
                         std::vector<uint32_t>& out) {
  std::vector<bool> met(std::min(table.size(), limit));
  for (uint32_t n = start; count == 0 ? n != kEndOfChain : out.size() < count; n = table[n]) {
    if (n >= met.size() || met[n]) return false;
    met[n] = true;
    out.push_back(n);
  }
  return true;
}

bool CompoundFile::Open(std::string_view bytes, std::wstring& why) {
  static const unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  bytes_ = bytes;
  if (bytes.size() < 512 || std::memcmp(bytes.data(), kSignature, 8) != 0) {
    why = L"不是 Excel 97-2003 格式（.xls）的工作簿";
    return false;
  }
  const uint16_t shift = Le16(bytes, 0x1E);
  if ((shift != 9 && shift != 12) || Le16(bytes, 0x20) != 6) return Damaged(why, L"扇区大小无效");
  sectorSize_ = size_t{1} << shift;
  if (bytes.size() < sectorSize_) return Damaged(why, L"文件头不完整");
  sectors_ = (bytes.size() - sectorSize_ + sectorSize_ - 1) / sectorSize_;

  // The allocation table's own sectors: 109 named in the header, the rest
  // in a chain of sectors whose last entry names the next one.
  const uint32_t fatSectors = Le32(bytes, 0x2C);
  if (fatSectors > sectors_) return Damaged(why, L"分配表无效");
  std::vector<uint32_t> fatAt;
  for (size_t i = 0; i < std::min<size_t>(fatSectors, kHeaderDifatEntries); ++i) fatAt.push_back(Le32(bytes, 0x4C + 4 * i));
  const size_t perDifat = sectorSize_ / 4 - 1;
  std::vector<bool> metDifat(sectors_);
  for (uint32_t n = Le32(bytes, 0x44); fatAt.size() < fatSectors; n = Le32(Sector(n), perDifat * 4)) {
    if (n >= sectors_ || metDifat[n] || Sector(n).size() < sectorSize_) return Damaged(why, L"分配表无效");
    metDifat[n] = true;
    for (size_t i = 0; i < perDifat && fatAt.size() < fatSectors; ++i) fatAt.push_back(Le32(Sector(n), 4 * i));
  }
  for (uint32_t n : fatAt) {
    if (n >= sectors_ || Sector(n).size() < sectorSize_) return Damaged(why, L"分配表无效");
    for (size_t i = 0; i < sectorSize_; i += 4) fat_.push_back(Le32(Sector(n), i));
  }

  std::vector<uint32_t> chain;
  if (!Chain(fat_, Le32(bytes, 0x30), 0, sectors_, chain)) return Damaged(why, L"目录无效");
  for (uint32_t n : chain) {
    const std::string_view sector = Sector(n);
    for (size_t at = 0; at + kEntrySize <= sector.size(); at += kEntrySize) {
      const std::string_view e = sector.substr(at, kEntrySize);
      Entry entry;
      const size_t nameBytes = std::min<size_t>(Le16(e, 0x40), 64);
      for (size_t i = 0; i + 3 < nameBytes; i += 2) {
        const uint16_t c = Le16(e, i);
        entry.name += c < 0x80 ? static_cast<char>(c) : '?';
      }
      entry.name = Lowered(entry.name);
      entry.type = static_cast<uint8_t>(e[0x42]);
      entry.start = Le32(e, 0x74);
      // Version 3 files may leave the size's high half undefined.
      entry.size = Le32(e, 0x78) | (sectorSize_ == 512 ? 0 : static_cast<uint64_t>(Le32(e, 0x7C)) << 32);
      entries_.push_back(std::move(entry));
    }
  }

  chain.clear();
  const uint32_t miniFatSectors = Le32(bytes, 0x40);
  if (miniFatSectors > 0) {
    if (!Chain(fat_, Le32(bytes, 0x3C), miniFatSectors, sectors_, chain)) return Damaged(why, L"小扇区分配表无效");
    for (uint32_t n : chain) {
      const std::string_view sector = Sector(n);
      for (size_t i = 0; i + 4 <= sector.size(); i += 4) miniFat_.push_back(Le32(sector, i));
    }
  }
  return true;
}

const CompoundFile::Entry* CompoundFile::Find(std::string_view name) const {
  const std::string wanted = Lowered(name);
  for (const auto& e : entries_)
    if (e.type == 2 && e.name == wanted) return &e;
  return nullptr;
}

bool CompoundFile::Has(std::string_view name) const { return Find(name) != nullptr; }

std::optional<std::string> CompoundFile::Stream(std::string_view name, std::wstring& why) const {
  const Entry* entry = Find(name);
  if (!entry) {
    Damaged(why, L"缺少数据流");
    return std::nullopt;
  }
  // Sectors of a size this file cannot hold are not looked for.
  if (entry->size > bytes_.size()) {
    Damaged(why, L"数据流超出文件");
    return std::nullopt;
  }
  const size_t size = static_cast<size_t>(entry->size);
  std::vector<uint32_t> chain;
  std::string out;
  if (entry->size >= kMiniStreamCutoff) {
    if (!Chain(fat_, entry->start, (size + sectorSize_ - 1) / sectorSize_, sectors_, chain)) {
      Damaged(why, L"数据流的扇区链无效");
      return std::nullopt;
    }
    out.reserve(size);
    for (uint32_t n : chain) out.append(Sector(n));
  } else {
    const Entry* root = nullptr;
    for (const auto& e : entries_)
      if (e.type == 5) root = &e;
    if (!root || root->size > bytes_.size()) {
      Damaged(why, L"小数据流无效");
      return std::nullopt;
    }
    std::vector<uint32_t> rootChain;
    const size_t rootSize = static_cast<size_t>(root->size);
    if (!Chain(fat_, root->start, (rootSize + sectorSize_ - 1) / sectorSize_, sectors_, rootChain) ||
        !Chain(miniFat_, entry->start, (size + kMiniSectorSize - 1) / kMiniSectorSize,
               (rootSize + kMiniSectorSize - 1) / kMiniSectorSize, chain)) {
      Damaged(why, L"小数据流的扇区链无效");
      return std::nullopt;
    }
    for (uint32_t m : chain) {
      // Mini sector m lies in regular sector m / (sector size / 64) of the root's chain.
      const size_t perSector = sectorSize_ / kMiniSectorSize;
      out.append(Sector(rootChain[m / perSector]).substr(m % perSector * kMiniSectorSize, kMiniSectorSize));
    }
  }
  if (out.size() < size) {
    Damaged(why, L"数据流不完整");
    return std::nullopt;
  }
  out.resize(size);
  return out;
}

}  // namespace plx::bank
