#pragma once
// Questions of a real paper stored in the bank and put into a worksheet,
// compared as a teacher sees them: each paragraph's style, alignment,
// spacing, indents and runs (fonts, size, bold, raised or lowered) with
// its text and line breaks, and each table cell by cell. The checks take
// the paper's file, so that they run on a corpus paper and on the copy
// LibreOffice saved again.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bank/bank_fixture.hpp"
#include "bank/frm_tiku_dantiruku.hpp"
#include "bank/tk_insert.hpp"
#include "support/corpus.hpp"

namespace plx::test {

class StoredQuestionTest : public BankDialogTest {
 protected:
  bool OpenPaper(const std::optional<std::filesystem::path>& file) {
    if (!file) return false;
    paper = host->GetDocuments()->Open(Utf8ToWide(file->string()), true);
    return true;
  }

  static docif::RangePtr ParagraphWith(docif::Document& doc, const std::wstring& text) {
    auto paragraphs = doc.Paragraphs();
    for (int i = 1, n = paragraphs->Count(); i <= n; ++i)
      if (Contains(paragraphs->Item(i)->Text(), text)) return paragraphs->Item(i);
    ADD_FAILURE() << "no paragraph holds " << WideToUtf8(text);
    return doc.GetRange(0, 0);
  }

  // A paragraph as seen: its formats, then its runs, each with its font and text.
  static std::wstring Look(const docif::Range& p) {
    auto f = p.GetParagraphFormat();
    auto num = [](const auto& v) { return v ? std::to_wstring(*v) : std::wstring(L"?"); };
    std::wstring look = p.Style() + L" align " + num(f.Alignment) + L" line " + num(f.LineSpacingRule) + L"/" +
                        num(f.LineSpacing) + L" space " + num(f.SpaceBefore) + L"/" + num(f.SpaceAfter) +
                        L" indent " + num(f.LeftIndent) + L"/" + num(f.FirstLineIndent) + L":";
    std::wstring run;
    for (long i = p.Start(); i < p.End(); ++i) {
      auto c = p.Duplicate();
      c->SetRange(i, i + 1);
      std::wstring text = c->Text();
      if (text == L"\r" || text == L"\r\a") continue;  // the marks show no glyph
      auto font = c->Font();
      std::wstring next = L"[" + font.NameAscii.value_or(L"?") + L"," + font.NameFarEast.value_or(L"?") + L"," +
                          num(font.Size) + L"," + num(font.Bold) + L"," + num(font.Position) + L"," +
                          num(font.Superscript) + num(font.Subscript) + L"]";
      if (next != run) look += run = next;
      look += text;
    }
    return look;
  }

  static std::vector<std::wstring> Looks(const docif::Range& r) {
    std::vector<std::wstring> looks;
    auto paragraphs = r.Paragraphs();
    for (int i = 1, n = paragraphs->Count(); i <= n; ++i) looks.push_back(Look(*paragraphs->Item(i)));
    return looks;
  }

  static std::vector<std::vector<std::wstring>> Cells(docif::Document& doc) {
    std::vector<std::vector<std::wstring>> cells;
    auto tables = doc.GetTables();
    for (int t = 1; t <= tables->Count(); ++t) {
      auto table = tables->Item(t);
      for (int r = 1; r <= table->RowsCount(); ++r) {
        cells.emplace_back();
        for (int c = 1; c <= table->ColumnsCount(); ++c) cells.back().push_back(Look(*table->Cell(r, c)));
      }
    }
    return cells;
  }

  // The paper's text [start, end) stored through the single-question
  // dialog, marked in its area by `mark`; the stored row.
  bank::QuestionRow SaveSelection(long start, long end, const std::function<void(bank::frmTiKu_DanTiRuKu&)>& mark) {
    paper->Activate();
    host->GetSelection()->SetRange(start, end);
    auto form = std::make_shared<bank::frmTiKu_DanTiRuKu>(*ctx);
    form->writePreview = [](const pictures::Scene&, const std::wstring& file) {
      std::ofstream(std::filesystem::path(WideToUtf8(file))) << "picture";
      return std::wstring();
    };
    form->Show();
    mark(*form);
    form->SetValue(L"txtPoint", L"函数");
    ui.Queue(Answer::No);  // no paper record
    ui.Queue(Answer::OK);
    ui.Queue(Answer::OK);
    form->Click(L"cmdOK");
    EXPECT_EQ(ui.Boxes().back().text, L"试题信息保存完成！");
    form->Unload();
    auto rows = bank::QueryQuestions(*ctx, L"select * from tm order by id desc");
    return rows.empty() ? bank::QuestionRow{} : rows.front();
  }

