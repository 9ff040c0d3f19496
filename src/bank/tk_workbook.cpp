#include "bank/tk_workbook.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "bank/tk_compound.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::bank {
namespace {

// What a configuration workbook can need, with a wide margin: the shipped
// one is 38 kB with a few hundred rows of four columns.
constexpr uintmax_t kLargestFile = 32u << 20;
constexpr size_t kMostCells = 1'000'000;  // cell places kept, empty ones before text included
constexpr size_t kMostText = 16'000'000;  // characters kept in cells
constexpr size_t kMostSharedStrings = 1u << 20;
constexpr size_t kMostSheets = 1024;

// Record types of the workbook stream.
enum : uint16_t {
  kFormula = 0x0006,
  kEof = 0x000A,
  kFilePass = 0x002F,
  kContinue = 0x003C,
  kBoundSheet = 0x0085,
  kMulRk = 0x00BD,
  kRString = 0x00D6,
  kSst = 0x00FC,
  kLabelSst = 0x00FD,
  kNumber = 0x0203,
  kLabel = 0x0204,
  kBoolErr = 0x0205,
  kString = 0x0207,
  kRk = 0x027E,
  kBof = 0x0809,
};

struct Record {
  uint16_t type = 0;
  std::string_view data;
  size_t next = 0;  // where the following record starts
};

// The record at `at`, or nothing when the stream ends inside it.
std::optional<Record> RecordAt(std::string_view stream, size_t at) {
  if (stream.size() < 4 || at > stream.size() - 4) return std::nullopt;
  const size_t length = Le16(stream, at + 2);
  if (length > stream.size() - at - 4) return std::nullopt;
  return Record{Le16(stream, at), stream.substr(at + 4, length), at + 4 + length};
}

// The bytes of a record from some offset on, and of the CONTINUE records
// after it, read as one run. A string whose characters go on in the next
// record starts there again with a flags byte.
class Pieces {
 public:
  Pieces(std::string_view stream, Record& record, size_t from) {
    parts_.push_back(record.data.substr(std::min(from, record.data.size())));
    for (auto next = RecordAt(stream, record.next); next && next->type == kContinue;
         next = RecordAt(stream, record.next)) {
      parts_.push_back(next->data);
      record.next = next->next;
    }
  }

  bool AtEnd() {
    Settle();
    return part_ == parts_.size();
  }

  bool Byte(uint8_t& v) {
    if (AtEnd()) return false;
    v = static_cast<uint8_t>(parts_[part_][at_++]);
    return true;
  }

  bool U16(uint16_t& v) {
    uint8_t lo = 0, hi = 0;
    if (!Byte(lo) || !Byte(hi)) return false;
    v = static_cast<uint16_t>(lo | hi << 8);
    return true;
  }

  bool U32(uint32_t& v) {
    uint16_t lo = 0, hi = 0;
    if (!U16(lo) || !U16(hi)) return false;
    v = lo | static_cast<uint32_t>(hi) << 16;
    return true;
  }

  bool Skip(uint64_t n) {
    while (n > 0) {
      if (AtEnd()) return false;
      const size_t k = static_cast<size_t>(std::min<uint64_t>(n, parts_[part_].size() - at_));
      at_ += k;
      n -= k;
    }
    return true;
  }

  // A string as the workbook stores it: its length (one byte for sheet
  // names, else two), flags (bit 0: two bytes a character, bit 2: phonetic
  // data, bit 3: formatting runs), the run count and phonetic size when
  // flagged, the characters, then the runs and phonetic data, skipped.
  bool String(std::wstring& out, bool byteLength) {
    uint16_t length = 0;
    uint8_t flags = 0, shortLength = 0;
    if (byteLength ? !Byte(shortLength) : !U16(length)) return false;
    if (byteLength) length = shortLength;
    uint16_t runs = 0;
    uint32_t phonetic = 0;
    if (!Byte(flags) || ((flags & 0x08) && !U16(runs)) || ((flags & 0x04) && !U32(phonetic))) return false;
    std::u16string units;
    units.reserve(length);
    bool wide = flags & 0x01;
    for (uint16_t i = 0; i < length; ++i) {
      if (AtBreak()) {
        ++part_;
        at_ = 0;
        if (!Byte(flags)) return false;
        wide = flags & 0x01;
      }
      uint16_t unit = 0;
      uint8_t narrow = 0;
      if (wide ? !U16(unit) : !Byte(narrow)) return false;
      units.push_back(static_cast<char16_t>(wide ? unit : narrow));
    }
    out = FromUtf16(units);
    return Skip(uint64_t{4} * runs + phonetic);
  }

