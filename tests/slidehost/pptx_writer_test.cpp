// The model presentation program and the .pptx it saves.
#include "slidehost/pptx/pptx_writer.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <pugixml.hpp>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "slidehost/model/model_programs.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

using namespace slides;

std::string Part(const docif::ooxml::Parts& parts, const std::string& name) {
  auto it = parts.find(name);
  EXPECT_NE(it, parts.end()) << name;
  return it == parts.end() ? "" : it->second;
}

class PresentationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = programs.Start();
    pres = app->AddPresentation(true);
    slide = pres->GetSlides()->Add(1, kLayoutBlank);
  }
  docif::ooxml::Parts Saved() {
    const std::wstring path = dir.WPath() + L"/演示.pptx";
    pres->SaveAs(path);
    return docif::ooxml::ReadPackage(WideToUtf8(path));
  }
  model::ModelPrograms programs;
  std::shared_ptr<Application> app;
  std::shared_ptr<Presentation> pres;
  SlidePtr slide;
  test::TempDir dir;
};

TEST_F(PresentationTest, TextBoxesGrowWithTheirTextAndKeepItsParagraphs) {
  auto box = slide->GetShapes()->AddTextbox(kTextOrientationHorizontal, 20, 100, 360, 100);
  const double one = box->Height();
  box->SetText(L"甲 <&> 乙\r\r丙\v丁\x13\x01");
  box->SetFontName(L"楷体");
  box->SetFontSize(24);
  EXPECT_GT(box->Height(), 3 * 24) << "three paragraphs";
  EXPECT_LT(one, 40) << "an empty box is one line high";
  box->SetText(std::wstring(60, L'字'));
  EXPECT_GT(box->Height(), 4 * 24) << "60 characters wrap at 360 points";
  box->SetText(L"甲 <&> 乙\r\r丙\v丁\x13\x01");
  const auto parts = Saved();
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string(Part(parts, "ppt/slides/slide1.xml").c_str()));
  auto body = xml.select_node("//p:txBody").node();
  ASSERT_TRUE(body);
  EXPECT_EQ(std::distance(body.children("a:p").begin(), body.children("a:p").end()), 3);
  EXPECT_STREQ(body.child("a:p").child("a:r").child("a:t").text().get(), "甲 <&> 乙");
  EXPECT_STREQ(xml.select_node("//a:ea/@typeface").attribute().value(), "楷体");
  EXPECT_STREQ(xml.select_node("//a:rPr/@sz").attribute().value(), "2400");
  EXPECT_TRUE(xml.select_node("//a:br")) << "a line break inside the third paragraph";
  EXPECT_EQ(std::string(xml.select_node("(//a:p)[3]").node().child_value()).find('\x13'), std::string::npos);
}

TEST_F(PresentationTest, PastedFormsBecomePicturesAndEmbeddedDocuments) {
  Clipboard& clip = programs.GetClipboard();
  EXPECT_THROW(slide->GetShapes()->PasteSpecial(kPasteMetafilePicture, false), VbError) << "nothing copied yet";
  clip.picture = ClipPicture{"\x89PNG-picture", 100, 50};
  clip.document = ClipDocument{"PK-document", L"Word.Document.12", {"\x89PNG-preview", 80, 40}};
  auto pic = slide->GetShapes()->PasteSpecial(kPasteMetafilePicture, false);
  auto obj = slide->GetShapes()->PasteSpecial(kPasteOleObject, false);
  EXPECT_EQ(pic->Width(), 100);
  EXPECT_EQ(obj->Height(), 40);
  EXPECT_NE(pic->Id(), obj->Id());
  // Cut and paste moves a shape to another slide, with a new id there.
  auto second = pres->GetSlides()->Add(2, kLayoutBlank);
  pic->Cut();
  EXPECT_EQ(slide->GetShapes()->Count(), 1);
  auto moved = second->GetShapes()->Paste();
  EXPECT_EQ(moved->Width(), 100);
  const auto parts = Saved();
  EXPECT_EQ(Part(parts, "ppt/embeddings/Microsoft_Word_Document1.docx"), "PK-document");
  EXPECT_EQ(Part(parts, "ppt/media/image2.png"), "\x89PNG-preview");
  EXPECT_EQ(Part(parts, "ppt/media/image3.png"), "\x89PNG-picture");
  const std::string s1 = Part(parts, "ppt/slides/slide1.xml");
  EXPECT_NE(s1.find("progId=\"Word.Document.12\""), std::string::npos);
  EXPECT_NE(Part(parts, "ppt/slides/_rels/slide1.xml.rels").find("../embeddings/Microsoft_Word_Document1.docx"),
            std::string::npos);
  EXPECT_NE(Part(parts, "[Content_Types].xml").find("Extension=\"docx\""), std::string::npos);
  EXPECT_NE(Part(parts, "ppt/presentation.xml").find("<p:sldSz cx=\"9144000\" cy=\"6858000\"/>"), std::string::npos);
}

