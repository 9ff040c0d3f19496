// Writer's layout read through the surface, held to the model's answers:
// the laid-out text of a range (text, reading order, pages, places), the
// boxes of table cells, the page holding the selection and formatted
// copies. Each case runs on the model and on LibreOffice, on the corpus
// papers as written and as LibreOffice saved them, or on a paper the test
// writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "docif/document.hpp"
#ifdef PLENDRIX_UNO
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/util/URL.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "docif/uno/uno_application.hpp"
#include "docif/uno/uno_document.hpp"
#endif
#include "hosts/host_under_test.hpp"
#include "support/corpus.hpp"
#include "support/docx_package.hpp"
#include "support/error_number.hpp"
#include "support/test_addin.hpp"

namespace {

using namespace plx::docif;
using test::Host;

// Each shown character of a laid-out range: its position, page and font size.
struct Shown {
  long pos;
  wchar_t c;
  int page;
  double size;
  bool operator==(const Shown&) const = default;
};

std::vector<Shown> Characters(const std::vector<LaidText>& pieces) {
  std::vector<Shown> out;
  for (const LaidText& p : pieces)
    for (size_t k = 0; k < p.text.size(); ++k)
      out.push_back({p.start + static_cast<long>(k), p.text[k], p.page, p.font.Size.value_or(-1)});
  return out;
}

// The first piece of each line, by page and top.
std::vector<LaidText> LineStarts(const std::vector<LaidText>& pieces) {
  std::vector<LaidText> out;
  for (const LaidText& p : pieces)
    if (out.empty() || out.back().page != p.page || std::abs(out.back().top - p.top) > 0.5) out.push_back(p);
  return out;
}

// A document opened on the host under test, and the same file on the model
// as the reference.
class OnHostAndModel {
 protected:
  // False when the host is missing here (`why` says what is missing).
  bool OpenOn(Host host, const std::filesystem::path& file, std::string* why) {
    app_ = test::StartHost(host, why);
    if (!app_) return false;
    doc_ = app_->GetDocuments()->Open(file.wstring(), false);
    model_ = test::StartHost(Host::Model, why);
    reference_ = model_->GetDocuments()->Open(file.wstring(), false);
    return true;
  }
  void CloseOnHost() {
    if (app_ && doc_) app_->GetDocuments()->Close(doc_);
  }

