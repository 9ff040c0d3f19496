// The page-position rule on what the model knows of paragraphs, tables,
// breaks and fractions.
#include <gtest/gtest.h>

#include "common/text.hpp"
#include "docif/document.hpp"
#include "docif/range.hpp"
#include "platform/fonts.hpp"
#include "support/corpus.hpp"
#include "support/model_doc.hpp"

namespace plx::docif {
namespace {

class Layout : public ::testing::Test {
 protected:
  void SetUp() override {
    PageSetup p;
    p.PageWidth = 595.3;
    p.PageHeight = 841.9;
    p.LeftMargin = p.RightMargin = 90;
    p.TopMargin = p.BottomMargin = 72;
    m.doc->SetPageSetup(p);
  }
  double Y(long pos) { return m.doc->GetRange(pos, pos)->Information(kVerticalPositionRelativeToPage); }
  double X(long pos) { return m.doc->GetRange(pos, pos)->Information(kHorizontalPositionRelativeToPage); }
  void Format(long pos, const ParagraphFormat& f) { m.doc->GetRange(pos, pos)->SetParagraphFormat(f); }
  test::ModelDoc m;
};

TEST_F(Layout, ParagraphSpacingAndLineSpacingMoveTheLinesBelow) {
  m.SetText(L"一\r二\r三\r四");  // paragraphs start at 0, 2, 4, 6
  const double line = 15.6;        // 1.2 × 10.5, snapped to the grid
  EXPECT_DOUBLE_EQ(Y(2), 72 + line);
  Format(0, {.SpaceBefore = 20, .SpaceAfter = 14});
  EXPECT_DOUBLE_EQ(Y(0), 72) << "no space before at the top of a page";
  EXPECT_DOUBLE_EQ(Y(2), 72 + line + 14);
  Format(2, {.SpaceBefore = 6});
  EXPECT_DOUBLE_EQ(Y(4), 72 + line + 14 + 6 + line);
  Format(4, {.LineSpacingRule = kSpaceExactly, .LineSpacing = 30});
  EXPECT_DOUBLE_EQ(Y(6), 72 + line + 14 + 6 + line + 30) << "exact spacing is not snapped to the grid";
  Format(4, {.LineSpacingRule = kSpaceDouble});
  EXPECT_DOUBLE_EQ(Y(6), 72 + line + 14 + 6 + line + 2 * line) << "double: 25.2 snaps up to two grid lines";
  Format(4, {.LineSpacingRule = kSpaceAtLeast, .LineSpacing = 40});
  EXPECT_DOUBLE_EQ(Y(6), 72 + line + 14 + 6 + line + 3 * line);
}

TEST_F(Layout, TableCellsStandSideBySideAndTheRowIsAsHighAsItsTallestCell) {
  m.SetText(L"前\r\r后");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(2, 2), 2, 3);
  table->Cell(1, 1)->SetText(L"一\r二\r三");  // three lines in one cell
  table->Cell(1, 3)->SetText(L"右");
  table->Cell(2, 2)->SetText(L"中");
  // Lines in cells snap to the document's line grid as the text outside does.
  const double line = 15.6, width = 595.3 - 180;
  const long right = table->Cell(1, 3)->Start();
  EXPECT_DOUBLE_EQ(Y(right), Y(table->Cell(1, 1)->Start())) << "cells of a row start at its top";
  EXPECT_NEAR(X(right), 90 + 2 * width / 3, 1e-9);
  const long middle = table->Cell(2, 2)->Start();
  EXPECT_NEAR(Y(middle), Y(table->Cell(1, 1)->Start()) + 3 * line, 1e-9) << "the first row is three lines high";
  EXPECT_NEAR(X(middle), 90 + width / 3, 1e-9);
  // The table went in before the empty paragraph, which now follows it.
  auto paragraphs = m.doc->Paragraphs();
  const long after = paragraphs->Item(paragraphs->Count() - 1)->Start();
  ASSERT_EQ(m.doc->GetRange(after, after + 2)->Text(), L"\r后");
  EXPECT_NEAR(Y(after), Y(middle) + line, 1e-9) << "text after the table follows its last row";
  EXPECT_DOUBLE_EQ(X(after), 90);
}

TEST_F(Layout, AStopAndAParagraphsMarkHangPastTheLineEndWhereOtherCharactersWrap) {
  // 39 full-width characters fill the 415.3-point line; a fortieth wraps
  // unless it is a stop, which hangs at the end as the mark after it does.
  const std::wstring full(39, L'字');
  m.SetText(full + L"。\r后");
  EXPECT_DOUBLE_EQ(Y(39), 72) << "the stop stays on its line";
  EXPECT_DOUBLE_EQ(Y(40), 72) << "so does the paragraph's mark";
  EXPECT_DOUBLE_EQ(Y(41), 72 + 15.6) << "the next paragraph follows one line down";
  m.SetText(full + L"字\r后");
  EXPECT_DOUBLE_EQ(Y(39), 72 + 15.6);
  EXPECT_DOUBLE_EQ(X(39), 90);
}

TEST_F(Layout, ARowTakesItsCellsSpaceAfter) {
  m.SetText(L"前\r\r后");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(2, 2), 2, 1);
  table->Cell(1, 1)->SetText(L"一");
  table->Cell(2, 1)->SetText(L"二");
  const double second = Y(table->Cell(2, 1)->Start());
  table->Cell(1, 1)->SetParagraphFormat({.SpaceAfter = 14});
  EXPECT_DOUBLE_EQ(Y(table->Cell(2, 1)->Start()), second + 14);
}