  std::shared_ptr<docif::Document> OpenStored(long id) {
    auto row = bank::LoadQuestion(*ctx, id);
    if (!row) return nullptr;
    return host->GetDocuments()->Open(row->fileName + L".doc", true);
  }

  // A new worksheet titled "练习" with the question inserted after the
  // title: the worksheet and the inserted question's range.
  std::pair<std::shared_ptr<docif::Document>, docif::RangePtr> Worksheet(long id) {
    auto sheet = host->GetDocuments()->Add();
    sheet->Content()->InsertBefore(L"练习\r");
    host->GetSelection()->SetRange(3, 3);
    EXPECT_EQ(bank::InsertQuestions(*ctx, {id}), 1);
    return {sheet, sheet->GetRange(3, host->GetSelection()->Start())};
  }

  // The question with a table (3 of the worksheet, its table and the
  // teacher's note under it), stored by the single and by the batch import.
  void CheckTablesKept(const std::optional<std::filesystem::path>& file, const std::string& name) {
    if (!OpenPaper(file)) GTEST_SKIP() << ::test::CorpusMissing(name);
    const auto cells = Cells(*paper);
    ASSERT_EQ(cells.size(), 2u);
    ASSERT_EQ(cells[0].size(), 6u);
    const std::wstring note = Look(*ParagraphWith(*paper, L"教师提示"));
    auto stored = [&](long id, const char* how) {
      SCOPED_TRACE(how);
      auto doc = OpenStored(id);
      ASSERT_TRUE(doc);
      EXPECT_EQ(doc->GetTables()->Count(), 1);
      EXPECT_EQ(Cells(*doc), cells);
      EXPECT_EQ(Look(*ParagraphWith(*doc, L"教师提示")), note);
      auto [sheet, question] = Worksheet(id);
      EXPECT_EQ(Looks(*question), Looks(*doc->Content()));
      EXPECT_EQ(Cells(*sheet), cells);
    };

    long start = ParagraphWith(*paper, L"用描点法")->Start(), end = ParagraphWith(*paper, L"教师提示")->End();
    auto single = SaveSelection(start, end, [&](bank::frmTiKu_DanTiRuKu& form) {
      auto area = form.Area();
      area->GetRange(area->Content()->End() - 1, area->Content()->End() - 1)->InsertBefore(L"\r【答案】略");
      ui.Queue(Answer::OK);
      form.Click(L"cmdYCL");
    });
    stored(single.id, "single import");

    // The worksheet as a teacher's version: a heading, an answer after each question.
    for (const wchar_t* next : {L"4．计算", L"3. 用描点法", L"12．写出", L"2．已知f(x)"}) {
      long at = ParagraphWith(*paper, next)->Start();
      paper->GetRange(at, at)->InsertBefore(L"【答案】略\r");
    }
    paper->GetRange(paper->Content()->End() - 1, paper->Content()->End() - 1)->InsertBefore(L"\r【答案】略");
    long first = ParagraphWith(*paper, L"1、下列")->Start();
    paper->GetRange(first, first)->InsertBefore(L"一、解答题\r");
    paper->Activate();
    auto ids = ImportAll(L"课后练习");
    ASSERT_EQ(ids.size(), 6u);  // the single question and five from the batch
    stored(ids[4], "batch import");
  }