  std::shared_ptr<Application> app_, model_;
  std::shared_ptr<Document> doc_, reference_;
};

// A corpus paper, as written or as LibreOffice saved it again.
struct Paper {
  const char* name;
  bool resaved;
};

class HostLayoutPaper : public ::testing::TestWithParam<std::tuple<Host, Paper>>, protected OnHostAndModel {
 protected:
  void SetUp() override {
    const Paper paper = std::get<1>(GetParam());
    const auto file = test::CorpusPaperAs(paper.name, paper.resaved);
    if (!file) GTEST_SKIP() << test::CorpusMissing(paper.name);
    if (std::string why; !OpenOn(std::get<0>(GetParam()), *file, &why))
      GTEST_SKIP() << test::HostName(std::get<0>(GetParam())) << ": " << why;
  }
  void TearDown() override { CloseOnHost(); }
};

TEST_P(HostLayoutPaper, LaidOutTextIsTheModelsInReadingOrderOnItsPages) {
  const auto pieces = doc_->Content()->LaidOut();
  const auto expected = reference_->Content()->LaidOut();
  EXPECT_EQ(Characters(pieces), Characters(expected));
  // Pieces stand inside the page, each line below the one before it on its page.
  const PageSetup page = doc_->PageSetup();
  for (const LaidText& p : pieces) {
    EXPECT_GE(p.left, page.LeftMargin - 1) << p.start;
    EXPECT_LE(p.left + p.width, page.PageWidth - page.RightMargin + 1) << p.start;
    EXPECT_GE(p.top, page.TopMargin - 1) << p.start;
    EXPECT_LE(p.top + p.lineHeight, page.PageHeight - page.BottomMargin + 1) << p.start;
    EXPECT_TRUE(p.font.Name && p.font.NameFarEast && p.font.Bold && p.font.Color && p.font.Position) << p.start;
  }
  // The title and the lines down to the first table stand where the model puts them.
  const auto lines = LineStarts(pieces), expectedLines = LineStarts(expected);
  const long firstTable = reference_->GetTables()->Count() > 0 ? reference_->GetTables()->Item(1)->GetRange()->Start()
                                                               : reference_->Content()->End();
  for (size_t i = 0; i < std::min(lines.size(), expectedLines.size()) && expectedLines[i].start < firstTable; ++i) {
    EXPECT_EQ(lines[i].start, expectedLines[i].start);
    EXPECT_NEAR(lines[i].left, expectedLines[i].left, 1) << lines[i].start;
    EXPECT_NEAR(lines[i].top, expectedLines[i].top, 1) << lines[i].start;
  }
  // A line's top is the place Information gives its first character (on the
  // first page, where the host's own Information counts from), so whoever
  // draws a picture on the line finds it there.
  for (const LaidText& line : lines) {
    if (line.page != 1) continue;
    EXPECT_EQ(line.top, doc_->GetRange(line.start, line.start)->Information(kVerticalPositionRelativeToPage))
        << line.start;
  }
  std::cout << test::HostName(std::get<0>(GetParam())) << ": " << pieces.size() << " pieces on "
            << doc_->Content()->Information(kNumberOfPagesInDocument) << " pages\n";
}

TEST_P(HostLayoutPaper, PageBookmarkIsThePageTheSelectionStartsOn) {
  // The last page, then the first, each chosen by a place on it.
  const long end = reference_->Content()->End();
  for (long at : {end - 5, 3L}) {
    for (Document* doc : {doc_.get(), reference_.get()}) doc->GetRange(at, at + 1)->Select();
    auto page = doc_->GetBookmarks()->Item(L"\\Page"), expected = reference_->GetBookmarks()->Item(L"\\Page");
    EXPECT_EQ(page->Start(), expected->Start()) << at;
    EXPECT_EQ(page->End(), expected->End()) << at;
    EXPECT_LE(page->Start(), at);
    EXPECT_GT(page->End(), at);
  }
  EXPECT_TRUE(doc_->GetBookmarks()->Exists(L"\\Page"));
  EXPECT_EQ(app_->GetSelection()->Start(), 3) << "the selection stays where it was";
}

TEST_P(HostLayoutPaper, CellBoxesStandWhereTheCellsAreLaidOut) {
  auto tables = doc_->GetTables(), expectedTables = reference_->GetTables();
  ASSERT_EQ(tables->Count(), expectedTables->Count());
  ASSERT_GT(tables->Count(), 0);
  const auto pieces = doc_->Content()->LaidOut();
  for (int t = 1; t <= tables->Count(); ++t) {
    auto table = tables->Item(t);
    const auto boxes = table->CellBoxes(), expected = expectedTables->Item(t)->CellBoxes();
    EXPECT_EQ(table->NestedTables()->Count(), expectedTables->Item(t)->NestedTables()->Count());
    ASSERT_EQ(boxes.size(), expected.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
      const CellBox &b = boxes[i], &e = expected[i];
      // Columns come from the table's own widths, as on the model; rows from the host's layout.
      EXPECT_EQ(std::tie(b.row, b.column, b.page), std::tie(e.row, e.column, e.page)) << i;
      EXPECT_NEAR(b.left, e.left, 0.5) << i;
      EXPECT_NEAR(b.width, e.width, 0.5) << i;
      EXPECT_NEAR(boxes.front().top, expected.front().top, 5);
      if (i + 1 < boxes.size() && boxes[i + 1].row == b.row + 1) {
        EXPECT_NEAR(boxes[i + 1].top, b.top + b.height, 0.1) << "rows follow one another";
      }
      // The cell's text stands in its box.
      auto cell = table->Cell(b.row, b.column);
      for (const LaidText& p : pieces)
        if (p.start >= cell->Start() && p.start < cell->End()) {
          EXPECT_GE(p.left, b.left - 0.5) << i;
          EXPECT_LE(p.left + p.width, b.left + b.width + 0.5) << i;
          EXPECT_GE(p.top, b.top - 0.5) << i;
          EXPECT_LE(p.top + p.lineHeight, b.top + b.height + 0.5) << i << ": the line ends in its row";
        }
    }
  }
}

// Where each paragraph ends, and the document's text.
std::pair<std::vector<long>, std::wstring> ParagraphEnds(Document& doc) {
  std::vector<long> ends;
  auto paragraphs = doc.Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) ends.push_back(paragraphs->Item(i)->End());
  return {ends, doc.Content()->Text()};
}

