// Headers, question numbers, option blocks and sealing lines pressed as a
// teacher presses them.
#include "paper/paper_layout.hpp"

#include <cmath>
#include <functional>
#include <map>

#include "common/text.hpp"
#include "paper/paper_commands.hpp"
#include "docif/shapes.hpp"
#include "paper_fixture.hpp"

namespace plx {
namespace {

using namespace docif;

class PaperLayout : public test::PaperTest {};

TEST_F(PaperLayout, HeadersReplaceTheParagraphAndLeaveTheNextOneAlone) {
  Setting(L"zhijuan", L"JuanTou", L"");
  SetText(L"旧卷头\r1．已知x");
  doc->GetRange(1, 1)->Select();
  doc->GetRange(8, 9)->SetFont({.Superscript = true});  // the question's own formatting
  Press(L"rxBtnzhijuan_addjuantou");
  // An empty header still gives an empty bold centred paragraph.
  EXPECT_EQ(Text(), L"\r1．已知x\r");
  EXPECT_EQ(Paragraph(1)->Font().Bold, true);
  EXPECT_EQ(Paragraph(1)->Font().Size, 16);
  EXPECT_EQ(Paragraph(1)->GetParagraphFormat().Alignment, kAlignCenter);
  EXPECT_EQ(doc->GetRange(5, 6)->Font().Superscript, true) << "the next paragraph keeps its formatting";
  EXPECT_EQ(host->GetSelection()->Start(), 1) << "the insertion point moves on to the next paragraph";

  // A group header as the last paragraph gets a body paragraph after it.
  SetText(L"x");
  Press(L"rxBtnzhijuan_xuanzeti");
  std::wstring header = ConfigGroup(*ctx, L"zhijuan").Text(L"XuanZeTiGan");
  EXPECT_EQ(Paragraph(1)->Text(), header + L"\r");
  EXPECT_EQ(Paragraph(1)->Font().Size, 12);
  EXPECT_NE(Paragraph(1)->GetParagraphFormat().Alignment, kAlignCenter);
  ASSERT_EQ(doc->Paragraphs()->Count(), 2);
  EXPECT_EQ(Paragraph(2)->Font().Bold, false);
  EXPECT_EQ(Paragraph(2)->Style(), L"正文");
}

TEST_F(PaperLayout, QuestionNumbersContinueThroughThePaperAndSurviveSaving) {
  SetText(L"一、选择题\r甲\r说明\r乙\r丙");
  for (int p : {2, 4, 5}) {
    Paragraph(p)->Collapse(kCollapseStart);
    Paragraph(p)->Select();
    Press(L"rxBtnzhijuan_addtihao");
  }
  EXPECT_EQ(Paragraph(2)->ListString(), L"1．");
  EXPECT_EQ(Paragraph(3)->ListType(), kListNoNumbering);
  EXPECT_EQ(Paragraph(4)->ListString(), L"2．");
  EXPECT_EQ(Paragraph(5)->ListString(), L"3．");
  auto again = Reopened();
  EXPECT_EQ(again->Paragraphs()->Item(5)->ListString(), L"3．");
}

TEST_F(PaperLayout, OptionBlocksHaveTheirShapeAndUnnumberedLabels) {
  for (auto [id, rows, columns] : {std::tuple{L"rxBtnzhijuan_addxuanzeti1", 1, 4},
                                   std::tuple{L"rxBtnzhijuan_addxuanzeti2", 2, 2},
                                   std::tuple{L"rxBtnzhijuan_addxuanzeti4", 4, 1}}) {
    SetText(L"已知集合A");
    doc->GetRange(0, 0)->Select();
    Press(id);
    ASSERT_EQ(doc->GetTables()->Count(), 1) << WideToUtf8(id);
    auto t = doc->GetTables()->Item(1);
    EXPECT_EQ(t->RowsCount(), rows);
    EXPECT_EQ(t->ColumnsCount(), columns);
    EXPECT_FALSE(t->BordersEnabled());
    EXPECT_EQ(t->Cell(1, 1)->Text(), L"A．");
    EXPECT_EQ(t->Cell(rows, columns)->Text(), L"D．");
    EXPECT_EQ(t->Cell(rows, columns)->ListType(), kListNoNumbering);
    EXPECT_EQ(Paragraph(1)->Text(), L"已知集合A \r");
    EXPECT_EQ(Paragraph(1)->ListString(), L"1．");
    EXPECT_EQ(Paragraph(doc->Paragraphs()->Count())->ListType(), kListNoNumbering)
        << "the line after the options is no question";
    EXPECT_EQ(host->GetSelection()->Start(), t->Cell(1, 1)->End()) << "typing goes after A．";
    t->Delete();
  }
}

TEST_F(PaperLayout, PaperSizesSetThePageAndSaySo) {
  doc->SetPageSetup({.PageWidth = 612, .PageHeight = 792, .TopMargin = 50, .BottomMargin = 50, .LeftMargin = 60,
                     .RightMargin = 60});
  std::map<std::wstring, std::function<void(AddinContext&)>> commands;
  for (const auto& c : PaperCommands(PaperCommandSet::PaperSizes)) commands[c.id] = c.run;
  ASSERT_EQ(commands.size(), 3u);
  auto page = [&] {
    PageSetup p = doc->PageSetup();
    return std::vector<double>{std::round(p.PageWidth * 10) / 10, std::round(p.PageHeight * 10) / 10, p.LeftMargin};
  };
  commands.at(L"rxBtnzhijuan_16K")(*ctx);
  EXPECT_EQ(page(), (std::vector<double>{521.6, 737.0, 60})) << "18.4 × 26 cm; the margins stay";
  EXPECT_EQ(ui.StatusTexts().back(), L"纸张已设为16K（18.4×26厘米）。");
  commands.at(L"rxBtnzhijuan_A4")(*ctx);
  EXPECT_EQ(page(), (std::vector<double>{595.3, 841.9, 60}));
  ui.Queue(Answer::OK);
  commands.at(L"rxBtnzhijuan_8K2")(*ctx);
  EXPECT_EQ(page(), (std::vector<double>{1043.1, 737.0, 60})) << "lying";
  EXPECT_TRUE(ui.Boxes().back().text.starts_with(L"纸张已设为8K横向（36.8×26厘米）。分两栏请在"));
  EXPECT_EQ(std::round(Reopened()->PageSetup().PageWidth), 1043) << "the paper is saved with the document";
}

TEST_F(PaperLayout, SealingLinesStandAtThePageEdgeWithTheInformationOutside) {
  doc->SetPageSetup({.PageWidth = 595.3, .PageHeight = 841.9});
  Setting(L"zhijuan", L"txtMFX", L"姓名：______");
  Press(L"rxBtnzhijuan_youmifengxian");
  Press(L"rxBtnzhijuan_zuomifengxian");
  Press(L"rxBtnzhijuan_shangmifengxian");
  auto shapes = doc->GetShapes();
  ASSERT_EQ(shapes->Count(), 3);
  auto right = shapes->Item(1), left = shapes->Item(2), top = shapes->Item(3);
  EXPECT_EQ(std::vector<double>({right->Left(), right->Top(), right->Width(), right->Height()}),
            std::vector<double>({535, 20, 60, 802}));
  EXPECT_EQ(std::vector<double>({left->Left(), left->Top(), left->Width(), left->Height()}),
            std::vector<double>({5, 20, 60, 802}));
  EXPECT_EQ(std::vector<double>({top->Left(), top->Top(), top->Width(), top->Height()}),
            std::vector<double>({20, 5, 555, 80}));
  EXPECT_EQ(right->TextFrame().Orientation, 2);
  EXPECT_EQ(top->TextFrame().Orientation, 1);
  EXPECT_EQ(right->Fill().Visible, false);
  EXPECT_EQ(right->Line().Visible, false);
  auto rightText = right->TextRange()->Text();
  EXPECT_TRUE(rightText.starts_with(L"…………○…………密")) << "the line stands inside, the information outside";
  auto body = left->TextRange();
  EXPECT_EQ(body->GetParagraphFormat().Alignment, kAlignDistribute);
  EXPECT_EQ(body->Font().Size, 10);
  EXPECT_EQ(body->Paragraphs()->Item(2)->Text(), std::wstring(10, L'\u3000') + L"\r")
      << "the ruled line: underlined full-width blanks that spread over the box";
  EXPECT_EQ(body->Paragraphs()->Item(2)->Characters()->First()->Font().Underline, 1);
  EXPECT_EQ(body->Paragraphs()->Item(1)->Text(), L"姓名：\u3000\u3000\u3000\u3000\u3000\u3000\r");
  EXPECT_EQ(body->Characters()->First()->Font().Underline, 0) << "only the underscore runs are underlined";
}

}  // namespace
}  // namespace plx
