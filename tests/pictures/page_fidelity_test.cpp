// Pages drawn as the word processor shows them: alignment by the text's
// drawn width, list numbers, a group's turn, text running down its box,
// hairlines and scripts set close to their letters.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "common/text.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"
#include "pictures/text_layout.hpp"
#include "support/model_doc.hpp"

namespace plx::pictures {
namespace {

std::optional<Item> TextItem(const Scene& scene, const std::wstring& text) {
  for (const Item& item : scene.items)
    if (item.kind == Item::Kind::Text && item.text.text == text) return item;
  return std::nullopt;
}

double Width(const Text& t) { return TextMeasure().Measure(t).width; }

// A new document's only text box, holding `text`.
docif::ShapePtr BoxWith(test::ModelDoc& m, const std::wstring& text, float left, float top, float width,
                        float height) {
  m.SetText(L"\r");
  auto box = m.doc->GetShapes()->AddTextbox(1, left, top, width, height);
  box->TextRange()->SetText(text);
  return box;
}

TEST(PageFidelity, CentredAndRightAlignedLinesStandByTheirDrawnWidth) {
  test::ModelDoc m;
  m.SetText(L"参考答案\r12000\r左边\r");
  m.doc->Paragraphs()->Item(1)->SetParagraphFormat({.Alignment = docif::kAlignCenter});
  m.doc->Paragraphs()->Item(2)->SetParagraphFormat({.Alignment = docif::kAlignRight});
  // A tick label: a centred number in a text box.
  auto box = m.doc->GetShapes()->AddTextbox(1, 200, 400, 60, 20);
  box->TextRange()->SetText(L"25000");
  box->TextRange()->SetParagraphFormat({.Alignment = docif::kAlignCenter});
  const docif::PageSetup page = m.doc->PageSetup();
  const Scene scene = PageScene(*m.doc, 1);

  const auto title = TextItem(scene, L"参考答案");
  ASSERT_TRUE(title);
  EXPECT_NEAR(title->text.left + Width(title->text) / 2, (page.LeftMargin + page.PageWidth - page.RightMargin) / 2,
              0.5);
  const auto right = TextItem(scene, L"12000");
  ASSERT_TRUE(right);
  EXPECT_NEAR(right->text.left + Width(right->text), page.PageWidth - page.RightMargin, 0.5);
  const auto left = TextItem(scene, L"左边");
  ASSERT_TRUE(left);
  EXPECT_NEAR(left->text.left, page.LeftMargin, 0.01) << "a left-aligned line stays";
  const auto label = TextItem(scene, L"25000");
  ASSERT_TRUE(label);
  EXPECT_NEAR(label->text.left + Width(label->text) / 2, 230, 0.5) << "centred on the box, so on its tick";
}

// A distributed line (the sealing line's) spreads its signs over the whole
// line, a run of other characters kept whole.
TEST(PageFidelity, DistributedLinesFillTheirLine) {
  test::ModelDoc m;
  m.SetText(L"姓名__线\r");
  m.doc->Paragraphs()->Item(1)->SetParagraphFormat({.Alignment = docif::kAlignDistribute});
  const docif::PageSetup page = m.doc->PageSetup();
  const Scene scene = PageScene(*m.doc, 1);
  const auto first = TextItem(scene, L"姓"), name = TextItem(scene, L"名"), blank = TextItem(scene, L"__"),
             last = TextItem(scene, L"线");
  ASSERT_TRUE(first && name && blank && last);
  EXPECT_NEAR(first->text.left, page.LeftMargin, 0.01);
  EXPECT_NEAR(last->text.left + Width(last->text), page.PageWidth - page.RightMargin, 0.5);
  const double gap = name->text.left - (first->text.left + Width(first->text));
  EXPECT_GT(gap, 50);
  EXPECT_NEAR(blank->text.left - (name->text.left + Width(name->text)), gap, 0.5) << "even gaps";
}

TEST(PageFidelity, NumberedParagraphsShowTheirNumbers) {
  test::ModelDoc m;
  m.SetText(L"已知集合\r求函数\r");
  auto tmpl = m.app->NumberingTemplate(1);
  tmpl->SetNumberFormat(L"%1．");
  m.doc->Paragraphs()->Item(1)->ApplyListTemplate(*tmpl, false);
  m.doc->Paragraphs()->Item(2)->ApplyListTemplate(*tmpl, true);
  const Scene scene = PageScene(*m.doc, 1);
  const auto one = TextItem(scene, L"1．"), two = TextItem(scene, L"2．");
  const auto first = TextItem(scene, L"已知集合");
  ASSERT_TRUE(one && two && first);
  EXPECT_LT(one->text.baseline, two->text.baseline);
  EXPECT_DOUBLE_EQ(one->text.baseline, first->text.baseline) << "the number on its paragraph's first line";
  EXPECT_GE(first->text.left, one->text.left + Width(one->text)) << "the text after its number";
}

TEST(PageFidelity, AGroupTurnsItsItemsAboutItsCentre) {
  test::ModelDoc m;
  m.SetText(L"\r");
  auto shapes = m.doc->GetShapes();
  auto a = shapes->AddLine(100, 100, 200, 100), b = shapes->AddLine(100, 200, 200, 200);
  auto group = shapes->Range({a->Name(), b->Name()})->Group();
  group->SetRotation(90);
  std::vector<Path> lines;
  for (const Item& item : PageScene(*m.doc, 1).items)
    if (item.kind == Item::Kind::Path) lines.push_back(item.path);
  ASSERT_EQ(lines.size(), 2u);
  // A quarter turn about (150, 150) stands both lines upright.
  for (const Path& line : lines) EXPECT_NEAR(line.points[0].x, line.points[1].x, 0.01);
  EXPECT_NEAR(lines[0].points[0].x, 200, 0.01);
  EXPECT_NEAR(lines[1].points[0].x, 100, 0.01);
}

TEST(PageFidelity, TextRunningUpItsBoxIsTurnedAndHairlinesShow) {
  test::ModelDoc m;
  auto box = BoxWith(m, L"密封线内不要答题", 50, 100, 30, 300);
  box->SetTextFrame({.Orientation = 2});
  box->SetLine({.Visible = true, .Weight = 0.0});
  const Scene scene = PageScene(*m.doc, 1);
  const auto text = TextItem(scene, L"密封线内不要答题");
  ASSERT_TRUE(text);
  EXPECT_DOUBLE_EQ(std::fmod(text->rotation + 360, 360), 270) << "read from the bottom up";
  EXPECT_GT(text->text.baseline, 100 + 150) << "it starts low in the box";
  for (const Item& item : scene.items) {
    if (item.kind == Item::Kind::Path) {
      EXPECT_GT(item.path.stroke.width, 0) << "the hairline frame is drawn";
    }
  }
}

// East Asian vertical text stands upright, one sign under the other.
TEST(PageFidelity, EastAsianVerticalTextStandsUprightInItsColumn) {
  test::ModelDoc m;
  auto box = BoxWith(m, L"密封线", 50, 100, 30, 300);
  box->SetTextFrame({.Orientation = 5});
  const Scene scene = PageScene(*m.doc, 1);
  std::vector<Item> signs;
  for (const wchar_t* sign : {L"密", L"封", L"线"}) {
    const auto item = TextItem(scene, sign);
    ASSERT_TRUE(item) << WideToUtf8(sign);
    signs.push_back(*item);
  }
  for (size_t i = 0; i < signs.size(); ++i) {
    EXPECT_NEAR(std::fmod(signs[i].rotation + 360, 360), 0, 1e-9) << "upright";
    if (i > 0) {
      EXPECT_NEAR(signs[i].text.left, signs[0].text.left, 0.01) << "one column";
      EXPECT_GT(signs[i].text.baseline, signs[i - 1].text.baseline + 9) << "each under the one before";
    }
  }
}

TEST(PageFidelity, ScriptsStandRightAfterTheirLetter) {
  test::ModelDoc m;
  m.SetText(L"i2\r");
  m.doc->GetRange(1, 2)->SetFont({.Superscript = true});
  const Scene scene = PageScene(*m.doc, 1);
  const auto x = TextItem(scene, L"i"), two = TextItem(scene, L"2");
  ASSERT_TRUE(x && two);
  ASSERT_LT(Width(x->text), 10.5 / 2) << "the letter is narrower than its slot";
  EXPECT_NEAR(two->text.left, x->text.left + Width(x->text), 0.01);
}

// A box too low for its line shows only what lies inside its margins, as
// the word processor cuts it.
TEST(PageFidelity, TextOutsideItsBoxIsCutOff) {
  test::ModelDoc m;
  auto box = BoxWith(m, L"60°", 100, 100, 36, 16);
  box->TextRange()->SetFont({.Size = 20});
  box->SetLine({.Visible = false});
  const Scene scene = PageScene(*m.doc, 1);
  const auto label = TextItem(scene, L"60°");
  ASSERT_TRUE(label && label->text.clip);
  EXPECT_NEAR(label->text.baseline + label->text.clip->top, 103.6, 0.01);
  EXPECT_NEAR(label->text.baseline + label->text.clip->bottom, 112.4, 0.01);
  const Raster r = Rasterize(scene, 72);
  int outside = 0, inside = 0;
  for (int y = 80; y < 140; ++y)
    for (int x = 100; x < 160; ++x) {
      const uint8_t* p = &r.rgb[(static_cast<size_t>(y) * r.width + x) * 3];
      const bool dark = p[0] + p[1] + p[2] < 3 * 128;
      (y >= 103 && y < 113 ? inside : outside) += dark;
    }
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

// A question's picture (the bank's preview and .wmf) holds the figures
// anchored in its text, and moving it to stack it under another moves its
// pictures too.
TEST(PageFidelity, AQuestionsPictureHoldsItsFiguresAndMovesWhole) {
  test::ModelDoc m;
  m.SetText(L"第一题\r第二题\r");
  m.doc->GetRange(5, 5)->Select();
  m.doc->GetShapes()->AddShape(docif::kAutoShapeOval, 300, 150, 80, 60);
  m.doc->GetRange(4, 8)->Select();
  Scene second = SelectionScene(*m.doc, *m.app->GetSelection());
  int paths = 0;
  for (const Item& item : second.items) paths += item.kind == Item::Kind::Path;
  EXPECT_EQ(paths, 1) << "the oval anchored in the second question";
  EXPECT_GT(second.height, 60);
  m.doc->GetRange(0, 4)->Select();
  const Scene first = SelectionScene(*m.doc, *m.app->GetSelection());
  for (const Item& item : first.items) EXPECT_NE(item.kind, Item::Kind::Path) << "not in the first";

  Image image;
  image.top = 10;
  second.Add(image);
  second.Move(0, first.height);
  EXPECT_DOUBLE_EQ(second.items.back().image.top, 10 + first.height) << "pictures move with their question";
}

}  // namespace
}  // namespace plx::pictures