  // A worked answer with a manual line break (question 7 of the teacher's
  // paper, the last paragraph of its stored question) keeps its formats;
  // its heading "【答案】" is the marking's to colour, so it is left out.
  void CheckFormatsKept(const std::optional<std::filesystem::path>& file, const std::string& name) {
    if (!OpenPaper(file)) GTEST_SKIP() << ::test::CorpusMissing(name);
    auto afterHeading = [](const docif::RangePtr& p) {
      auto rest = p->Duplicate();
      rest->SetRange(p->Start() + static_cast<long>(bank::kAnswerMark.size()), p->End());
      return Look(*rest);
    };
    const std::wstring answer = afterHeading(ParagraphWith(*paper, L"最小值为"));
    ASSERT_NE(answer.find(L'\v'), std::wstring::npos);
    auto ids = ImportAll(L"期中");
    ASSERT_EQ(ids.size(), 8u);
    auto doc = OpenStored(ids[6]);
    ASSERT_TRUE(doc);
    auto paragraphs = doc->Paragraphs();
    auto last = paragraphs->Item(paragraphs->Count());
    ASSERT_TRUE(StartsWith(last->Text(), bank::kAnswerMark));
    EXPECT_EQ(afterHeading(last), answer);
    auto [sheet, question] = Worksheet(ids[6]);
    EXPECT_EQ(Looks(*question), Looks(*doc->Content()));
  }

  // Questions 2 (marked by hand) and 4 (pre-processed) of the marked
  // teacher's paper through the single import: no tag, no paper number.
  void CheckTagsRemoved(const std::optional<std::filesystem::path>& file, const std::string& name) {
    if (!OpenPaper(file)) GTEST_SKIP() << ::test::CorpusMissing(name);
    bank::TiKu_AutoMark(*ctx);
    auto cut = [&](const wchar_t* from, const wchar_t* to, bool preprocess) {
      long start = ParagraphWith(*paper, from)->Start(), end = ParagraphWith(*paper, to)->Start();
      return SaveSelection(start, end, [&](bank::frmTiKu_DanTiRuKu& form) {
        if (preprocess) {
          ui.Queue(Answer::OK);
          form.Click(L"cmdYCL");
        } else {
          host->GetSelection()->SetRange(0, 0);
          form.Click(L"cmdBiaoJiTiGan");
        }
      });
    };
    auto second = cut(L"最小正周期", L"已知等差数列", false);
    auto fourth = cut(L"log2x", L"二、填空题", true);
    auto text = [&](long id) {
      auto doc = OpenStored(id);
      return doc ? doc->Content()->Text() : L"";
    };
    EXPECT_TRUE(StartsWith(text(second.id), L"【题干】函数y=sin")) << WideToUtf8(text(second.id));
    EXPECT_TRUE(EndsWithText(text(second.id), L"\r【答案】B\r【解析】T=2π/2=π。\r")) << WideToUtf8(text(second.id));
    EXPECT_TRUE(StartsWith(text(fourth.id), L"【题干】若log2x=3")) << WideToUtf8(text(fourth.id));
    EXPECT_TRUE(Contains(text(fourth.id), L"\r【答案】B\r【详解】由对数定义")) << WideToUtf8(text(fourth.id));

    // A worksheet of both has nothing the mark check counts.
    auto [sheet, question] = Worksheet(second.id);
    EXPECT_EQ(bank::InsertQuestions(*ctx, {fourth.id}), 1);
    EXPECT_FALSE(Contains(sheet->Content()->Text(), L"[pd"));
    EXPECT_TRUE(Contains(bank::TiKu_JianChaBiaoJi(*ctx, false), L"0道大题，0道小题，0个答案"));
  }
};

// The checks on the corpus papers as written (false) or as LibreOffice
// saved them again (true); each test program instantiates one.
class StoredQuestion : public StoredQuestionTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StoredQuestion, KeepsItsTableThroughSingleAndBatchImport) {
  CheckTablesKept(::test::CorpusPaperAs("worksheet.docx", GetParam()), "worksheet.docx");
}

TEST_P(StoredQuestion, KeepsAlignmentStyleFontsAndLineBreaks) {
  CheckFormatsKept(::test::CorpusPaperAs("exam-teacher.docx", GetParam()), "exam-teacher.docx");
}

TEST_P(StoredQuestion, SavedAloneLosesThePapersTagsAndNumber) {
  CheckTagsRemoved(::test::CorpusPaperAs("exam-teacher.docx", GetParam()), "exam-teacher.docx");
}

}  // namespace plx::test
