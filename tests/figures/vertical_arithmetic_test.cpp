// The written column methods and the command that draws them.
#include "connect/commands/command_table.hpp"
#include "figures/vertical_layout.hpp"
#include "figures/figure_test.hpp"

namespace plx::figures {
namespace {

// The layout as text, one line per row, a blank for an empty cell.
std::wstring Picture(const VerticalLayout& l) {
  std::wstring out;
  for (int r = 1; r <= l.rows; ++r) {
    for (int c = 1; c <= l.columns; ++c) {
      const std::wstring cell = l.Cell(r, c);
      out += cell.empty() ? L" " : cell;
    }
    out += L"|";
  }
  return out;
}

TEST(VerticalLayout, AdditionAndSubtractionAlignUnits) {
  auto sum = AdditionLayout(25, 7);
  EXPECT_EQ(sum.rows, 3);
  EXPECT_EQ(sum.columns, 3);
  EXPECT_EQ(Picture(sum), L" 25|＋ 7| 32|");
  EXPECT_EQ(Picture(AdditionLayout(99, 1)), L" 99|＋ 1|100|");
  EXPECT_EQ(Picture(SubtractionLayout(1005, 87)), L" 1005|－  87|  918|");
  EXPECT_EQ(Picture(SubtractionLayout(87, 1005)), L"   87|－1005| －918|") << "a negative difference";
  ASSERT_EQ(sum.rules.size(), 1u);
  EXPECT_EQ(sum.rules[0].row, 3);
}

TEST(VerticalLayout, MultiplicationWritesShiftedPartialProducts) {
  EXPECT_EQ(Picture(MultiplicationLayout(12, 3)), L" 12|× 3| 36|");
  auto l = MultiplicationLayout(347, 26);
  EXPECT_EQ(Picture(l), L"  347|×  26| 2082| 694 | 9022|");
  ASSERT_EQ(l.rules.size(), 2u);
  EXPECT_EQ(l.rules[0].row, 3);
  EXPECT_EQ(l.rules[1].row, 5);
}

TEST(VerticalLayout, LongDivisionBringsDigitsDownAndKeepsZerosInTheQuotient) {
  auto l = DivisionLayout(123, 4);
  EXPECT_EQ(l.columns, 4);
  EXPECT_EQ(l.bracketColumn, 2);
  EXPECT_EQ(Picture(l), L"  30|4123| 12 |   3|") << "quotient 30, remainder 3";
  EXPECT_EQ(Picture(DivisionLayout(408, 4)), L" 102|4408| 4  |   8|   8|   0|");
  EXPECT_EQ(Picture(DivisionLayout(3, 4)), L" 0|43|");
  EXPECT_EQ(Picture(DivisionLayout(156, 12)), L"   13|12156|  12 |   36|   36|    0|");
}

class ShuShiCommand : public test::FigureTest {
 protected:
  void Press() { connect->rxButtonClick({L"rxBtnztqt_ss", L""}); }
};

TEST_F(ShuShiCommand, DrawsNamedCellsGroupedAsOneFigureAgainAndAgain) {
  ui.QueueText(L"25+7");
  Press();
  ASSERT_EQ(doc->GetShapes()->Count(), 1);
  EXPECT_EQ(Role(doc->GetShapes()->Item(1)->Name()), L"竖式");
  EXPECT_EQ(One(L"ss_(2,1)")->TextRange()->Text(), L"＋");
  EXPECT_EQ(One(L"ss_(3,2)")->TextRange()->Text(), L"3");
  EXPECT_EQ(WithRole(L"竖式横线").size(), 1u);
  // A second calculation in the same document: cell names are unique there.
  ui.QueueText(L"123÷4");
  Press();
  EXPECT_EQ(doc->GetShapes()->Count(), 2);
  EXPECT_EQ(WithRole(L"除法竖式括号").size(), 1u);
  ui.QueueText(L"12x3");
  Press();
  EXPECT_EQ(WithRole(L"竖式横线1").size(), 2u) << "one under the division's product, one in 12×3";
}

TEST_F(ShuShiCommand, AsksAgainWithoutAnOperatorAndRefusesNonPositiveNumbers) {
  ui.QueueText(L"25");
  ui.QueueText(L"");
  Press();
  EXPECT_EQ(ui.Boxes().size(), 2u);
  for (const wchar_t* bad : {L"0+5", L"2.5*2", L"a-b", L"1234567890*9"}) {
    ui.QueueText(bad);
    ui.Queue(Answer::OK);
    Press();
    EXPECT_EQ(LastBox(), L"目前只支持正整数的运算，请检查您输入的数据。") << WideToUtf8(bad);
  }
  EXPECT_EQ(doc->GetShapes()->Count(), 0);
}

}  // namespace
}  // namespace plx::figures