// Each character's size, raise and weight.
std::vector<std::tuple<double, bool, bool>> CharacterLooks(Range& range) {
  std::vector<std::tuple<double, bool, bool>> out;
  auto characters = range.Characters();
  for (int i = 1; i <= characters->Count(); ++i) {
    const FontFormat f = characters->Item(i)->Font();
    out.emplace_back(f.Size.value_or(-1), f.Superscript.value_or(false), f.Bold.value_or(false));
  }
  return out;
}

TEST_P(HostLayoutPaper, FormattedCopiesKeepCharactersFormatsAndTheTextAfterThem) {
  // A question's first two paragraphs copied to the front of the paper
  // itself, then the whole paper (tables and all) into a new document.
  std::vector<std::pair<long, long>> copied;
  for (Document* doc : {doc_.get(), reference_.get()}) {
    auto question = doc->Content();
    auto find = question->GetFind();
    find->Text = L"已知";
    ASSERT_TRUE(find->Execute());
    auto stem = question->Paragraphs()->First();
    auto source = doc->GetRange(stem->Start(), doc->GetRange(stem->End(), stem->End())->Paragraphs()->First()->End());
    auto last = doc->Paragraphs()->Last();
    auto target = doc->GetRange(0, 0);
    target->SetFormattedText(*source);
    copied.emplace_back(target->Start(), target->End());
    EXPECT_EQ(target->Text(), source->Text());
    EXPECT_EQ(CharacterLooks(*target), CharacterLooks(*source));
    EXPECT_EQ(last->End(), doc->Content()->End()) << "a live range after the copy moves with its text";
  }
  EXPECT_EQ(copied[0], copied[1]);
  EXPECT_EQ(ParagraphEnds(*doc_), ParagraphEnds(*reference_));

  // An empty source leaves nothing in place of the target.
  for (Document* doc : {doc_.get(), reference_.get()}) {
    auto target = doc->GetRange(0, 2);
    target->SetFormattedText(*doc->GetRange(5, 5));
    copied.emplace_back(target->Start(), target->End());
  }
  EXPECT_EQ(copied[2], copied[3]);
  EXPECT_EQ(ParagraphEnds(*doc_), ParagraphEnds(*reference_));

  auto piece = app_->GetDocuments()->Add();
  auto content = piece->Content();
  content->SetFormattedText(*doc_->Content());
  EXPECT_EQ(content->Start(), 0);
  EXPECT_EQ(piece->Content()->Text(), doc_->Content()->Text());
  EXPECT_EQ(content->End(), piece->Content()->End());
  EXPECT_EQ(piece->GetTables()->Count(), doc_->GetTables()->Count());
  EXPECT_EQ(piece->GetFields()->Count(), doc_->GetFields()->Count());
  auto first = piece->Paragraphs()->Item(3), original = doc_->Paragraphs()->Item(3);
  EXPECT_EQ(CharacterLooks(*first), CharacterLooks(*original));
  app_->GetDocuments()->Close(piece);
}

const Paper kPapers[] = {{"worksheet.docx", false}, {"worksheet.docx", true}, {"exam-teacher.docx", false},
                         {"exam-teacher.docx", true}};

