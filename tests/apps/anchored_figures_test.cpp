// A figure drawn under a question of a real paper stays under that
// question: when lines are typed above it, after the paper is saved and
// opened again, and when it is moved with the toolbar's buttons. The
// examples run inside the paper leave its paragraphs and figures as they
// were.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "common/text.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/range.hpp"
#include "docif/shapes.hpp"
#include "script.hpp"
#include "session.hpp"
#include "support/corpus.hpp"
#include "support/paper_examples.hpp"
#include "support/test_addin.hpp"

namespace plx::cli {
namespace {

namespace fs = std::filesystem;

// A number line drawn at the end of question 4 of the teacher's paper.
constexpr const wchar_t* kNumberLineAtQuestion4 =
    L"select after 则x=（　　）\n"
    L"press rxBtnPMJH_SZ\n"
    L"set frmInterval.txtXmin -5\n"
    L"set frmInterval.txtXmax 5\n"
    L"set frmInterval.txtLengthOfAxis 10\n"
    L"focus frmInterval.txtInequality\n"
    L"set frmInterval.txtInequality x>=3\n"
    L"click frmInterval.cmdOk\n"
    L"close frmInterval\n";

// Where a shape stands: its paragraph's text and top, and its own top.
struct Place {
  std::wstring paragraph;
  double paragraphTop, top;
  double Below() const { return top - paragraphTop; }
};

class AnchoredFigures : public ::testing::Test {
 protected:
  ~AnchoredFigures() override {
    Close();
    std::fclose(sink);
  }
  void Open(const fs::path& path, const std::wstring& hostVersion = L"16.0") {
    Close();
    SessionOptions o;
    o.install = install.WPath();
    o.document = Utf8ToWide(path.string());
    o.hostVersion = hostVersion;
    session = std::make_unique<Session>(o, sink, sink);
    session->Start();
    runner = std::make_unique<ScriptRunner>(*session);
  }
  void Close() {
    runner.reset();
    session.reset();
  }
  void Run(const std::wstring& script) {
    std::istringstream in(WideToUtf8(script));
    runner->Run(in);
  }
  Place PlaceOf(const std::wstring& name) {
    auto shape = session->Host().ActiveDocument()->GetShapes()->Item(name);
    auto paragraph = shape->Anchor();
    return {paragraph->Text(), paragraph->Information(docif::kVerticalPositionRelativeToPage), shape->Top()};
  }

  test::TestInstall install;
  test::TempDir dir;
  std::FILE* sink = std::tmpfile();
  std::unique_ptr<Session> session;
  std::unique_ptr<ScriptRunner> runner;
};

TEST_F(AnchoredFigures, ANumberLineStaysUnderItsQuestionWhenLinesAreTypedAboveIt) {
  const auto paper = ::test::CorpusPaper("exam-teacher.docx");
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  Open(*paper);
  Run(kNumberLineAtQuestion4);
  const std::wstring name = session->Host().GetSelection()->GetShapeRange()->Item(1)->Name();
  const Place drawn = PlaceOf(name);
  ASSERT_TRUE(StartsWith(drawn.paragraph, L"4．若log")) << WideToUtf8(drawn.paragraph);
  ASSERT_GT(drawn.Below(), -0.01) << "drawn at the question's first line, not above it";

  // A class line under the title, typed in the same run.
  Run(L"select after （教师版）\ntype \\r班级：________　姓名：________\n");
  Place typed = PlaceOf(name);
  EXPECT_GT(typed.paragraphTop, drawn.paragraphTop + 10) << "the question moved down";
  EXPECT_NEAR(typed.Below(), drawn.Below(), 0.01) << "and the figure with it";
  session->Save(Utf8ToWide((dir.Path() / "drawn.docx").string()));

  // Opened again, the figure is read from the file: still under question
  // 4, and it follows it when another line is typed above.
  Open(dir.Path() / "drawn.docx", L"11.0");
  typed = PlaceOf(name);
  EXPECT_EQ(typed.paragraph, drawn.paragraph);
  EXPECT_NEAR(typed.Below(), drawn.Below(), 0.01);
  Run(L"select after 班级：\ntype \\r学号：________\n");
  const Place again = PlaceOf(name);
  EXPECT_GT(again.paragraphTop, typed.paragraphTop + 10);
  EXPECT_NEAR(again.Below(), drawn.Below(), 0.01);

  // The move button moves it down from where it now is.
  Run(L"select shape " + name + L"\npress 下移\n");
  EXPECT_NEAR(PlaceOf(name).Below(), drawn.Below() + 8, 0.01);
  session->Save(Utf8ToWide((dir.Path() / "moved.docx").string()));
  Open(dir.Path() / "moved.docx");
  const Place moved = PlaceOf(name);
  EXPECT_EQ(moved.paragraph, drawn.paragraph);
  EXPECT_NEAR(moved.Below(), drawn.Below() + 8, 0.01);
}

TEST_F(AnchoredFigures, ExamplesRunAfterAQuestionKeepEveryParagraphAndFigureOfThePaper) {
  const auto paper = ::test::CorpusPaper("exam-teacher.docx");
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  // The paper with a figure of its own, under question 4.
  Open(*paper);
  Run(kNumberLineAtQuestion4);
  fs::path current = dir.Path() / "paper.docx";
  session->Save(Utf8ToWide(current.string()));
  Open(current);
  ASSERT_EQ(session->Document()->shapes.size(), 1u);
  const std::string before = docif::model::DumpJson(*session->Document());

  // Each example starts on a line of its own after question 2, above the figure.
  for (const auto& example : ::test::ExamplesAfter("T=2π/2=π。")) {
    SCOPED_TRACE(example.name);
    Open(current, Utf8ToWide(example.hostVersion));
    Run(Utf8ToWide(example.script));
    current = dir.Path() / example.name;
    current.replace_extension(".docx");
    session->Save(Utf8ToWide(current.string()));
  }
  Open(current);
  const std::string after = docif::model::DumpJson(*session->Document());
  ASSERT_GT(session->Document()->shapes.size(), 5u) << "the examples drew their figures";
  for (const std::string& lost : ::test::LostFromDump(before, after)) ADD_FAILURE() << lost;
}

}  // namespace
}  // namespace plx::cli
