// Option lines typed as text, lined up in columns.
#include "paper/align_options.hpp"

#include "paper_fixture.hpp"

namespace plx {
namespace {

using namespace docif;

TEST(OptionLines, LabelsAreRecognisedWhateverTheOptionsHold) {
  // Options holding the letter r and backslashes: "[^\r]" means any
  // character but a paragraph mark, not "neither r nor a backslash".
  EXPECT_EQ(ClassifyOptionLine(L"A．r=1  B．rr  C．\\r  D．br\r", OptionLine::None), OptionLine::Four);
  EXPECT_EQ(ClassifyOptionLine(L"A.arc B、radius\r", OptionLine::None), OptionLine::Two);
  EXPECT_EQ(ClassifyOptionLine(L"C．r D．r\r", OptionLine::Two), OptionLine::SecondPair);
  EXPECT_EQ(ClassifyOptionLine(L"C．r D．r\r", OptionLine::None), OptionLine::None);
  EXPECT_EQ(ClassifyOptionLine(L"A．1  C．3\r", OptionLine::None), OptionLine::None);
  EXPECT_EQ(ClassifyOptionLine(L"A．1  B．2", OptionLine::None), OptionLine::None) << "no paragraph mark";
  EXPECT_EQ(ClassifyOptionLine(L"1．A．B．\r", OptionLine::None), OptionLine::None);
}

class AlignOptionsTest : public test::PaperTest {};

TEST_F(AlignOptionsTest, BlanksBecomeTabsAndTabStopsMakeColumns) {
  SetText(L"1．题\rA．r=1  B．r=2\u3000\u3000C．r=3\tD．r=4\rA．1  C．3\rA．长一点的选项 B．π\rC．2π   D．4π");
  doc->GetRange(0, 8)->ApplyListTemplate(*host->NumberingTemplate(1), false);  // typed on after a question
  Press(L"rxBtnonekey_duiqiABCD");
  EXPECT_EQ(Paragraph(2)->ListType(), kListNoNumbering) << "an option line is no question";
  EXPECT_NE(Paragraph(1)->ListType(), kListNoNumbering);
  EXPECT_EQ(Paragraph(2)->Text(), L"A．r=1\tB．r=2\tC．r=3\tD．r=4\r");
  EXPECT_EQ(Paragraph(3)->Text(), L"A．1  C．3\r") << "neither pattern matches";
  EXPECT_EQ(Paragraph(4)->Text(), L"A．长一点的选项\tB．π\r");
  EXPECT_EQ(Paragraph(5)->Text(), L"C．2π\tD．4π\r") << "the second pair of a two-line block";
  const double width = 595.3 - 90 - 90;
  auto stops = Paragraph(2)->TabStops();
  ASSERT_EQ(stops.size(), 3u);
  EXPECT_NEAR(stops[0].Position, width / 4, 1e-9);
  EXPECT_NEAR(stops[2].Position, width * 3 / 4, 1e-9);
  EXPECT_EQ(Paragraph(5)->TabStops(), std::vector<TabStop>({{width / 2, 0}}));
  EXPECT_TRUE(Paragraph(3)->TabStops().empty());
}

TEST_F(AlignOptionsTest, OptionsTooWideForTheirColumnMoveToLinesOfTheirOwn) {
  std::wstring wide(12, L'长');  // 12 characters of 10.5 pt: more than a quarter of the line
  SetText(L"A．" + wide + L" B．短 C．短 D．短\rA．" + std::wstring(30, L'长') + L" B．短");
  Press(L"rxBtnonekey_duiqiABCD");
  EXPECT_EQ(Text(), L"A．" + wide + L"\tB．短\rC．短\tD．短\rA．" + std::wstring(30, L'长') + L"\rB．短\r");
  EXPECT_EQ(Paragraph(2)->TabStops().size(), 1u) << "two to a line";
  EXPECT_TRUE(Paragraph(4)->TabStops().empty());

  // The two lines of a block share their columns: a long C puts A and B on
  // lines of their own too.
  SetText(L"A．短 B．短\rC．" + std::wstring(30, L'长') + L" D．短");
  Press(L"rxBtnonekey_duiqiABCD");
  EXPECT_EQ(Text(), L"A．短\rB．短\rC．" + std::wstring(30, L'长') + L"\rD．短\r");
}

TEST_F(AlignOptionsTest, ASelectionLimitsTheCommand) {
  SetText(L"A．1 B．2\rA．3 B．4");
  Select(0, 3);
  Press(L"rxBtnonekey_duiqiABCD");
  EXPECT_EQ(Text(), L"A．1\tB．2\rA．3 B．4\r");
}

}  // namespace
}  // namespace plx
