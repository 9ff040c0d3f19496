// The shipped question-bank patterns tag real exam papers: big questions,
// small questions and answers, and nothing else.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

class MarkingPatternsTest : public test::AddinTest {
 protected:
  int Tag(docif::Document& doc, const std::wstring& find, const std::wstring& replace) {
    auto f = doc.Content()->GetFind();
    f->Text = ctx->Config->Text(find);
    f->Replacement.Text = ctx->Config->Text(replace);
    f->MatchWildcards = true;
    f->Execute(docif::kReplaceAll);
    std::wstring tag = Left(Replace(ctx->Config->Text(replace), L"^13", L""), 6);
    std::wstring text = doc.Content()->Text();
    int n = 0;
    for (size_t at = text.find(tag); at != std::wstring::npos; at = text.find(tag, at + 1)) ++n;
    return n;
  }
};

TEST_F(MarkingPatternsTest, ExamPapersGetTheirTags) {
  std::string corpus = build_paths::SharedDir() + "/corpus/";
  if (!std::filesystem::exists(corpus + "exam-teacher.docx")) GTEST_SKIP() << "the shared corpus is not here";
  GetConfigInfo(*ctx, L"tikuconfig");
  struct Expect { const char* file; int big, small, answers; };
  // The teacher's paper has three big questions, but the first follows the
  // score table: the table's row end is no paragraph mark, so "^13" does
  // not find that heading, as in the word processor itself.
  for (const Expect& e : {Expect{"exam-teacher.docx", 2, 8, 8}, Expect{"worksheet.docx", 0, 5, 0}}) {
    auto data = docif::ooxml::ReadDocx(Utf8ToWide(corpus + e.file), std::make_shared<docif::model::AppShared>());
    docif::model::ModelDocument doc(data);
    EXPECT_EQ(Tag(doc, L"txtDT", L"txtDTRep"), e.big) << e.file;
    EXPECT_EQ(Tag(doc, L"txtTM", L"txtTMRep"), e.small) << e.file;
    EXPECT_EQ(Tag(doc, L"txtAns", L"txtAnsRep"), e.answers) << e.file;
    // A second pass finds nothing new: tagged paragraphs no longer match.
    EXPECT_EQ(Tag(doc, L"txtTM", L"txtTMRep"), e.small) << e.file;
    // Decimals inside a line are no question numbers.
    EXPECT_EQ(doc.Content()->Text().find(L"[pdTM]5]"), std::wstring::npos);
  }
}

}  // namespace
}  // namespace plx
