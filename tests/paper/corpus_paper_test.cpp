// The paper commands on real papers written by another word processor,
// and the result saved and opened again.
#include <filesystem>

#include "common/text.hpp"
#include "docif/shapes.hpp"
#include "paper_fixture.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

using namespace docif;

class CorpusPaper : public test::PaperTest {
 protected:
  // Opens a corpus paper as the active document; false when it is absent.
  bool Open(const std::string& name) {
    auto path = std::filesystem::path(build_paths::SharedDir()) / "corpus" / name;
    if (!std::filesystem::exists(path)) return false;
    doc = host->GetDocuments()->Open(Utf8ToWide(path.string()), true);
    return true;
  }
  int FindParagraph(const std::wstring& start) {
    auto ps = doc->Paragraphs();
    for (int i = 1; i <= ps->Count(); ++i)
      if (ps->Item(i)->Text().starts_with(start)) return i;
    return 0;
  }
};

TEST_F(CorpusPaper, WorksheetNumbersAndOptionsAreTidied) {
  if (!Open("worksheet.docx")) GTEST_SKIP() << "corpus not found under " << build_paths::SharedDir();
  doc->Content()->Select();
  Press(L"rxBtnonekey_chongxinbianhao");
  doc->Content()->Select();
  Press(L"rxBtnonekey_duiqiABCD");
  const int first = FindParagraph(L"下列各组函数"), twelve = FindParagraph(L"写出函数");
  ASSERT_GT(first, 0);
  ASSERT_GT(twelve, 0);
  EXPECT_EQ(Paragraph(first)->ListString(), L"1．");
  EXPECT_EQ(Paragraph(twelve)->ListString(), L"3．") << "typed 12． follows 1、 and 2．";
  EXPECT_GT(FindParagraph(L"1234．"), 0) << "four digits are no question number";
  const int options = FindParagraph(L"A．5");
  ASSERT_GT(options, 0);
  EXPECT_EQ(Paragraph(options)->Text(), L"A．5\tB．6\tC．7\tD．8\r");
  EXPECT_EQ(Paragraph(options)->TabStops().size(), 3u);

  auto again = Reopened(L"worksheet.docx");
  auto ps = again->Paragraphs();
  bool found = false;
  for (int i = 1; i <= ps->Count(); ++i)
    if (ps->Item(i)->Text() == L"A．5\tB．6\tC．7\tD．8\r") {
      found = true;
      EXPECT_EQ(ps->Item(i)->TabStops().size(), 3u);
    }
  EXPECT_TRUE(found);
}

TEST_F(CorpusPaper, TheAnswerPartOfAnExamIsNumberedOnItsOwn) {
  if (!Open("exam-student.docx")) GTEST_SKIP() << "corpus not found under " << build_paths::SharedDir();
  doc->Content()->Select();
  Press(L"rxBtnonekey_chongxinbianhao");
  EXPECT_EQ(Paragraph(FindParagraph(L"（本小题满分12分）"))->ListString(), L"8．");
  const int answers = FindParagraph(L"C　2．B");
  ASSERT_GT(answers, FindParagraph(L"参考答案"));
  EXPECT_EQ(Paragraph(answers)->ListString(), L"1．");
  EXPECT_GT(FindParagraph(L"5．[1,+∞)"), 0) << "an answer keeps the number of its question";
}

TEST_F(CorpusPaper, ExamOptionsOnTwoLinesStandInTwoColumnsBesideASealingLine) {
  if (!Open("exam-student.docx")) GTEST_SKIP() << "corpus not found under " << build_paths::SharedDir();
  doc->Content()->Select();
  Press(L"rxBtnonekey_duiqiABCD");
  const int ab = FindParagraph(L"A．π/2");
  ASSERT_GT(ab, 0);
  EXPECT_EQ(Paragraph(ab)->Text(), L"A．π/2\tB．π\r");
  EXPECT_EQ(Paragraph(ab + 1)->Text(), L"C．2π\tD．4π\r");
  EXPECT_EQ(Paragraph(ab)->TabStops(), Paragraph(ab + 1)->TabStops());
  EXPECT_EQ(Paragraph(FindParagraph(L"1．C"))->Text(), L"1．C\u30002．B\u30003．B\u30004．B\r")
      << "the answer key is no option line";
  doc->GetRange(0, 0)->Select();
  Press(L"rxBtnzhijuan_zuomifengxian");
  auto again = Reopened(L"exam.docx");
  ASSERT_EQ(again->GetShapes()->Count(), 1);
  auto box = again->GetShapes()->Item(1);
  EXPECT_NEAR(box->Left(), 5, 0.5);
  EXPECT_EQ(box->TextFrame().Orientation, 2);
  EXPECT_TRUE(box->TextRange()->Text().find(L"密") != std::wstring::npos);
}

}  // namespace
}  // namespace plx
