// Batch import: both corpus papers go into the bank with their files, rows
// and paper lists; the report proposes points and types and takes choices
// for all questions at once; a failure part-way loses nothing and a second
// try stores only what is missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "bank/tk_papers.hpp"
#include "bank/tk_question.hpp"
#include "common/paths.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "bank/bank_fixture.hpp"

namespace plx {
namespace {

using namespace bank;

class BatchImport : public test::BankDialogTest {
 protected:
  std::wstring TextOf(const std::wstring& file) {
    auto doc = host->GetDocuments()->Open(file, true);
    std::wstring text = doc->Content()->Text();
    host->GetDocuments()->Close(doc);
    return text;
  }
  bool Stepped(const std::wstring& text) {
    for (const auto& [percent, t] : ui.ProgressSteps())
      if (t == text) return true;
    return false;
  }
};

TEST_F(BatchImport, BothCorpusPapersFillTheBank) {
  if (!OpenCorpus("exam-teacher.docx")) GTEST_SKIP() << "the shared corpus is not here";
  std::vector<long> teacher = ImportAll(L"2026高二期中（教师版）");
  ASSERT_EQ(teacher.size(), 8u);
  EXPECT_EQ(ui.Boxes().back().text, L"本次录入任务已经全部完成！");
  for (const wchar_t* step : {L"正在生成报告页面,请稍等！", L"正在填充报告页,请稍等！", L"正在将题目保存到数据库,请稍等！"})
    EXPECT_TRUE(Stepped(step)) << WideToUtf8(step);
  // The report is closed again and the paper is the active document.
  EXPECT_EQ(host->ActiveDocument()->FullName(), paper->FullName());

  ASSERT_TRUE(OpenCorpus("exam-student.docx"));
  std::vector<long> all = ImportAll(L"2026高二期中（学生版）");
  ASSERT_EQ(all.size(), 16u);

  auto rows = QueryQuestions(*ctx, L"select * from tm order by id asc");
  std::set<std::wstring> stems;
  for (const auto& q : rows) {
    stems.insert(q.fileName);
    std::wstring text = TextOf(q.fileName + L".doc");
    EXPECT_TRUE(StartsWith(text, L"【题干】")) << q.id;
    EXPECT_TRUE(HasStemAndAnswer(text)) << q.id;
    EXPECT_FALSE(Contains(text, L"[pd")) << q.id;
    EXPECT_TRUE(FileExists(q.fileName + L".wmf"));
    EXPECT_FALSE(q.tmText.empty());
  }
  // Every question saved in the same second still has files of its own.
  EXPECT_EQ(stems.size(), 16u);
  EXPECT_TRUE(StartsWith(TextOf(rows[0].fileName + L".doc"), L"【题干】已知集合"));
  EXPECT_TRUE(Contains(TextOf(rows[0].fileName + L".doc"), L"【答案】C"));
  EXPECT_TRUE(Contains(TextOf(rows[9].fileName + L".doc"), L"【答案】B"));
  // The figure of question 8 travels with it: a picture part of its own,
  // drawn by a drawing whose prefixes the document declares.
  auto parts = docif::ooxml::ReadPackage(WideToUtf8(rows[7].fileName + L".doc"));
  std::string body = parts["word/document.xml"];
  EXPECT_TRUE(std::any_of(parts.begin(), parts.end(), [](const auto& p) { return p.first.starts_with("word/media/"); }));
  EXPECT_NE(body.find("<wp:inline"), std::string::npos);
  EXPECT_NE(body.find("xmlns:wp="), std::string::npos);
  EXPECT_EQ(rows[0].type, L"单选题");
  EXPECT_EQ(rows[4].type, L"填空题");
  EXPECT_EQ(rows[7].type, L"解答题");
  EXPECT_EQ(rows[8].shortName, L"2026高二期中（学生版）");
  for (const auto& p : pictures) EXPECT_GT(p.items, 0u) << WideToUtf8(p.file);

  auto first = FindPaper(*ctx, std::wstring(L"2026高二期中（教师版）"));
  auto second = FindPaper(*ctx, std::wstring(L"2026高二期中（学生版）"));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(ParseIds(first->tmIds), teacher);
  EXPECT_EQ(ParseIds(second->tmIds), std::vector<long>(all.begin() + 8, all.end()));
  EXPECT_EQ(rows[9].paperId, second->id);
}

constexpr wchar_t kQuiz[] =
    L"小测验（教师版）\r一、选择题\r1．已知集合A={1,2}，B={2,3}，则A∩B=（　　）\rA．{1}　B．{2}\r"
    L"【答案】B\r【解析】考点：集合的交集．两个集合的公共元素只有2。\r二、填空题\r2．函数y=2x+1在x=2时的值是____.\r"
    L"【答案】5\r【解析】代入即可。\r";

TEST_F(BatchImport, ReportProposesAndAppliesChoicesToAll) {
  TypePaper(kQuiz);
  auto form = MarkAndOpenImport();
  ASSERT_TRUE(form);
  EXPECT_EQ(form->GetControl(L"txtZSD1").caption, L"知识点：");
  EXPECT_EQ(form->ValueText(L"txtZSD1"), L"集合的交集");
  EXPECT_EQ(form->ValueText(L"txtZSD2"), L"");
  EXPECT_EQ(form->ValueText(L"cmbTX2"), L"填空题");
  EXPECT_EQ(form->ValueText(L"txtPaper"), L"小测验（教师版）");
  std::wstring report = form->Report()->Content()->Text();
  EXPECT_TRUE(Contains(report, L"第1题\r[pdTM]1．已知集合")) << WideToUtf8(report);
  EXPECT_TRUE(Contains(report, L"知识点：集合的交集　　难度：容易　　题型：单选题"));

  form->SetValue(L"cmbDegree", L"较难");
  form->SetValue(L"txtPoint", L"函数");
  form->SetValue(L"chkND", L"1");
  form->Click(L"cmdApply");
  EXPECT_EQ(form->ValueText(L"cmbND2"), L"较难");
  EXPECT_EQ(form->ValueText(L"txtZSD1"), L"集合的交集");  // points not ticked: kept
  EXPECT_TRUE(Contains(form->Report()->Content()->Text(), L"知识点：　　难度：较难　　题型：填空题"));
}

TEST_F(BatchImport, AFailureLosesNothingAndTheRetryStoresTheRest) {
  TypePaper(kQuiz);
  auto form = MarkAndOpenImport();
  ASSERT_TRUE(form);
  FillMissingPoints(*form);
  int calls = 0;
  auto quick = form->writePreview;
  form->writePreview = [&](const pictures::Scene& scene, const std::wstring& file) {
    return ++calls == 2 ? std::wstring(L"磁盘已满") : quick(scene, file);
  };
  ui.Queue(Answer::Yes);
  form->Click(L"cmdOK");
  ui.Queue(Answer::OK);
  FindOpen(L"frmTiKu_PaperInfo")->Click(L"cmdOK");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  EXPECT_EQ(ui.Boxes().back().title, L"错误号: 75");
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"磁盘已满"));
  auto paperRow = FindPaper(*ctx, std::wstring(L"小测验（教师版）"));
  ASSERT_TRUE(paperRow);
  auto rows = QueryQuestions(*ctx, L"select * from tm");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(paperRow->tmIds, std::to_wstring(rows[0].id));
  EXPECT_TRUE(Contains(form->Report()->Content()->Text(), L"（已入库，编号" + std::to_wstring(rows[0].id) + L"）"));

  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  EXPECT_EQ(ui.Boxes().back().text, L"本次录入任务已经全部完成！");
  rows = QueryQuestions(*ctx, L"select * from tm order by id asc");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(FindPaper(*ctx, paperRow->id)->tmIds, std::to_wstring(rows[0].id) + L"," + std::to_wstring(rows[1].id));
  // The failed question left no file behind under another name.
  size_t docs = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(install.Path() / "TK_plendrix"))
    docs += e.path().extension() == ".doc";
  EXPECT_EQ(docs, 2u);
}

TEST_F(BatchImport, WithoutAPaperTheQuestionsAreStillStored) {
  TypePaper(kQuiz);
  auto form = MarkAndOpenImport();
  ASSERT_TRUE(form);
  form->SetValue(L"txtPaper", L"");
  // A question without its knowledge points stops the import before anything is stored.
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  EXPECT_EQ(ui.Boxes().back().text, L"第2题的知识点没有填写，请检查并填写");
  EXPECT_TRUE(QueryQuestions(*ctx, L"select * from tm").empty());
  form->SetValue(L"txtZSD2", L"一次函数， 函数的值");
  ui.Queue(Answer::No);
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  EXPECT_EQ(ui.Boxes()[ui.Boxes().size() - 2].text, L"数据库中还没有当前试卷信息，您要添加试卷信息吗？");
  auto rows = QueryQuestions(*ctx, L"select * from tm");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].paperId, 0);
  EXPECT_EQ(rows[1].points, L"一次函数,函数的值");
  EXPECT_EQ(ProposedPoints(L"考点：函数、导数．"), L"函数,导数");
}

}  // namespace
}  // namespace plx
