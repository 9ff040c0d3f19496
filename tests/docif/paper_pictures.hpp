#pragma once
// A paper written by another word processor, opened with the add-in
// connected, for checking that the picture commands change only what they
// are for. The paper can be given a picture as other papers hold it: one
// cropped, outlined and described, or one in the VML of older formats.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "docif/shapes.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "support/addin_fixtures.hpp"
#include "support/corpus.hpp"

namespace plx::test {

class PaperPictures : public ConnectedAddinTest {
 protected:
  // The paper's one inline picture's drawing, cropped by 10 % on the left,
  // with a red 1.5-point outline and a description.
  static std::string Dressed(std::string body) {
    Insert(body, "<a:stretch", "<a:srcRect l=\"10000\"/>");
    Replace(body, "<wp:docPr id=\"1\" name=\"Image1\" descr=\"\"", "<wp:docPr id=\"1\" name=\"Image1\" descr=\"函数图\"");
    Insert(body, "</pic:spPr>", "<a:ln w=\"19050\"><a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill></a:ln>");
    return body;
  }
  // The paper's one inline picture as an inline VML shape, cropped by 10 %
  // on the left, with the same size, title and picture (the paper's root
  // declares the VML namespaces, as the corpus papers' roots do).
  static std::string AsVml(std::string body) {
    const size_t start = body.find("<w:drawing>"), end = body.find("</w:drawing>");
    if (start == std::string::npos || end == std::string::npos) {
      ADD_FAILURE() << "the paper has no inline picture";
      return body;
    }
    const std::string drawing = body.substr(start, end + 12 - start);
    const size_t embed = drawing.find("r:embed=\"") + 9;
    const std::string relId = drawing.substr(embed, drawing.find('"', embed) - embed);
    body.replace(start, end + 12 - start,
                 "<w:pict><v:shape id=\"_x0000_i1025\" type=\"#_x0000_t75\" style=\"width:90pt;height:67.5pt\">"
                 "<v:imagedata r:id=\"" + relId + "\" o:title=\"函数图\" cropleft=\"0.1\"/></v:shape></w:pict>");
    return body;
  }

  // Writes the paper with its document part changed by `change` and opens
  // it as the active document.
  template <class F>
  void Open(const std::filesystem::path& paper, F change) {
    auto parts = docif::ooxml::ReadPackage(paper.string());
    parts["word/document.xml"] = change(parts["word/document.xml"]);
    const std::string path = (dir.Path() / "paper.docx").string();
    docif::ooxml::WritePackage(path, parts);
    doc = host->GetDocuments()->Open(Utf8ToWide(path));
  }
  void Open(const std::filesystem::path& paper) {
    Open(paper, [](const std::string& body) { return body; });
  }
  // The active document saved, and its document part.
  std::string Saved(const std::string& name = "saved.docx") {
    const std::filesystem::path path = dir.Path() / name;
    docif::ooxml::SaveDocx(*std::static_pointer_cast<docif::model::ModelDocument>(doc)->Data(),
                           Utf8ToWide(path.string()));
    return docif::ooxml::ReadPackage(path.string()).at("word/document.xml");
  }
  // The active document saved and opened again.
  void Reopen() {
    Saved("again.docx");
    doc = host->GetDocuments()->Open(dir.WPath() + L"/again.docx");
  }
  static bool Has(const std::string& xml, const std::string& piece) { return xml.find(piece) != std::string::npos; }

  // The paper's picture turned by the buttons stays in its place in the
  // text, turned; the turn is saved with the rest of the drawing as read,
  // and read back. Leaves the paper, turned by 30°, saved as saved.docx.
  void TurnsInPlace(const std::filesystem::path& paper) {
    Open(paper);
    ASSERT_EQ(doc->GetInlineShapes()->Count(), 1);
    const long at = doc->GetInlineShapes()->Item(1)->GetRange()->Start();
    const std::wstring text = doc->Content()->Text();
    doc->GetInlineShapes()->Item(1)->Select();
    Press(L"rxBtnXZ_z30");
    Press(L"rxBtnXZ_f90");  // 330° + 90°
    ASSERT_EQ(doc->GetInlineShapes()->Count(), 1);
    EXPECT_EQ(doc->GetShapes()->Count(), 0);
    EXPECT_EQ(doc->GetInlineShapes()->Item(1)->GetRange()->Start(), at) << "where it stood in the text";
    EXPECT_EQ(doc->Content()->Text(), text);
    EXPECT_EQ(host->GetSelection()->Type(), docif::kSelectionInlineShape);
    const std::string saved = Saved();
    EXPECT_TRUE(Has(saved, "<a:xfrm rot=\"3600000\">")) << "turned by 60°";
    EXPECT_TRUE(Has(saved, "name=\"Image1\"")) << "the drawing as read, but for its turn";
    Reopen();
    doc->GetInlineShapes()->Item(1)->Select();
    Press(L"rxBtnXZ_z30");
    EXPECT_TRUE(Has(Saved(), "<a:xfrm rot=\"1800000\">")) << "60° read back, 30° after turning back 30°";
  }

