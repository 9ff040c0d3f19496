#pragma once
// Commands on a real paper change only what they are for: marking and
// unmarking give the paper back, watermark removal keeps hidden answers,
// a prime factorisation leaves plain typing behind it, the embellishment
// keeps bold headings bold, and a stem-and-leaf plot goes into a table
// cell. The cases run on the corpus papers as another word processor wrote
// them (plendrix_tests) and as LibreOffice saved them again
// (plendrix_lo_tests): each program instantiates `PaperKept` with false or
// true for "re-saved".
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "formula/numbers/frm_fenjie.hpp"
#include "support/addin_fixtures.hpp"
#include "support/corpus.hpp"

namespace plx::test {

// The first line where two dumps differ, with its number; empty when equal.
inline std::string FirstDifference(const std::string& a, const std::string& b) {
  std::istringstream x(a), y(b);
  std::string l, r;
  for (int n = 1;; ++n) {
    const bool more = static_cast<bool>(std::getline(x, l)), other = static_cast<bool>(std::getline(y, r));
    if (!more && !other) return "";
    if (!more || !other || l != r) return "line " + std::to_string(n) + ": " + l + "  ≠  " + r;
  }
}

class PaperKept : public ConnectedAddinTest, public ::testing::WithParamInterface<bool> {
 protected:
  // Opens the paper (re-saved by LibreOffice when the parameter says so)
  // as the active document; false when it is not here.
  bool OpenPaper(const std::string& name) {
    const auto path = ::test::CorpusPaperAs(name, GetParam());
    if (!path) return false;
    doc = host->GetDocuments()->Open(Utf8ToWide(path->string()), true);
    return true;
  }
  docif::model::DocData& Data() { return *static_cast<docif::model::ModelDocument&>(*doc).Data(); }
  void Setting(const std::wstring& group, const std::wstring& key, const std::wstring& value) {
    ConfigGroup(*ctx, group).Set(key, value);
  }
  // The first occurrence of a text at or after `from`, or null.
  docif::RangePtr Found(const std::wstring& text, long from = 0) {
    auto r = doc->GetRange(from, doc->Content()->End());
    auto f = r->GetFind();
    f->Text = text;
    return f->Execute() ? r : nullptr;
  }
  void DeleteAll(const std::wstring& wildcards) {
    auto f = doc->Content()->GetFind();
    f->Text = wildcards;
    f->Replacement.Text = L"";
    f->MatchWildcards = true;
    f->Execute(docif::kReplaceAll);
  }
  // The paragraphs whose text starts with `start`.
  std::vector<docif::RangePtr> ParagraphsStarting(const std::wstring& start) {
    std::vector<docif::RangePtr> found;
    auto ps = doc->Paragraphs();
    for (int i = 1; i <= ps->Count(); ++i)
      if (ps->Item(i)->Text().starts_with(start)) found.push_back(ps->Item(i));
    return found;
  }
  // Marks the paper, unmarks every tag by selecting it and pressing its
  // toggle button, and compares the paper with what it was.
  void MarkAndUnmark(const std::string& name) {
    if (!OpenPaper(name)) GTEST_SKIP() << ::test::CorpusMissing(name);
    DeleteAll(L"\\[来源[!^13]@\\]");  // the marking removes source notes: gone first, the rest compares
    const std::string before = docif::model::DumpJson(Data());
    Press(L"rxBtntiku_zidongbiaoji");
    int tags = 0;
    for (auto tag = Found(L"[pd"); tag && tags < 100; tag = Found(L"[pd"), ++tags) {
      const std::wstring kind = doc->GetRange(tag->Start(), tag->Start() + 5)->Text();
      host->GetSelection()->SetRange(tag->Start(), Found(L"]", tag->Start())->End());
      Press(kind == L"[pdDT" ? L"rxBtntiku_biaojidati" : kind == L"[pdTM" ? L"rxBtntiku_biaojixiaoti" : L"rxBtntiku_biaojidaan");
    }
    EXPECT_EQ(tags, 19) << "3 big questions, 8 questions and 8 answers";
    EXPECT_EQ(FirstDifference(before, docif::model::DumpJson(Data())), "");
  }
  // A paragraph's text without its mark.
  static docif::RangePtr WithoutMark(const docif::RangePtr& p) {
    auto r = p->Duplicate();
    r->SetEnd(r->End() - 1);
    return r;
  }
};

// Every tag the marking wrote, unmarked again with the toggle buttons, leaves
// the paper as it was: the paragraph marks before the tags and the
// question numbers and answers behind them keep their own formatting.
TEST_P(PaperKept, MarkingAndUnmarkingGiveTheTeachersPaperBack) { MarkAndUnmark("exam-teacher.docx"); }
TEST_P(PaperKept, MarkingAndUnmarkingGiveTheStudentsPaperBack) { MarkAndUnmark("exam-student.docx"); }

// Answers hidden by the answer commands survive watermark removal's
// hidden-text step; other hidden text goes only when the teacher agrees.
TEST_P(PaperKept, WatermarkRemovalKeepsHiddenAnswers) {
  if (!OpenPaper("exam-teacher.docx")) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  const auto answers = ParagraphsStarting(L"【答案】");
  ASSERT_EQ(answers.size(), 8u);
  for (const auto& a : answers) {
    WithoutMark(a)->Select();
    Press(L"rxBtntiku_ransedaan");
  }
  Press(L"rxBtntiku_yincangdaan");
  auto note = Found(L"（考试时间：120分钟");
  ASSERT_TRUE(note);
  note->SetFont({.Hidden = true});
  Setting(L"shuiyinconfig", L"blQuShuiYin0", L"False");
  Setting(L"shuiyinconfig", L"blQuShuiYin1", L"False");
  Setting(L"shuiyinconfig", L"blQuShuiYin4", L"True");
  ui.Queue(Answer::No);
  Press(L"rxBtnonekey_qushuiyin");
  ASSERT_EQ(ui.Boxes().size(), 1u) << "asked before deleting hidden text";
  EXPECT_EQ(ui.Boxes()[0].buttons, Buttons::YesNo);
  EXPECT_TRUE(Found(L"（考试时间：120分钟")) << "the teacher said no";
  ui.Queue(Answer::Yes);
  Press(L"rxBtnonekey_qushuiyin");
  EXPECT_FALSE(Found(L"（考试时间：120分钟"));
  EXPECT_TRUE(Found(L"满分：150分）"));
  const auto kept = ParagraphsStarting(L"【答案】");
  ASSERT_EQ(kept.size(), 8u);
  EXPECT_EQ(kept.front()->Text(), L"【答案】C\r");
  EXPECT_EQ(kept.back()->Text(), L"【答案】作AD⊥BC于D，则BD=3，AD=4，面积S=½×6×4=12。\r");
  for (const auto& a : kept) EXPECT_EQ(a->Font().Hidden, true);
}

// Text typed after an inserted prime factorisation is plain, not raised
// like the exponent before it.
TEST_P(PaperKept, TypingAfterAFactorisationIsPlain) {
  if (!OpenPaper("exam-teacher.docx")) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  auto after = Found(L"所以a5=2+4×2=10。");
  ASSERT_TRUE(after);
  host->GetSelection()->SetRange(after->End(), after->End());
  auto form = std::make_shared<frmFenJie>(*ctx);
  form->Show();
  form->SetValue(L"Text1", L"72");
  form->Click(L"cmdInsert");
  host->GetSelection()->TypeText(L"，即8×9");
  auto typed = Found(L"72= 23·32，即8×9");
  ASSERT_TRUE(typed);
  EXPECT_EQ(doc->GetRange(typed->Start() + 5, typed->Start() + 6)->Font().Superscript, true);
  EXPECT_EQ(doc->GetRange(typed->Start() + 8, typed->Start() + 9)->Font().Superscript, true);
  EXPECT_EQ(doc->GetRange(typed->End() - 5, typed->End())->Font().Superscript, false);
  EXPECT_TRUE(Found(L"=10。72= ")) << "the answer before keeps its text";
}

// Embellishing the whole paper sets the fonts of letters and digits but
// leaves bold text bold.
TEST_P(PaperKept, EmbellishingKeepsBoldHeadingsBold) {
  if (!OpenPaper("exam-teacher.docx")) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  std::vector<long> bold;
  auto ps = doc->Paragraphs();
  for (int i = 1; i <= ps->Count(); ++i)
    if (ps->Item(i)->End() - ps->Item(i)->Start() > 1 && WithoutMark(ps->Item(i))->Font().Bold == true)
      bold.push_back(i);
  ASSERT_GE(bold.size(), 4u) << "the title and three group headings";
  Setting(L"mhgsconfig", L"noSelection", L"0");
  Setting(L"mhgsconfig", L"blBold_Num", L"False");
  host->GetSelection()->SetRange(0, 0);
  Press(L"rxBtnGS_mhgs");
  ps = doc->Paragraphs();
  for (long i : bold) EXPECT_EQ(WithoutMark(ps->Item(i))->Font().Bold, true) << WideToUtf8(ps->Item(i)->Text());
  auto digits = Found(L"共4小题");
  ASSERT_TRUE(digits);
  EXPECT_EQ(doc->GetRange(digits->Start() + 1, digits->Start() + 2)->Font().Name, L"Times New Roman")
      << "the digits still got their font";
}

// A stem-and-leaf plot with the insertion point in a cell of the score
// table stands in that cell, and is saved there.
TEST_P(PaperKept, AStemAndLeafPlotGoesIntoATableCell) {
  if (!OpenPaper("exam-teacher.docx")) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  ASSERT_EQ(doc->GetTables()->Count(), 1);
  auto score = doc->GetTables()->Item(1);
  auto cell = score->Cell(2, 2);
  host->GetSelection()->SetRange(cell->Start(), cell->Start());
  Press(L"rxBtnPMJH_TJT");
  auto form = ctx->OpenForms.back();
  form->SetValue(L"optDataType", L"1");
  form->SetValue(L"txtDataJYT(0)", L"68,72,75,81,92");
  form->SetValue(L"txtDataJYT(1)", L"65,74,80,84,97");
  form->Click(L"cmdOKJY");
  form->Unload();
  ASSERT_EQ(doc->GetTables()->Count(), 1) << "the plot is no table of the page";
  ASSERT_EQ(score->RowsCount(), 2);
  ASSERT_EQ(score->ColumnsCount(), 5);
  EXPECT_EQ(score->Cell(1, 2)->Text(), L"一");
  auto inner = score->Cell(2, 2)->GetTables();
  ASSERT_EQ(inner->Count(), 1);
  auto plot = inner->Item(1);
  EXPECT_EQ(plot->RowsCount(), 5);
  EXPECT_EQ(plot->Cell(1, 3)->Text(), L"乙");
  EXPECT_EQ(plot->Cell(3, 1)->Text(), L"5 2");
  EXPECT_EQ(score->Cell(2, 3)->Text(), L"") << "the next cell is untouched";

  // Saved, the plot's table stands inside the cell, which still ends with a paragraph.
  const std::string xml = docif::ooxml::BuildDocx(Data())["word/document.xml"];
  const size_t outer = xml.find("<w:tbl>"), nested = xml.find("<w:tbl>", outer + 1);
  ASSERT_NE(nested, std::string::npos);
  const size_t nestedEnd = xml.find("</w:tbl>", nested), cellEnd = xml.find("</w:tc>", nestedEnd);
  EXPECT_GT(xml.find("</w:tbl>", outer), nested) << "opened inside the outer table";
  EXPECT_LT(nestedEnd, xml.find("</w:tbl>", nestedEnd + 1)) << "closed inside the outer table";
  EXPECT_NE(xml.substr(nestedEnd, cellEnd - nestedEnd).find("<w:p>"), std::string::npos);
  EXPECT_GT(xml.find("乙", nested), nested);
  EXPECT_LT(xml.find("乙", nested), nestedEnd);
}

}  // namespace plx::test
