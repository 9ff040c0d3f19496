// Shapes kept against their paragraph are saved relative to it, so a word
// processor that lays the text out differently still shows them beside it.
#include <gtest/gtest.h>

#include "common/error.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "docif/range.hpp"
#include "docif/shapes.hpp"
#include "support/model_doc.hpp"

namespace plx::docif {
namespace {

TEST(Anchoring, AShapeKeptAgainstItsParagraphIsSavedRelativeToItAndReadBackInPlace) {
  test::ModelDoc m;
  m.SetText(L"一\r二\r三\r画出函数的图象。\r");
  m.doc->GetRange(8, 8)->Select();  // in the fourth paragraph
  const double paragraphTop = m.doc->GetRange(6, 6)->Information(kVerticalPositionRelativeToPage);
  auto graph = m.doc->GetShapes()->AddShape(kAutoShapeRectangle, 100, static_cast<float>(paragraphTop + 20), 80, 60);
  auto seal = m.doc->GetShapes()->AddShape(kAutoShapeRectangle, 20, 300, 10, 200);
  EXPECT_EQ(graph->RelativeVerticalPosition(), kRelativeVerticalPositionPage);
  graph->SetRelativeVerticalPosition(kRelativeVerticalPositionParagraph);
  EXPECT_NEAR(graph->Top(), paragraphTop + 20, 1e-4) << "Top stays a page coordinate";

  ooxml::Parts parts = ooxml::BuildDocx(*m.Data());
  const std::string& xml = parts["word/document.xml"];
  EXPECT_NE(xml.find("<wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>254000</wp:posOffset>"), std::string::npos)
      << "20 points below the top of its paragraph";
  EXPECT_NE(xml.find("<wp:positionV relativeFrom=\"page\"><wp:posOffset>3810000</wp:posOffset>"), std::string::npos)
      << "a shape kept at its page position stays there";

  auto reopened = ooxml::ReadDocxPackage(std::make_shared<ooxml::PartsPackage>(parts), L"again.docx",
                                         std::make_shared<model::AppShared>());
  ASSERT_EQ(reopened->shapes.size(), 2u);
  EXPECT_NEAR(reopened->shapes[0]->top, paragraphTop + 20, 0.01);
  EXPECT_TRUE(reopened->shapes[0]->paragraphRelative);
  EXPECT_NEAR(reopened->shapes[1]->top, 300, 0.01);
  EXPECT_FALSE(reopened->shapes[1]->paragraphRelative);
  EXPECT_THROW(seal->SetRelativeVerticalPosition(7), VbError);
}

}  // namespace
}  // namespace plx::docif
