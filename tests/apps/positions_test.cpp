// Edits by position land where the text is, in papers with tables, fields
// and pictures that another word processor wrote.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "common/text.hpp"
#include "docif/model/json_dump.hpp"
#include "script.hpp"
#include "session.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx::cli {
namespace {

std::string Corpus(const char* name) { return build_paths::SharedDir() + "/corpus/" + name; }

class Positions : public ::testing::TestWithParam<const char*> {
 protected:
  void Open(const std::string& path) {
    runner.reset();
    session.reset();
    SessionOptions o;
    o.install = install.WPath();
    o.document = Utf8ToWide(path);
    session = std::make_unique<Session>(o, sink, sink);
    session->Start();
    runner = std::make_unique<ScriptRunner>(*session);
  }
  ~Positions() override {
    runner.reset();
    session.reset();
    std::fclose(sink);
  }
  void Run(const std::wstring& script) {
    std::istringstream in(WideToUtf8(script));
    runner->Run(in);
  }
  std::shared_ptr<docif::Document> Doc() { return session->Host().ActiveDocument(); }

  test::TestInstall install;
  std::FILE* sink = std::tmpfile();
  std::unique_ptr<Session> session;
  std::unique_ptr<ScriptRunner> runner;
};

// The shortest start of the paragraph's text, from six characters on, that
// occurs once in the document; empty when there is none.
std::wstring UniqueStart(const std::wstring& paragraph, const std::wstring& document) {
  std::wstring plain;
  for (wchar_t c : paragraph) {
    if (c < 0x20 || c == L'\x2002') break;  // marks, pictures, fields and blanks of other widths end the words
    plain += c;
  }
  for (size_t n = 6; n <= plain.size(); ++n) {
    const std::wstring start = plain.substr(0, n);
    const size_t first = document.find(start);
    if (first != std::wstring::npos && document.find(start, first + 1) == std::wstring::npos) return start;
  }
  return {};
}

TEST_P(Positions, TypingAfterEveryParagraphsFirstWordsLandsThere) {
  const std::string path = Corpus(GetParam());
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "the shared corpus is not here";
  Open(path);
  int walked = 0;
  auto paragraphs = Doc()->Paragraphs();  // live: it finds its paragraphs anew after each edit
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    const std::wstring start = UniqueStart(paragraphs->Item(i)->Text(), Doc()->Content()->Text());
    if (start.empty()) continue;
    Run(L"select after " + start + L"\ntype ◆\n");
    const std::wstring now = paragraphs->Item(i)->Text();
    EXPECT_EQ(now.substr(0, start.size() + 1), start + L"◆") << WideToUtf8(start);
    ++walked;
  }
  EXPECT_GE(walked, 10) << "every question of the paper is walked";
}

INSTANTIATE_TEST_SUITE_P(Corpus, Positions,
                         ::testing::Values("exam-teacher.docx", "exam-student.docx", "worksheet.docx"));

TEST_F(Positions, TextInsideParagraphsAfterTablesAndFields) {
  if (!std::filesystem::exists(Corpus("worksheet.docx"))) GTEST_SKIP() << "the shared corpus is not here";
  Open(Corpus("worksheet.docx"));
  Run(L"select after （教师提示：\ntype 【注】\nselect after 372÷6=\ntype 62\n");
  const std::wstring text = Doc()->Content()->Text();
  EXPECT_NE(text.find(L"（教师提示：【注】本题"), std::wstring::npos);
  EXPECT_NE(text.find(L"372÷6=62"), std::wstring::npos);

  Open(Corpus("exam-teacher.docx"));
  Run(L"select after 【答案】[1,+∞)\ntype ，即\n");
  EXPECT_NE(Doc()->Content()->Text().find(L"【答案】[1,+∞)，即"), std::wstring::npos);
  EXPECT_NE(Doc()->Content()->Text().find(L"a=(1,2)"), std::wstring::npos) << "question 6 is untouched";
}

TEST_F(Positions, DumpedParagraphPositionsSelectTheirText) {
  if (!std::filesystem::exists(Corpus("worksheet.docx"))) GTEST_SKIP() << "the shared corpus is not here";
  Open(Corpus("worksheet.docx"));
  auto paragraphs = Doc()->Paragraphs();
  const std::string dump = docif::model::DumpJson(*session->Model()->ActiveData(), -1);
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto p = paragraphs->Item(i);
    const std::string entry = "\"start\":" + std::to_string(p->Start()) + ",\"end\":" + std::to_string(p->End());
    EXPECT_NE(dump.find(entry), std::string::npos) << "paragraph " << i;
  }
}

}  // namespace
}  // namespace plx::cli