TEST_F(Layout, PageBreaksAndBuiltUpFractions) {
  m.SetText(L"甲\f乙\r丙");
  EXPECT_EQ(m.doc->GetRange(2, 2)->Information(kActiveEndPageNumber), 2);
  EXPECT_DOUBLE_EQ(Y(2), 72);
  EXPECT_EQ(m.doc->GetRange(0, 0)->Information(kNumberOfPagesInDocument), 2);

  m.SetText(L"分数\r下一行");
  EXPECT_DOUBLE_EQ(Y(3), 72 + 15.6);
  m.doc->GetFields()->Add(*m.doc->GetRange(2, 2), kFieldEmpty, L"EQ \\F(1,2)");
  const long next = m.doc->Content()->End() - 4;
  EXPECT_DOUBLE_EQ(Y(next), 72 + 2 * 15.6) << "a line with a stacked fraction is twice as high";
}

// Lines are as tall as their fonts set them: here the CJK font standing in
// for 宋体 (Noto Serif CJK, 1.44 em) and the Latin one for Times New Roman.
TEST(FontLines, AreAsTallAsTheFontsOwnLineHeight) {
  EXPECT_NEAR(LineHeightEm(L"宋体", true), 1.44, 0.1);
  EXPECT_NEAR(LineHeightEm(L"Times New Roman", false), 1.16, 0.1);
}

// On a paper without a line grid, 12-point lines with 14.15 points after
// each paragraph stand 31.4 points apart, as LibreOffice sets them (the
// layout's 1.2 em lines made 28.55, and the paper's later pages broke
// elsewhere).
TEST(FontLines, APapersParagraphsStandWhereLibreOfficeSetsThem) {
  const auto paper = ::test::CorpusPaper("exam-student.docx");
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-student.docx");
  test::ModelDoc m;
  auto doc = m.app->GetDocuments()->Open(Utf8ToWide(paper->string()), true);
  auto paragraphs = doc->Paragraphs();
  std::vector<double> tops;
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto p = paragraphs->Item(i);
    if (p->Text().starts_with(L"A．{1}") || p->Text().starts_with(L"2．函数"))
      tops.push_back(p->Information(kVerticalPositionRelativeToPage));
  }
  ASSERT_EQ(tops.size(), 2u);
  EXPECT_NEAR(tops[1] - tops[0], 31.4, 0.2);
}

}  // namespace
}  // namespace plx::docif
