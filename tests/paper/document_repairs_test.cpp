// Embedding fonts and removing watermarks, kept through saving.
#include "paper/document_repairs.hpp"

#include <fstream>

#include "docif/shapes.hpp"
#include "paper_fixture.hpp"

namespace plx {
namespace {

using namespace docif;

class Repairs : public test::PaperTest {
 protected:
  std::wstring Png() {
    std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x50\0\0\0\x28", 24) + std::string(20, '\0');
    std::ofstream(dir.Path() / "p.png", std::ios::binary) << png;
    return dir.WPath() + L"/p.png";
  }
};

TEST_F(Repairs, EmbeddingFontsIsSavedAsTheDocumentsOwnSettings) {
  Setting(L"wordconfig", L"blEmbedAllFonts", L"False");
  ui.Queue(Answer::OK);
  Press(L"rxBtnonekey_fangluanma");
  EXPECT_EQ(ui.Boxes().back().text, L"防乱码模式开启成功！");
  EXPECT_TRUE(doc->EmbedTrueTypeFonts());
  EXPECT_TRUE(doc->SaveSubsetFonts());
  EXPECT_TRUE(doc->DoNotEmbedSystemFonts());
  EXPECT_FALSE(doc->Saved()) << "the next save writes the fonts";
  auto again = Reopened();
  EXPECT_TRUE(again->EmbedTrueTypeFonts());
  EXPECT_TRUE(again->SaveSubsetFonts());
  EXPECT_TRUE(again->DoNotEmbedSystemFonts());

  Setting(L"wordconfig", L"blEmbedAllFonts", L"True");
  ui.Queue(Answer::OK);
  Press(L"rxBtnonekey_fangluanma");
  EXPECT_FALSE(again->DoNotEmbedSystemFonts()) << "all fonts, the common ones too";
}

TEST_F(Repairs, PicturesAreTreatedOnceAndTheirAdjustmentsAreSaved) {
  Setting(L"shuiyinconfig", L"blQuShuiYin1", L"False");
  SetText(L"图：");
  auto inlinePic = doc->GetInlineShapes()->AddPicture(Png(), *doc->GetRange(2, 2));
  auto floating = doc->GetShapes()->AddPicture(Png(), 100, 100, 40, 20);
  const std::wstring name = floating->Name();
  Press(L"rxBtnonekey_qushuiyin");
  Press(L"rxBtnonekey_qushuiyin");
  const PictureEffectList expected{{kPictureSharpen, 25}, {kPictureBrightness, 20}, {kPictureContrast, 40}};
  EXPECT_EQ(inlinePic->PictureEffects(), expected) << "treated once, not twice";
  EXPECT_EQ(inlinePic->AlternativeText(), L"pdQSY");
  EXPECT_EQ(floating->PictureEffects(), expected);
  EXPECT_EQ(floating->Name(), L"pdQSY" + name);
  EXPECT_EQ(doc->GetInlineShapes()->Count(), 1) << "an inline picture stays in its line";

  auto again = Reopened();
  EXPECT_EQ(again->GetInlineShapes()->Item(1)->PictureEffects(), expected);
  EXPECT_EQ(again->GetShapes()->Item(1)->PictureEffects(), expected);
  EXPECT_EQ(again->GetShapes()->Item(1)->Name(), L"pdQSY" + name);
}

TEST_F(Repairs, WatermarkTextsSourceNotesAndInvisibleTextGo) {
  SetText(L"1．题[来源:某某网]目水印A\r2．【来源：学科网】题www.x.com\r3．白字");
  Setting(L"shuiyinconfig", L"txtShuiYin", L"水印A||www.x.com");
  Setting(L"shuiyinconfig", L"blQuShuiYin2", L"True");
  Setting(L"shuiyinconfig", L"blQuShuiYin3", L"True");
  Setting(L"shuiyinconfig", L"blQuShuiYin4", L"True");
  doc->GetRange(doc->Content()->End() - 3, doc->Content()->End() - 1)->SetFont({.Color = 0xFFFFFF});
  auto mark = doc->GetShapes()->AddTextbox(1, 100, 300, 300, 60);
  mark->TextRange()->SetText(L"某某网");
  mark->SetWrap({.Type = 5});
  auto note = doc->GetShapes()->AddTextbox(1, 100, 400, 100, 60);
  note->TextRange()->SetText(L"教师批注");
  Press(L"rxBtnonekey_qushuiyin");
  EXPECT_EQ(Text(), L"1．题目\r2．题\r3．\r");
  ASSERT_EQ(doc->GetShapes()->Count(), 1) << "only the text behind the text was a watermark";
  EXPECT_EQ(doc->GetShapes()->Item(1)->TextRange()->Text(), L"教师批注");

  // A watermark list read as "Null" deletes nothing.
  SetText(L"Null 文字");
  Setting(L"shuiyinconfig", L"txtShuiYin", L"Null");
  Press(L"rxBtnonekey_qushuiyin");
  EXPECT_EQ(Text(), L"Null 文字\r");
}

TEST_F(Repairs, TheDefaultDrawingStyleHoldsForNewShapesAndIsSaved) {
  Setting(L"ShpConfig", L"ShapeLineWeight", L"2");
  Setting(L"ShpConfig", L"ShapeLineColor", L"255");
  Setting(L"ShpConfig", L"ShapeFillVisible", L"True");
  Setting(L"ShpConfig", L"ShapeFillColor", L"65535");
  Setting(L"ShpConfig", L"LineWeight", L"1.5");
  Setting(L"ShpConfig", L"LineColor", L"16711680");
  Press(L"rxBtnztqt_moren");
  EXPECT_EQ(doc->GetShapes()->Count(), 0) << "the temporary shapes are gone";
  auto check = [](const std::shared_ptr<Document>& d) {
    auto box = d->GetShapes()->AddShape(kAutoShapeOval, 10, 10, 40, 40);
    EXPECT_EQ(box->Line().Weight, 2);
    EXPECT_EQ(box->Line().ForeColor, 255u);
    EXPECT_EQ(box->Fill().Visible, true);
    EXPECT_EQ(box->Fill().ForeColor, 65535u);
    auto line = d->GetShapes()->AddLine(0, 0, 50, 0);
    EXPECT_EQ(line->Line().Weight, 1.5);
    EXPECT_EQ(line->Line().ForeColor, 0xFF0000u);
  };
  check(doc);
  check(Reopened());
}

}  // namespace
}  // namespace plx
