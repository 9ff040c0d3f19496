// The statistics dialog's memory and its stem-and-leaf plots.
#include <gtest/gtest.h>

#include <filesystem>

#include "charts/chart_canvas.hpp"
#include "charts/stem_leaf.hpp"
#include "common/text.hpp"
#include "connect/connect.hpp"
#include "connect/form_registry.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "support/sqlite_util.hpp"
#include "support/addin_fixtures.hpp"
#include "support/build_paths.hpp"

namespace plx::charts {
namespace {

class StatisticsDialog : public test::ConnectedAddinTest {
 protected:
  std::wstring Db() const { return install.File("config/config.mdb"); }
  std::string Data() { return test::QueryOne(Db(), "select Data from record where id=6"); }
  std::shared_ptr<Form> Open() {
    connect->rxButtonClick({L"rxBtnPMJH_TJT", L""});
    auto f = ctx->OpenForms.empty() ? nullptr : ctx->OpenForms.back();
    EXPECT_TRUE(f && f->Name() == L"frmTJT");
    return f;
  }
};

TEST_F(StatisticsDialog, ReopensWithAllThirtyFiveValuesInTheirOrder) {
  const std::string shipped = Data();
  EXPECT_EQ(Split(Utf8ToWide(shipped), L"@@").size(), 35u);
  auto f = Open();
  EXPECT_EQ(f->ValueText(L"txtData"), L"3,5,2,6,4");
  EXPECT_EQ(f->ValueText(L"txtDataJYT(1)"), L"8,14,19,22,26,33") << "restored though one series is chosen";
  EXPECT_FALSE(f->GetControl(L"txtDataJYT(1)").enabled);
  EXPECT_FALSE(f->GetControl(L"txtChuZhiX").enabled) << "automatic x";
  f->Unload();
  EXPECT_EQ(Data(), shipped) << "an unchanged dialog writes back what it read";

  f = Open();
  f->SetValue(L"optZFT", L"2");
  EXPECT_FALSE(f->GetControl(L"chkZuoBiaoXian").visible);
  EXPECT_TRUE(f->GetControl(L"txtJianJu").visible);
  EXPECT_EQ(f->GetControl(L"fraData").text, L"数据区（多个数据用\",\"分隔）");
  f->SetValue(L"chkAutoY", L"0");
  f->SetValue(L"txtKuaDuY", L"5");
  f->SetValue(L"txtDataSX", L"1:2");
  f->Unload();
  const std::vector<std::wstring> parts = Split(Utf8ToWide(Data()), L"@@");
  ASSERT_EQ(parts.size(), 35u);
  EXPECT_EQ(parts[12], L"5");   // txtKuaDuY
  EXPECT_EQ(parts[17], L"0");   // chkAutoY
  EXPECT_EQ(parts[22], L"2");   // optZFT
  EXPECT_EQ(parts[31], L"1:2"); // txtDataSX
}

TEST(StemLeaf, StemsLeavesAndCleaning) {
  StemLeafSeries s = SplitStems(CleanSeries(L"31,5,12,27,17,23"));
  ASSERT_EQ(s.rows.size(), 4u);
  EXPECT_EQ(s.rows[0].stem, 0);
  EXPECT_EQ(LeafText(s.rows[0].leaves, false), L"5");
  EXPECT_EQ(LeafText(s.rows[1].leaves, false), L"2 7");
  EXPECT_EQ(LeafText(s.rows[2].leaves, true), L"7 3") << "the left side reads outwards";
  EXPECT_EQ(CleanSeries(L"1.5，15  8\r\n"), (std::vector<std::wstring>{L"15", L"15", L"8"}));
  s = SplitStems(CleanSeries(L"5,41"));
  EXPECT_EQ(s.rows.size(), 5u) << "empty stems between keep their rows";
  EXPECT_EQ(SplitStems(CleanSeries(L"12,1234")).message, L"本程序暂不支持3位数以上的数据，请检查！");
  EXPECT_FALSE(SplitStems(CleanSeries(L"12,-5")).message.empty());
  EXPECT_EQ(SplitStems(CleanSeries(L"105,112")).rows.front().stem, 10);
  // Lists as a Chinese input method types them.
  EXPECT_EQ(CleanSeries(L"12、15；17;８"), (std::vector<std::wstring>{L"12", L"15", L"17", L"8"}));
  EXPECT_EQ(SplitStems(CleanSeries(L"12,abcd")).message, L"茎叶图的数据应是不超过3位的整数，“abcd”不是，请检查！");
}

TEST_F(StatisticsDialog, LeafColumnsFitTheirWidestRowAtThePapersSizeAndRowsHaveNoSpacing) {
  doc->Content()->SetText(L"题目\r\r");
  doc->Content()->SetFont({.Size = 14});
  doc->Content()->SetParagraphFormat({.SpaceAfter = 12});
  doc->GetRange(3, 3)->Select();
  auto f = Open();
  f->SetValue(L"optDataType", L"0");
  f->SetValue(L"txtDataJYT(0)", L"71,72,73,75,76,77,78,89");
  f->Click(L"cmdOKJY");
  f->Dismiss();
  auto t = doc->Content()->GetTables()->Item(1);
  EXPECT_EQ(t->Cell(1, 2)->Text(), L"1 2 3 5 6 7 8");
  double leafColumn = 0;
  for (const auto& box : t->CellBoxes())
    if (box.row == 1 && box.column == 2) leafColumn = box.width;
  EXPECT_GE(leafColumn, TextWidth(L"1 2 3 5 6 7 8", 14) + 2 * 5.4) << "the widest row and the cell margins";
  for (int row = 1; row <= t->RowsCount(); ++row) {
    const docif::ParagraphFormat p = t->Cell(row, 2)->GetParagraphFormat();
    EXPECT_EQ(p.SpaceAfter.value_or(-1), 0) << row;
    EXPECT_EQ(p.SpaceBefore.value_or(-1), 0) << row;
  }
}

TEST_F(StatisticsDialog, TwoSeriesMakeATableWithOnlyTheLinesBetweenColumns) {
  doc->Content()->SetText(L"题目\r");
  doc->GetRange(2, 2)->Select();
  auto f = Open();
  f->SetValue(L"optDataType", L"1");
  f->SetValue(L"txtDataJYT(0)", L"5,12,17,23");
  f->SetValue(L"txtDataJYT(1)", L"14,19,33");
  f->Click(L"cmdOKJY");
  auto tables = doc->Content()->GetTables();
  ASSERT_EQ(tables->Count(), 1);
  auto t = tables->Item(1);
  ASSERT_EQ(t->RowsCount(), 5) << "a header and stems 0 to 3";
  ASSERT_EQ(t->ColumnsCount(), 3);
  EXPECT_EQ(t->Cell(1, 1)->Text(), L"甲");
  EXPECT_EQ(t->Cell(1, 3)->Text(), L"乙");
  EXPECT_EQ(t->Cell(3, 1)->Text(), L"7 2");
  EXPECT_EQ(t->Cell(3, 2)->Text(), L"1");
  EXPECT_EQ(t->Cell(3, 3)->Text(), L"4 9");
  EXPECT_EQ(t->Cell(4, 3)->Text(), L"");
  EXPECT_FALSE(t->BorderVisible(docif::kBorderTop));
  EXPECT_FALSE(t->BorderVisible(docif::kBorderHorizontal));
  EXPECT_TRUE(t->BorderVisible(docif::kBorderVertical));

  const std::string xml =
      docif::ooxml::BuildDocx(*static_cast<docif::model::ModelDocument&>(*doc).Data())["word/document.xml"];
  EXPECT_NE(xml.find("<w:top w:val=\"nil\""), std::string::npos);
  EXPECT_NE(xml.find("<w:insideV w:val=\"single\""), std::string::npos);
  EXPECT_NE(xml.find("<w:gridCol w:w=\"600\"/>"), std::string::npos) << "a 30-point stem column";

  f->SetValue(L"txtDataJYT(0)", L"1234");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOKJY");
  EXPECT_EQ(ui.Boxes().back().text, L"本程序暂不支持3位数以上的数据，请检查！");
  EXPECT_EQ(doc->Content()->GetTables()->Count(), 1);
  f->Dismiss();
}

TEST_F(StatisticsDialog, ChartsInAPaperFromAnotherWordProcessorSurviveSavingAndReopening) {
  const std::string paper = build_paths::SharedDir() + "/corpus/exam-student.docx";
  if (!std::filesystem::exists(paper)) GTEST_SKIP() << "the shared corpus is not here";
  auto exam = host->GetDocuments()->Open(Utf8ToWide(paper));
  const int tablesBefore = exam->Content()->GetTables()->Count();
  const int shapesBefore = exam->GetShapes()->Count();
  auto first = exam->Paragraphs()->Item(2);
  exam->GetRange(first->End() - 1, first->End() - 1)->Select();
  auto f = Open();
  f->SetValue(L"optZFT", L"2");
  ui.Queue(Answer::OK);
  f->Click(L"cmdOk");
  f->Click(L"cmdOKJY");
  f->Dismiss();

  test::TempDir dir;
  const std::wstring saved = dir.WPath() + L"/exam.docx";
  docif::ooxml::SaveDocx(*static_cast<docif::model::ModelDocument&>(*exam).Data(), saved);
  auto again = host->GetDocuments()->Open(saved);
  EXPECT_EQ(again->Content()->GetTables()->Count(), tablesBefore + 1);
  ASSERT_EQ(again->GetShapes()->Count(), shapesBefore + 1);
  auto group = again->GetShapes()->Item(shapesBefore + 1);
  EXPECT_TRUE(StartsWith(group->Name(), L"组合：")) << WideToUtf8(group->Name());
  int bars = 0;
  for (int i = 1; i <= group->GroupItems()->Count(); ++i) bars += StartsWith(group->GroupItems()->Item(i)->Name(), L"柱状图：");
  EXPECT_EQ(bars, 5) << "the remembered data 3,5,2,6,4";

  // A table read from the paper loses one border and keeps its others.
  ASSERT_GT(tablesBefore, 0);
  auto scores = again->Content()->GetTables()->Item(1);
  scores->SetBorderVisible(docif::kBorderTop, false);
  const std::string xml =
      docif::ooxml::BuildDocx(*static_cast<docif::model::ModelDocument&>(*again).Data())["word/document.xml"];
  const size_t table = xml.find("<w:tblBorders>");
  ASSERT_NE(table, std::string::npos);
  EXPECT_EQ(xml.find("<w:top w:val=\"nil\"", table), xml.find("<w:top ", table));
  EXPECT_LT(xml.find("<w:bottom w:val=\"single\"", table), xml.find("</w:tblBorders>", table));
}

}  // namespace
}  // namespace plx::charts