 private:
  // Past the ends of pieces read whole.
  void Settle() {
    while (part_ < parts_.size() && at_ == parts_[part_].size()) {
      ++part_;
      at_ = 0;
    }
  }
  bool AtBreak() const { return part_ + 1 < parts_.size() && at_ == parts_[part_].size(); }

  static std::wstring FromUtf16(const std::u16string& units) {
    std::wstring out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
      const char32_t u = units[i];
      if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
        out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (units[++i] - 0xDC00)));
      } else {
        out.push_back(u >= 0xD800 && u < 0xE000 ? L'\uFFFD' : static_cast<wchar_t>(u));
      }
    }
    return out;
  }

  std::vector<std::string_view> parts_;
  size_t part_ = 0, at_ = 0;
};

std::wstring NumberText(double d) {
  if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
    return std::to_wstring(static_cast<long long>(d));
  return DecimalText(d);
}

double DoubleAt(std::string_view b, size_t at) {
  const uint64_t bits = Le32(b, at) | static_cast<uint64_t>(Le32(b, at + 4)) << 32;
  double d = 0;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// A number in the short form of RK and MULRK records: a whole number or the
// high half of a double, divided by 100 when bit 0 is set.
std::wstring RkText(uint32_t rk) {
  double d = 0;
  if (rk & 0x02) {
    d = static_cast<int32_t>(rk) >> 2;
  } else {
    const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&d, &bits, sizeof d);
  }
  return NumberText(rk & 0x01 ? d / 100 : d);
}

std::wstring ErrorText(uint8_t code) {
  switch (code) {
    case 0x00: return L"#NULL!";
    case 0x07: return L"#DIV/0!";
    case 0x0F: return L"#VALUE!";
    case 0x17: return L"#REF!";
    case 0x1D: return L"#NAME?";
    case 0x24: return L"#NUM!";
    default: return L"#N/A";
  }
}

std::wstring BoolErrText(uint8_t value, bool isError) {
  if (isError) return ErrorText(value);
  return value ? L"TRUE" : L"FALSE";
}

// "B5" for row 4, column 1 (both from 0).
std::wstring CellName(uint32_t row, uint32_t column) {
  std::wstring letters;
  for (uint32_t c = column + 1; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (c - 1) % 26));
  return letters + std::to_wstring(row + 1);
}

struct SheetEntry {
  uint32_t at = 0;  // the offset of the sheet's BOF record in the stream
  std::wstring name;
};

class WorkbookReader {
 public:
  explicit WorkbookReader(std::string_view stream) : stream_(stream) {}

