// A figure drawn under a question of a real paper stays under that
// question: when lines are typed above it, after the paper is saved and
// opened again, and when it is moved with the toolbar's buttons. The
// examples run inside the paper leave its paragraphs and figures as they
// were.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/range.hpp"
#include "docif/shapes.hpp"
#include "script.hpp"
#include "session.hpp"
#include "support/corpus.hpp"
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

using nlohmann::json;

// The paragraphs of a dump as they must stay: text and formats, without
// their positions in the text.
std::vector<json> ParagraphsOf(const json& dump) {
  std::vector<json> out;
  for (json p : dump["paragraphs"]) {
    p.erase("start");
    p.erase("end");
    out.push_back(p);
  }
  return out;
}

// A shape's page top and how far below its anchor paragraph it stands,
// found by name among the top-level shapes and their items; an item counts
// from its group's paragraph. Empty when there is no such shape.
struct Kept {
  std::string paragraph;
  double top = 0, below = 0;
};
std::optional<Kept> Find(const json& dump, const json& shapes, const std::string& name, const json* group) {
  for (const json& s : shapes) {
    const json& top = group ? *group : s;
    if (s["name"] == name && top.contains("belowParagraph")) {
      std::string paragraph;
      for (const json& p : dump["paragraphs"])
        if (p["start"] == top["anchor"]) paragraph = p["text"];
      return Kept{paragraph, s["top"], s["top"].get<double>() - top["top"].get<double>() + top["belowParagraph"].get<double>()};
    }
    if (s.contains("items"))
      if (auto found = Find(dump, s["items"], name, &top)) return found;
  }
  return std::nullopt;
}

std::wstring Example(const char* name) {
  std::ifstream in(fs::path(PLENDRIX_SOURCE_DIR) / "examples" / name);
  std::stringstream text;
  text << in.rdbuf();
  return Utf8ToWide(text.str());
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
  const json before = json::parse(docif::model::DumpJson(*session->Document()));
  ASSERT_EQ(before["shapes"].size(), 1u);

  // Each example starts on a line of its own after question 2, above the
  // figure; the number dialogs' example needs the 2003 host's menus. That
  // example ends by embellishing the whole document ("select all"), which
  // in a paper restyles every letter and digit of it as asked: it runs up
  // to that step.
  struct Step {
    const char* example;
    const wchar_t* host;
    const wchar_t* stopAt;
  };
  for (const Step& step : {Step{"figures.txt", L"16.0", nullptr}, Step{"charts.txt", L"16.0", nullptr},
                           Step{"numbers.txt", L"11.0", L"select all"}, Step{"shapes.txt", L"16.0", nullptr}}) {
    SCOPED_TRACE(step.example);
    std::wstring script = Example(step.example);
    if (step.stopAt) {
      ASSERT_NE(script.find(step.stopAt), std::wstring::npos);
      script.erase(script.find(step.stopAt));
    }
    Open(current, step.host);
    Run(L"select after T=2π/2=π。\ntype \\r\n" + script);
    current = dir.Path() / step.example;
    current.replace_extension(".docx");
    session->Save(Utf8ToWide(current.string()));
  }
  Open(current);
  const json after = json::parse(docif::model::DumpJson(*session->Document()));
  ASSERT_GT(after["shapes"].size(), before["shapes"].size() + 5) << "the examples drew their figures";

  // Every paragraph of the paper is still there, in order, as it was.
  const std::vector<json> was = ParagraphsOf(before), is = ParagraphsOf(after);
  size_t at = 0;
  for (const json& p : was) {
    size_t found = at;
    while (found < is.size() && is[found] != p) ++found;
    if (found == is.size()) {
      ADD_FAILURE() << "paragraph changed or lost: " << p.dump();
      continue;
    }
    at = found + 1;
  }
  // The paper's figure stands where it stood below question 4.
  for (const json& shape : before["shapes"]) {
    const auto then = Find(before, before["shapes"], shape["name"], nullptr);
    const auto now = Find(after, after["shapes"], shape["name"], nullptr);
    ASSERT_TRUE(then && now) << shape["name"];
    EXPECT_EQ(now->paragraph, then->paragraph);
    EXPECT_NEAR(now->below, then->below, 0.01);
  }
}

}  // namespace
}  // namespace plx::cli
