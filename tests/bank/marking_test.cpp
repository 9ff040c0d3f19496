// Marking real exam papers: the teacher's version (answers after each
// question) and the student's (a separate answer part) are tagged
// completely, checked, and cut into paired questions; the manual toggles,
// the answer colour and the refusals.
#include <gtest/gtest.h>

#include <filesystem>

#include "bank/marking/paper_analysis.hpp"
#include "bank/marking/plrk.hpp"
#include "bank/marking/tk_marking.hpp"
#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "docif/range.hpp"
#include "paper/clean_ups.hpp"
#include "bank/bank_fixture.hpp"

namespace plx {
namespace {

using namespace bank;

const std::wstring kAgree = L"题目数与答案数相符，请点击“批量入库”按钮查看题目并批量入库。";

class Marking : public test::BankDialogTest {
 protected:
  void NewDoc(const std::wstring& text) { TypePaper(text); }
  std::wstring Text() { return doc->Content()->Text(); }
  PaperAnalysis Import() {
    PaperAnalysis got;
    PLRK(*ctx, [&](AddinContext&, PaperAnalysis a) { got = std::move(a); });
    return got;
  }
  std::wstring Flat(const docif::RangePtr& r) { return r ? Trim(Replace(r->Text(), L"\r", L"|")) : L"(none)"; }

