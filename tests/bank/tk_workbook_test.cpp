// Reading the bank's workbook from bytes made here: a compound file with
// one workbook stream of records, as a spreadsheet program writes it.
// Crafted sheets keep only the cells they hold or are refused with the
// sheet named; empty text cells read as empty text; damaged containers
// give a reason instead of a loop or a read past the file.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bank/tk_workbook.hpp"
#include "common/text.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

using namespace bank;

std::string Le(uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
  return s;
}

std::string Rec(uint16_t type, const std::string& data) { return Le(type, 2) + Le(data.size(), 2) + data; }
std::string Bof(uint16_t kind) { return Rec(0x0809, Le(0x0600, 2) + Le(kind, 2) + std::string(12, '\0')); }
const std::string kEof = Rec(0x000A, "");
std::string Cell(uint16_t row, uint16_t column) { return Le(row, 2) + Le(column, 2) + Le(15, 2); }
std::string LabelSst(uint16_t row, uint16_t column, uint32_t index) { return Rec(0x00FD, Cell(row, column) + Le(index, 4)); }
// A string of Latin letters, one byte each, after its length and flags.
std::string Narrow(const std::string& s) { return Le(s.size(), 2) + '\0' + s; }

struct Sheet {
  std::u16string name;
  std::string records;
};

// A sheet name: its length, flags for two bytes a character, the characters.
std::string SheetName(const std::u16string& name) {
  std::string s = Le(name.size(), 1) + '\1';
  for (char16_t c : name) s += Le(c, 2);
  return s;
}

// The workbook stream: globals with the shared texts, then each sheet.
std::string Stream(const std::string& sharedTexts, const std::vector<Sheet>& sheets) {
  auto globals = [&](const std::vector<uint32_t>& at) {
    std::string g = Bof(0x0005) + sharedTexts;
    for (size_t i = 0; i < sheets.size(); ++i)
      g += Rec(0x0085, Le(at[i], 4) + std::string(2, '\0') + SheetName(sheets[i].name));
    return g + kEof;
  };
  std::vector<uint32_t> at(sheets.size());
  size_t next = globals(at).size();
  for (size_t i = 0; i < sheets.size(); ++i) {
    at[i] = static_cast<uint32_t>(next);
    next += (Bof(0x0010) + sheets[i].records + kEof).size();
  }
  std::string s = globals(at);
  for (const auto& sheet : sheets) s += Bof(0x0010) + sheet.records + kEof;
  return s;
}

std::string Sst(const std::vector<std::string>& texts) {
  std::string data = Le(texts.size(), 4) + Le(texts.size(), 4);
  for (const auto& t : texts) data += Narrow(t);
  return Rec(0x00FC, data);
}

// A compound file of 512-byte sectors: allocation table, directory, then
// the stream (padded past the mini stream's size). `brokenLink` points
// the stream's third sector back at its first.
std::string Compound(std::string stream, bool brokenLink = false) {
  constexpr uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF;
  if (stream.size() < 4096) stream.resize(4096, '\0');
  const uint32_t streamSectors = static_cast<uint32_t>((stream.size() + 511) / 512);
  uint32_t fatSectors = 1;
  while (fatSectors * 128 < fatSectors + 1 + streamSectors) ++fatSectors;
  const uint32_t dir = fatSectors, first = fatSectors + 1;
  std::string file = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(16, '\0') + Le(0x3E, 2) + Le(3, 2) +
                     Le(0xFFFE, 2) + Le(9, 2) + Le(6, 2) + std::string(10, '\0') + Le(fatSectors, 4) + Le(dir, 4) +
                     Le(0, 4) + Le(4096, 4) + Le(kEnd, 4) + Le(0, 4) + Le(kEnd, 4) + Le(0, 4);
  for (uint32_t i = 0; i < 109; ++i) file += Le(i < fatSectors ? i : kFree, 4);
  std::vector<uint32_t> fat(fatSectors * 128, kFree);
  for (uint32_t i = 0; i < fatSectors; ++i) fat[i] = 0xFFFFFFFD;
  fat[dir] = kEnd;
  for (uint32_t i = 0; i < streamSectors; ++i) fat[first + i] = i + 1 < streamSectors ? first + i + 1 : kEnd;
  if (brokenLink) fat[first + 2] = first;
  for (uint32_t v : fat) file += Le(v, 4);
  auto entry = [](const std::string& name, uint8_t type, uint32_t child, uint32_t start, uint32_t size) {
    std::string e;
    for (char c : name) e += Le(static_cast<unsigned char>(c), 2);
    e.resize(64, '\0');
    return e + Le((name.size() + 1) * 2, 2) + static_cast<char>(type) + '\1' + Le(kFree, 4) + Le(kFree, 4) +
           Le(child, 4) + std::string(36, '\0') + Le(start, 4) + Le(size, 4) + Le(0, 4);
  };
  file += entry("Root Entry", 5, 1, kEnd, 0) + entry("Workbook", 2, kFree, first, stream.size());
  file += std::string(256, '\0');
  return file + stream + std::string(streamSectors * 512 - stream.size(), '\0');
}

std::optional<Workbook> Read(const std::string& file, std::wstring& why) { return ReadWorkbookBytes(file, why); }

