// The question bank's rows: papers and questions round-trip through the
// shipped database, pasted names cannot break or change a statement, the
// shipped lists and trees are whole, and pages of a chapter stay in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "bank/frm_tree.hpp"
#include "bank/tk_files.hpp"
#include "bank/tk_pages.hpp"
#include "bank/tk_papers.hpp"
#include "bank/tk_sql.hpp"
#include "bank/tk_store.hpp"
#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

using namespace bank;

class BankDatabase : public test::AddinTest {
 protected:
  long AddPaper(const std::wstring& name) {
    ui.Queue(Answer::OK);
    auto id = SavePaper(*ctx, {0, name, L"高一", L"浙江", L"2026", L"某某中学", L"期中考试", L""});
    EXPECT_TRUE(id.has_value());
    EXPECT_EQ(ui.Boxes().back().text, L"试卷信息已经保存到数据库！");
    return id.value_or(0);
  }
  long AddQ(long chapter, const std::wstring& points = L"函数的单调性") {
    QuestionRow q;
    q.type = L"单选题";
    q.degree = L"中等";
    q.chapter = chapter;
    q.points = points;
    return AddQuestion(*ctx, q);
  }
  std::vector<long> Ids(const std::vector<QuestionRow>& rows) {
    std::vector<long> ids;
    for (const auto& r : rows) ids.push_back(r.id);
    return ids;
  }
};

TEST_F(BankDatabase, NamesWithQuotesAreTheirOwnText) {
  // Ordinary names give the statement as written; a quote is doubled.
  EXPECT_EQ(sql::PaperByName(L"期中"), L"select * from  tkPaper  where name='期中'");
  EXPECT_EQ(sql::DeletePaper(L"O'Neil杯"), L"delete from  tkpaper  where name='O''Neil杯'");
  EXPECT_EQ(sql::QuestionsOfPoint(L"a'b"), L"select * from tm where Points like '%a''b%'");

  long keep = AddPaper(L"2026期中");
  long hostile = AddPaper(L"x' or '1'='1");
  ASSERT_NE(keep, hostile);
  auto found = FindPaper(*ctx, std::wstring(L"x' or '1'='1"));
  ASSERT_TRUE(found);
  EXPECT_EQ(found->id, hostile);
  // Deleting the hostile name removes that paper only, not every paper.
  ui.Queue(Answer::Yes);
  EXPECT_TRUE(DeletePaper(*ctx, L"x' or '1'='1"));
  EXPECT_TRUE(FindPaper(*ctx, keep));
  EXPECT_FALSE(FindPaper(*ctx, hostile));

  long q = AddQ(5, L"O'Neil定理");
  EXPECT_EQ(Ids(QuestionsOfPoint(*ctx, L"O'Neil")), std::vector<long>{q});
}

TEST_F(BankDatabase, PaperMessages) {
  ui.Queue(Answer::OK);
  EXPECT_FALSE(SavePaper(*ctx, {0, L"  ", L"", L"", L"", L"", L"", L""}));
  EXPECT_EQ(ui.Boxes().back().text, L"您还没有指定试卷名称！请检查您的输入！");
  ui.Queue(Answer::OK);
  EXPECT_TRUE(PaperNames(*ctx).empty());
  EXPECT_EQ(ui.Boxes().back().text, L"当前数据库中还没有试卷记录哦！记得先添加试卷信息。");

  long first = AddPaper(L"月考");
  ui.Queue(Answer::No);
  EXPECT_FALSE(SavePaper(*ctx, {0, L"月考", L"", L"", L"", L"", L"", L""}));
  EXPECT_EQ(ui.Boxes().back().text, L"数据库中已经有名为月考的试卷了，您确定仍然添加吗？");
  EXPECT_EQ(ui.Boxes().back().title, L"数据重复提示");
  ui.Queue(Answer::Yes);
  ui.Queue(Answer::OK);
  EXPECT_TRUE(SavePaper(*ctx, {0, L"月考", L"", L"", L"", L"", L"", L""}));
  EXPECT_EQ(PaperNames(*ctx).size(), 2u);

  ui.Queue(Answer::OK);
  EXPECT_FALSE(DeletePaper(*ctx, L""));
  EXPECT_EQ(ui.Boxes().back().text, L"您没有选中要删除的试卷，请检查！");
  ui.Queue(Answer::No);
  EXPECT_FALSE(DeletePaper(*ctx, L"月考"));
  EXPECT_EQ(ui.Boxes().back().title, L"试卷信息删除确认");
  EXPECT_TRUE(FindPaper(*ctx, first));
}