  std::optional<Workbook> Read(std::wstring& why) {
    std::vector<SheetEntry> entries;
    size_t end = 0;
    if (!ReadGlobals(entries, end, why)) return std::nullopt;
    // Sheets are read in stream order, each after the last one's end, so
    // the stream is read once however the sheets point into it.
    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return entries[a].at < entries[b].at; });
    Workbook book;
    book.sheets.resize(entries.size());
    for (size_t i : order) {
      book.sheets[i].name = entries[i].name;
      if (entries[i].at < end) {
        why = DamagedFile(L"工作表 " + entries[i].name + L" 与其他内容重叠");
        return std::nullopt;
      }
      if (!ReadSheet(entries[i].at, book.sheets[i], end, why)) return std::nullopt;
    }
    return book;
  }

 private:
  bool ReadGlobals(std::vector<SheetEntry>& entries, size_t& end, std::wstring& why) {
    auto bof = RecordAt(stream_, 0);
    if (!bof || bof->type != kBof || bof->data.size() < 4 || Le16(bof->data, 2) != 0x0005) {
      why = DamagedFile(L"工作簿开头无效");
      return false;
    }
    if (Le16(bof->data, 0) != 0x0600) {
      why = L"这是 Excel 95 或更早格式的工作簿，请在电子表格程序中另存为 Excel 97-2003 格式（.xls）";
      return false;
    }
    for (size_t at = bof->next;;) {
      auto r = RecordAt(stream_, at);
      if (!r) {
        why = DamagedFile(L"工作簿不完整");
        return false;
      }
      switch (r->type) {
        case kFilePass: why = L"工作簿设置了密码保护"; return false;
        case kBoundSheet: {
          // Worksheets only (type 0); charts and macro sheets hold no cells.
          if (r->data.size() < 8 || r->data[5] != 0) break;
          SheetEntry entry{Le32(r->data, 0), L""};
          Pieces name(stream_, *r, 6);
          if (!name.String(entry.name, true)) {
            why = DamagedFile(L"工作表名称不完整");
            return false;
          }
          if (entries.size() == kMostSheets) {
            why = L"工作簿中的工作表超过 " + std::to_wstring(kMostSheets) + L" 张，不是题库配置工作簿";
            return false;
          }
          entries.push_back(std::move(entry));
          break;
        }
        case kSst:
          if (!ReadSharedStrings(*r, why)) return false;
          break;
        case kEof: end = r->next; return true;
        default: break;
      }
      at = r->next;
    }
  }

  bool ReadSharedStrings(Record& sst, std::wstring& why) {
    Pieces in(stream_, sst, 0);
    uint32_t total = 0, unique = 0;
    if (!in.U32(total) || !in.U32(unique)) {
      why = DamagedFile(L"共享文本表不完整");
      return false;
    }
    if (unique > kMostSharedStrings) {
      why = L"工作簿的共享文本超过 " + std::to_wstring(kMostSharedStrings) + L" 条，不是题库配置工作簿";
      return false;
    }
    // Some programs count more strings than they write; a cell naming one
    // that is missing is reported with the cell.
    for (uint32_t i = 0; i < unique && !in.AtEnd(); ++i) {
      std::wstring s;
      if (!in.String(s, false)) {
        why = DamagedFile(L"共享文本表第 " + std::to_wstring(i + 1) + L" 条不完整");
        return false;
      }
      shared_.push_back(std::move(s));
    }
    return true;
  }

  bool ReadSheet(size_t at, Worksheet& sheet, size_t& end, std::wstring& why) {
    auto r = RecordAt(stream_, at);
    if (!r || r->type != kBof) {
      why = DamagedFile(L"找不到工作表 " + sheet.name + L" 的内容");
      return false;
    }
    sheet_ = &sheet;
    pendingString_.reset();
    // Charts drawn on the sheet are streams of their own inside it.
    for (int depth = 1; depth > 0;) {
      const size_t from = r->next;
      r = RecordAt(stream_, from);
      if (!r) {
        why = DamagedFile(L"工作表 " + sheet.name + L" 不完整");
        return false;
      }
      if (r->type == kBof) ++depth;
      else if (r->type == kEof) --depth;
      else if (depth == 1 && !Cell(*r, why)) return false;
    }
    end = r->next;
    return true;
  }

  bool Cell(Record& r, std::wstring& why) {
    const std::string_view d = r.data;
    if (r.type == kMulRk) {
      if (d.size() < 6) return true;
      const uint16_t row = Le16(d, 0), first = Le16(d, 2);
      for (size_t i = 0; 4 + 6 * i + 6 <= d.size() - 2; ++i)
        if (!Put(row, first + static_cast<uint32_t>(i), RkText(Le32(d, 4 + 6 * i + 2)), why)) return false;
      return true;
    }
    if (r.type == kString) {
      if (!pendingString_) return true;
      const auto [row, column] = *pendingString_;
      pendingString_.reset();
      return Text(r, 0, row, column, why);
    }
    if (d.size() < 6) return true;
    const uint16_t row = Le16(d, 0), column = Le16(d, 2);
    switch (r.type) {
      case kLabelSst: {
        if (d.size() < 10) return true;
        const uint32_t index = Le32(d, 6);
        if (index >= shared_.size()) {
          why = L"工作表 " + sheet_->name + L" 的单元格 " + CellName(row, column) + L" 引用的共享文本不存在（文件已损坏）";
          return false;
        }
        return Put(row, column, shared_[index], why);
      }
      case kLabel:
      case kRString: return Text(r, 6, row, column, why);
      case kNumber: return d.size() < 14 || Put(row, column, NumberText(DoubleAt(d, 6)), why);
      case kRk: return d.size() < 10 || Put(row, column, RkText(Le32(d, 6)), why);
      case kBoolErr: return d.size() < 8 || Put(row, column, BoolErrText(static_cast<uint8_t>(d[6]), d[7] != 0), why);
      case kFormula: {
        // The value last calculated: a number, or a kind marked by 0xFFFF
        // in its last two bytes (text in the STRING record that follows,
        // a truth value, an error, empty text).
        if (d.size() < 14) return true;
        if (Le16(d, 12) != 0xFFFF) return Put(row, column, NumberText(DoubleAt(d, 6)), why);
        switch (d[6]) {
          case 0: pendingString_ = {row, column}; return true;
          case 1: return Put(row, column, BoolErrText(static_cast<uint8_t>(d[8]), false), why);
          case 2: return Put(row, column, BoolErrText(static_cast<uint8_t>(d[8]), true), why);
          default: return true;
        }
      }
      default: return true;
    }
  }

  bool Text(Record& r, size_t from, uint32_t row, uint32_t column, std::wstring& why) {
    Pieces in(stream_, r, from);
    std::wstring text;
    if (!in.String(text, false)) {
      why = L"工作表 " + sheet_->name + L" 的单元格 " + CellName(row, column) + L" 的文本不完整（文件已损坏）";
      return false;
    }
    return Put(row, column, text, why);
  }

  // Keeps a cell's text. Empty text keeps nothing: rows and cells end with
  // the last that hold text.
  bool Put(uint32_t row, uint32_t column, const std::wstring& text, std::wstring& why) {
    if (text.empty()) return true;
    auto& rows = sheet_->rows;
    size_t more = 0;
    if (row >= rows.size()) more += row + 1 - rows.size();
    const size_t width = row < rows.size() ? rows[row].size() : 0;
    if (column >= width) more += column + 1 - width;
    cells_ += more;
    text_ += text.size();
    if (cells_ > kMostCells || text_ > kMostText) {
      why = L"工作表 " + sheet_->name + L" 的内容超出题库配置工作簿所能有的大小（单元格 " + CellName(row, column) +
            L"）：请删去多余的行、列和文字后再保存";
      return false;
    }
    if (row >= rows.size()) rows.resize(row + 1);
    if (column >= rows[row].size()) rows[row].resize(column + 1);
    rows[row][column] = text;
    return true;
  }

  std::string_view stream_;
  std::vector<std::wstring> shared_;
  Worksheet* sheet_ = nullptr;
  std::optional<std::pair<uint32_t, uint32_t>> pendingString_;  // a formula's cell whose text follows
  size_t cells_ = 0, text_ = 0;
};

}  // namespace

