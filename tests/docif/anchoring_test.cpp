// Shapes kept against their paragraph are saved relative to it, so a word
// processor that lays the text out differently still shows them beside it.
#include <gtest/gtest.h>

#include "common/error.hpp"
#include "docif/model/layout.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/shape_geometry.hpp"
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

// The page y of the start of the paragraph that holds pos.
double ParagraphTop(test::ModelDoc& m, long pos) {
  auto paragraph = m.doc->GetRange(pos, pos)->Paragraphs()->Item(1);
  return paragraph->Information(kVerticalPositionRelativeToPage);
}

TEST(Anchoring, AShapeKeptAgainstItsParagraphMovesWithItWhenTextIsTypedAbove) {
  test::ModelDoc m;
  m.SetText(L"期中考试\r一\r二\r画出函数的图象。\r");
  m.doc->GetRange(10, 10)->Select();
  const double question = ParagraphTop(m, 10);
  auto graph = m.doc->GetShapes()->AddShape(kAutoShapeRectangle, 100, static_cast<float>(question + 20), 80, 60);
  graph->SetRelativeVerticalPosition(kRelativeVerticalPositionParagraph);
  auto seal = m.doc->GetShapes()->AddShape(kAutoShapeRectangle, 20, 300, 10, 200);

  // A class line under the title moves the question down, and the graph with it.
  m.doc->GetRange(5, 5)->InsertBefore(L"班级：________　姓名：________\r");
  const double moved = ParagraphTop(m, 10 + 24);
  ASSERT_GT(moved, question + 10);
  EXPECT_NEAR(graph->Top(), moved + 20, 1e-4);
  EXPECT_NEAR(graph->Anchor()->Information(kVerticalPositionRelativeToPage), moved, 1e-4);
  EXPECT_NEAR(seal->Top(), 300, 1e-4) << "a shape kept on the page stays where it is";
  std::string xml = ooxml::BuildDocx(*m.Data())["word/document.xml"];
  EXPECT_NE(xml.find("<wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>254000<"), std::string::npos)
      << "still 20 points below its paragraph";

  // Moving it down sets its distance from where the paragraph is now; it
  // keeps that distance when the line is deleted again.
  graph->SetTop(graph->Top() + 8);
  m.doc->GetRange(5, 5 + 24)->Delete();
  EXPECT_NEAR(graph->Top(), question + 28, 1e-4);
  xml = ooxml::BuildDocx(*m.Data())["word/document.xml"];
  EXPECT_NE(xml.find("<wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>355600<"), std::string::npos);

  // Grouped with a shape on the page, it takes the group along with its
  // paragraph; ungrouped, both items still follow the paragraph.
  auto group = m.doc->GetShapes()->Range({graph->Name(), seal->Name()})->Group();
  EXPECT_EQ(group->RelativeVerticalPosition(), kRelativeVerticalPositionParagraph);
  m.doc->GetRange(0, 0)->InsertBefore(L"学校：\r");
  const double shift = ParagraphTop(m, 10 + 4) - question;
  EXPECT_NEAR(group->Top(), question + 28 + shift, 1e-4);
  auto items = group->Ungroup();
  m.doc->GetRange(0, 4)->Delete();
  EXPECT_NEAR(items->Item(1)->Top(), question + 28, 1e-4);
  EXPECT_NEAR(items->Item(2)->Top(), 300, 1e-4);

  // A larger title moves the question without any text typed.
  m.doc->GetRange(0, 4)->SetFont({.Size = 26});
  ASSERT_GT(ParagraphTop(m, 10), question + 10);
  EXPECT_NEAR(items->Item(1)->Top(), ParagraphTop(m, 10) + 28, 1e-4);
}