// "libreoffice_examteacher_resaved": the host, the paper's name without
// its extension or dashes, and how it was saved.
std::string PaperCaseName(const ::testing::TestParamInfo<std::tuple<Host, Paper>>& info) {
  const auto& [host, paper] = info.param;
  std::string name = std::string(paper.name).substr(0, std::string(paper.name).find('.'));
  std::erase(name, '-');
  return test::HostName(host) + "_" + name + (paper.resaved ? "_resaved" : "");
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostLayoutPaper,
                         ::testing::Combine(::testing::Values(Host::Model, Host::LibreOffice), ::testing::ValuesIn(kPapers)),
                         PaperCaseName);

// A paper the test writes (A4, no line grid), opened on the host of the
// parameter and on the model.
class HostLayoutMade : public ::testing::TestWithParam<Host>, protected OnHostAndModel {
 protected:
  bool Open(const std::string& body) {
    const std::string file = plx::test::WritePackageWithBody(
        dir_.Path(), body + "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" w:right=\"1800\" "
                            "w:bottom=\"1440\" w:left=\"1800\" w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/>"
                            "</w:sectPr>");
    std::string why;
    return OpenOn(GetParam(), file, &why);
  }
  void TearDown() override { CloseOnHost(); }

  plx::test::TempDir dir_;
};

// Runs of 10.5-point ideographs, one em each, so both layouts break lines at
// the same characters, or one apart where Writer keeps a comma off a line's start.
const std::string kSize = "<w:rPr><w:sz w:val=\"21\"/><w:szCs w:val=\"21\"/></w:rPr>";
const std::string kLong = "<w:p><w:r>" + kSize + "<w:t>" +
                          plx::test::Repeat("已知函数在区间上单调递增，求实数的取值范围。", 8) + "</w:t></w:r></w:p>";
const std::string kCentred =
    "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:r><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr><w:t>期中考试</w:t>"
    "</w:r></w:p>";
const std::string kRuns =
    "<w:p><w:r>" + kSize + "<w:t>函数y=x</w:t></w:r><w:r><w:rPr><w:vertAlign w:val=\"superscript\"/><w:sz "
    "w:val=\"21\"/></w:rPr><w:t>2</w:t></w:r><w:r>" + kSize + "<w:t xml:space=\"preserve\">的图象\t第</w:t></w:r>"
    "<w:fldSimple w:instr=\" PAGE \"><w:r>" + kSize + "<w:t>1</w:t></w:r></w:fldSimple><w:r>" + kSize +
    "<w:t>页</w:t></w:r></w:p>";

TEST_P(HostLayoutMade, LinesBreakWhereTheModelBreaksThemAndRunsKeepTheirFonts) {
  if (!Open(kCentred + kLong + kRuns)) GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  const auto pieces = doc_->Content()->LaidOut(), expected = reference_->Content()->LaidOut();
  EXPECT_EQ(Characters(pieces), Characters(expected));
  const auto lines = LineStarts(pieces), expectedLines = LineStarts(expected);
  ASSERT_EQ(lines.size(), expectedLines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_NEAR(lines[i].start, expectedLines[i].start, 1) << "line " << i;
    EXPECT_NEAR(lines[i].left, expectedLines[i].left, 1) << "line " << i << ": a centred line starts at the margin";
    if (i > 0) {
      EXPECT_GT(lines[i].top, lines[i - 1].top);
    }
  }
  // The title in its own font; the superscript, the text after the tab and the field's result are pieces of their own.
  EXPECT_EQ(pieces.front().text, L"期中考试");
  EXPECT_EQ(pieces.front().font.Bold, true);
  EXPECT_EQ(pieces.front().font.Size, 16);
  std::map<std::wstring, LaidText> byText;
  for (const LaidText& p : pieces) byText[p.text] = p;
  ASSERT_TRUE(byText.count(L"2") && byText.count(L"的图象") && byText.count(L"第") && byText.count(L"1"));
  EXPECT_EQ(byText[L"2"].font.Superscript, true);
  EXPECT_NEAR(byText[L"的图象"].left, byText[L"2"].left + byText[L"2"].width, 0.5);
  EXPECT_GT(byText[L"第"].left, byText[L"的图象"].left + byText[L"的图象"].width + 1) << "the tab leaves a gap";
  EXPECT_EQ(byText[L"1"].top, byText[L"第"].top);
}

