#pragma once
// Figures drawn under questions of a real paper stay under those questions:
// when lines are typed above them in the same run, after the paper is saved
// and opened again, and when they are moved with the toolbar's buttons; and
// the examples run inside the paper leave its paragraphs and figures as
// they were. The cases run on the corpus paper as another word processor
// wrote it (plendrix_tests) and as LibreOffice saved it again
// (plendrix_lo_tests): each program instantiates `AnchoredFigures` with
// false or true for "re-saved".
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

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

// A number line drawn at the end of question 4 of the teacher's paper and a
// histogram at the end of question 6.
inline constexpr const wchar_t* kFiguresAtQuestions4And6 =
    L"select after 则x=（　　）\n"
    L"press rxBtnPMJH_SZ\n"
    L"set frmInterval.txtXmin -5\nset frmInterval.txtXmax 5\nset frmInterval.txtLengthOfAxis 10\n"
    L"focus frmInterval.txtInequality\nset frmInterval.txtInequality x>=3\n"
    L"click frmInterval.cmdOk\nclose frmInterval\n"
    L"select after 则k=________.\n"
    L"press rxBtnPMJH_TJT\n"
    L"set frmTJT.optZFT 1\nset frmTJT.txtData 6,14,28,32,14,6\n"
    L"answer ok\nclick frmTJT.cmdOk\nclose frmTJT\n";

// Where a shape stands: its paragraph's text and top, and its own top.
struct Place {
  std::wstring paragraph;
  double paragraphTop, top;
  double Below() const { return top - paragraphTop; }
};

class AnchoredFigures : public ::testing::TestWithParam<bool> {
 protected:
  ~AnchoredFigures() override {
    Close();
    std::fclose(sink);
  }
  // The teacher's paper, as written or as LibreOffice saved it again.
  std::optional<std::filesystem::path> Paper() const {
    return ::test::CorpusPaperAs("exam-teacher.docx", GetParam());
  }
  void Open(const std::filesystem::path& path, const std::wstring& hostVersion = L"16.0") {
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
  void SaveAs(const std::string& name) { session->Save(Utf8ToWide((dir.Path() / name).string())); }
  // The names of the shapes of the active document.
  // The figures' names, the number line's ("区间：…") first: figures are
  // sent to the back when drawn, so the collection's order is not the
  // order they were drawn in.
  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    auto shapes = session->Host().ActiveDocument()->GetShapes();
    for (int i = 1; i <= shapes->Count(); ++i) names.push_back(shapes->Item(i)->Name());
    std::stable_partition(names.begin(), names.end(), [](const std::wstring& n) { return n.starts_with(L"区间"); });
    return names;
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

TEST_P(AnchoredFigures, FiguresStayUnderTheirQuestionsWhenLinesAreTypedAbove) {
  const auto paper = Paper();
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  Open(*paper);
  Run(kFiguresAtQuestions4And6);
  const std::vector<std::wstring> names = Names();
  ASSERT_EQ(names.size(), 2u);
  std::vector<Place> drawn;
  for (const auto& name : names) drawn.push_back(PlaceOf(name));
  EXPECT_TRUE(StartsWith(drawn[0].paragraph, L"4．若log")) << WideToUtf8(drawn[0].paragraph);
  EXPECT_TRUE(StartsWith(drawn[1].paragraph, L"6．")) << WideToUtf8(drawn[1].paragraph);
  for (const Place& p : drawn) EXPECT_GT(p.Below(), -0.01) << "drawn at the question's first line, not above it";

  // A class line under the title, typed in the same run: the questions move
  // down and their figures with them.
  Run(L"select after （教师版）\ntype \\r班级：________　姓名：________\n");
  for (size_t i = 0; i < names.size(); ++i) {
    const Place typed = PlaceOf(names[i]);
    EXPECT_GT(typed.paragraphTop, drawn[i].paragraphTop + 10) << WideToUtf8(names[i]);
    EXPECT_NEAR(typed.Below(), drawn[i].Below(), 0.01) << WideToUtf8(names[i]);
  }
  SaveAs("typed.docx");

  // Opened again, the figures are read from the file: still under their
  // questions, and they follow them when another line is typed above.
  Open(dir.Path() / "typed.docx", L"11.0");
  Run(L"select after 班级：\ntype \\r学号：________\n");
  for (size_t i = 0; i < names.size(); ++i) {
    const Place again = PlaceOf(names[i]);
    EXPECT_EQ(again.paragraph, drawn[i].paragraph);
    EXPECT_NEAR(again.Below(), drawn[i].Below(), 0.01) << WideToUtf8(names[i]);
  }

  // The move button moves the number line down from where it now is.
  Run(L"select shape " + names[0] + L"\npress 下移\n");
  EXPECT_NEAR(PlaceOf(names[0]).Below(), drawn[0].Below() + 8, 0.01);
  SaveAs("moved.docx");
  Open(dir.Path() / "moved.docx");
  const Place moved = PlaceOf(names[0]);
  EXPECT_EQ(moved.paragraph, drawn[0].paragraph);
  EXPECT_NEAR(moved.Below(), drawn[0].Below() + 8, 0.01);
}

TEST_P(AnchoredFigures, ExamplesRunAfterAQuestionKeepEveryParagraphAndFigureOfThePaper) {
  const auto paper = Paper();
  if (!paper) GTEST_SKIP() << ::test::CorpusMissing("exam-teacher.docx");
  // The paper with figures of its own, under questions 4 and 6.
  Open(*paper);
  Run(kFiguresAtQuestions4And6);
  SaveAs("paper.docx");
  std::filesystem::path current = dir.Path() / "paper.docx";
  Open(current);
  ASSERT_EQ(session->ModelDocument()->shapes.size(), 2u);
  const std::string before = docif::model::DumpJson(*session->ModelDocument());

  // Each example starts on a line of its own after question 2, above the figures.
  for (const auto& example : ::test::ExamplesAfter("T=2π/2=π。")) {
    SCOPED_TRACE(example.name);
    Open(current, Utf8ToWide(example.hostVersion));
    Run(Utf8ToWide(example.script));
    current = (dir.Path() / example.name).replace_extension(".docx");
    session->Save(Utf8ToWide(current.string()));
  }
  Open(current);
  ASSERT_GT(session->ModelDocument()->shapes.size(), 5u) << "the examples drew their figures";
  for (const std::string& lost : ::test::LostFromDump(before, docif::model::DumpJson(*session->ModelDocument())))
    ADD_FAILURE() << lost;
}

}  // namespace plx::cli