// Typing where a figure was drawn: spaces before the next figure, then the
// next question after them. The figure stays with its line; only Enter
// typed at the very start of its paragraph takes it down with the paragraph.
TEST(Anchoring, TypingInAFiguresParagraphKeepsItThereUnlessEnterStartsIt) {
  test::ModelDoc m;
  m.SetText(L"一、画图。\r\r");
  m.doc->GetRange(6, 6)->Select();  // the empty last paragraph
  const double line = ParagraphTop(m, 6);
  auto figure = m.doc->GetShapes()->AddShape(kAutoShapeRectangle, 90, static_cast<float>(line), 60, 40);
  figure->SetRelativeVerticalPosition(kRelativeVerticalPositionParagraph);
  m.doc->GetRange(6, 6)->InsertBefore(L"　　　　");
  m.doc->GetRange(10, 10)->InsertBefore(L"\r\r\r二、下一题。\r");
  EXPECT_NEAR(figure->Top(), line, 1e-4) << "the figure was carried off by text typed after it";
  EXPECT_EQ(figure->Anchor()->Start(), 6);

  m.doc->GetRange(6, 6)->InsertBefore(L"\r\r题目");
  EXPECT_EQ(figure->Anchor()->Start(), 8) << "Enter at the paragraph's start moves it down; the text after joins it";
  EXPECT_NEAR(figure->Top(), ParagraphTop(m, 8), 1e-4);
}

// Placed against its paragraph, or against the line of its paragraph that
// holds its anchor, as other word processors write it.
TEST(Anchoring, AShapeReadFromAFileFollowsItsParagraphAndIsWrittenAsRead) {
  test::ModelDoc m;
  m.SetText(L"期中考试\r画出函数的图象。\r");
  m.doc->GetRange(6, 6)->Select();
  const double question = ParagraphTop(m, 6);
  auto made = m.doc->GetShapes()->AddLine(100, static_cast<float>(question + 30), 200, static_cast<float>(question + 50));
  made->SetRelativeVerticalPosition(kRelativeVerticalPositionParagraph);
  auto app = std::make_shared<model::AppShared>();
  auto read = [&](const ooxml::Parts& parts) {
    return ooxml::ReadDocxPackage(std::make_shared<ooxml::PartsPackage>(parts), L"paper.docx", app);
  };
  for (const std::string reference : {"paragraph", "line"}) {
    SCOPED_TRACE(reference);
    ooxml::Parts parts = ooxml::BuildDocx(*m.Data());
    std::string& xml = parts["word/document.xml"];
    const std::string byParagraph = "<wp:positionV relativeFrom=\"paragraph\"";
    const size_t from = xml.find(byParagraph);
    ASSERT_NE(from, std::string::npos);
    xml.replace(from, byParagraph.size(), "<wp:positionV relativeFrom=\"" + reference + "\"");
    auto data = read(parts);
    auto line = std::make_shared<model::ModelShapes>(data)->Item(1);
    ASSERT_EQ(line->RelativeVerticalPosition(), kRelativeVerticalPositionParagraph);

    data->main->Insert(0, L"班级：\r姓名：\r", data->main->Cell(0));
    const double shift = model::LayoutInformation(*data, *data->main, 6 + 7, kVerticalPositionRelativeToPage) - question;
    ASSERT_GT(shift, 10);
    EXPECT_NEAR(line->Top(), question + 30 + shift, 1e-3);
    EXPECT_NEAR(line->Points()[1].y, question + 50 + shift, 1e-3);
    const std::string kept = data->shapes[0]->source->xml;
    EXPECT_NE(ooxml::BuildDocx(*data)["word/document.xml"].find(kept.substr(kept.find("<wp:positionV"), 80)),
              std::string::npos)
        << "unchanged but for its paragraph's place, it is written as read";

    line->SetTop(line->Top() + 8);
    auto again = read(ooxml::BuildDocx(*data));
    ASSERT_EQ(again->shapes.size(), 1u);
    EXPECT_TRUE(again->shapes[0]->paragraphRelative);
    EXPECT_NEAR(model::Bounds(*again->shapes[0]).top, question + 38 + shift, 0.01);
  }
}

}  // namespace
}  // namespace plx::docif
