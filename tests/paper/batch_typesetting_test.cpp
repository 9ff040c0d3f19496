// Typesetting a folder of articles: copies beside the originals, the
// originals untouched, a damaged file reported and skipped.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "addin/form.hpp"
#include "common/text.hpp"
#include "connect/commands/command_table.hpp"
#include "paper/batch_typesetting.hpp"
#include "paper_fixture.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class BatchTypesetting : public test::PaperTest {
 protected:
  fs::path Folder() { return dir.Path() / "文章"; }
  // An article written as a teacher might: blanks before lines, a title,
  // an abstract and references.
  void Article(const std::string& name, const std::wstring& title) {
    fs::create_directories(Folder());
    auto article = host->GetDocuments()->Add();
    article->Content()->SetText(L"  " + title + L"\r　　摘要：本文讨论函数图象的画法。\r正文第一段。\r参考文献\r[1] 某某. 教学研究.");
    article->SaveAs(Utf8ToWide((Folder() / name).string()));
    host->GetDocuments()->Close(article);
    doc->Activate();
  }
  // Opens the dialog as the typesetting toolbar's button does.
  // The article typesetting settings for the rest of the test.
  void ArticleSettings(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> settings) {
    for (const auto& [key, value] : settings) Setting(L"wzconfig", key, value);
  }
  std::shared_ptr<Form> Dialog() {
    FindLegacyAction(L"批量排版")->run(*ctx);
    EXPECT_EQ(ctx->OpenForms.back()->Name(), L"frmLWPB");
    return ctx->OpenForms.back();
  }
};

TEST_F(BatchTypesetting, EachArticleGetsATypesetCopyAndADamagedFileIsReported) {
  SetText(L"正在写的试卷");
  Article("函数.docx", L"函数图象的教学");
  Article("数列.docx", L"数列教学的几点思考");
  std::ofstream(Folder() / "坏.docx") << "这不是一个文档";
  std::ofstream(Folder() / "~$函数.docx") << "lock";
  std::ofstream(Folder() / "说明.txt") << "text";
  const std::string original = Bytes(Folder() / "函数.docx");

  ui.QueueText(Utf8ToWide(Folder().string()));  // the folder chooser
  ui.Queue(Answer::OK);                          // the summary
  auto form = Dialog();
  form->Click(L"cmdOk");
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_EQ(ui.Boxes()[0].kind, BoxKind::Folder);
  const std::wstring summary = ui.Boxes()[1].text;
  EXPECT_TRUE(summary.starts_with(L"已排版 2 篇文章")) << WideToUtf8(summary);
  EXPECT_TRUE(Contains(summary, L"以下 1 个文件未能排版：\r\n坏.docx：")) << WideToUtf8(summary);
  EXPECT_FALSE(form->Loaded());
  EXPECT_EQ(ui.ProgressSteps().size(), 4u) << "one step per file and the end";

  EXPECT_EQ(Bytes(Folder() / "函数.docx"), original) << "the original is never written";
  EXPECT_EQ(host->ActiveDocument()->Content()->Text(), L"正在写的试卷\r") << "the teacher's document stays active";
  EXPECT_EQ(host->GetDocuments()->Count(), 1) << "every article is closed again";

  auto copy = host->GetDocuments()->Open(Utf8ToWide((Folder() / "函数_排版.docx").string()));
  auto ps = copy->Paragraphs();
  EXPECT_EQ(ps->Item(1)->Text(), L"函数图象的教学\r") << "leading blanks removed";
  EXPECT_EQ(ps->Item(1)->Style(), L"正标题_Plendrix");
  EXPECT_EQ(ps->Item(2)->Style(), L"摘要_Plendrix");
  EXPECT_EQ(ps->Item(3)->Style(), L"正文");
  EXPECT_EQ(ps->Item(4)->Style(), L"参考文献_Plendrix");
  EXPECT_TRUE(copy->GetStyles()->Exists(L"关键词_Plendrix"));
  EXPECT_TRUE(fs::exists(Folder() / "数列_排版.docx"));
}