// A table of two cells with grid widths, the second holding a table of its own.
std::string Cell(const std::string& content) { return "<w:tc><w:tcPr><w:tcW w:w=\"2000\" w:type=\"dxa\"/></w:tcPr>" + content + "</w:tc>"; }
std::string Table(const std::string& cells, int columns) {
  return "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr><w:tblGrid>" +
         plx::test::Repeat("<w:gridCol w:w=\"2000\"/>", columns) + "</w:tblGrid><w:tr>" + cells + "</w:tr></w:tbl>";
}

TEST_P(HostLayoutMade, TablesInCellsAreTheirTablesNestedOnesWithBoxesInsideTheirCell) {
  if (GetParam() == Host::Model) GTEST_SKIP() << "the model's reader keeps a table in a cell as the raw XML it read";
  const std::string inner = Table(Cell("<w:p><w:r><w:t>内</w:t></w:r></w:p>"), 1);
  if (!Open("<w:p><w:r><w:t>表格：</w:t></w:r></w:p>" +
            Table(Cell("<w:p><w:r><w:t>外</w:t></w:r></w:p>") + Cell(inner + "<w:p/>"), 2) + "<w:p/>"))
    GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  auto outer = doc_->GetTables()->Item(1);
  ASSERT_EQ(doc_->GetTables()->Count(), 1);
  auto nested = outer->NestedTables();
  ASSERT_EQ(nested->Count(), 1);
  EXPECT_EQ(nested->Item(1)->Cell(1, 1)->Text(), L"内");
  EXPECT_EQ(nested->Item(1)->NestedTables()->Count(), 0);
  const auto cells = outer->CellBoxes(), inside = nested->Item(1)->CellBoxes();
  ASSERT_EQ(cells.size(), 2u);
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_GE(inside[0].left, cells[1].left - 0.5);
  EXPECT_LE(inside[0].left, cells[1].left + 10);
  EXPECT_GE(inside[0].top, cells[1].top - 0.5);
  EXPECT_LE(inside[0].top + inside[0].height, cells[1].top + cells[1].height + 0.5);
}

// A new table's cells look as the paragraph did; each column takes the
// width set for it and keeps it while the others change, in whatever
// order they are set (as a stem-and-leaf plot sets its middle column
// first).
TEST_P(HostLayoutMade, NewTablesLookAsTheParagraphAndKeepTheirColumnWidths) {
  if (!Open("<w:p><w:r><w:t>茎叶图：</w:t></w:r></w:p><w:p/>")) GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  auto table = doc_->GetTables()->Add(*doc_->Paragraphs()->Last(), 2, 3);
  table->SetColumnWidth(2, 30);
  table->SetColumnWidth(1, 60);
  table->SetColumnWidth(3, 45);
  const auto boxes = table->CellBoxes();
  ASSERT_EQ(boxes.size(), 6u);
  EXPECT_NEAR(boxes[0].width, 60, 1);
  EXPECT_NEAR(boxes[1].width, 30, 1);
  EXPECT_NEAR(boxes[2].width, 45, 1);
  EXPECT_NEAR(boxes[1].left, boxes[0].left + 60, 1);
  EXPECT_EQ(plx::test::ErrorNumberOf([&] { table->SetColumnWidth(4, 10); }), 5941);
  // The cells take the paragraph's style, not a heading's bold.
  EXPECT_EQ(table->Cell(1, 1)->Style(), doc_->Paragraphs()->First()->Style());
  EXPECT_EQ(table->Cell(1, 2)->Font().Bold, false);
}