TEST_F(BankDatabase, PaperQuestionsInPaperOrder) {
  long paper = AddPaper(L"期末");
  ui.Queue(Answer::OK);
  EXPECT_FALSE(PaperQuestions(*ctx, paper));
  EXPECT_EQ(ui.Boxes().back().text, L"当前试卷中并没有题目的记录哦！记得为试卷添加信息或检查数据是否正常。");

  long a = AddQ(3), b = AddQ(3), c = AddQ(4);
  EXPECT_LT(a, b);
  SaveTM2Paper(*ctx, paper, {c});
  ui.Queue(Answer::No);
  EXPECT_FALSE(PaperQuestions(*ctx, paper));
  EXPECT_EQ(ui.Boxes().back().title, L"试卷打开确认");

  SaveTM2Paper(*ctx, paper, {a, b});
  EXPECT_EQ(FindPaper(*ctx, paper)->tmIds, std::to_wstring(c) + L"," + std::to_wstring(a) + L"," + std::to_wstring(b));
  DeleteQuestion(*ctx, a);
  ui.Queue(Answer::OK);
  EXPECT_EQ(Ids(*PaperQuestions(*ctx, paper)), (std::vector<long>{c, b}));
  EXPECT_EQ(ui.Boxes().back().text, L"生成试卷的过程中，程序检查到id为" + std::to_wstring(a) +
                                        L"的题目信息丢失，这些题目可能已经被删除，请检查！");
}

TEST_F(BankDatabase, QuestionRowsFilesAndUse) {
  std::wstring stem = StoredPath(*ctx, NewFileName(*ctx));
  for (const char* ext : {".doc", ".wmf"}) std::ofstream(WideToUtf8(stem) + ext) << "x";
  QuestionRow q;
  q.type = L"填空题";
  q.points = L"二次函数,函数的最值";
  q.fileName = stem;
  q.tmText = QuestionSearchText(L"【题干】已知函数f(x)=x²，求它的最小值。");
  long id = AddQuestion(*ctx, q);
  auto back = LoadQuestion(*ctx, id);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->tmText, L"已知函数求它最小值");
  EXPECT_EQ(back->usedTimes, 0);
  UseQuestion(*ctx, id);
  UseQuestion(*ctx, id);
  back = LoadQuestion(*ctx, id);
  EXPECT_EQ(back->usedTimes, 2);
  EXPECT_EQ(back->lastUsed, clock.ShortDateText());
  // A point's name matched as part of a longer one.
  EXPECT_EQ(Ids(QuestionsOfPoint(*ctx, L"函数")), std::vector<long>{id});

  back->degree = L"较难";
  UpdateQuestion(*ctx, *back);
  EXPECT_EQ(LoadQuestion(*ctx, id)->degree, L"较难");
  DeleteQuestion(*ctx, id);
  EXPECT_FALSE(LoadQuestion(*ctx, id));
  EXPECT_FALSE(FileExists(stem + L".doc"));
  EXPECT_FALSE(FileExists(stem + L".wmf"));
  try {
    UpdateQuestion(*ctx, *back);
    ADD_FAILURE() << "a deleted question was updated";
  } catch (const VbError& e) {
    EXPECT_EQ(e.description(), L"没有找到相关题目");
  }
}

TEST_F(BankDatabase, BrowsingByPointMatchesWholeNamesOfAQuestionsPoints) {
  AddQ(1, L"");
  long both = AddQ(1, L"交集,并集"), unionOnly = AddQ(1, L"并集"), one = AddQ(1, L"交集");
  AddQ(1, L"交集与并集的关系");
  long middle = AddQ(1, L"集合的含义,交集,补集"), last = AddQ(1, L"补集,交集");
  auto ids = [&](const std::wstring& statement) { return Ids(QueryQuestions(*ctx, statement)); };
  EXPECT_EQ(ids(PointPageSql({L"交集"}, 10, 1)), (std::vector<long>{last, middle, one, both}));
  EXPECT_EQ(ids(PointPageSql({L"并集"}, 10, 1)), (std::vector<long>{unionOnly, both}));
  EXPECT_EQ(ids(PointPageSql({L"交集"}, 2, 2)), (std::vector<long>{one, both}));
  EXPECT_EQ(CountRows(*ctx, PointCountSql({L"集合", L"补集"})), 2);
  EXPECT_EQ(CountRows(*ctx, PointCountSql({L"交集与并集的关系"})), 1);
  EXPECT_EQ(CountRows(*ctx, PointCountSql({})), 0);
  EXPECT_EQ(CountRows(*ctx, PointCountSql({L""})), 0);
  // A point with hundreds of children still gives a statement the bank runs.
  std::vector<std::wstring> many(600, L"某知识点");
  many.back() = L"补集";
  EXPECT_EQ(CountRows(*ctx, PointCountSql(many)), 2);
  // Typed lists are stored as names joined by ",".
  EXPECT_EQ(PointNames(L" 交集，并集、 ,补集；函数;　集合的　含义　"),
            (std::vector<std::wstring>{L"交集", L"并集", L"补集", L"函数", L"集合的　含义"}));
}