TEST_F(PresentationTest, EffectsTransitionsAndBackgroundsAreWrittenAsPresentationML) {
  auto box = slide->GetShapes()->AddTextbox(kTextOrientationHorizontal, 0, 0, 100, 20);
  EXPECT_THROW(slide->MainSequence()->AddEffect(*box, 54), VbError);
  auto effect = slide->MainSequence()->AddEffect(*box, 10);
  effect->SetTiming({kTriggerOnPageClick, 2, 0.5});
  EXPECT_THROW(slide->Background(), VbError) << "a slide following the master has no background of its own";
  slide->SetFollowMasterBackground(false);
  auto fill = slide->Background();
  EXPECT_THROW(fill->UserPicture(dir.WPath() + L"/none.jpg"), VbError);
  {
    std::ofstream(dir.Path() / "b.jpg", std::ios::binary) << "\xFF\xD8\xFF-jpeg";
  }
  fill->UserPicture(dir.WPath() + L"/b.jpg");
  fill->SetTransparency(0.2);
  slide->SetEntryEffect(1284);  // cover downwards
  auto plain = pres->GetSlides()->Add(2, kLayoutBlank);
  plain->SetEntryEffect(0);
  const auto parts = Saved();
  pugi::xml_document xml;
  ASSERT_TRUE(xml.load_string(Part(parts, "ppt/slides/slide1.xml").c_str()));
  EXPECT_STREQ(xml.select_node("//p:transition/p:cover/@dir").attribute().value(), "d");
  auto node = xml.select_node("//p:cTn[@presetClass='entr']").node();
  EXPECT_STREQ(node.attribute("presetID").value(), "10");
  EXPECT_STREQ(node.attribute("nodeType").value(), "clickEffect");
  EXPECT_STREQ(node.select_node("p:stCondLst/p:cond/@delay").attribute().value(), "500");
  EXPECT_STREQ(xml.select_node("//p:animEffect/@filter").attribute().value(), "fade");
  EXPECT_STREQ(xml.select_node("//p:animEffect/p:cBhvr/p:cTn/@dur").attribute().value(), "2000");
  EXPECT_EQ(std::string(xml.select_node("//p:spTgt/@spid").attribute().value()), std::to_string(box->Id()));
  EXPECT_STREQ(xml.select_node("//p:bg//a:alphaModFix/@amt").attribute().value(), "80000");
  const std::string rel = xml.select_node("//p:bg//a:blip/@r:embed").attribute().value();
  EXPECT_NE(Part(parts, "ppt/slides/_rels/slide1.xml.rels").find(rel + "\""), std::string::npos);
  const std::string s2 = Part(parts, "ppt/slides/slide2.xml");
  EXPECT_EQ(s2.find("<p:transition"), std::string::npos) << "no transition for code 0";
  EXPECT_EQ(s2.find("<p:timing"), std::string::npos);
}

}  // namespace
}  // namespace plx