// A question numbered from the host's gallery ("1．") has its number at
// the paragraph's indent and its text a tab further, where the model lays
// it out; after saving, the number and the text stand there again.
TEST_P(HostLayoutMade, NumberedQuestionsTextStandsWhereTheModelPutsIt) {
  if (!Open(kLong)) GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  for (Application* app : {app_.get(), model_.get()}) {
    auto tmpl = app->NumberingTemplate(1);
    tmpl->SetNumberFormat(L"%1．");
    tmpl->SetNumberStyle(0);
    (app == app_.get() ? doc_ : reference_)->Paragraphs()->First()->ApplyListTemplate(*tmpl, true);
  }
  EXPECT_EQ(doc_->Paragraphs()->First()->ListString(), L"1．");
  const auto pieces = doc_->Content()->LaidOut(), expected = reference_->Content()->LaidOut();
  ASSERT_FALSE(pieces.empty());
  ASSERT_FALSE(expected.empty());
  EXPECT_NEAR(pieces.front().left, expected.front().left, 1) << "the question's text after its number";
}

TEST_P(HostLayoutMade, CentredTextInACellIsGivenFromTheCellsLeft) {
  if (!Open(Table(Cell("<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:r><w:t>题号</w:t></w:r></w:p>") +
                      Cell("<w:p><w:r><w:t>一</w:t></w:r></w:p>"),
                  2) +
            "<w:p/>"))
    GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  const auto pieces = doc_->Content()->LaidOut();
  const auto boxes = doc_->GetTables()->Item(1)->CellBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].text, L"题号");
  // Whoever draws the cell centres the text by its drawn width.
  EXPECT_GE(pieces[0].left, boxes[0].left - 0.1);
  EXPECT_LT(pieces[0].left, boxes[0].left + 6);
  EXPECT_NEAR(pieces[0].left - boxes[0].left, pieces[1].left - boxes[1].left, 0.1);
}

// A figure drawn at the insertion point stands where the text shows it: a
// centred or right-aligned line's characters are given where they are
// shown, on both hosts (the text area runs from 90 to 505.3 pt).
TEST_P(HostLayoutMade, InformationGivesCentredAndRightAlignedTextWhereItIsShown) {
  const auto aligned = [](const char* how, const std::string& text) {
    return "<w:p><w:pPr><w:jc w:val=\"" + std::string(how) + "\"/></w:pPr><w:r>" + kSize + "<w:t>" + text +
           "</w:t></w:r></w:p>";
  };
  if (!Open(aligned("center", "在同一坐标系中画图") + aligned("right", "满分") +
            "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr></w:p>" + aligned("left", "左")))
    GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  const double expected[] = {297.65 - 4.5 * 10.5, 505.3 - 2 * 10.5, 297.65, 90};
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    const long start = reference_->Paragraphs()->Item(i)->Start();
    const double x = reference_->GetRange(start, start)->Information(kHorizontalPositionRelativeToPage);
    EXPECT_NEAR(x, expected[i - 1], 0.5);
    EXPECT_NEAR(doc_->GetRange(start, start)->Information(kHorizontalPositionRelativeToPage), x, 1);
  }
  // The text after the centred line's start moves with it.
  const long second = reference_->Paragraphs()->Item(1)->Start() + 1;
  EXPECT_NEAR(reference_->GetRange(second, second)->Information(kHorizontalPositionRelativeToPage),
              expected[0] + 10.5, 0.5);
}

TEST_P(HostLayoutMade, FormattedCopiesBringFieldsAlongIntoTheMiddleOfAParagraph) {
  if (!Open(kRuns + "<w:p><w:r><w:t>甲乙</w:t></w:r></w:p>")) GTEST_SKIP() << test::HostName(GetParam()) << " is not available here";
  for (Document* doc : {doc_.get(), reference_.get()}) {
    auto first = doc->Paragraphs()->First();
    auto last = doc->Paragraphs()->Last();
    const std::wstring lastText = last->Text();
    // The first paragraph without its mark, between 甲 and 乙.
    auto target = doc->GetRange(last->Start() + 1, last->Start() + 1);
    target->SetFormattedText(*doc->GetRange(first->Start(), first->End() - 1));
    EXPECT_EQ(target->Text(), first->Text().substr(0, first->Text().size() - 1));
    EXPECT_EQ(last->Text(), L"甲" + target->Text() + L"乙\r") << "the paragraph around the copy keeps its text";
    auto fields = doc->GetFields();
    ASSERT_EQ(fields->Count(), 2);
    EXPECT_EQ(fields->Item(2)->Code()->Text(), L" PAGE ");
    EXPECT_EQ(target->GetFields()->Count(), 1);
    EXPECT_EQ(target->Characters()->Item(6)->Font().Superscript, true);
  }
  EXPECT_EQ(ParagraphEnds(*doc_), ParagraphEnds(*reference_));
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostLayoutMade, ::testing::Values(Host::Model, Host::LibreOffice),
                         [](const auto& info) { return test::HostName(info.param); });

