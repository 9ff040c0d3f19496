// Pictures of a document drawn at their place and size: PNG and JPEG
// decoded, crops applied, and data that is no picture the renderer can
// read drawn as a grey frame.
#include <gtest/gtest.h>

#include <fstream>

#include "common/text.hpp"
#include "docif/model/picture_info.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"

namespace plx::pictures {
namespace {

// A picture file: its left half red, its right half blue.
std::wstring HalvesPicture(const test::TempDir& dir, PictureFormat format, const std::string& name) {
  Scene s;
  s.width = 40;
  s.height = 20;
  for (int half = 0; half < 2; ++half) {
    Path p;
    p.Rectangle(20 * half, 0, 20, 20);
    p.stroke.visible = false;
    p.fill.visible = true;
    p.fill.fore = half == 0 ? 0x0000FF : 0xFF0000;
    s.Add(p);
  }
  const std::string file = (dir.Path() / name).string();
  EXPECT_EQ(WritePicture(s, format, 72, file), L"");
  return Utf8ToWide(file);
}

// The colour at a point of the raster (72 dpi: one pixel a point).
uint32_t At(const Raster& r, int x, int y) {
  const uint8_t* p = &r.rgb[(static_cast<size_t>(y) * r.width + x) * 3];
  return p[0] | p[1] << 8 | p[2] << 16;
}

bool Reddish(uint32_t c) { return (c & 0xFF) > 180 && ((c >> 16) & 0xFF) < 90; }
bool Bluish(uint32_t c) { return ((c >> 16) & 0xFF) > 180 && (c & 0xFF) < 90; }

TEST(PagePictures, InlinePicturesAreDrawnAtTheirPlaceAndSize) {
  test::TempDir dir;
  test::ModelDoc m;
  m.SetText(L"甲乙\r\r");
  for (auto [format, name] : {std::pair{PictureFormat::Png, "p.png"}, std::pair{PictureFormat::Jpeg, "p.jpg"}}) {
    auto pic = m.doc->GetInlineShapes()->AddPicture(HalvesPicture(dir, format, name), *m.doc->GetRange(1, 1));
    pic->SetWidth(80);
    pic->SetHeight(40);
    auto at = pic->GetRange();
    const int left = static_cast<int>(at->Information(docif::kHorizontalPositionRelativeToPage));
    const int top = static_cast<int>(at->Information(docif::kVerticalPositionRelativeToPage));
    const Raster r = Rasterize(PageScene(*m.doc, 1), 72);
    EXPECT_TRUE(Reddish(At(r, left + 20, top + 20))) << name << ": the left half, stretched to the box";
    EXPECT_TRUE(Bluish(At(r, left + 60, top + 20))) << name;
    EXPECT_EQ(At(r, left + 60, top + 45), 0xFFFFFFu) << name << ": nothing below the box";
    pic->Delete();
  }
  // A selection holding only a picture cuts the picture out.
  auto pic = m.doc->GetInlineShapes()->AddPicture(HalvesPicture(dir, PictureFormat::Png, "p.png"), *m.doc->GetRange(3, 3));
  pic->GetRange()->Select();
  const Scene selected = SelectionScene(*m.doc, *m.app->GetSelection());
  EXPECT_NEAR(selected.width, pic->Width() + 8, 0.01) << "the picture with a 4-point margin";
  const Raster r = Rasterize(selected, 72);
  EXPECT_TRUE(Reddish(At(r, 8, r.height / 2)));
}

TEST(PagePictures, CropsCutTheImageAndUnknownDataShowsAFrame) {
  const docif::PictureData cropped =
      docif::model::PictureDataOf("x", L"image/png", "<pic:blipFill><a:blip/><a:srcRect l=\"50000\" r=\"12500\"/>");
  EXPECT_DOUBLE_EQ(cropped.cropLeft, 0.5);
  EXPECT_DOUBLE_EQ(cropped.cropRight, 0.125);
  EXPECT_DOUBLE_EQ(cropped.cropTop, 0);

  test::TempDir dir;
  std::ifstream in(WideToUtf8(HalvesPicture(dir, PictureFormat::Png, "p.png")), std::ios::binary);
  const auto bytes = std::make_shared<const std::string>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  Scene s;
  s.width = s.height = 100;
  Image half{.left = 10, .top = 10, .width = 80, .height = 40, .bytes = bytes, .contentType = L"image/png",
             .cropLeft = 0.5};
  s.Add(half);
  Image broken{.left = 10, .top = 60, .width = 80, .height = 30,
               .bytes = std::make_shared<const std::string>("\x89PNG garbage"), .contentType = L"image/png"};
  s.Add(broken);
  const Raster r = Rasterize(s, 72);
  EXPECT_TRUE(Bluish(At(r, 15, 30))) << "only the right half is left, filling the box";
  EXPECT_TRUE(Bluish(At(r, 85, 30)));
  const uint32_t frame = At(r, 50, 75);
  EXPECT_NE(frame, 0xFFFFFFu) << "a broken picture still shows where it stands";
  EXPECT_EQ(frame & 0xFF, (frame >> 16) & 0xFF) << "in grey";
}

}  // namespace
}  // namespace plx::pictures
