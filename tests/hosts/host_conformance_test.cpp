// The document-host surface's promises, held on every host: the same
// positions as the model counts them (past tables, cell ends, row ends and
// inline pictures), find and replace with the host's wildcards across
// paragraphs, paragraph formats, fonts, styles by their Chinese names, live
// ranges and undo steps. Each case runs on the corpus papers as written and
// as LibreOffice saved them again, on the model and on LibreOffice.
#include <gtest/gtest.h>

#include <tuple>

#include "common/error.hpp"
#include "docif/document.hpp"
#include "hosts/host_under_test.hpp"
#include "support/corpus.hpp"
#include "support/docx_package.hpp"
#include "support/test_addin.hpp"

namespace {

using namespace plx::docif;
using test::Host;

struct Paper {
  const char* name;
  bool resaved;
};

class HostConformance : public ::testing::TestWithParam<std::tuple<Host, Paper>> {
 protected:
  void SetUp() override {
    const auto [host, paper] = GetParam();
    auto path = test::CorpusPaperAs(paper.name, paper.resaved);
    if (!path) GTEST_SKIP() << test::CorpusMissing(paper.name);
    std::string why;
    app_ = test::StartHost(host, &why);
    if (!app_) GTEST_SKIP() << test::HostName(host) << ": " << why;
    doc_ = app_->GetDocuments()->Open(path->wstring(), false);
    // The reference: the same paper as the model reads it.
    model_ = test::StartHost(Host::Model, &why);
    reference_ = model_->GetDocuments()->Open(path->wstring(), false);
  }
  void TearDown() override {
    if (app_ && doc_) app_->GetDocuments()->Close(doc_);
  }

  // Paragraph texts with their positions, as a host shows them.
  static std::vector<std::tuple<long, long, std::wstring>> Layout(Document& doc) {
    std::vector<std::tuple<long, long, std::wstring>> out;
    auto paragraphs = doc.Paragraphs();
    for (int i = 1; i <= paragraphs->Count(); ++i) {
      auto p = paragraphs->Item(i);
      out.emplace_back(p->Start(), p->End(), p->Text());
    }
    return out;
  }

  // The position just after the first occurrence of `text`, found by the host's own find.
  static long After(Document& doc, const std::wstring& text) {
    auto range = doc.Content();
    auto find = range->GetFind();
    find->Text = text;
    return find->Execute() ? range->End() : -1;
  }