#ifdef PLENDRIX_UNO
// Writer's paste command in a document, as the teacher pastes.
void PasteIn(Document& doc) {
  namespace css = ::com::sun::star;
  auto writer = dynamic_cast<plx::docif::lo::UnoDocument&>(doc).Writer();
  css::util::URL paste;
  paste.Complete = paste.Main = ".uno:Paste";
  paste.Protocol = ".uno:";
  paste.Path = "Paste";
  css::uno::Reference<css::frame::XDispatchProvider> frame(writer->model->getCurrentController()->getFrame(),
                                                           css::uno::UNO_QUERY_THROW);
  frame->queryDispatch(paste, rtl::OUString(), 0)->dispatch(paste, {});
}

// A new document stands on the blank document's line grid, which Writer
// sets in the middle of the page's body and the host from its top: places
// on LibreOffice are the host's, so a figure drawn at an insertion point
// stands where it does on the model.
TEST(HostGridPlaces, LinesOfANewDocumentStandWhereTheModelPutsThem) {
  std::string why;
  auto app = test::StartHost(Host::LibreOffice, &why);
  if (!app) GTEST_SKIP() << why;
  auto doc = app->GetDocuments()->Add();
  auto reference = test::StartHost(Host::Model, &why)->GetDocuments()->Add();
  const std::wstring text = L"1．画出函数的图像：\r\r\r2．" + std::wstring(80, L'长') + L"。\r";
  for (Document* d : {doc.get(), reference.get()}) d->Content()->InsertAfter(text);
  auto expectSame = [&](long at, int info) {
    EXPECT_NEAR(doc->GetRange(at, at)->Information(info), reference->GetRange(at, at)->Information(info), 0.15)
        << at << " " << info;
  };
  for (int i = 1; i <= reference->Paragraphs()->Count(); ++i) {
    expectSame(reference->Paragraphs()->Item(i)->Start(), kVerticalPositionRelativeToPage);
    expectSame(reference->Paragraphs()->Item(i)->Start(), kHorizontalPositionRelativeToPage);
  }
  expectSame(reference->Paragraphs()->Item(4)->Start() + 60, kVerticalPositionRelativeToPage);  // its second line
  app->GetDocuments()->Close(doc);
}

// A table drawn with column lines only (a stem-and-leaf plot): its rows
// stand on the grid a line each, where the model puts them, and so does
// the text after it; a line hanging its stop past the edge takes no
// second line.
TEST(HostGridPlaces, RowsOfATableWithoutRowLinesAndAHangingStopStandWhereTheModelPutsThem) {
  std::string why;
  auto app = test::StartHost(Host::LibreOffice, &why);
  if (!app) GTEST_SKIP() << why;
  auto doc = app->GetDocuments()->Add();
  auto reference = test::StartHost(Host::Model, &why)->GetDocuments()->Add();
  std::vector<std::vector<CellBox>> boxes;
  for (Document* d : {doc.get(), reference.get()}) {
    d->Content()->InsertAfter(std::wstring(39, L'茎') + L"。\r\r后");
    auto table = d->GetTables()->Add(*d->Paragraphs()->Item(2), 3, 3);
    table->Cell(1, 1)->InsertAfter(L"甲");
    table->Cell(2, 2)->InsertAfter(L"9 5 2");
    for (int side : {kBorderTop, kBorderLeft, kBorderBottom, kBorderRight, kBorderHorizontal})
      table->SetBorderVisible(side, false);
    boxes.push_back(table->CellBoxes());
  }
  ASSERT_EQ(boxes[0].size(), boxes[1].size());
  for (size_t i = 0; i < boxes[0].size(); ++i) {
    EXPECT_NEAR(boxes[0][i].top, boxes[1][i].top, 1) << i;
    EXPECT_NEAR(boxes[0][i].height, boxes[1][i].height, 1) << i;
  }
  const long after = reference->Paragraphs()->Last()->Start();
  EXPECT_NEAR(doc->GetRange(after, after)->Information(kVerticalPositionRelativeToPage),
              reference->GetRange(after, after)->Information(kVerticalPositionRelativeToPage), 1);
  app->GetDocuments()->Close(doc);
}

