// Tables drawn at their own widths with the borders they show: the widths
// the add-in sets and a file's grid (after saving and opening again), and
// only the sides a table keeps, as a stem-and-leaf plot's single line.
#include <gtest/gtest.h>

#include <filesystem>

#include "docif/document.hpp"
#include "pictures/document_scene.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"

namespace plx::pictures {
namespace {

TEST(TableFidelity, CellsTakeTheTablesColumnWidthsAlsoAfterReopening) {
  test::ModelDoc m;
  m.SetText(L"\r");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(0, 0), 2, 3);
  table->SetColumnWidth(1, 40);
  table->SetColumnWidth(2, 120);
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
  m.SetText(L"\r");
  auto table = m.doc->GetTables()->Add(*m.doc->GetRange(0, 0), 3, 2);
  table->SetColumnWidth(1, 30);
  table->SetColumnWidth(2, 100);
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

}  // namespace
}  // namespace plx::pictures