  std::shared_ptr<Application> app_, model_;
  std::shared_ptr<Document> doc_, reference_;
};

TEST_P(HostConformance, ParagraphsTablesAndPicturesSitWhereTheModelCountsThem) {
  EXPECT_EQ(Layout(*doc_), Layout(*reference_));
  EXPECT_EQ(doc_->Content()->End(), reference_->Content()->End());
  EXPECT_EQ(doc_->Content()->Text(), reference_->Content()->Text());
  // Every table's cells, and a range made from positions, agree too.
  ASSERT_EQ(doc_->GetTables()->Count(), reference_->GetTables()->Count());
  for (int t = 1; t <= doc_->GetTables()->Count(); ++t) {
    auto table = doc_->GetTables()->Item(t), expected = reference_->GetTables()->Item(t);
    ASSERT_EQ(table->RowsCount(), expected->RowsCount());
    ASSERT_EQ(table->ColumnsCount(), expected->ColumnsCount());
    EXPECT_EQ(table->GetRange()->Start(), expected->GetRange()->Start());
    EXPECT_EQ(table->GetRange()->End(), expected->GetRange()->End());
    for (int r = 1; r <= table->RowsCount(); ++r)
      for (int c = 1; c <= table->ColumnsCount(); ++c) {
        auto cell = table->Cell(r, c);
        EXPECT_EQ(cell->Start(), expected->Cell(r, c)->Start()) << r << "," << c;
        EXPECT_EQ(cell->Text(), expected->Cell(r, c)->Text()) << r << "," << c;
        EXPECT_EQ(doc_->GetRange(cell->Start(), cell->End())->Text(), cell->Text());
      }
  }
  // Positions after the table: the text that follows it is found at the model's place.
  const long end = doc_->Content()->End();
  for (long at : {0L, end / 3, end / 2, end - 10}) {
    EXPECT_EQ(doc_->GetRange(at, at + 8)->Text(), reference_->GetRange(at, at + 8)->Text()) << at;
  }
}

TEST_P(HostConformance, EditsMoveLiveRangesAsTheModelMovesThem) {
  for (Document* doc : {doc_.get(), reference_.get()}) {
    auto last = doc->Paragraphs()->Last();
    auto third = doc->Paragraphs()->Item(3);
    const std::wstring thirdText = third->Text();
    doc->GetRange(0, 0)->InsertBefore(L"前言\r第二行\r");
    EXPECT_EQ(third->Text(), thirdText) << "a range after the edit moves with its text";
    third->InsertAfter(L"补充𝑥");  // a character outside the 16-bit plane counts once
    EXPECT_EQ(third->Text(), thirdText + L"补充𝑥");
    // A host range turned back into a position: a bookmark just after it.
    auto after = doc->GetRange(third->End(), third->End() + 1);
    doc->GetBookmarks()->Add(L"after", *after);
    EXPECT_EQ(doc->GetBookmarks()->Item(L"after")->Start(), third->End());
    auto word = doc->GetRange(third->Start(), third->Start() + 2);
    word->SetText(L"新的文字");
    EXPECT_EQ(word->Text(), L"新的文字");
    doc->GetRange(0, 3)->Delete();
    EXPECT_EQ(doc->GetRange(0, 4)->Text(), L"第二行\r");
    EXPECT_EQ(last->End(), doc->Content()->End());
  }
  EXPECT_EQ(Layout(*doc_), Layout(*reference_));
}

TEST_P(HostConformance, WildcardsAndCodesFindAndReplaceAcrossParagraphs) {
  std::vector<std::pair<long, long>> found;
  for (Document* doc : {doc_.get(), reference_.get()}) {
    // A number with its full-width point at a paragraph's start, found by wildcards.
    auto number = doc->Content();
    auto find = number->GetFind();
    find->Text = L"^13[0-9]{1,2}．";
    find->MatchWildcards = true;
    ASSERT_TRUE(find->Execute());
    found.emplace_back(number->Start(), number->End());
    // Replace all: every "（　　）" answer bracket, and paragraph marks between two texts.
    auto all = doc->Content()->GetFind();
    all->Text = L"（[　 ]@）";
    all->MatchWildcards = true;
    all->Replacement.Text = L"(    )";
    all->Execute(kReplaceAll);
    auto marks = doc->Content()->GetFind();
    marks->Text = L"。^p";
    marks->Replacement.Text = L"。^p^p";
    marks->Execute(kReplaceAll);
  }
  EXPECT_EQ(found[0], found[1]);
  EXPECT_EQ(doc_->Content()->Text(), reference_->Content()->Text());
  EXPECT_EQ(Layout(*doc_), Layout(*reference_));
  EXPECT_EQ(After(*doc_, L"(    )"), After(*reference_, L"(    )"));
}

TEST_P(HostConformance, FontsParagraphFormatsAndTabsReadBackAsSet) {
  auto paragraph = doc_->Paragraphs()->Item(2);
  ParagraphFormat format;
  format.Alignment = kAlignCenter;
  format.LeftIndent = 21;
  format.SpaceBefore = 6;
  format.LineSpacingRule = kSpaceExactly;
  format.LineSpacing = 20;
  paragraph->SetParagraphFormat(format);
  const ParagraphFormat read = paragraph->GetParagraphFormat();
  EXPECT_EQ(read.Alignment, kAlignCenter);
  EXPECT_NEAR(read.LeftIndent.value_or(-1), 21, 0.05);
  EXPECT_NEAR(read.SpaceBefore.value_or(-1), 6, 0.05);
  EXPECT_EQ(read.LineSpacingRule, kSpaceExactly);
  EXPECT_NEAR(read.LineSpacing.value_or(-1), 20, 0.05);

  auto word = doc_->GetRange(paragraph->Start(), paragraph->Start() + 2);
  word->SetFont({.Name = L"黑体", .Size = 14, .Bold = true});
  const FontFormat font = word->Font();
  EXPECT_EQ(font.NameFarEast, L"黑体") << "a Chinese name sets the East Asian font too";
  EXPECT_EQ(font.Size, 14);
  EXPECT_EQ(font.Bold, true);
  EXPECT_FALSE(paragraph->Font().Size.has_value()) << "two sizes in the paragraph: undefined";

  paragraph->AddTabStop({100, 1});
  paragraph->AddTabStop({50, 0});
  const auto tabs = paragraph->TabStops();
  ASSERT_EQ(tabs.size(), 2u);
  EXPECT_NEAR(tabs[0].Position, 50, 0.05);
  EXPECT_EQ(tabs[1].Alignment, 1);
  paragraph->ClearTabStops();
  EXPECT_TRUE(paragraph->TabStops().empty());
}

TEST_P(HostConformance, StylesGoByTheHostsChineseNames) {
  auto styles = doc_->GetStyles();
  EXPECT_TRUE(styles->Exists(L"正文"));
  EXPECT_EQ(styles->Item(L"标题 1")->NameLocal(), L"标题 1");
  EXPECT_EQ(doc_->Paragraphs()->First()->Style(), reference_->Paragraphs()->First()->Style());
  styles->Add(L"答案_Plendrix", 1)->SetFont({.Name = L"楷体", .Size = 10.5});
  EXPECT_THROW(styles->Add(L"答案_Plendrix", 1), plx::VbError);
  auto paragraph = doc_->Paragraphs()->Item(2);
  paragraph->SetStyle(L"答案_Plendrix");
  EXPECT_EQ(paragraph->Style(), L"答案_Plendrix");
  EXPECT_EQ(paragraph->Font().NameFarEast, L"楷体") << "the style's font replaces the characters' own";
  EXPECT_THROW(paragraph->SetStyle(L"没有这种样式"), plx::VbError);
}

TEST_P(HostConformance, EditsBetweenTheRecordCallsAreOneUndoStep) {
  const Host host = std::get<0>(GetParam());
  app_->StartCustomRecord(L"重新编号");
  app_->StartCustomRecord(L"内层");  // nested calls add no step of their own
  doc_->GetRange(0, 0)->InsertBefore(L"一");
  doc_->GetRange(0, 0)->InsertBefore(L"二");
  app_->EndCustomRecord();
  app_->EndCustomRecord();
  const auto steps = test::UndoSteps(host, *app_);
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.front(), L"重新编号");
}