TEST(HostLayoutClipboard, CopyPutsTheRangeWithItsFormattingOnTheOfficesClipboard) {
  std::string why;
  auto app = test::StartHost(Host::LibreOffice, &why);
  if (!app) GTEST_SKIP() << why;
  auto doc = app->GetDocuments()->Add();
  doc->Content()->InsertBefore(L"甲乙丙丁");
  doc->GetRange(1, 3)->SetFont({.Bold = true});
  doc->GetRange(1, 3)->Copy();
  auto other = app->GetDocuments()->Add();
  PasteIn(*other);
  plx::docif::lo::ReadDocumentsAgain(*app);
  EXPECT_EQ(other->Content()->Text(), L"乙丙\r");
  EXPECT_EQ(other->GetRange(0, 2)->Font().Bold, true);
  EXPECT_EQ(doc->Content()->Text(), L"甲乙丙丁\r") << "the copied document is left as it was";
  app->GetDocuments()->Close(other);
  app->GetDocuments()->Close(doc);
}

TEST(HostLayoutSelectedDrawing, LayoutIsReadWhileADrawingIsSelectedAndTheDrawingStaysSelected) {
  namespace css = ::com::sun::star;
  using css::uno::Reference;
  using css::uno::UNO_QUERY_THROW;
  std::string why;
  auto app = test::StartHost(Host::LibreOffice, &why);
  if (!app) GTEST_SKIP() << why;
  auto doc = app->GetDocuments()->Add();
  doc->Content()->InsertBefore(L"第一行\r第二行");
  // A rectangle selected in Writer's view, as after drawing a figure.
  auto writer = dynamic_cast<plx::docif::lo::UnoDocument&>(*doc).Writer();
  Reference<css::lang::XMultiServiceFactory> factory(writer->story.Document(), UNO_QUERY_THROW);
  Reference<css::drawing::XShape> shape(factory->createInstance("com.sun.star.drawing.RectangleShape"), UNO_QUERY_THROW);
  shape->setSize(css::awt::Size(2000, 1000));
  auto text = writer->story.Document()->getText();
  text->insertTextContent(text->getStart(), Reference<css::text::XTextContent>(shape, UNO_QUERY_THROW), false);
  Reference<css::view::XSelectionSupplier> view(writer->model->getCurrentController(), UNO_QUERY_THROW);
  view->select(css::uno::Any(shape));
  const auto pieces = doc->Content()->LaidOut();
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1].text, L"第二行");
  EXPECT_GT(pieces[1].top, pieces[0].top);
  Reference<css::container::XIndexAccess> shapes(view->getSelection(), UNO_QUERY_THROW);
  ASSERT_EQ(shapes->getCount(), 1);
  EXPECT_EQ(Reference<css::drawing::XShape>(shapes->getByIndex(0), css::uno::UNO_QUERY), shape)
      << "the rectangle is still what the view has selected";
  // Once the add-in selects text, that selection is the one shown.
  doc->GetRange(5, 5)->Select();
  EXPECT_EQ(doc->GetBookmarks()->Item(L"\\Page")->End(), doc->Content()->End());
  EXPECT_EQ(app->GetSelection()->Start(), 5);
  app->GetDocuments()->Close(doc);
}
#endif

}  // namespace