const Worksheet* Workbook::Find(const std::wstring& name) const {
  for (const auto& s : sheets)
    if (LCase(s.name) == LCase(name)) return &s;
  return nullptr;
}

std::optional<Workbook> ReadWorkbookBytes(std::string_view bytes, std::wstring& why) {
  if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] == 'K') {
    why = L"这是 .xlsx 或 .ods 等新格式的文件，请在电子表格程序中另存为 Excel 97-2003 格式（.xls）";
    return std::nullopt;
  }
  CompoundFile file;
  if (!file.Open(bytes, why)) return std::nullopt;
  if (!file.Has("Workbook")) {
    why = file.Has("Book") ? L"这是 Excel 95 或更早格式的工作簿，请在电子表格程序中另存为 Excel 97-2003 格式（.xls）"
                           : L"文件中没有工作簿";
    return std::nullopt;
  }
  auto stream = file.Stream("Workbook", why);
  if (!stream) return std::nullopt;
  return WorkbookReader(*stream).Read(why);
}

std::optional<Workbook> ReadWorkbook(const std::wstring& path, std::wstring& why) {
  const std::filesystem::path file(WideToUtf8(path));
  std::error_code ec;
  const uintmax_t size = std::filesystem::file_size(file, ec);
  std::ifstream in(file, std::ios::binary);
  if (ec || !in) {
    why = L"文件不存在或无法打开";
    return std::nullopt;
  }
  if (size > kLargestFile) {
    why = L"文件超过 " + std::to_wstring(kLargestFile >> 20) + L" MB，不是题库配置工作簿";
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
    why = L"文件无法读取";
    return std::nullopt;
  }
  return ReadWorkbookBytes(bytes, why);
}

}  // namespace plx::bank