  // Taking the outline off or putting it on, and the watermark removal's
  // adjustments, change only those: the crop, the name, the description
  // (behind the removal's mark) and the other outline stay.
  void OutlineAndAdjustmentsChangeAlone(const std::filesystem::path& paper) {
    Open(paper, Dressed);
    ASSERT_EQ(doc->GetInlineShapes()->Count(), 1);
    EXPECT_TRUE(doc->GetInlineShapes()->Item(1)->BordersEnabled()) << "the outline read from the file";
    doc->GetRange(0, 0)->Select();
    Press(L"rxBtnonekey_qubiankuang");
    std::string saved = Saved();
    EXPECT_FALSE(Has(saved, "FF0000"));
    EXPECT_TRUE(Has(saved, "<a:ln><a:noFill/></a:ln>"));
    EXPECT_TRUE(Has(saved, "<a:srcRect l=\"10000\"/>"));
    EXPECT_TRUE(Has(saved, "name=\"Image1\" descr=\"函数图\""));
    Reopen();
    EXPECT_FALSE(doc->GetInlineShapes()->Item(1)->BordersEnabled()) << "off for good";
    doc->GetRange(0, 0)->Select();
    Press(L"rxBtnonekey_jiabiankuang");
    saved = Saved();
    EXPECT_TRUE(Has(saved, "<a:ln w=\"9525\"><a:solidFill><a:srgbClr val=\"000000\"/>"));
    EXPECT_TRUE(Has(saved, "<a:srcRect l=\"10000\"/>"));

    Open(paper, Dressed);
    auto& settings = ConfigGroup(*ctx, L"shuiyinconfig");
    for (const wchar_t* step : {L"blQuShuiYin1", L"blQuShuiYin2", L"blQuShuiYin3", L"blQuShuiYin4"})
      settings.Set(step, L"False");
    Press(L"rxBtnonekey_qushuiyin");
    saved = Saved();
    EXPECT_TRUE(Has(saved, "<a:lum "));
    EXPECT_TRUE(Has(saved, "name=\"Image1\" descr=\"pdQSY函数图\""));
    EXPECT_TRUE(Has(saved, "<a:srcRect l=\"10000\"/>"));
    EXPECT_TRUE(Has(saved, "<a:srgbClr val=\"FF0000\"/>"));
  }

  // A VML picture is a picture: its size and title are read, it is kept as
  // VML while unchanged, and once changed it is saved as the DrawingML
  // picture it reads as, with its crop and the changes.
  void VmlPictureIsAPicture(const std::filesystem::path& paper) {
    Open(paper, AsVml);
    ASSERT_EQ(doc->GetInlineShapes()->Count(), 1);
    auto pic = doc->GetInlineShapes()->Item(1);
    ASSERT_EQ(pic->Type(), docif::kInlineShapePicture);
    EXPECT_DOUBLE_EQ(pic->Width(), 90);
    EXPECT_DOUBLE_EQ(pic->Height(), 67.5);
    EXPECT_EQ(pic->AlternativeText(), L"函数图");
    EXPECT_DOUBLE_EQ(pic->Picture().cropLeft, 0.1) << "drawn cropped";
    EXPECT_TRUE(Has(Saved(), "cropleft=\"0.1\"")) << "kept as read while unchanged";
    doc->GetRange(0, 0)->Select();
    Press(L"rxBtnonekey_jiabiankuang");
    doc->GetInlineShapes()->Item(1)->Select();
    Press(L"rxBtnXZ_z30");
    const std::string saved = Saved();
    EXPECT_FALSE(Has(saved, "<v:imagedata"));
    EXPECT_TRUE(Has(saved, "<a:srcRect l=\"10000\"/>"));
    EXPECT_TRUE(Has(saved, "<a:xfrm rot=\"19800000\">"));
    EXPECT_TRUE(Has(saved, "descr=\"函数图\""));
    Reopen();
    pic = doc->GetInlineShapes()->Item(1);
    EXPECT_TRUE(pic->BordersEnabled());
    EXPECT_DOUBLE_EQ(pic->Width(), 90);
  }

  TempDir dir;

 private:
  static void Insert(std::string& s, const std::string& before, const std::string& piece) {
    const size_t at = s.find(before);
    ASSERT_NE(at, std::string::npos) << before;
    s.insert(at, piece);
  }
  static void Replace(std::string& s, const std::string& from, const std::string& to) {
    const size_t at = s.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    s.replace(at, from.size(), to);
  }
};

// The picture checks on the teacher's paper as written (false) or as
// LibreOffice saved it again (true); each test program instantiates one.
class TeachersPicture : public PaperPictures, public ::testing::WithParamInterface<bool> {
 protected:
  std::optional<std::filesystem::path> Paper() const { return ::test::CorpusPaperAs("exam-teacher.docx", GetParam()); }
};

TEST_P(TeachersPicture, TurnsInPlace) {
  const auto paper = Paper();
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  TurnsInPlace(*paper);
}

TEST_P(TeachersPicture, OutlineAndAdjustmentsChangeAlone) {
  const auto paper = Paper();
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  OutlineAndAdjustmentsChangeAlone(*paper);
}

TEST_P(TeachersPicture, AsVmlIsAPicture) {
  const auto paper = Paper();
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  VmlPictureIsAPicture(*paper);
}

}  // namespace plx::test