TEST_P(HostConformance, PagesAndPlacesOnThePageComeFromTheLayout) {
  const PageSetup page = doc_->PageSetup();
  EXPECT_EQ(doc_->GetRange(0, 0)->Information(kActiveEndPageNumber), 1);
  EXPECT_GE(doc_->Content()->Information(kNumberOfPagesInDocument), 1);
  // The second paragraph starts at the left margin, below the first line.
  auto second = doc_->Paragraphs()->Item(2);
  second->SetParagraphFormat({.Alignment = kAlignLeft, .FirstLineIndent = 0, .LeftIndent = 0});
  auto start = doc_->GetRange(second->Start(), second->Start());
  EXPECT_NEAR(start->Information(kHorizontalPositionRelativeToPage), page.LeftMargin, 1.0);
  const double top = start->Information(kVerticalPositionRelativeToPage);
  EXPECT_GT(top, page.TopMargin);
  EXPECT_LT(top, page.TopMargin + 100);
}

const Paper kPapers[] = {{"worksheet.docx", false}, {"worksheet.docx", true}, {"exam-teacher.docx", false}};

INSTANTIATE_TEST_SUITE_P(Hosts, HostConformance,
                         ::testing::Combine(::testing::Values(Host::Model, Host::LibreOffice),
                                            ::testing::ValuesIn(kPapers)),
                         [](const auto& info) {
                           std::string paper = std::get<1>(info.param).name;
                           paper = paper.substr(0, paper.find('.'));
                           std::erase(paper, '-');
                           return test::HostName(std::get<0>(info.param)) + "_" + paper +
                                  (std::get<1>(info.param).resaved ? "_resaved" : "");
                         });

}  // namespace