TEST(Workbook, ASheetClaimingTheWholeGridKeepsOnlyTheCellsItHolds) {
  // Each sheet declares 65536 rows of 256 columns and holds one cell, IV65536.
  const std::string dimensions = Rec(0x0200, Le(0, 4) + Le(65536, 4) + Le(0, 2) + Le(256, 2) + Le(0, 2));
  std::vector<Sheet> sheets;
  for (int i = 0; i < 8; ++i) sheets.push_back({u"S" + std::u16string(1, static_cast<char16_t>(u'0' + i)), dimensions + LabelSst(65535, 255, 0)});
  std::wstring why;
  auto book = Read(Compound(Stream(Sst({"end"}), sheets)), why);
  ASSERT_TRUE(book) << WideToUtf8(why);
  ASSERT_EQ(book->sheets.size(), 8u);
  for (const auto& sheet : book->sheets) {
    ASSERT_EQ(sheet.rows.size(), 65536u);
    size_t places = 0;
    for (const auto& row : sheet.rows) places += row.size();
    EXPECT_EQ(places, 256u) << "only the last row holds cells, up to IV";
    EXPECT_EQ(sheet.rows.back().back(), L"end");
  }

  // Text in column IV of every row would keep 16 million cell places; one
  // long text in 2,100 cells, 16.8 million characters.
  std::string wide;
  for (uint16_t r = 0; r < 65535; ++r) wide += LabelSst(r, 255, 0);
  book = Read(Compound(Stream(Sst({"x"}), {{u"tkPoint", ""}, {u"宽表", wide}})), why);
  EXPECT_FALSE(book);
  EXPECT_TRUE(Contains(why, L"工作表 宽表 的内容超出题库配置工作簿所能有的大小")) << WideToUtf8(why);
  std::string repeated;
  for (uint16_t r = 0; r < 2100; ++r) repeated += LabelSst(r, 0, 0);
  book = Read(Compound(Stream(Rec(0x00FC, Le(1, 4) + Le(1, 4) + Narrow(std::string(8000, 'a'))), {{u"长文", repeated}})),
              why);
  EXPECT_FALSE(book);
  EXPECT_TRUE(Contains(why, L"工作表 长文 的内容超出")) << WideToUtf8(why);
}

TEST(Workbook, EmptyTextCellsReadAsEmptyTextAndCellsThatCannotBeReadAreNamed) {
  // A text continued in the next record starts there with its own flags:
  // "ab" one byte a character, then 你好 two.
  const std::string continued = Rec(0x00FC, Le(3, 4) + Le(3, 4) + Narrow("id") + Le(0, 2) + '\0' + Le(4, 2) + '\0' + "ab") +
                                Rec(0x003C, std::string("\1") + Le(0x4F60, 2) + Le(0x597D, 2));
  const std::string numbers = Rec(0x027E, Cell(1, 0) + Le(3 << 2 | 2, 4)) +
                              Rec(0x0203, Cell(1, 1) + std::string("\0\0\0\0\0\0\x04\x40", 8)) +
                              Rec(0x0006, Cell(1, 2) + std::string("\1\0\0\0\0\0\xFF\xFF", 8) + std::string(6, '\0'));
  std::wstring why;
  auto book = Read(Compound(Stream(continued, {{u"tkType", LabelSst(0, 0, 0) + LabelSst(0, 1, 1) + LabelSst(0, 2, 2) +
                                                              numbers}})),
                   why);
  ASSERT_TRUE(book) << WideToUtf8(why);
  const auto& rows = book->sheets.at(0).rows;
  EXPECT_EQ(rows.at(0), (std::vector<std::wstring>{L"id", L"", L"ab你好"}));
  EXPECT_EQ(rows.at(1), (std::vector<std::wstring>{L"3", L"2.5", L"FALSE"}));

  // LibreOffice Calc saves a text cell whose text was deleted as an empty
  // shared text, as between "id" and "x" here.
  book = ReadWorkbook(Utf8ToWide(build_paths::SourceDir() + "/tests/fuzz/workbook_seeds/empty_text_cell.xls"), why);
  ASSERT_TRUE(book) << WideToUtf8(why);
  EXPECT_EQ(book->sheets.at(0).rows, (std::vector<std::vector<std::wstring>>{{L"id", L"", L"x"}}));

  book = Read(Compound(Stream(Sst({"id"}), {{u"tkType", LabelSst(0, 0, 0) + LabelSst(1, 1, 7)}})), why);
  EXPECT_FALSE(book);
  EXPECT_EQ(why, L"工作表 tkType 的单元格 B2 引用的共享文本不存在（文件已损坏）");
}

TEST(Workbook, DamagedContainersAndStreamsAreRefusedWithAReason) {
  std::string cells;
  for (uint16_t r = 0; r < 1000; ++r) cells += LabelSst(r, 0, 0);  // a stream of several sectors
  const std::string stream = Stream(Sst({"x"}), {{u"S", cells}});
  std::wstring why;
  EXPECT_FALSE(Read(Compound(stream, true), why));
  EXPECT_TRUE(why.starts_with(L"文件已损坏（")) << WideToUtf8(why);

  // Cut in half: the container's reader finds no whole workbook stream.
  std::string file = Compound(stream);
  file.resize(file.size() / 2);
  why.clear();
  EXPECT_FALSE(Read(file, why));
  EXPECT_FALSE(why.empty());

  // A sheet said to start inside the workbook's own records, and a sheet
  // that never ends.
  std::string overlapping = Stream(Sst({"x"}), {{u"S", ""}});
  overlapping.replace(overlapping.find(std::string("\x85\0", 2)) + 4, 4, Le(0, 4));
  EXPECT_FALSE(Read(Compound(overlapping), why));
  EXPECT_EQ(why, L"文件已损坏（工作表 S 与其他内容重叠）");
  std::string unended = Stream(Sst({"x"}), {{u"S", ""}});
  unended.resize(unended.size() - kEof.size());
  EXPECT_FALSE(Read(Compound(unended), why));
  EXPECT_EQ(why, L"文件已损坏（工作表 S 不完整）");
}

}  // namespace
}  // namespace plx