TEST_F(BatchTypesetting, ARunAgainLeavesEarlierCopiesAloneAndNamesTheNewOnesApart) {
  Article("函数.docx", L"函数图象的教学");
  auto articles = ArticlesIn(Utf8ToWide(Folder().string()));
  ASSERT_EQ(articles.size(), 1u);
  EXPECT_EQ(TypesetArticles(*ctx, articles).done.size(), 1u);
  const std::string first = Bytes(Folder() / "函数_排版.docx");
  articles = ArticlesIn(Utf8ToWide(Folder().string()));
  ASSERT_EQ(articles.size(), 1u) << "the copy is not typeset again";
  auto second = TypesetArticles(*ctx, articles);
  ASSERT_EQ(second.done.size(), 1u);
  EXPECT_TRUE(second.done[0].ends_with(L"函数_排版(2).docx"));
  EXPECT_EQ(Bytes(Folder() / "函数_排版.docx"), first);
}

TEST_F(BatchTypesetting, TheArticleSettingsCleanLineBreaksEmptyLinesAndAdvertising) {
  fs::create_directories(Folder());
  auto article = host->GetDocuments()->Add();
  article->Content()->SetText(L"标题\r第一行\v第二行\r\r\r扫码关注公众号，领取资料\r摘要：含“公众号”三个字也保留\r结尾");
  article->SaveAs(Utf8ToWide((Folder() / "a.docx").string()));
  host->GetDocuments()->Close(article);
  ArticleSettings({{L"blDH0", L"True"}, {L"blReplace", L"True"}, {L"txtReplace", L"^p^p,^p"}, {L"blGGSB", L"True"},
           {L"txtHMD", L"公众号|二维码"}, {L"txtBMD", L"摘要"}});
  auto result = TypesetArticles(*ctx, ArticlesIn(Utf8ToWide(Folder().string())));
  ASSERT_EQ(result.done.size(), 1u);
  auto copy = host->GetDocuments()->Open(result.done[0]);
  EXPECT_EQ(copy->Content()->Text(), L"标题\r第一行\r第二行\r摘要：含“公众号”三个字也保留\r结尾\r");

  ArticleSettings({{L"blDH0", L"False"}, {L"blDH1", L"True"}, {L"blReplace", L"False"}, {L"blGGSB", L"False"}});
  result = TypesetArticles(*ctx, ArticlesIn(Utf8ToWide(Folder().string())));
  ASSERT_EQ(result.done.size(), 1u);
  copy = host->GetDocuments()->Open(result.done[0]);
  EXPECT_EQ(copy->Content()->Text(), L"标题\r第一行第二行\r\r\r扫码关注公众号，领取资料\r摘要：含“公众号”三个字也保留\r结尾\r");
}

TEST_F(BatchTypesetting, AMissingOrEmptyFolderIsExplainedAndACancelledChooserDoesNothing) {
  ui.QueueText(L"");  // the chooser cancelled
  auto form = Dialog();
  form->Click(L"cmdOk");
  EXPECT_EQ(ui.Boxes().size(), 1u);
  EXPECT_TRUE(form->Loaded());

  ui.Clear();
  ui.Queue(Answer::OK);
  form->SetValue(L"txtFolder", Utf8ToWide((dir.Path() / "没有这个文件夹").string()));
  form->Click(L"cmdOk");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_TRUE(ui.Boxes()[0].text.starts_with(L"找不到文件夹“"));

  ui.Clear();
  ui.Queue(Answer::OK);
  form->SetValue(L"txtFolder", dir.WPath());
  form->Click(L"cmdOk");
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_TRUE(Contains(ui.Boxes()[0].text, L"中没有要排版的 .docx 文件")) << WideToUtf8(ui.Boxes()[0].text);
  EXPECT_TRUE(form->Loaded());
  form->Unload();
}

}  // namespace
}  // namespace plx
