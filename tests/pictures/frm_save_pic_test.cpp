// The picture-saving dialog pressed from the ribbon: the selection or the
// page written in the chosen format, and a bad file name answered with a
// box while the dialog keeps what was typed.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <fstream>
#include <iterator>

#include "addin/form.hpp"
#include "connect/connect.hpp"
#include "connect/form_registry.hpp"
#include "pictures/frm_save_pic.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::pictures {
namespace {

namespace fs = std::filesystem;

class SavePicture : public test::ConnectedAddinTest {
 protected:
  void SetUp() override {
    ConnectedAddinTest::SetUp();
    doc->Content()->SetText(L"第一题\r");
    doc->GetShapes()->AddShape(docif::kAutoShapeOval, 100, 100, 80, 40)->Select(true);
  }
  std::shared_ptr<Form> Open() {
    connect->rxButtonClick({L"rxBtnqt_savepic", L""});
    for (const auto& f : ctx->OpenForms)
      if (f->Name() == L"frmSavePic") return f;
    return CreateForm(*ctx, L"frmSavePic");
  }
  std::string Head(const fs::path& p, size_t n) {
    std::string s(n, '\0');
    std::ifstream(p, std::ios::binary).read(s.data(), static_cast<std::streamsize>(n));
    return s;
  }
  test::TempDir dir;
};

TEST_F(SavePicture, SavesTheSelectedShapesInTheChosenFormat) {
  auto form = Open();
  EXPECT_EQ(form->ValueText(L"optScope"), L"0") << "shapes are selected";
  form->SetValue(L"optFormat", L"1");  // JPEG
  form->SetValue(L"txtFile", dir.WPath() + L"/椭圆");
  form->Click(L"cmdOk");
  EXPECT_EQ(Head(dir.Path() / "椭圆.jpg", 3), "\xFF\xD8\xFF") << "the format's extension is added";
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(SavePicture, SavesThePageAsPdf) {
  auto form = Open();
  form->SetValue(L"optScope", L"1");
  form->SetValue(L"optFormat", L"6");
  form->SetValue(L"txtFile", dir.WPath() + L"/page");
  form->Click(L"cmdOk");
  EXPECT_EQ(Head(dir.Path() / "page.pdf", 4), "%PDF");
}

TEST_F(SavePicture, AFileThatCannotBeWrittenIsSaidAndTheDialogStays) {
  auto form = Open();
  ui.Queue(Answer::OK);
  form->SetValue(L"txtFile", L"/nonexistent/folder/a.png");
  form->Click(L"cmdOk");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"无法写入"), std::wstring::npos);
  EXPECT_EQ(form->ValueText(L"txtFile"), L"/nonexistent/folder/a.png");
  ui.Queue(Answer::OK);
  form->SetValue(L"cmbDpi", L"5000");
  form->SetValue(L"txtFile", dir.WPath() + L"/a.png");
  form->Click(L"cmdOk");
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_NE(ui.Boxes()[1].text.find(L"分辨率"), std::wstring::npos);
  EXPECT_FALSE(fs::exists(dir.Path() / "a.png"));
}

TEST_F(SavePicture, TheSaveChooserGivesTheFileAndItsFormat) {
  auto form = Open();
  form->SetValue(L"optFormat", L"5");  // SVG
  form->SetValue(L"txtFile", L"");
  ui.QueueText(L"");  // cancelled: nothing saved, the dialog stays
  form->Click(L"cmdOk");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].kind, BoxKind::SaveFile);
  EXPECT_NE(ui.Boxes()[0].text.find(L"文件类型：SVG 图片 (*.svg)；PNG 图片 (*.png)"), std::wstring::npos)
      << "the chosen format is offered first";
  EXPECT_TRUE(fs::is_empty(dir.Path()));

  form->SetValue(L"txtFile", L"旧名");
  ui.QueueText(dir.WPath() + L"/图.bmp");
  form->Click(L"cmdBrowse");
  EXPECT_EQ(form->ValueText(L"txtFile"), dir.WPath() + L"/图.bmp");
  EXPECT_EQ(form->ValueText(L"optFormat"), L"2") << "the chosen file's type picks the format";
  EXPECT_TRUE(ui.Boxes()[1].text.ends_with(L"文件名：旧名")) << "the chooser starts with the typed name";
  form->Click(L"cmdOk");
  EXPECT_EQ(Head(dir.Path() / "图.bmp", 2), "BM");
  EXPECT_EQ(ui.Boxes().size(), 2u);
}

// 当前页 is the page the selected figure stands on, not page 1.
TEST_F(SavePicture, TheCurrentPageIsTheSelectedShapesPage) {
  doc->Content()->SetText(L"第一页\f\r第二页\r");
  doc->GetRange(6, 6)->Select();
  auto figure = doc->GetShapes()->AddShape(docif::kAutoShapeRectangle, 100, 100, 200, 200);
  figure->SetFill({.Visible = true, .ForeColor = 0});
  ASSERT_EQ(figure->Anchor()->Information(docif::kActiveEndPageNumber), 2);
  doc->GetRange(1, 1)->Select();  // the text cursor was left on page 1
  figure->Select(true);
  auto form = Open();
  form->SetValue(L"optScope", L"1");
  form->SetValue(L"optFormat", L"2");  // BMP: 3 bytes a pixel from the bottom row up, at 96 dpi
  form->SetValue(L"cmbDpi", L"72");
  form->SetValue(L"txtFile", dir.WPath() + L"/page");
  form->Click(L"cmdOk");
  std::ifstream bmp(dir.Path() / "page.bmp", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(bmp)), {});
  ASSERT_GT(bytes.size(), 54u);
  int32_t width = 0, height = 0;
  std::memcpy(&width, bytes.data() + 18, 4);
  std::memcpy(&height, bytes.data() + 22, 4);
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  // The pixel at (200, 200) points from the top lies inside the figure.
  const size_t at = 54 + stride * static_cast<size_t>(height - 1 - 200) + 200 * 3;
  ASSERT_LT(at, bytes.size());
  EXPECT_LT(static_cast<unsigned char>(bytes[at]), 64) << "the figure's page was saved";
}

TEST(PictureFileName, AddsTheExtensionOnlyWhenThereIsNone) {
  EXPECT_EQ(PictureFileName(L" /tmp/图 ", L"png"), L"/tmp/图.png");
  EXPECT_EQ(PictureFileName(L"/tmp/a.BMP", L"png"), L"/tmp/a.BMP");
  EXPECT_EQ(PictureFileName(L"/tmp/v1.2/a", L"emf"), L"/tmp/v1.2/a.emf");
}

}  // namespace
}  // namespace plx::pictures
