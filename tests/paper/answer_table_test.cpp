// The answer table dialog: what a teacher types, what lands in the paper,
// and what a mistyped number does.
#include <filesystem>

#include "addin/form.hpp"
#include "common/text.hpp"
#include "paper_fixture.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

using namespace docif;

class AnswerTable : public test::PaperTest {
 protected:
  // Opens the dialog as the toolbar button does and fills it in.
  std::shared_ptr<Form> Fill(const std::wstring& count, const std::wstring& perRow, const std::wstring& start) {
    Press(L"rxBtnzhijuan_addtable");
    EXPECT_FALSE(ctx->OpenForms.empty());
    auto form = ctx->OpenForms.back();
    EXPECT_EQ(form->Name(), L"frmDaTiBiao");
    form->SetValue(L"txtCount", count);
    form->SetValue(L"txtPerRow", perRow);
    form->SetValue(L"txtStart", start);
    return form;
  }
  int Tables() { return doc->GetTables()->Count(); }
};

TEST_F(AnswerTable, RowsOfNumbersAlternateWithEmptyAnswerRows) {
  SetText(L"一、选择题\r第二段");
  Select(5, 5);  // end of the header line
  auto form = Fill(L"13", L"5", L"11");
  form->Click(L"cmdOk");
  EXPECT_FALSE(form->Loaded());
  ASSERT_EQ(Tables(), 1);
  auto t = doc->GetTables()->Item(1);
  EXPECT_EQ(t->RowsCount(), 6);
  EXPECT_EQ(t->ColumnsCount(), 6);
  EXPECT_TRUE(t->BordersEnabled());
  EXPECT_EQ(t->GetRange()->Start(), 6) << "right under the header line, no empty line split off";
  for (int pair = 0; pair < 3; ++pair) {
    EXPECT_EQ(t->Cell(2 * pair + 1, 1)->Text(), L"题号");
    EXPECT_EQ(t->Cell(2 * pair + 2, 1)->Text(), L"答案");
    for (int c = 2; c <= 6; ++c) EXPECT_EQ(t->Cell(2 * pair + 2, c)->Text(), L"");
  }
  EXPECT_EQ(t->Cell(1, 2)->Text(), L"11");
  EXPECT_EQ(t->Cell(3, 6)->Text(), L"20");
  EXPECT_EQ(t->Cell(5, 4)->Text(), L"23");
  EXPECT_EQ(t->Cell(5, 5)->Text(), L"") << "no numbers past the last question";
  EXPECT_EQ(t->Cell(1, 3)->GetParagraphFormat().Alignment, kAlignCenter);
  // The header and the following text are kept, and typing goes on after the table.
  EXPECT_TRUE(Text().starts_with(L"一、选择题\r"));
  EXPECT_TRUE(Text().ends_with(L"第二段\r"));
  auto sel = host->GetSelection();
  EXPECT_EQ(sel->Start(), t->GetRange()->End());

  auto again = Reopened();
  ASSERT_EQ(again->GetTables()->Count(), 1);
  EXPECT_EQ(again->GetTables()->Item(1)->Cell(5, 4)->Text(), L"23");
  EXPECT_TRUE(again->GetTables()->Item(1)->BordersEnabled());
}

TEST_F(AnswerTable, WrongNumbersAreExplainedAndInsertNothing) {
  SetText(L"试卷");
  struct Case { const wchar_t* count; const wchar_t* perRow; const wchar_t* start; const wchar_t* message; };
  for (const Case& c : std::initializer_list<Case>{
           {L"0", L"10", L"1", L"选择题的题数应是1到200之间的整数。"},
           {L"十二", L"10", L"1", L"选择题的题数应是1到200之间的整数。"},
           {L"12.5", L"10", L"1", L"选择题的题数应是1到200之间的整数。"},
           {L"12", L"", L"1", L"每行的题数应是1到25之间的整数。"},
           {L"12", L"26", L"1", L"每行的题数应是1到25之间的整数。"},
           {L"12", L"6", L"-1", L"起始题号应是1到999之间的整数。"},
           {L"12", L"6", L"990", L"最后一题的题号不能超过999。"}}) {
    ui.Clear();
    ui.Queue(Answer::OK);
    auto form = Fill(c.count, c.perRow, c.start);
    form->Click(L"cmdOk");
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, c.message) << WideToUtf8(c.count) << " " << WideToUtf8(c.perRow);
    EXPECT_TRUE(form->Loaded()) << "the teacher corrects the number in the open dialog";
    form->Unload();
  }
  EXPECT_EQ(Tables(), 0);
  EXPECT_EQ(Text(), L"试卷\r");
}

TEST_F(AnswerTable, FullWidthDigitsAndMorePerRowThanQuestionsAreTaken) {
  auto form = Fill(L" １０ ", L"20", L"１");
  form->Click(L"cmdOk");
  ASSERT_EQ(Tables(), 1);
  auto t = doc->GetTables()->Item(1);
  EXPECT_EQ(t->RowsCount(), 2);
  EXPECT_EQ(t->ColumnsCount(), 11) << "no empty columns after question 10";
  EXPECT_EQ(t->Cell(1, 11)->Text(), L"10");
}

TEST_F(AnswerTable, InsideATableTheTeacherIsToldAndNothingChanges) {
  SetText(L"x");
  doc->GetTables()->Add(*doc->GetRange(0, 0), 1, 2);
  auto cell = doc->GetTables()->Item(1)->Cell(1, 1);
  cell->Select();
  ui.Queue(Answer::OK);
  auto form = Fill(L"4", L"4", L"1");
  form->Click(L"cmdOk");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_TRUE(Contains(ui.Boxes()[0].text, L"答题表不能插在表格里")) << WideToUtf8(ui.Boxes()[0].text);
  EXPECT_EQ(Tables(), 1);
  form->Unload();
}

TEST_F(AnswerTable, OnACorpusPaperTheTableGoesUnderTheChoiceHeader) {
  auto path = std::filesystem::path(build_paths::SharedDir()) / "corpus" / "exam-student.docx";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "corpus not found under " << build_paths::SharedDir();
  doc = host->GetDocuments()->Open(Utf8ToWide(path.string()), true);
  const int tables = Tables();
  auto ps = doc->Paragraphs();
  int header = 0;
  for (int i = 1; i <= ps->Count() && !header; ++i)
    if (Contains(ps->Item(i)->Text(), L"选择题")) header = i;
  ASSERT_GT(header, 0);
  const long at = ps->Item(header + 1)->Start();
  const std::wstring head = doc->GetRange(0, at)->Text(), tail = doc->GetRange(at, doc->Content()->End())->Text();
  Select(at, at);
  Fill(L"12", L"12", L"1")->Click(L"cmdOk");
  ASSERT_EQ(Tables(), tables + 1);

  auto again = Reopened(L"exam.docx");
  ASSERT_EQ(again->GetTables()->Count(), tables + 1);
  std::shared_ptr<Table> ours;
  for (int i = 1; i <= again->GetTables()->Count(); ++i)
    if (again->GetTables()->Item(i)->Cell(1, 1)->Text() == L"题号") ours = again->GetTables()->Item(i);
  ASSERT_NE(ours, nullptr);
  EXPECT_EQ(ours->ColumnsCount(), 13);
  EXPECT_EQ(ours->Cell(1, 13)->Text(), L"12");
  // Everything the paper had is still there, in order, around the table.
  std::wstring text = again->Content()->Text();
  EXPECT_TRUE(text.starts_with(head));
  EXPECT_TRUE(text.ends_with(tail));
}

}  // namespace
}  // namespace plx
