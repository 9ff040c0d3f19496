// Browsing the bank: every view counts and pages its own questions (page 2
// of 25 at ten a page is the 11th to 20th newest), filters and point names
// cannot change a statement, the page size is checked, and ticked
// questions go into a worksheet or out of the bank with their files.
#include <gtest/gtest.h>

#include "bank/frm_tiku_view.hpp"
#include "bank/frm_tree.hpp"
#include "bank/tk_pages.hpp"
#include "bank/tk_papers.hpp"
#include "common/paths.hpp"
#include "bank/bank_fixture.hpp"

namespace plx {
namespace {

using namespace bank;

class Browse : public test::BankDialogTest {
 protected:
  long AddQ(long chapter, const std::wstring& points, const std::wstring& type = L"单选题") {
    QuestionRow q;
    q.type = type;
    q.degree = L"中等";
    q.chapter = chapter;
    q.points = points;
    return AddQuestion(*ctx, q);
  }
  std::shared_ptr<frmTiKu_View> OpenView(int kind, const std::wstring& node = L"") {
    auto view = std::make_shared<frmTiKu_View>(*ctx);
    view->Show();
    view->SetValue(L"optViewType", std::to_wstring(kind));
    if (!node.empty()) view->SetValue(L"txtFind", node);
    view->SetValue(L"txtMeiYeTiMuShu", L"10");
    return view;
  }
  static std::wstring Ids(std::vector<long>::const_iterator from, std::vector<long>::const_iterator to) {
    std::vector<std::wstring> parts;
    for (auto it = from; it != to; ++it) parts.push_back(std::to_wstring(*it));
    return Join(parts, L"||");
  }
  std::wstring Caption(Form& f, const std::wstring& name) { return f.GetControl(name).caption; }
};

TEST_F(Browse, EveryViewCountsAndPagesItsOwnQuestions) {
  // Chapter 7 gets 25 questions among others; newest first.
  std::vector<long> chapter, all;
  for (int i = 0; i < 40; ++i) {
    long id = AddQ(i % 8 < 5 ? 7 : 9, i % 2 ? L"交集" : L"函数的单调性", i % 4 ? L"单选题" : L"填空题");
    all.push_back(id);
    if (i % 8 < 5) chapter.push_back(id);
  }
  std::reverse(chapter.begin(), chapter.end());
  ASSERT_EQ(chapter.size(), 25u);
  auto tree = ChapterTree(*ctx);
  auto view = OpenView(frmTiKu_View::kByChapter);
  view->SetValue(L"lstTree", std::to_wstring(std::find_if(tree.begin(), tree.end(), [](auto& n) { return n.id == 7; }) - tree.begin()));
  view->Click(L"cmdCX");
  EXPECT_EQ(Caption(*view, L"labCount"), L"当前章节下共有25道试题");
  EXPECT_EQ(Caption(*view, L"labPages"), L"共3页");
  EXPECT_EQ(view->ShownIds(), Ids(chapter.begin(), chapter.begin() + 10));
  view->SetValue(L"lstPage", L"1");
  EXPECT_EQ(Caption(*view, L"labPage"), L"第2页");
  EXPECT_EQ(view->ShownIds(), Ids(chapter.begin() + 10, chapter.begin() + 20));
  view->Click(L"cmdNext");
  EXPECT_EQ(view->ShownIds(), Ids(chapter.begin() + 20, chapter.end()));
  EXPECT_FALSE(view->GetControl(L"chkTM6").visible);
  EXPECT_TRUE(view->GetControl(L"chkTM5").visible);
  view->Click(L"cmdNext");  // no page 4
  EXPECT_EQ(Caption(*view, L"labPage"), L"第3页");
  // The type filter.
  view->SetValue(L"cmbTX", L"填空题");
  view->Click(L"cmdCX");
  EXPECT_EQ(Caption(*view, L"labCount"), L"当前章节下共有10道试题");

  // A point and its children: "集合" holds "交集".
  view->SetValue(L"cmbTX", L"全部");
  view->SetValue(L"optViewType", L"1");
  view->SetValue(L"txtFind", L"集合");
  view->Click(L"cmdCX");
  EXPECT_EQ(Caption(*view, L"labCount"), L"当前知识点下共有20道试题");
  EXPECT_EQ(Caption(*view, L"labPages"), L"共2页");

  view->SetValue(L"optViewType", L"3");
  view->Click(L"cmdCX");
  EXPECT_EQ(Caption(*view, L"labCount"), L"当前题库共有40道试题");
  view->SetValue(L"lstPage", L"3");
  std::vector<long> newest(all.rbegin(), all.rend());
  EXPECT_EQ(view->ShownIds(), Ids(newest.begin() + 30, newest.end()));

  // A paper in its own order.
  ui.Queue(Answer::OK);
  long paper = *SavePaper(*ctx, {0, L"期中", L"高一", L"浙江", L"2026", L"", L"期中考试", L""});
  SaveTM2Paper(*ctx, paper, {all[5], all[2], all[9]});
  view->SetValue(L"optViewType", L"2");
  view->SetValue(L"lstTree", L"0");
  view->Click(L"cmdCX");
  EXPECT_EQ(Caption(*view, L"labCount"), L"当前试卷共有3道试题");
  EXPECT_EQ(view->ShownIds(), std::to_wstring(all[2]) + L"||" + std::to_wstring(all[5]) + L"||" + std::to_wstring(all[9]));
}

TEST_F(Browse, APapersMissingOrSingleQuestionsAreTold) {
  long a = AddQ(7, L"交集"), b = AddQ(7, L"并集");
  ui.Queue(Answer::OK);
  ASSERT_TRUE(SavePaper(*ctx, {0, L"空卷", L"高一", L"浙江", L"2026", L"", L"期中考试", L""}));
  ui.Queue(Answer::OK);
  long single = *SavePaper(*ctx, {0, L"单题卷", L"高一", L"浙江", L"2026", L"", L"期中考试", L""});
  ui.Queue(Answer::OK);
  long gone = *SavePaper(*ctx, {0, L"缺题卷", L"高一", L"浙江", L"2026", L"", L"期中考试", L""});
  SaveTM2Paper(*ctx, single, {a});
  SaveTM2Paper(*ctx, gone, {b, a});
  DeleteQuestion(*ctx, b);
  auto view = OpenView(frmTiKu_View::kByPaper);  // newest paper first
  auto show = [&](int row) {
    view->SetValue(L"lstTree", std::to_wstring(row));
    view->Click(L"cmdCX");
  };
  size_t boxes = ui.Boxes().size();
  ui.Queue(Answer::OK);
  show(2);
  EXPECT_EQ(ui.Boxes().back().text, L"当前试卷中并没有题目的记录哦！记得为试卷添加信息或检查数据是否正常。");
  EXPECT_EQ(ui.Boxes().size(), boxes + 1);
  ui.Queue(Answer::No);
  show(1);
  EXPECT_EQ(ui.Boxes().back().title, L"试卷打开确认");
  EXPECT_EQ(view->ShownIds(), L"");
  ui.Queue(Answer::Yes);
  show(1);
  EXPECT_EQ(view->ShownIds(), std::to_wstring(a));
  ui.Queue(Answer::OK);
  show(0);
  EXPECT_EQ(ui.Boxes().back().text, L"生成试卷的过程中，程序检查到id为" + std::to_wstring(b) +
                                        L"的题目信息丢失，这些题目可能已经被删除，请检查！");
  EXPECT_EQ(Caption(*view, L"labCount"), L"当前试卷共有1道试题");
  EXPECT_EQ(view->ShownIds(), std::to_wstring(a));
}

TEST_F(Browse, NamesAndSizesCannotMisleadTheQuery) {
  AddQ(7, L"交集");
  // A point name that would close the quoted list and widen the condition.
  EXPECT_EQ(CountRows(*ctx, PointCountSql({L"x\") or (1=1) or instr(\"y"})), 0);
  EXPECT_EQ(CountRows(*ctx, PointCountSql({L"集合", L"交集"})), 1);
  EXPECT_EQ(CountRows(*ctx, AllCountSql({L"单选题' or '1'='1", L""})), 0);

  auto view = OpenView(frmTiKu_View::kAll);
  view->SetValue(L"txtMeiYeTiMuShu", L"12");
  ui.Queue(Answer::No);
  view->Click(L"cmdCX");
  EXPECT_EQ(ui.Boxes().back().text, L"每页显示题目数过多可能导致程序出错，你确定要这样做吗？");
  EXPECT_EQ(view->ShownIds(), L"");
  view->SetValue(L"txtMeiYeTiMuShu", L"0");
  ui.Queue(Answer::OK);
  view->Click(L"cmdCX");
  EXPECT_EQ(ui.Boxes().back().text, L"每页显示题目数不正常，请检查！");
  // A chapter with nothing in it.
  view->SetValue(L"txtMeiYeTiMuShu", L"5");
  view->SetValue(L"optViewType", L"0");
  view->SetValue(L"lstTree", L"0");
  ui.Queue(Answer::OK);
  view->Click(L"cmdCX");
  EXPECT_EQ(ui.Boxes().back().text, L"当前符合条件的记录为0条，请多添加些题目吧！");
}

TEST_F(Browse, TickedQuestionsGoIntoTheWorksheetOrOutOfTheBank) {
  TypePaper(L"小测验（教师版）\r一、选择题\r1．已知集合A={1,2}，B={2,3}，则A∩B=（　　）\r【答案】B\r"
            L"二、填空题\r2．函数y=2x+1在x=2时的值是____.\r【答案】5\r");
  auto form = MarkAndOpenImport();
  ASSERT_TRUE(form);
  FillMissingPoints(*form);
  ui.Queue(Answer::No);
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK");
  auto worksheet = host->GetDocuments()->Add();
  worksheet->Content()->InsertBefore(L"练习卷\r");
  host->GetSelection()->SetRange(4, 4);

  auto view = OpenView(frmTiKu_View::kAll);
  view->Click(L"cmdCX");
  ASSERT_EQ(Caption(*view, L"labCount"), L"当前题库共有2道试题");
  ui.Queue(Answer::OK);
  view->Click(L"cmdToWord");
  EXPECT_EQ(ui.Boxes().back().text, L"请先勾选要插入的试题。");
  view->Click(L"cmdAll");
  view->Click(L"cmdToWord");
  std::wstring text = worksheet->Content()->Text();
  EXPECT_EQ(text, L"练习卷\r【题干】函数y=2x+1在x=2时的值是____.\r【答案】5\r【题干】已知集合A={1,2}，B={2,3}，则A∩B=（　　）\r【答案】B\r\r");
  EXPECT_EQ(host->GetSelection()->Start(), static_cast<long>(text.size()) - 1);
  auto used = QueryQuestions(*ctx, L"select * from tm order by id asc");
  EXPECT_EQ(used[0].usedTimes, 1);
  EXPECT_EQ(used[0].lastUsed, clock.ShortDateText());
  // The worksheet is saved and read back with the questions.
  test::TempDir dir;
  worksheet->SaveAs(dir.WPath() + L"/练习卷.docx");
  auto again = host->GetDocuments()->Open(dir.WPath() + L"/练习卷.docx", true);
  EXPECT_EQ(again->Content()->Text(), text);

  view->Click(L"cmdNot");
  view->SetValue(L"chkTM1", L"1");
  ui.Queue(Answer::Yes);
  view->Click(L"cmdDelete");
  EXPECT_EQ(ui.Boxes().back().title, L"试题删除确认");
  EXPECT_FALSE(FileExists(used[1].fileName + L".doc"));
  EXPECT_FALSE(FileExists(used[1].fileName + L".wmf"));
  EXPECT_TRUE(FileExists(used[0].fileName + L".doc"));
  EXPECT_EQ(Caption(*view, L"labCount"), L"当前题库共有1道试题");
  EXPECT_EQ(view->ShownIds(), std::to_wstring(used[0].id));
  EXPECT_NE(view->PreviewSvg().find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace plx
