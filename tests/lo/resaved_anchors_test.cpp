// On a paper LibreOffice saved again, figures drawn under a question stay
// under it when lines are typed above them, in the same run as the drawing
// or in a later one, and the move button moves them down from there; the
// examples run inside the paper leave its paragraphs and figures as they
// were.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "common/text.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/model/layout.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/shape_geometry.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/range.hpp"
#include "support/corpus.hpp"
#include "support/paper_examples.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;

// A number line at the end of question 4 and a histogram at the end of
// question 6.
constexpr const char* kDraw =
    "select after 则x=（　　）\n"
    "press rxBtnPMJH_SZ\n"
    "set frmInterval.txtXmin -5\nset frmInterval.txtXmax 5\nset frmInterval.txtLengthOfAxis 10\n"
    "focus frmInterval.txtInequality\nset frmInterval.txtInequality x>=3\n"
    "click frmInterval.cmdOk\nclose frmInterval\n"
    "select after 则k=________.\n"
    "press rxBtnPMJH_TJT\n"
    "set frmTJT.optZFT 1\nset frmTJT.txtData 6,14,28,32,14,6\n"
    "answer ok\nclick frmTJT.cmdOk\nclose frmTJT\n";
constexpr const char* kHeader = "select after （教师版）\ntype \\r班级：________　姓名：________\n";

// Each figure of a saved paper by the role its name begins with ("区间"),
// since every run names its figures afresh: its name, its paragraph's text
// and how far below that paragraph's top it stands.
struct Place {
  std::wstring name, paragraph;
  double below;
};
std::shared_ptr<docif::model::DocData> Read(const fs::path& file) {
  return docif::ooxml::ReadDocx(Utf8ToWide(file.string()), std::make_shared<docif::model::AppShared>());
}

std::map<std::wstring, Place> Figures(const fs::path& file) {
  auto doc = Read(file);
  std::map<std::wstring, Place> out;
  for (const auto& s : doc->shapes) {
    if (!s->paragraphRelative) continue;
    auto [start, end] = doc->main->ParagraphAt(s->anchor->start);
    const std::wstring role = s->name.substr(0, s->name.find(L'：'));
    EXPECT_FALSE(out.count(role)) << WideToUtf8(s->name);
    const double paragraphTop = docif::model::LayoutInformation(*doc, *doc->main, start, docif::kVerticalPositionRelativeToPage);
    out[role] = {s->name, doc->main->Text().substr(start, end - start), docif::model::Bounds(*s).top - paragraphTop};
  }
  return out;
}

class ResavedAnchors : public ::testing::Test {
 protected:
  // Runs the command-line host on `doc`, saving to `out`.
  void Run(const fs::path& doc, const std::string& script, const fs::path& out, const char* host = "16.0") {
    const fs::path file = dir.Path() / "script.txt";
    std::ofstream(file) << script;
    const std::string command = std::string(PLENDRIX_RUN_CLI) + " --host-version " + host + " --doc '" + doc.string() +
                                "' --out '" + out.string() + "' run '" + file.string() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << script;
  }
  test::TempDir dir;
};

TEST_F(ResavedAnchors, FiguresUnderQuestionsStayThereWhenLinesAreTypedAbove) {
  const auto paper = ::test::LibreOfficeResaved("exam-teacher.docx");
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  const fs::path drawn = dir.Path() / "drawn.docx", typedInRun = dir.Path() / "typed.docx",
                 typedLater = dir.Path() / "later.docx", moved = dir.Path() / "moved.docx";
  Run(*paper, kDraw, drawn);
  Run(*paper, std::string(kDraw) + kHeader, typedInRun);
  Run(drawn, kHeader, typedLater);
  const auto was = Figures(drawn);
  ASSERT_EQ(was.size(), 2u);
  for (const auto& [role, place] : was) {
    SCOPED_TRACE(WideToUtf8(place.name));
    EXPECT_TRUE(place.paragraph.starts_with(L"4．") || place.paragraph.starts_with(L"6．")) << WideToUtf8(place.paragraph);
    EXPECT_GT(place.below, -0.01) << "at its question's first line, not above it";
    for (const fs::path& typed : {typedInRun, typedLater}) {
      const auto now = Figures(typed);
      ASSERT_TRUE(now.count(role)) << typed;
      EXPECT_EQ(now.at(role).paragraph, place.paragraph) << typed;
      EXPECT_NEAR(now.at(role).below, place.below, 0.01) << typed;
    }
  }

  // The move button (2003 host) moves the number line 8 points down from
  // where it stands after the typing.
  ASSERT_TRUE(was.count(L"区间"));
  const Place& numberLine = was.at(L"区间");
  EXPECT_TRUE(numberLine.paragraph.starts_with(L"4．")) << WideToUtf8(numberLine.paragraph);
  Run(typedLater, "select shape " + WideToUtf8(numberLine.name) + "\npress 下移\n", moved, "11.0");
  const auto after = Figures(moved);
  ASSERT_TRUE(after.count(L"区间"));
  EXPECT_NEAR(after.at(L"区间").below, numberLine.below + 8, 0.01);
}

TEST_F(ResavedAnchors, ExamplesRunAfterAQuestionKeepEveryParagraphAndFigureOfThePaper) {
  const auto paper = ::test::LibreOfficeResaved("exam-teacher.docx");
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  fs::path current = dir.Path() / "paper.docx";
  Run(*paper, kDraw, current);  // the paper with figures of its own
  const std::string before = docif::model::DumpJson(*Read(current));
  ASSERT_EQ(Figures(current).size(), 2u);
  // Each example starts on a line of its own after question 2, above the figures.
  for (const auto& example : ::test::ExamplesAfter("T=2π/2=π。")) {
    const fs::path next = (dir.Path() / example.name).replace_extension(".docx");
    Run(current, example.script, next, example.hostVersion.c_str());
    current = next;
  }
  const auto after = Read(current);
  ASSERT_GT(after->shapes.size(), 5u) << "the examples drew their figures";
  for (const std::string& lost : ::test::LostFromDump(before, docif::model::DumpJson(*after))) ADD_FAILURE() << lost;
}

}  // namespace
}  // namespace plx
