// Tables drawn at their own widths with the borders they show: the widths
// the add-in sets and a file's grid (after saving and opening again), and
// only the sides a table keeps, as a stem-and-leaf plot's single line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "docif/document.hpp"
#include "pictures/document_scene.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"

namespace plx::pictures {
namespace {

// A table of `rows` rows at the start of a new document, its first columns
// set to the given widths.
std::shared_ptr<docif::Table> SizedTable(test::ModelDoc& m, int rows, int columns, std::vector<double> widths) {
  m.SetText(L"\r");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(0, 0), rows, columns);
  for (size_t c = 0; c < widths.size(); ++c) table->SetColumnWidth(static_cast<int>(c) + 1, widths[c]);
  return table;
}

TEST(TableFidelity, CellsTakeTheTablesColumnWidthsAlsoAfterReopening) {
  test::ModelDoc m;
  auto table = SizedTable(m, 2, 3, {40, 120});
  auto widths = [](const std::vector<docif::CellBox>& boxes) {
    std::vector<double> w;
    for (const auto& b : boxes)
      if (b.row == 1) w.push_back(b.width);
    return w;
  };
  const auto set = widths(table->CellBoxes());
  ASSERT_EQ(set.size(), 3u);
  EXPECT_NEAR(set[0], 40, 0.01);
  EXPECT_NEAR(set[1], 120, 0.01);
  EXPECT_NEAR(set[2], 595.3 - 180 - 160, 0.5) << "the third column takes the rest";

  test::TempDir dir;
  const std::wstring file = dir.WPath() + L"/table.docx";
  m.doc->SaveAs(file);
  auto reopened = m.app->GetDocuments()->Open(file, true);
  const auto read = widths(reopened->GetTables()->Item(1)->CellBoxes());
  ASSERT_EQ(read.size(), 3u);
  EXPECT_NEAR(read[0], 40, 0.05) << "the file's grid";
  EXPECT_NEAR(read[1], 120, 0.05);
}

TEST(TableFidelity, OnlyTheSidesATableShowsAreDrawn) {
  test::ModelDoc m;
  auto table = SizedTable(m, 3, 2, {30, 100});
  for (int side : {docif::kBorderTop, docif::kBorderLeft, docif::kBorderBottom, docif::kBorderRight,
                   docif::kBorderHorizontal})
    table->SetBorderVisible(side, false);
  const double line = table->CellBoxes()[1].left;
  const Scene scene = PageScene(*m.doc, 1);
  int drawn = 0;
  for (const Item& item : scene.items) {
    if (item.kind != Item::Kind::Path) continue;
    ++drawn;
    for (const Point& p : item.path.points) EXPECT_NEAR(p.x, line, 0.01) << "only the line between the columns";
  }
  EXPECT_EQ(drawn, 3) << "one piece for each row";
}

// A table inside a cell is drawn with its own borders and its text, inside
// its cell.
TEST(TableFidelity, ATableInACellIsDrawnInsideIt) {
  test::ModelDoc m;
  auto outer = SizedTable(m, 1, 2, {200});
  auto inner = m.doc->GetTables()->Add(*outer->Cell(1, 1), 2, 2);
  inner->Cell(2, 2)->SetText(L"内");
  ASSERT_EQ(outer->NestedTables()->Count(), 1);
  const auto cells = inner->CellBoxes();
  ASSERT_EQ(cells.size(), 4u);
  const Scene scene = PageScene(*m.doc, 1);
  int inside = 0;
  bool text = false;
  for (const Item& item : scene.items) {
    if (item.kind == Item::Kind::Text) text |= item.text.text == L"内";
    if (item.kind != Item::Kind::Path) continue;
    // Lines within the inner table's extent: its grid (the outer cell's
    // own sides reach further down).
    const Point a = item.path.points.front(), b = item.path.points.back();
    const double bottom = cells.back().top + cells.back().height;
    if (a.x >= 89.99 && b.x <= 290.01 && std::max(a.y, b.y) <= bottom + 0.01) ++inside;
  }
  EXPECT_TRUE(text);
  EXPECT_GE(inside, 12) << "the inner table's own lines, each side of its four cells";
  EXPECT_LE(cells[1].left + cells[1].width, 90 + 200 + 0.01) << "narrowed to its cell";
}

}  // namespace
}  // namespace plx::pictures