namespace {

// Fields as another word processor writes them: a simple PAGE field, a
// complex NUMPAGES field and text after both. LibreOffice keeps the kind of
// a field, not its code; the adapter writes the code as the host does
// (" PAGE "), so a code written with other spacing would count otherwise.
// A paper made by the test, opened on the host of the parameter.
class MadePaper : public ::testing::TestWithParam<Host> {
 protected:
  std::shared_ptr<Document> Open(const std::string& body) {
    std::string why;
    app_ = test::StartHost(GetParam(), &why);
    if (!app_) return nullptr;
    const std::string path = plx::test::WritePackageWithBody(dir_.Path(), body);
    doc_ = app_->GetDocuments()->Open(std::wstring(path.begin(), path.end()), false);
    return doc_;
  }
  void TearDown() override {
    if (doc_) app_->GetDocuments()->Close(doc_);
  }

  plx::test::TempDir dir_;
  std::shared_ptr<Application> app_;
  std::shared_ptr<Document> doc_;
};

using HostFields = MadePaper;

TEST_P(HostFields, CodesResultsAndThePositionsAfterThem) {
  auto doc = Open(
      "<w:p><w:r><w:t xml:space=\"preserve\">第</w:t></w:r><w:fldSimple w:instr=\" PAGE \"><w:r><w:t>1</w:t></w:r>"
      "</w:fldSimple><w:r><w:t xml:space=\"preserve\">页，共</w:t></w:r><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
      "<w:r><w:instrText xml:space=\"preserve\"> NUMPAGES </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/>"
      "</w:r><w:r><w:t>1</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r><w:r><w:t>页</w:t></w:r></w:p>"
      "<w:p><w:r><w:t>1．已知集合A={1,2}。</w:t></w:r></w:p>");
  if (!doc) GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  auto fields = doc->GetFields();
  ASSERT_EQ(fields->Count(), 2);
  EXPECT_EQ(fields->Item(1)->Code()->Text(), L" PAGE ");
  EXPECT_EQ(fields->Item(1)->Type(), 33);
  EXPECT_EQ(fields->Item(1)->Result()->Text(), L"1");
  EXPECT_EQ(fields->Item(2)->Code()->Text(), L" NUMPAGES ");
  EXPECT_EQ(doc->Paragraphs()->First()->Text(), L"第1页，共1页\r") << "fields show their results";
  // begin, code, separator, result and end of each field count, as the model counts them
  EXPECT_EQ(doc->Paragraphs()->Item(2)->Start(), 30);
  EXPECT_EQ(doc->Paragraphs()->Item(2)->Text(), L"1．已知集合A={1,2}。\r");
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostFields, ::testing::Values(Host::Model, Host::LibreOffice),
                         [](const auto& info) { return test::HostName(info.param); });

}  // namespace

namespace {

// A paper of several pages: every paragraph's place lies inside its page's
// text area, and pages follow one another.
using HostLayout = MadePaper;

TEST_P(HostLayout, PlacesOnLaterPagesAreMeasuredFromTheirOwnPage) {
  auto doc = Open(plx::test::Repeat("<w:p><w:r><w:t>1．已知函数f(x)=x^2+2x+1，求f(x)在区间[0,3]上的最大值与最小值。</w:t></w:r></w:p>", 160));
  if (!doc) GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  const PageSetup page = doc->PageSetup();
  int lastPage = 1;
  auto paragraphs = doc->Paragraphs();
  ASSERT_EQ(paragraphs->Count(), 160);
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto at = doc->GetRange(paragraphs->Item(i)->Start(), paragraphs->Item(i)->Start());
    const int pageNumber = static_cast<int>(at->Information(kActiveEndPageNumber));
    EXPECT_GE(pageNumber, lastPage) << i;
    const double top = at->Information(kVerticalPositionRelativeToPage);
    EXPECT_GE(top, page.TopMargin - 1) << i;
    EXPECT_LE(top, page.PageHeight - page.BottomMargin) << i;
    // A page's first paragraph stands at its top margin.
    if (pageNumber > lastPage) {
      EXPECT_NEAR(top, page.TopMargin, 1) << "the first paragraph of page " << pageNumber;
    }
    lastPage = pageNumber;
  }
  EXPECT_GE(lastPage, 3) << "160 lines fill several pages";
  EXPECT_EQ(doc->Content()->Information(kNumberOfPagesInDocument), lastPage);
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostLayout, ::testing::Values(Host::Model, Host::LibreOffice),
                         [](const auto& info) { return test::HostName(info.param); });

}  // namespace
