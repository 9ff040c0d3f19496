// Formatted copies with tables and styles: the rows a copy holds whole
// stay a table of the target, cells of rows held in part become
// paragraphs, as does a table copied into a cell; the styles the copied
// paragraphs name come along; put over the final paragraph mark, the
// copy's last mark takes its place (no empty paragraph after it).
#include <gtest/gtest.h>

#include "common/text.hpp"
#include "support/model_doc.hpp"

namespace plx::docif {
namespace {

using test::ModelDoc;

std::vector<std::vector<std::wstring>> Cells(Table& table) {
  std::vector<std::vector<std::wstring>> cells;
  for (int r = 1; r <= table.RowsCount(); ++r) {
    cells.emplace_back();
    for (int c = 1; c <= table.ColumnsCount(); ++c) cells.back().push_back(table.Cell(r, c)->Text());
  }
  return cells;
}

// "前", a borderless table of three rows (cells "11" … "32", the first in
// a centred style of the document's own), "后".
void PaperWithTable(ModelDoc& m) {
  m.SetText(L"前\r后");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(2, 2), 3, 2);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 2; ++c) table->Cell(r, c)->SetText(std::to_wstring(r * 10 + c));
  table->SetBordersEnabled(false);
  ParagraphFormat centred;
  centred.Alignment = kAlignCenter;
  m.doc->GetStyles()->Add(L"表内居中")->SetParagraphFormat(centred);
  table->Cell(1, 1)->SetStyle(L"表内居中");
}

TEST(FormattedCopy, KeepsWholeRowsAsATableWithTheirStyles) {
  ModelDoc m;
  PaperWithTable(m);
  auto source = m.doc->GetTables()->Item(1);
  auto whole = m.app->GetDocuments()->Add();
  whole->Content()->SetFormattedText(*m.doc->Content());
  EXPECT_EQ(whole->Content()->Text(), m.doc->Content()->Text());
  ASSERT_EQ(whole->GetTables()->Count(), 1);
  auto copy = whole->GetTables()->Item(1);
  EXPECT_EQ(Cells(*copy), Cells(*source));
  EXPECT_FALSE(copy->BordersEnabled());
  EXPECT_TRUE(whole->GetStyles()->Exists(L"表内居中"));
  EXPECT_EQ(copy->Cell(1, 1)->Style(), L"表内居中");
  EXPECT_EQ(copy->Cell(1, 1)->GetParagraphFormat().Alignment, kAlignCenter);

  // From the second cell of row 1: that cell as a paragraph, rows 2 and 3 as a table.
  auto part = m.app->GetDocuments()->Add();
  part->GetRange(0, 0)->SetFormattedText(*m.doc->GetRange(source->Cell(1, 2)->Start(), source->GetRange()->End()));
  EXPECT_TRUE(StartsWith(part->Content()->Text(), L"12\r21\r\a"));
  ASSERT_EQ(part->GetTables()->Count(), 1);
  EXPECT_EQ(Cells(*part->GetTables()->Item(1)), (std::vector<std::vector<std::wstring>>{{L"21", L"22"}, {L"31", L"32"}}));
  EXPECT_EQ(part->GetRange(0, 2)->GetTables()->Count(), 0);
}

TEST(FormattedCopy, ATableInACellStaysInItsCellOrStandsAlone) {
  ModelDoc m;
  m.SetText(L"题\r");
  auto outer = m.doc->GetTables()->Add(*m.doc->GetRange(2, 2), 1, 2);
  auto inner = m.doc->GetTables()->Add(*outer->Cell(1, 1), 1, 2);
  inner->Cell(1, 2)->SetText(L"内");
  // With the outer table, the inner one stays in its cell.
  auto whole = m.app->GetDocuments()->Add();
  whole->Content()->SetFormattedText(*m.doc->Content());
  ASSERT_EQ(whole->GetTables()->Count(), 1);
  ASSERT_EQ(whole->GetTables()->Item(1)->Cell(1, 1)->GetTables()->Count(), 1);
  EXPECT_EQ(whole->GetTables()->Item(1)->Cell(1, 1)->GetTables()->Item(1)->Cell(1, 2)->Text(), L"内");
  // Alone, it is a table of the page.
  auto alone = m.app->GetDocuments()->Add();
  alone->Content()->SetFormattedText(*inner->GetRange());
  ASSERT_EQ(alone->GetTables()->Count(), 1);
  EXPECT_EQ(alone->GetTables()->Item(1)->Cell(1, 2)->Text(), L"内");
}

TEST(FormattedCopy, SplitsTheParagraphItLandsInAndNeverNestsTables) {
  ModelDoc m;
  PaperWithTable(m);
  ModelDoc sheet;
  sheet.SetText(L"甲乙\r丙");
  sheet.doc->GetTables()->Add(*sheet.doc->GetRange(3, 3), 1, 1);
  sheet.doc->GetRange(1, 1)->SetFormattedText(*m.doc->GetTables()->Item(1)->GetRange());
  auto tables = sheet.doc->GetTables();
  ASSERT_EQ(tables->Count(), 2);
  EXPECT_EQ(Cells(*tables->Item(1)), Cells(*m.doc->GetTables()->Item(1)));
  EXPECT_EQ(sheet.doc->Paragraphs()->Item(1)->Text(), L"甲\r");
  EXPECT_TRUE(Contains(sheet.doc->Content()->Text(), L"\r\a乙\r"));

  // Copied into a cell, the table's cells become that cell's paragraphs.
  tables->Item(2)->Cell(1, 1)->SetFormattedText(*m.doc->GetTables()->Item(1)->GetRange());
  ASSERT_EQ(sheet.doc->GetTables()->Count(), 2);
  auto cell = sheet.doc->GetTables()->Item(2);
  EXPECT_EQ(cell->RowsCount(), 1);
  EXPECT_EQ(cell->Cell(1, 1)->Text(), L"11\r12\r21\r22\r31\r32\r");
}

}  // namespace
}  // namespace plx::docif
