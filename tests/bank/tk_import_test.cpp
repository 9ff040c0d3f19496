// Importing an older installation's question bank: papers and questions
// are added after what the bank holds, ids are remapped in both directions
// and question files are copied under new names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bank/frm_config_tk.hpp"
#include "bank/tk_files.hpp"
#include "bank/tk_papers.hpp"
#include "bank/tk_store.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;
using namespace bank;

class TkImport : public test::AddinTest {
 protected:
  long AddQ(long paper, const std::wstring& text) {
    QuestionRow q;
    q.paperId = paper;
    q.tmText = text;
    q.fileName = StoredPath(*ctx, NewFileName(*ctx));
    std::ofstream(WideToUtf8(q.fileName) + ".doc") << WideToUtf8(text);
    return AddQuestion(*ctx, q);
  }
  void Press() {
    auto form = std::make_shared<frmConfigTk>(*ctx);
    form->Show();
    form->Click(L"cmdImportTK");
  }
  test::TempDir old;
};

TEST_F(TkImport, OldPapersAndQuestionsJoinTheBank) {
  random = ScriptedRandom({0.1, 0.2, 0.3, 0.4, 0.5});
  ui.Queue(Answer::OK);
  long paper = *SavePaper(*ctx, {0, L"旧试卷", L"高二", L"", L"", L"", L"", L""});
  long first = AddQ(paper, L"第一题"), second = AddQ(paper, L"第二题");
  SaveTM2Paper(*ctx, paper, {second, first});
  fs::copy(install.Path() / "TK_plendrix", old.Path() / "TK_plendrix", fs::copy_options::recursive);
  // The current bank starts over with one question of its own.
  fs::copy_file(fs::path(build_paths::PristineDir()) / "TK_plendrix" / "TK_plendrix.mdb",
                install.Path() / "TK_plendrix" / "TK_plendrix.mdb", fs::copy_options::overwrite_existing);
  long own = AddQ(0, L"新题");

  ui.QueueText(old.WPath());
  ui.Queue(Answer::OK);
  Press();
  EXPECT_EQ(ui.Boxes().back().text, L"旧版题库导入完成：共导入1份试卷、2道试题。");
  auto imported = FindPaper(*ctx, std::wstring(L"旧试卷"));
  ASSERT_TRUE(imported);
  std::vector<long> ids = ParseIds(imported->tmIds);
  ASSERT_EQ(ids.size(), 2u);
  EXPECT_GT(ids[1], own);
  auto q2 = LoadQuestion(*ctx, ids[0]);
  ASSERT_TRUE(q2);
  EXPECT_EQ(q2->tmText, L"第二题");  // paper order kept through the new ids
  EXPECT_EQ(q2->paperId, imported->id);
  EXPECT_NE(q2->fileName, LoadQuestion(*ctx, ids[1])->fileName);
  EXPECT_TRUE(FileExists(q2->fileName + L".doc"));
  EXPECT_TRUE(LoadQuestion(*ctx, own));
}

TEST_F(TkImport, AFolderWithoutABankIsRefused) {
  ui.QueueText(old.WPath());
  ui.Queue(Answer::OK);
  Press();
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"没有找到旧版题库"));
  ui.QueueText(L"");  // cancelled: nothing happens
  Press();
}

}  // namespace
}  // namespace plx
