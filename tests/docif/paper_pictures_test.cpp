// The picture commands on a paper written by another word processor keep
// what the teacher had; and an inline VML picture is a picture.
#include "docif/paper_pictures.hpp"

#include "support/docx_package.hpp"

namespace plx {
namespace {

using test::PaperPictures;
using test::TeachersPicture;

INSTANTIATE_TEST_SUITE_P(CorpusPaper, TeachersPicture, ::testing::Values(false),
                         [](const auto&) { return std::string("asWritten"); });

// A small package as an older format's converter writes it: a VML picture
// cropped in 65536ths; an inline VML text box and an inline shape filled
// with the picture, which are no pictures.
TEST_F(PaperPictures, VmlPicturesOfAnyMakeAreReadAndOtherDrawingsStayAsRead) {
  auto parts = test::PackageParts(
      "<w:p><w:r><w:pict><v:shape style=\"width:40pt;height:20pt;rotation:30\" stroked=\"t\">"
      "<v:imagedata r:id=\"rId9\" croptop=\"6554f\"/></v:shape></w:pict></w:r>"
      "<w:r><w:pict><v:shape style=\"width:40pt;height:20pt\"><v:imagedata r:id=\"rId9\"/><v:textbox/></v:shape>"
      "</w:pict></w:r><w:r><w:drawing><wp:inline><wp:extent cx=\"508000\" cy=\"254000\"/><a:graphic>"
      "<a:graphicData uri=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\"><wps:wsp><wps:spPr>"
      "<a:blipFill><a:blip r:embed=\"rId9\"/></a:blipFill></wps:spPr></wps:wsp></a:graphicData></a:graphic>"
      "</wp:inline></w:drawing></w:r></w:p>");
  std::string& body = parts["word/document.xml"];
  body.replace(body.find("<w:document "), 12,
               "<w:document xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:wp=\"http://schemas.openxmlformats.org/"
               "drawingml/2006/wordprocessingDrawing\" xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
               "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\" ");
  parts["word/_rels/document.xml.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId9\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" Target=\"media/p.png\"/>"
      "</Relationships>";
  parts["word/media/p.png"] = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x50\0\0\0\x28", 24) + std::string(20, '\0');
  const std::string made = (dir.Path() / "made.docx").string();
  docif::ooxml::WritePackage(made, parts);
  Open(made);
  auto pictures = doc->GetInlineShapes();
  ASSERT_EQ(pictures->Count(), 3);
  EXPECT_EQ(pictures->Item(1)->Type(), docif::kInlineShapePicture);
  EXPECT_TRUE(pictures->Item(1)->BordersEnabled());
  EXPECT_NE(pictures->Item(2)->Type(), docif::kInlineShapePicture) << "a text box";
  EXPECT_NE(pictures->Item(3)->Type(), docif::kInlineShapePicture) << "a shape";
  pictures->Item(1)->SetWidth(80);
  const std::string saved = Saved();
  EXPECT_TRUE(Has(saved, "<a:srcRect t=\"10001\"/>"));
  EXPECT_TRUE(Has(saved, "<a:xfrm rot=\"1800000\">"));
  EXPECT_TRUE(Has(saved, "<wp:extent cx=\"1016000\" cy=\"254000\"/>"));
  EXPECT_TRUE(Has(saved, "<v:textbox/>")) << "the text box as read";
  EXPECT_TRUE(Has(saved, "<wps:wsp>")) << "the shape as read";
}

}  // namespace
}  // namespace plx
