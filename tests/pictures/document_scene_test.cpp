// Pages and selections of a model document drawn by the renderer: text
// where the layout puts it, table borders, shapes with their outlines,
// fills and text, and what a selection cuts out.
#include <gtest/gtest.h>

#include "common/error.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"
#include "pictures/text_layout.hpp"
#include "support/model_doc.hpp"

namespace plx::pictures {
namespace {

using docif::PointF;

int DarkIn(const Raster& r, double left, double top, double right, double bottom) {
  int dark = 0;
  for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y)
    for (int x = static_cast<int>(left); x < static_cast<int>(right); ++x) {
      const uint8_t* p = &r.rgb[(static_cast<size_t>(y) * r.width + x) * 3];
      dark += p[0] + p[1] + p[2] < 3 * 160;
    }
  return dark;
}

TEST(LaidOut, PiecesFollowTheLayoutRuleAndKeepTheirFonts) {
  test::ModelDoc m;
  m.SetText(L"函数ab\r第二行\r");
  m.doc->GetRange(2, 4)->SetFont({.Bold = true});
  const auto pieces = m.doc->Content()->LaidOut();
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].text, L"函数");
  EXPECT_EQ(pieces[1].text, L"ab");
  EXPECT_TRUE(*pieces[1].font.Bold);
  EXPECT_DOUBLE_EQ(pieces[1].left, pieces[0].left + 2 * 10.5) << "CJK characters are one em wide";
  EXPECT_DOUBLE_EQ(pieces[1].width, 10.5) << "two Latin letters of half an em";
  EXPECT_EQ(pieces[2].text, L"第二行");
  EXPECT_DOUBLE_EQ(pieces[2].top - pieces[0].top, pieces[0].lineHeight);
}

TEST(PageScene, RunsOnALineAreNeverDrawnOverEachOther) {
  // Wide Latin glyphs overrun the half-em slots of the layout rule; the
  // subscript after them must start where they really end.
  test::ModelDoc m;
  m.SetText(L"{WWa}n中\r");
  m.doc->GetRange(5, 6)->SetFont({.Size = 9.5});
  const Scene scene = PageScene(*m.doc, 1);
  std::vector<Text> texts;
  for (const auto& item : scene.items)
    if (item.kind == Item::Kind::Text) texts.push_back(item.text);
  ASSERT_EQ(texts.size(), 3u);
  const TextMeasure measure;
  EXPECT_GE(texts[1].left, texts[0].left + measure.Measure(texts[0]).width - 0.01);
  EXPECT_GE(texts[2].left, texts[1].left + measure.Measure(texts[1]).width - 0.01);

  // Raised and lowered runs stand off the base line by their position.
  m.doc->GetRange(5, 6)->SetFont({.Position = -1});
  std::vector<Text> lowered;
  for (const auto& item : PageScene(*m.doc, 1).items)
    if (item.kind == Item::Kind::Text) lowered.push_back(item.text);
  ASSERT_EQ(lowered.size(), 3u);
  EXPECT_DOUBLE_EQ(lowered[1].baseline, texts[1].baseline + 1);

  // A picture of the selection is wide enough for the glyphs, not only for
  // their slots.
  m.doc->GetRange(0, 5)->Select();
  const Scene cut = SelectionScene(*m.doc, *m.app->GetSelection());
  const Text& last = cut.items.back().text;
  EXPECT_GE(cut.width, last.left + measure.Measure(last).width);
}

TEST(CellBoxes, CellsAreEqualSharesStackedByRow) {
  test::ModelDoc m;
  m.SetText(L"\r");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(0, 0), 2, 3);
  table->Cell(2, 1)->SetText(L"一\v二");
  const auto boxes = table->CellBoxes();
  ASSERT_EQ(boxes.size(), 6u);
  EXPECT_NEAR(boxes[1].left - boxes[0].left, boxes[0].width, 0.01);
  EXPECT_NEAR(boxes[0].width * 3, 595.3 - 180, 0.5) << "the row spans the text width";
  EXPECT_NEAR(boxes[3].top, boxes[0].top + boxes[0].height, 0.01);
  EXPECT_GT(boxes[3].height, boxes[0].height) << "a row is as high as its tallest cell";
}

