// Scenes written in every format: what lands in the files, and refusals
// that leave nothing half-written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "pictures/picture_file.hpp"
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

}  // namespace
}  // namespace plx::pictures
