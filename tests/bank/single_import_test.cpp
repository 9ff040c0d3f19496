// One question into the bank: pre-processing marks a pasted question, the
// pickers fill points, chapter and paper, saving refuses what is missing
// and says what it did, and editing a stored question keeps its files and
// its place in the paper.
#include <gtest/gtest.h>

#include "bank/frm_tiku_dantiruku.hpp"
#include "bank/frm_tiku_view.hpp"
#include "bank/tk_papers.hpp"
#include "common/paths.hpp"
#include "bank/bank_fixture.hpp"

namespace plx {
namespace {

using namespace bank;

class SingleImport : public test::BankDialogTest {
 protected:
  std::shared_ptr<frmTiKu_DanTiRuKu> Open(const std::wstring& question) {
    TypePaper(L"");
    auto form = std::make_shared<frmTiKu_DanTiRuKu>(*ctx);
    form->writePreview = [](const pictures::Scene&, const std::wstring& file) {
      std::ofstream(std::filesystem::path(WideToUtf8(file))) << "picture";
      return std::wstring();
    };
    form->Show();
    form->Area()->Content()->InsertBefore(question);
    return form;
  }
  std::wstring AreaText(frmTiKu_DanTiRuKu& f) { return f.Area()->Content()->Text(); }
};

TEST_F(SingleImport, PreprocessingMarksAPastedQuestion) {
  auto form = Open(L"【题目】12．已知x=1，求y的值。\r解：y=2x=2。\r");
  ui.Queue(Answer::OK);
  form->Click(L"cmdYCL");
  EXPECT_EQ(ui.Boxes().back().text, L"自动分析和处理完毕，请检查相关标记，如有不妥请修改后再保存到题库！");
  EXPECT_EQ(AreaText(*form), L"【题干】已知x=1，求y的值。\r【答案】\r解：y=2x=2。\r\r");

  auto second = Open(L"3．求1+1.\r答案：2\r[解析]因为1+1=2.\r");
  PreprocessQuestion(*second->Area());
  EXPECT_EQ(AreaText(*second), L"【题干】求1+1.\r【答案】2\r【详解】因为1+1=2.\r\r");
  // The marks by hand: in front of the selection.
  auto third = Open(L"x=?\r3\r");
  host->GetSelection()->SetRange(4, 5);
  third->Click(L"cmdBiaoJiDaAn");
  host->GetSelection()->SetRange(0, 0);
  third->Click(L"cmdBiaoJiTiGan");
  EXPECT_EQ(AreaText(*third), L"【题干】x=?\r【答案】3\r\r");
}

TEST_F(SingleImport, SavingChecksPicksAndEditsKeepTheFiles) {
  ui.Queue(Answer::OK);
  long paper = *SavePaper(*ctx, {0, L"2026期中", L"高一", L"浙江", L"2026", L"", L"期中考试", L""});
  auto form = Open(L"【答案】2【题干】1+1=?\r");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  EXPECT_EQ(ui.Boxes().back().text, L"知识点没有填写，请检查并填写");
  // Points and chapter from the tree picker, the paper from the list.
  form->Click(L"cmdPoint");
  auto tree = FindOpen(L"frmTree");
  tree->SetValue(L"txtFind", L"交集");
  tree->Click(L"cmdTick");
  tree->SetValue(L"txtFind", L"并集");
  tree->Click(L"cmdTick");
  tree->Click(L"cmdOK");
  EXPECT_EQ(form->ValueText(L"txtPoint"), L"交集,并集");
  form->Click(L"cmdChapter");
  tree = FindOpen(L"frmTree");
  tree->SetValue(L"txtFind", L"集合");
  tree->DblClick(L"lstTree", tree->GetControl(L"lstTree").value);
  EXPECT_TRUE(Contains(form->ValueText(L"txtChapter"), L"集合"));
  form->Click(L"cmdPaper");
  FindOpen(L"frmTiKu_PaperList")->Click(L"cmdOK");
  EXPECT_EQ(form->ValueText(L"txtPaper"), L"2026期中");

  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  EXPECT_EQ(ui.Boxes().back().text, L"入库的题目必须具备题目和答案（可以无详解），请注意检查相关数据是否完整！");
  form->Area()->Content()->SetText(L"【题干】1+1=?\r【答案】2\r");
  ui.Queue(Answer::OK);
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  ASSERT_GE(ui.Boxes().size(), 2u);
  EXPECT_EQ(ui.Boxes()[ui.Boxes().size() - 2].text, L"试题已经存入数据库了！");
  EXPECT_EQ(ui.Boxes().back().text, L"试题信息保存完成！");
  auto rows = QueryQuestions(*ctx, L"select * from tm");
  ASSERT_EQ(rows.size(), 1u);
  const QuestionRow saved = rows[0];
  EXPECT_EQ(saved.points, L"交集,并集");
  EXPECT_EQ(saved.paperId, paper);
  EXPECT_EQ(saved.shortName, L"2026期中");
  EXPECT_EQ(FindPaper(*ctx, paper)->tmIds, std::to_wstring(saved.id));
  EXPECT_EQ(AreaText(*form), L"\r");  // ready for the next question

  // Editing from the browser: the same files and id, the paper list unchanged.
  auto view = std::make_shared<frmTiKu_View>(*ctx);
  view->Show();
  view->SetValue(L"optViewType", L"3");
  view->Click(L"cmdCX");
  view->DblClick(L"imgTM1", 0);
  std::shared_ptr<frmTiKu_DanTiRuKu> editor;
  for (const auto& f : ctx->OpenForms)
    if (auto e = std::dynamic_pointer_cast<frmTiKu_DanTiRuKu>(f); e && e != form) editor = e;
  ASSERT_TRUE(editor);
  editor->writePreview = form->writePreview;
  EXPECT_EQ(AreaText(*editor), L"【题干】1+1=?\r【答案】2\r");
  EXPECT_EQ(editor->GetControl(L"labPicIndex").caption, saved.fileName);
  editor->SetValue(L"txtPoint", L"交集");
  ui.Queue(Answer::OK);
  ui.Queue(Answer::OK);
  editor->Click(L"cmdOK");
  rows = QueryQuestions(*ctx, L"select * from tm");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].id, saved.id);
  EXPECT_EQ(rows[0].fileName, saved.fileName);
  EXPECT_EQ(rows[0].points, L"交集");
  EXPECT_EQ(FindPaper(*ctx, paper)->tmIds, std::to_wstring(saved.id));
  ui.Queue(Answer::OK);
  EXPECT_FALSE(editor->EditQuestion(saved.id + 100));
  EXPECT_EQ(ui.Boxes().back().text, L"没有找到相关题目");
}

}  // namespace
}  // namespace plx