TEST(PageScene, DrawsTextTableBordersAndShapes) {
  test::ModelDoc m;
  m.SetText(L"函数图象\r\r");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(5, 5), 1, 2);
  table->Cell(1, 1)->SetText(L"甲");
  auto shapes = m.doc->GetShapes();
  auto arrow = shapes->AddLine(100, 400, 300, 400);
  arrow->SetLine({.Weight = 2, .EndArrowheadStyle = 2});
  auto oval = shapes->AddShape(docif::kAutoShapeOval, 100, 500, 100, 100);
  oval->SetFill({.Visible = true, .ForeColor = 0x0000FF, .Pattern = 0});
  auto box = shapes->AddTextbox(1, 300, 500, 100, 40);
  box->TextRange()->SetText(L"文本框");
  const Raster r = Rasterize(PageScene(*m.doc, 1), 72);
  ASSERT_EQ(r.width, 596);
  EXPECT_GT(DarkIn(r, 90, 72, 140, 92), 40) << "the first line's text";
  const auto cells = table->CellBoxes();
  EXPECT_GT(DarkIn(r, cells[1].left + 5, cells[1].top - 1, cells[1].left + 100, cells[1].top + 2), 50) << "top border";
  EXPECT_GT(DarkIn(r, 150, 398, 280, 402), 200) << "the line";
  EXPECT_GT(DarkIn(r, 294, 394, 299, 406), 16) << "its arrowhead is wider than the line";
  const uint8_t* inside = &r.rgb[(550 * static_cast<size_t>(r.width) + 150) * 3];
  EXPECT_EQ(inside[0], 255) << "the oval is filled red";
  EXPECT_LT(inside[1], 20);
  EXPECT_GT(DarkIn(r, 305, 503, 360, 525), 20) << "the text box's text";
  EXPECT_EQ(DarkIn(r, 90, 650, 500, 800), 0) << "nothing where nothing is";
}

TEST(PageScene, ShapesStayOnTheirAnchorsPageAndRotate) {
  test::ModelDoc m;
  std::wstring text;
  for (int i = 0; i < 80; ++i) text += L"一行文字\r";
  m.SetText(text);
  ASSERT_EQ(PageCount(*m.doc), 2);
  m.doc->GetRange(0, 0)->Select();  // anchored to the first paragraph
  auto rect = m.doc->GetShapes()->AddShape(docif::kAutoShapeRectangle, 100, 300, 200, 20);
  rect->SetFill({.Visible = true, .ForeColor = 0});
  rect->SetRotation(90);
  const Raster page1 = Rasterize(PageScene(*m.doc, 1), 72);
  EXPECT_GT(DarkIn(page1, 195, 220, 205, 380), 1500) << "turned upright about its centre";
  EXPECT_EQ(DarkIn(page1, 140, 302, 185, 318), 0) << "no longer lying across (the text ends at 132)";
  const Raster page2 = Rasterize(PageScene(*m.doc, 2), 72);
  EXPECT_EQ(DarkIn(page2, 195, 220, 205, 380), 0) << "the shape belongs to page 1";
  EXPECT_THROW(PageScene(*m.doc, 3), VbError);
}

TEST(SelectionScene, CutsOutTheSelectedShapesWithAMargin) {
  test::ModelDoc m;
  m.SetText(L"正文\r");
  auto shapes = m.doc->GetShapes();
  shapes->AddCurve({{100, 100}, {120, 50}, {180, 50}, {200, 100}})->Select(true);
  shapes->AddLine(300, 300, 400, 400)->Select(false);
  auto selection = m.app->GetSelection();
  const Scene scene = SelectionScene(*m.doc, *selection);
  EXPECT_NEAR(scene.width, 300 + 8 + 0.75, 1);
  const Raster r = Rasterize(scene, 72);
  EXPECT_GT(DarkIn(r, 0, 0, r.width, 40), 30) << "the curve bends up between its control points";
  m.doc->GetRange(0, 0)->Select();
  EXPECT_THROW(SelectionScene(*m.doc, *selection), VbError) << "an insertion point has nothing to save";
  m.doc->GetRange(0, 2)->Select();
  const Scene text = SelectionScene(*m.doc, *selection);
  EXPECT_NEAR(text.width, 21 + 8, 1.5) << "two CJK slots and the margins; the font's advance may be a little wider";
}

}  // namespace
}  // namespace plx::pictures
