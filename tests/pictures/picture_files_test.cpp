// Scenes written in every format: what lands in the files, and refusals
// that leave nothing half-written. EMF and WMF are written record by
// record: the frame is the whole scene, the records draw what the scene
// holds (Béziers, hatchings, dashes, turned text in its fonts and code
// pages), and no office is started.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "pictures/picture_file.hpp"
#include "support/marking_office.hpp"
#include "support/test_addin.hpp"

namespace plx::pictures {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A 100 × 50 point scene: a thick red line across the top, a blue filled
// square at the bottom left.
Scene Sample() {
  Scene s;
  s.width = 100;
  s.height = 50;
  Path line;
  line.MoveTo(10, 10);
  line.LineTo(90, 10);
  line.stroke.color = 0x0000FF;
  line.stroke.width = 4;
  s.Add(line);
  Path square;
  square.Rectangle(10, 25, 20, 20);
  square.stroke.visible = false;
  square.fill.visible = true;
  square.fill.fore = 0xFF0000;
  s.Add(square);
  return s;
}

const uint8_t* Pixel(const Raster& r, int x, int y) { return &r.rgb[(static_cast<size_t>(y) * r.width + x) * 3]; }

TEST(PictureFiles, RasterHasTheSceneAtTheResolution) {
  const Raster r = Rasterize(Sample(), 144);
  ASSERT_EQ(r.width, 200);
  ASSERT_EQ(r.height, 100);
  EXPECT_EQ(Pixel(r, 100, 20)[0], 255) << "red line at (50, 10) points";
  EXPECT_EQ(Pixel(r, 100, 20)[2], 0);
  EXPECT_EQ(Pixel(r, 40, 70)[2], 255) << "blue square";
  EXPECT_EQ(Pixel(r, 40, 70)[0], 0);
  EXPECT_EQ(Pixel(r, 150, 70)[0], 255) << "white elsewhere";
  EXPECT_EQ(Pixel(r, 150, 70)[1], 255);
}

TEST(PictureFiles, EachFormatWritesItsOwnKindOfFile) {
  test::TempDir dir;
  struct Case { const char* name; std::string magic; };
  for (const Case& c : {Case{"a.png", "\x89PNG"}, Case{"a.jpg", "\xFF\xD8\xFF"}, Case{"a.bmp", "BM"},
                        Case{"a.pdf", "%PDF"}, Case{"a.svg", "<?xml"}}) {
    const fs::path file = dir.Path() / c.name;
    auto format = FormatOfFile(file.wstring());
    ASSERT_TRUE(format) << c.name;
    EXPECT_EQ(WritePicture(Sample(), *format, 96, file.string()), L"") << c.name;
    EXPECT_EQ(Slurp(file).substr(0, c.magic.size()), c.magic) << c.name;
  }
  // BMP: 24-bit rows padded to four bytes, bottom up, blue first.
  const std::string bmp = Slurp(dir.Path() / "a.bmp");
  const int width = 134, height = 67, stride = (width * 3 + 3) / 4 * 4;
  ASSERT_EQ(bmp.size(), static_cast<size_t>(54 + stride * height));
  EXPECT_EQ(static_cast<unsigned char>(bmp[18]) | static_cast<unsigned char>(bmp[19]) << 8, width);
  const size_t squarePixel = 54 + static_cast<size_t>(height - 1 - 47) * stride + 26 * 3;  // (20, 35) points
  EXPECT_EQ(static_cast<unsigned char>(bmp[squarePixel]), 255) << "blue byte first";
  EXPECT_EQ(static_cast<unsigned char>(bmp[squarePixel + 2]), 0);
}

TEST(PictureFiles, FormatsAreKnownByNameAndExtension) {
  EXPECT_EQ(FormatNamed(L"JPEG"), PictureFormat::Jpeg);
  EXPECT_EQ(FormatNamed(L"jpg"), PictureFormat::Jpeg);
  EXPECT_EQ(FormatOfFile(L"/tmp/图.EMF"), PictureFormat::Emf);
  EXPECT_FALSE(FormatOfFile(L"/tmp/a.b/picture"));
  EXPECT_FALSE(FormatNamed(L"gif"));
}

TEST(PictureFiles, RefusalsSayWhyAndWriteNothing) {
  test::TempDir dir;
  const fs::path file = dir.Path() / "big.png";
  EXPECT_NE(WritePicture(Sample(), PictureFormat::Png, 5000, file.string()).find(L"分辨率"), std::wstring::npos);
  Scene huge = Sample();
  huge.width = 20000;
  EXPECT_NE(WritePicture(huge, PictureFormat::Png, 600, file.string()).find(L"太大"), std::wstring::npos);
  // Within the side limit, but 390 million pixels altogether.
  huge.width = huge.height = 9500;
  for (PictureFormat format : {PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Bmp})
    EXPECT_NE(WritePicture(huge, format, 150, file.string()).find(L"太大"), std::wstring::npos);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_NE(WritePicture(Sample(), PictureFormat::Svg, 96, "/nonexistent/a.svg").find(L"无法写入"), std::wstring::npos);
}

TEST(PictureFiles, PatternFillsMixTheirColoursAndHatchingsShowLines) {
  Scene s;
  s.width = s.height = 60;
  Path box;
  box.Rectangle(0, 0, 60, 60);
  box.stroke.visible = false;
  box.fill = {true, 0x000000, 0xFFFFFF, 21, 0};  // light downward diagonal
  s.Add(box);
  const Raster r = Rasterize(s, 72);
  int dark = 0, light = 0;
  for (size_t i = 0; i < r.rgb.size(); i += 3) (r.rgb[i] < 128 ? dark : light)++;
  EXPECT_GT(dark, 300) << "hatching lines";
  EXPECT_GT(light, dark) << "a light hatching leaves most of the box white";
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

// Metafiles are written without LibreOffice.
TEST(Metafiles, AreWrittenWithoutStartingAnOffice) {
  test::TempDir dir;
  const test::MarkingOffice office;
  EXPECT_EQ(WritePicture(Figure(), PictureFormat::Emf, 72, (dir.Path() / "a.emf").string()), L"");
  EXPECT_EQ(WritePicture(Figure(), PictureFormat::Wmf, 72, (dir.Path() / "a.wmf").string()), L"");
  EXPECT_FALSE(office.Started());
}

TEST(Metafiles, AFolderThatCannotBeWrittenIsNamed) {
  for (PictureFormat format : {PictureFormat::Emf, PictureFormat::Wmf}) {
    const std::wstring error = WritePicture(Figure(), format, 72, "/nonexistent-folder/figure.emf");
    EXPECT_NE(error.find(L"无法写入"), std::wstring::npos);
  }
}

}  // namespace
}  // namespace plx::pictures