TEST_F(BankDatabase, QuestionFilesStayInThisBanksFolder) {
  // The install folder was copied: the rows still name the original's files.
  test::TempDir original;
  std::wstring theirs = original.WPath() + L"/TK_plendrix/26/4/abc";
  std::wstring ours = StemInBank(BankFolder(*ctx), theirs);
  EXPECT_EQ(ours, BankFolder(*ctx) + L"/26/4/abc");
  std::filesystem::create_directories(original.Path() / "TK_plendrix/26/4");
  std::filesystem::create_directories(install.Path() / "TK_plendrix/26/4");
  for (const auto& stem : {theirs, ours})
    for (const char* ext : {".doc", ".wmf"}) std::ofstream(WideToUtf8(stem) + ext) << "x";
  QuestionRow q;
  q.points = L"交集";
  q.fileName = theirs;
  long id = AddQuestion(*ctx, q);
  EXPECT_EQ(LoadQuestion(*ctx, id)->fileName, ours);
  EXPECT_EQ(QueryQuestions(*ctx, PaperQuestionsSql({id})).front().fileName, ours);
  DeleteQuestion(*ctx, id);
  EXPECT_FALSE(FileExists(ours + L".doc"));
  EXPECT_TRUE(FileExists(theirs + L".doc"));
  EXPECT_TRUE(FileExists(theirs + L".wmf"));
  // A bank made on Windows; parts that would leave the folder name nothing.
  EXPECT_EQ(StemInBank(L"/b/TK_plendrix", L"C:\\Plendrix\\tk_plendrix\\13\\2\\f00d"), L"/b/TK_plendrix/13/2/f00d");
  EXPECT_EQ(StemInBank(L"/b/TK_plendrix", L"/b/TK_plendrix/../../etc"), L"");
  EXPECT_EQ(StemInBank(L"/b/TK_plendrix", L""), L"");
}

TEST_F(BankDatabase, ShippedListsAndTrees) {
  EXPECT_EQ(ValueList(*ctx, L"tkGrade"), (std::vector<std::wstring>{L"高一", L"高二", L"高三"}));
  EXPECT_EQ(ValueList(*ctx, L"tkType").front(), L"单选题");
  EXPECT_EQ(ValueList(*ctx, L"Provinces").size(), 35u);
  EXPECT_THROW(ValueList(*ctx, L"tm; drop table tm"), VbError);
  for (const auto& tree : {ChapterTree(*ctx), PointTree(*ctx)}) {
    ASSERT_GT(tree.size(), 50u);
    std::map<long, int> layer;
    for (const auto& n : tree) {
      // Parents come first and are one layer up; the top has no parent.
      if (n.layer == 0) {
        EXPECT_EQ(n.fid, 0) << WideToUtf8(n.name);
      } else {
        ASSERT_TRUE(layer.count(n.fid)) << WideToUtf8(n.name);
        EXPECT_EQ(layer[n.fid], n.layer - 1) << WideToUtf8(n.name);
      }
      EXPECT_LE(n.layer, 2);
      layer[n.id] = n.layer;
    }
  }
  auto points = PointTree(*ctx);
  auto functions = std::find_if(points.begin(), points.end(), [](const TreeNode& n) { return n.name == L"基本初等函数"; });
  ASSERT_NE(functions, points.end());
  auto names = PointWithChildren(*ctx, functions->id, functions->name);
  EXPECT_EQ(names.front(), L"基本初等函数");
  EXPECT_NE(std::find(names.begin(), names.end(), L"对数与对数函数"), names.end());
}

// A bank made elsewhere may hold any layer: the tree shows it indented at
// most a few levels, never by a string of that size, and a number past
// what a long holds is read without overflowing.
TEST_F(BankDatabase, HugeLayersAreShownAtABoundedDepth) {
  test::ExecSql(install.File("TK_plendrix/TK_plendrix.mdb"),
                "insert into tkChapter (id, name, layer, fid) values (900001, '深', 1000000000, 0), "
                "(900002, '更深', 1e300, 0), (900003, '负', -5, 0)");
  const auto tree = ChapterTree(*ctx);
  std::vector<TreeNode> odd;
  for (const auto& n : tree)
    if (n.id > 900000) odd.push_back(n);
  ASSERT_EQ(odd.size(), 3u);
  for (const std::wstring& item : TreeItems(odd)) EXPECT_LE(item.size(), 40u) << WideToUtf8(item);
  EXPECT_EQ(TreeItems(odd).back(), L"负");
}

TEST_F(BankDatabase, ChapterPagesStayInTheirChapter) {
  std::vector<long> chapter7;
  for (int i = 0; i < 25; ++i) {
    chapter7.push_back(AddQ(7));
    AddQ(8);  // interleaved newer questions of another chapter
  }
  std::vector<long> newest(chapter7.rbegin(), chapter7.rend());
  EXPECT_EQ(Ids(QueryQuestions(*ctx, ChapterPageSql(7, 10, 1))), std::vector<long>(newest.begin(), newest.begin() + 10));
  EXPECT_EQ(Ids(QueryQuestions(*ctx, ChapterPageSql(7, 10, 2))), std::vector<long>(newest.begin() + 10, newest.begin() + 20));
  EXPECT_EQ(Ids(QueryQuestions(*ctx, ChapterPageSql(7, 10, 3))), std::vector<long>(newest.begin() + 20, newest.end()));
  EXPECT_EQ(QueryQuestions(*ctx, ChapterPageSql(7, 10, 2, {L"单选题", L"x'"})).size(), 0u);
  EXPECT_EQ(QueryQuestions(*ctx, AllQuestionsPageSql(10, 5)).size(), 10u);
}

}  // namespace
}  // namespace plx