  std::shared_ptr<docif::Document>& doc = paper;
};

TEST_F(Marking, TeachersVersionIsMarkedCheckedAndCut) {
  if (!OpenCorpus("exam-teacher.docx")) GTEST_SKIP() << "the shared corpus is not here";
  TiKu_AutoMark(*ctx);
  EXPECT_EQ(ui.ProgressSteps().front().second, L"正在分析试卷内容,检查题号中，请稍等！");
  // The heading right after the score table is found too; the source note is gone.
  EXPECT_NE(Text().find(L"[pdDT]一、选择题"), std::wstring::npos);
  EXPECT_EQ(Text().find(L"[来源"), std::wstring::npos);
  ui.Queue(Answer::OK);
  EXPECT_EQ(TiKu_JianChaBiaoJi(*ctx, true), L"本次共检测到3道大题，8道小题，8个答案。\r\n" + kAgree);
  EXPECT_EQ(ui.Boxes().back().text, L"本次共检测到3道大题，8道小题，8个答案。\r\n" + kAgree);
  auto tag = doc->Content();
  auto find = tag->GetFind();
  find->Text = L"[pdTM]";
  ASSERT_TRUE(find->Execute());
  EXPECT_EQ(tag->Font().Bold, true);
  EXPECT_EQ(tag->Font().Color, 0xFF0000u);

  PaperAnalysis a = Import();
  ASSERT_EQ(a.questions.size(), 8u);
  ASSERT_EQ(a.bigs.size(), 3u);
  EXPECT_EQ(a.bigs[1].title.substr(0, 11), L"[pdDT]二、填空题");
  EXPECT_TRUE(Flat(a.questions[0].stem).starts_with(L"[pdTM]1．已知集合"));
  EXPECT_TRUE(Flat(a.questions[0].answer).starts_with(L"[pdAns]【答案】C|【解析】"));
  EXPECT_EQ(a.questions[0].big, 0);
  EXPECT_EQ(a.questions[4].big, 1);
  EXPECT_EQ(a.questions[7].big, 2);
  EXPECT_TRUE(Flat(a.questions[7].answer).starts_with(L"[pdAns]【答案】作AD⊥BC"));
  EXPECT_EQ(ui.ProgressSteps().back().second, L"试卷内容分析完成！");
}

TEST_F(Marking, StudentsVersionHasItsAnswersInTheirOwnPart) {
  if (!OpenCorpus("exam-student.docx")) GTEST_SKIP() << "the shared corpus is not here";
  TiKu_AutoMark(*ctx);
  EXPECT_EQ(TiKu_JianChaBiaoJi(*ctx, false), L"本次共检测到3道大题，8道小题，8个答案。\r\n" + kAgree);
  // Answers listed several to a line each get their tag; the answer part's
  // own headings and the question numbers inside it stay untagged.
  EXPECT_NE(Text().find(L"[pdAns]1．C\u3000[pdAns]2．B"), std::wstring::npos);
  EXPECT_NE(Text().find(L"[pdAns]5．[1,+∞)\u3000[pdAns]6．4"), std::wstring::npos);
  EXPECT_NE(Text().find(L"参考答案\r一、选择题"), std::wstring::npos);
  PaperAnalysis a = Import();
  ASSERT_EQ(a.questions.size(), 8u);
  EXPECT_EQ(a.answers, 8u);
  EXPECT_TRUE(Flat(a.questions[1].stem).starts_with(L"[pdTM]2．函数y=sin"));
  EXPECT_TRUE(Flat(a.questions[1].answer).starts_with(L"[pdAns]2．B\u3000"));
  EXPECT_EQ(a.questions[1].answer->End() - a.questions[1].answer->Start(), 11);
  EXPECT_TRUE(Flat(a.questions[6].answer).starts_with(L"[pdAns]7．解："));
  EXPECT_EQ(a.questions[5].big, 1);
}

TEST_F(Marking, RefusalsAndDisagreements) {
  NewDoc(L"");
  ui.Queue(Answer::OK);
  Import();
  EXPECT_EQ(ui.Boxes().back().text, L"当前文档不是题库数据源，请先打开题库数据源文件（如试卷等）。");

  NewDoc(L"一、选择题\r1．x=2.5时\r2．y");
  ui.Queue(Answer::OK);
  TiKu_AutoMark(*ctx);
  EXPECT_EQ(ui.Boxes().back().text, L"该试卷可能没有答案，请检查核对一下！");
  EXPECT_EQ(Text().find(L"[pd"), std::wstring::npos);

  // Tags without answers: the disagreement first, and no import.
  NewDoc(L"[pdDT]一、选择题\r[pdTM]1．x\r[pdTM]2．y\r参考答案");
  bool opened = false;
  ui.Queue(Answer::OK);
  PLRK(*ctx, [&](AddinContext&, PaperAnalysis) { opened = true; });
  EXPECT_FALSE(opened);
  EXPECT_EQ(ui.Boxes().back().text,
            L"没有找到题目或题目数与答案数不符，请手工检查相关数据。\r\n本次共检测到1道大题，2道小题，0个答案。");
}

TEST_F(Marking, AutomaticNumbersAreNamedWhenNoQuestionIsFound) {
  NewDoc(L"测验\r一、选择题\r1．x\r【答案】A\r2．y\r【答案】B\r");
  doc->Content()->Select();
  ASSERT_EQ(Renumber(*ctx), 2);  // 重新编号: the numbers are no text any more
  TiKu_AutoMark(*ctx);
  EXPECT_EQ(TiKu_JianChaBiaoJi(*ctx, false),
            L"没有找到题目或题目数与答案数不符，请手工检查相关数据。\r\n本次共检测到1道大题，0道小题，2个答案。\r\n"
            L"试卷的题号是自动编号，标记找不到它们：请全选试卷，按“切换编号”把题号变成文字后再自动标记。");
}

TEST_F(Marking, TogglesTagAndUntagTheSelection) {
  NewDoc(L"一、选择题\r1．已知x=2.5");
  auto sel = host->GetSelection();
  sel->SetRange(0, 0);
  ui.Queue(Answer::OK);
  ToggleMark(*ctx, MarkKind::BigQuestion);
  EXPECT_EQ(ui.Boxes().back().text, L"请选择一个大题或大题标记");
  sel->SetRange(6, 15);
  ToggleMark(*ctx, MarkKind::SmallQuestion);
  EXPECT_EQ(Text(), L"一、选择题\r[pdTM]1．已知x=2.5\r");
  EXPECT_EQ(doc->GetRange(6, 12)->Font().Color, 0xFF0000u);
  // The selection now covers the tag and its text: pressing again removes the tag.
  ToggleMark(*ctx, MarkKind::SmallQuestion);
  EXPECT_EQ(Text(), L"一、选择题\r1．已知x=2.5\r");
}

TEST_F(Marking, AnswersColouredHiddenAndShown) {
  NewDoc(L"1．题目\r答案是2");
  ui.Queue(Answer::OK);
  ColourAnswer(*ctx);  // nothing selected
  EXPECT_EQ(ui.Boxes().back().text, L"请选择要染色的答案文字");
  // The answer's line selected without its paragraph mark.
  host->GetSelection()->SetRange(5, 9);
  ColourAnswer(*ctx);
  uint32_t colour = static_cast<uint32_t>(ConfigGroup(*ctx, L"tikuconfig").Number(L"AnsFontColor"));
  EXPECT_EQ(doc->GetRange(5, 9)->Font().Color, colour);
  HideAnswers(*ctx, true);
  EXPECT_EQ(doc->GetRange(5, 10)->Font().Hidden, true);
  EXPECT_NE(doc->GetRange(0, 4)->Font().Hidden, true);
  HideAnswers(*ctx, false);
  EXPECT_EQ(doc->GetRange(5, 10)->Font().Hidden, false);
}

}  // namespace
}  // namespace plx
