// EMF and WMF written record by record: the frame is the whole scene, the
// records draw what the scene holds (Béziers, hatchings, dashes, turned
// text in its fonts and code pages), and no office is started.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "common/text.hpp"
#include "pictures/picture_file.hpp"
#include "support/test_addin.hpp"

namespace plx::pictures {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

template <typename T>
T At(const std::string& bytes, size_t offset) {
  T value{};
  if (offset + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

// A 200 × 100 point figure: a dashed curve ending in an arrowhead, a
// hatched triangle, a label turned a quarter clockwise and "x²" upright.
Scene Figure() {
  Scene s;
  s.width = 200;
  s.height = 100;
  Path curve;
  curve.MoveTo(10, 90);
  curve.CurveTo({60, 0}, {120, 0}, {190, 90});
  curve.stroke.dash = 4;
  curve.stroke.end.style = 2;
  s.Add(curve);
  Path triangle;
  triangle.MoveTo(20, 20);
  triangle.LineTo(60, 20);
  triangle.LineTo(40, 50);
  triangle.Close();
  triangle.fill = {.visible = true, .fore = kBlack, .back = kWhite, .pattern = 21, .transparency = 0};
  s.Add(triangle);
  Text label;
  label.left = 150;
  label.baseline = 30;
  label.text = L"频率";
  s.Add(label, 90, 160, 25);
  Text square;
  square.left = 100;
  square.baseline = 60;
  square.text = L"x²";
  s.Add(square);
  return s;
}

// An EMF's records: type to the records of that type.
std::multimap<uint32_t, std::string> EmfRecords(const std::string& file) {
  std::multimap<uint32_t, std::string> records;
  for (size_t at = 0; at + 8 <= file.size();) {
    const auto type = At<uint32_t>(file, at), size = At<uint32_t>(file, at + 4);
    if (size < 8 || at + size > file.size()) break;
    records.emplace(type, file.substr(at, size));
    at += size;
  }
  return records;
}

// A placeable WMF's records after its two headers: function to records.
std::multimap<uint16_t, std::string> WmfRecords(const std::string& file) {
  std::multimap<uint16_t, std::string> records;
  for (size_t at = 22 + 18; at + 6 <= file.size();) {
    const size_t size = At<uint32_t>(file, at) * 2;
    if (size < 6 || at + size > file.size()) break;
    records.emplace(At<uint16_t>(file, at + 4), file.substr(at, size));
    at += size;
  }
  return records;
}

bool Holds(const std::string& record, const std::string& bytes) { return record.find(bytes) != std::string::npos; }

std::string Utf16Bytes(const std::u16string& s) { return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2); }

TEST(Metafiles, EmfFramesTheWholeSceneAndKeepsCurvesTextAndHatchings) {
  test::TempDir dir;
  const fs::path path = dir.Path() / "figure.emf";
  ASSERT_EQ(WritePicture(Figure(), PictureFormat::Emf, 72, path.string()), L"");
  const std::string file = Slurp(path);
  ASSERT_EQ(file.substr(40, 4), " EMF");
  // Bounds in twentieths of a point, the frame in hundredths of a millimetre.
  EXPECT_EQ(At<int32_t>(file, 16), 4000);
  EXPECT_EQ(At<int32_t>(file, 20), 2000);
  EXPECT_EQ(At<int32_t>(file, 32), 7056);
  EXPECT_EQ(At<int32_t>(file, 36), 3528);
  const auto records = EmfRecords(file);
  EXPECT_EQ(At<uint32_t>(file, 48), file.size()) << "the header counts the bytes";
  EXPECT_EQ(At<uint32_t>(file, 52), records.size()) << "and the records";
  EXPECT_EQ(records.count(5), 1u) << "the curve as a Bézier";
  bool dashed = false;
  for (auto [r, end] = records.equal_range(95); r != end; ++r) dashed |= (At<uint32_t>(r->second, 28) & 0xF) == 1;
  EXPECT_TRUE(dashed) << "a dashed pen";
  bool hatched = false;
  for (auto [r, end] = records.equal_range(39); r != end; ++r) hatched |= At<uint32_t>(r->second, 12) == 2;
  EXPECT_TRUE(hatched) << "a hatched brush";
  std::string texts, fonts;
  for (auto [r, end] = records.equal_range(84); r != end; ++r) texts += r->second;
  for (auto [r, end] = records.equal_range(82); r != end; ++r) fonts += r->second;
  EXPECT_TRUE(Holds(texts, Utf16Bytes(u"频率")));
  EXPECT_TRUE(Holds(texts, Utf16Bytes(u"x²")));
  EXPECT_TRUE(Holds(fonts, Utf16Bytes(u"宋体")));
  EXPECT_TRUE(Holds(fonts, Utf16Bytes(u"Times New Roman")));
  bool turned = false;
  for (auto [r, end] = records.equal_range(82); r != end; ++r) turned |= At<int32_t>(r->second, 20) == 2700;
  EXPECT_TRUE(turned) << "a quarter turn clockwise is an escapement of 270°";
  EXPECT_EQ(At<uint32_t>(file, file.size() - 20), 14u) << "the file ends with EOF";
}

TEST(Metafiles, WmfIsPlaceableWithTextInItsCodePages) {
  test::TempDir dir;
  const fs::path path = dir.Path() / "figure.wmf";
  ASSERT_EQ(WritePicture(Figure(), PictureFormat::Wmf, 72, path.string()), L"");
  const std::string file = Slurp(path);
  ASSERT_EQ(At<uint32_t>(file, 0), 0x9AC6CDD7u);
  const double unitsPerInch = At<uint16_t>(file, 14);
  EXPECT_NEAR(At<int16_t>(file, 10) / unitsPerInch * 72, 200, 0.1) << "the frame is the scene";
  EXPECT_NEAR(At<int16_t>(file, 12) / unitsPerInch * 72, 100, 0.1);
  const auto records = WmfRecords(file);
  EXPECT_EQ(records.count(0x0538), 3u) << "the background, the triangle and the arrowhead filled";
  EXPECT_GE(records.count(0x0325), 1u) << "the flattened curve";
  std::string texts;
  for (auto [r, end] = records.equal_range(0x0A32); r != end; ++r) texts += r->second;
  EXPECT_TRUE(Holds(texts, "\xC6\xB5\xC2\xCA")) << "频率 in GBK";
  EXPECT_TRUE(Holds(texts, "x")) << "x before ², which GBK lacks";
  EXPECT_TRUE(Holds(texts, "\xB2")) << "² in Windows-1252";
  std::string charsets;
  for (auto [r, end] = records.equal_range(0x02FB); r != end; ++r) charsets += r->second.substr(6 + 13, 1);
  EXPECT_NE(charsets.find('\x86'), std::string::npos) << "the Chinese character set";
  EXPECT_NE(charsets.find('\0'), std::string::npos) << "the ANSI one";
  EXPECT_EQ(At<uint16_t>(file, file.size() - 2), 0) << "the file ends with EOF";
}

// Metafiles are written without LibreOffice: an office on the path that
// leaves a mark when started is never started.
TEST(Metafiles, AreWrittenWithoutStartingAnOffice) {
  test::TempDir dir;
  const fs::path bin = dir.Path() / "bin", mark = dir.Path() / "started";
  fs::create_directories(bin);
  std::ofstream(bin / "soffice") << "#!/bin/sh\ntouch '" << mark.string() << "'\nexit 1\n";
  fs::permissions(bin / "soffice", fs::perms::owner_all);
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
  const std::wstring emf = WritePicture(Figure(), PictureFormat::Emf, 72, (dir.Path() / "a.emf").string());
  const std::wstring wmf = WritePicture(Figure(), PictureFormat::Wmf, 72, (dir.Path() / "a.wmf").string());
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(emf, L"");
  EXPECT_EQ(wmf, L"");
  EXPECT_FALSE(fs::exists(mark));
}

TEST(Metafiles, AFolderThatCannotBeWrittenIsNamed) {
  for (PictureFormat format : {PictureFormat::Emf, PictureFormat::Wmf}) {
    const std::wstring error = WritePicture(Figure(), format, 72, "/nonexistent-folder/figure.emf");
    EXPECT_NE(error.find(L"无法写入"), std::wstring::npos);
  }
}

}  // namespace
}  // namespace plx::pictures
