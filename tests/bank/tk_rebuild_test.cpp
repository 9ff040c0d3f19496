// Rebuilding the bank's trees and value lists from its workbook: the
// shipped workbook is the bank's own content, faulty rows are named and
// change nothing, a failing write rolls every table back, and the stored
// questions keep their chapter and knowledge points.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bank/frm_config_tk.hpp"
#include "bank/tk_config_book.hpp"
#include "bank/tk_rebuild.hpp"
#include "bank/tk_store.hpp"
#include "common/text.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"
#include "support/build_paths.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;
using namespace bank;
using test::ExecSql;
using test::QueryColumn;
using test::QueryOne;

Workbook ShippedWorkbook() {
  std::wstring why;
  auto book = ReadWorkbook(Utf8ToWide(build_paths::SourceDir() + "/data/TK_plendrix/tkconfig.xls"), why);
  EXPECT_TRUE(book) << WideToUtf8(why);
  return book.value_or(Workbook{});
}

// A workbook with the shipped trees and one sheet replaced.
Workbook WithSheet(Worksheet sheet) {
  Workbook book = ShippedWorkbook();
  for (auto& s : book.sheets)
    if (s.name == sheet.name) s = sheet;
  return book;
}

std::vector<std::wstring> ProblemsOf(const Workbook& book) { return ReadBankConfig(book).problems; }

class TkRebuild : public test::AddinTest {
 protected:
  std::wstring Bank() const { return install.File("TK_plendrix/TK_plendrix.mdb"); }
  std::vector<std::string> Table(const std::string& table) {
    return QueryColumn(Bank(), "select id || ':' || name || ':' || ifnull(layer, '') || ':' || ifnull(fid, '') from " +
                                   table + " order by id");
  }
  std::shared_ptr<frmConfigTk> Open() {
    auto form = std::make_shared<frmConfigTk>(*ctx);
    form->Show();
    return form;
  }
  long AddQ(long chapter, const std::wstring& points) {
    QuestionRow q;
    q.chapter = chapter;
    q.points = points;
    return AddQuestion(*ctx, q);
  }
};

TEST(TkConfigBook, ShippedWorkbookIsMadeFromItsSources) {
  // Each CSV source row is the same row of the workbook's sheet: a workbook
  // edited without its sources (or the reverse) fails here.
  const Workbook book = ShippedWorkbook();
  EXPECT_EQ(book.sheets.front().name, L"说明");
  for (const auto& table : {L"tkChapter", L"tkPoint", L"tkType", L"tkDegree", L"tkGrade", L"tkPaperType", L"Provinces"}) {
    const Worksheet* sheet = book.Find(table);
    ASSERT_TRUE(sheet) << WideToUtf8(table);
    std::ifstream csv(build_paths::SourceDir() + "/data/TK_plendrix/tkconfig/" + WideToUtf8(table) + ".csv");
    std::string line;
    size_t row = 0;
    for (; std::getline(csv, line); ++row) {
      ASSERT_LT(row, sheet->rows.size()) << WideToUtf8(table);
      EXPECT_EQ(Join(sheet->rows[row], L","), Utf8ToWide(line)) << WideToUtf8(table) << " row " << row + 1;
    }
    EXPECT_EQ(row, sheet->rows.size()) << WideToUtf8(table);
  }
  EXPECT_TRUE(ProblemsOf(book).empty());
}

TEST(TkConfigBook, FaultyRowsAreNamedWithTheirSheetAndRow) {
  Worksheet points{L"tkPoint",
                   {{L"id", L"name", L"layer", L"fid"},
                    {L"1", L"函数", L"0", L"0"},
                    {L"", L"", L"", L""},  // blank rows are skipped
                    {L"2", L"定义域", L"1", L"1"},
                    {L"2", L"值域", L"1", L"1"},
                    {L"3", L"", L"1", L"1"},
                    {L"abc", L"单调性", L"1", L"1"},
                    {L"4.5", L"奇偶性", L"1", L"1"},
                    {L"5", L"周期性", L"3", L"1"},
                    {L"6", L"最值", L"2", L"1"},
                    {L"7", L"零点", L"1", L"99"},
                    {L"8", L"图象", L"0", L"1"},
                    {L"9", L"幂函数", L"2", L"10"},
                    {L"10", L"基本初等函数", L"1", L"1"},
                    {L"11", L"交集,并集", L"1", L"1"}}};
  auto problems = ProblemsOf(WithSheet(points));
  const std::vector<std::wstring> expected = {
      L"工作表 tkPoint 第 5 行：id 2 与第 4 行重复。",
      L"工作表 tkPoint 第 6 行：名称为空。",
      L"工作表 tkPoint 第 7 行：id“abc”应为正整数。",
      L"工作表 tkPoint 第 8 行：id“4.5”应为正整数。",
      L"工作表 tkPoint 第 9 行：layer“3”应为 0、1 或 2。",
      L"工作表 tkPoint 第 15 行：知识点名称“交集,并集”不能含英文逗号“,”（试题用它分隔知识点）。",
      L"工作表 tkPoint 第 10 行：上级节点 1 在第 0 层，本节点应在第 1 层。",
      L"工作表 tkPoint 第 11 行：上级节点（fid 99）不在本工作表中。",
      L"工作表 tkPoint 第 12 行：第 0 层节点的 fid 应为 0。",
      L"工作表 tkPoint 第 13 行：上级节点 10 的 id 应小于本节点的 id 9。",
  };
  EXPECT_EQ(problems, expected);

  EXPECT_EQ(ProblemsOf(WithSheet({L"tkChapter", {{L"编号", L"名称"}}})),
            std::vector<std::wstring>{L"工作表 tkChapter 第 1 行应为列名 id、name、layer、fid。"});
  EXPECT_EQ(ProblemsOf(WithSheet({L"tkType", {{L"ID", L"Name"}, {L"", L""}}})),
            std::vector<std::wstring>{L"工作表 tkType 中没有任何选项。"});
  Workbook noPoints = ShippedWorkbook();
  std::erase_if(noPoints.sheets, [](const Worksheet& s) { return s.name == L"tkPoint"; });
  EXPECT_EQ(ProblemsOf(noPoints), std::vector<std::wstring>{L"缺少工作表 tkPoint。"});
}

TEST_F(TkRebuild, ShippedWorkbookRebuildsTheShippedTables) {
  const auto chapters = Table("tkChapter"), points = Table("tkPoint");
  const auto provinces = QueryColumn(Bank(), "select id || ':' || name from Provinces order by id");
  ExecSql(Bank(), "delete from tkPoint; update tkChapter set name='改过' where id=3; delete from Provinces where id>1");
  ui.Queue(Answer::Yes);
  ui.Queue(Answer::OK);
  Open()->Click(L"cmdRebuildTK");
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_EQ(ui.Boxes()[0].title, L"重建知识点表确认");
  EXPECT_EQ(ui.Boxes()[0].buttons, Buttons::YesNo);
  EXPECT_EQ(ui.Boxes()[1].text, L"知识点表重建完成：章节 96 条，知识点 159 条，选项表 5 张。");
  EXPECT_EQ(Table("tkChapter"), chapters);
  EXPECT_EQ(Table("tkPoint"), points);
  EXPECT_EQ(QueryColumn(Bank(), "select id || ':' || name from Provinces order by id"), provinces);
}

TEST_F(TkRebuild, QuestionsKeepTheirChapterAndPointsAndTheQuestionSaysWhichAreOrphaned) {
  long kept = AddQ(3, L"交集,并集");
  long orphan = AddQ(900, L"交集,旧知识点");
  ui.Queue(Answer::No);
  Open()->Click(L"cmdRebuildTK");
  const std::wstring& question = ui.Boxes().back().text;
  EXPECT_TRUE(Contains(question, L"有 1 道试题所属的章节（id 900）在工作簿中已不存在")) << WideToUtf8(question);
  EXPECT_TRUE(Contains(question, L"有 1 道试题的知识点（“旧知识点”）在工作簿中已不存在")) << WideToUtf8(question);

  ExecSql(Bank(), "update tkChapter set name='改过' where id=3");
  ui.Queue(Answer::Yes);
  ui.Queue(Answer::OK);
  Open()->Click(L"cmdRebuildTK");
  EXPECT_EQ(QueryOne(Bank(), "select name from tkChapter where id=3"), "1.1 集合的概念");
  EXPECT_EQ(LoadQuestion(*ctx, kept)->chapter, 3);
  EXPECT_EQ(LoadQuestion(*ctx, orphan)->chapter, 900);
  EXPECT_EQ(LoadQuestion(*ctx, orphan)->points, L"交集,旧知识点");
}

TEST_F(TkRebuild, NothingChangesForAMissingDamagedOrFaultyWorkbookOrAFailedWrite) {
  const fs::path book = install.Path() / "TK_plendrix" / "tkconfig.xls";
  ExecSql(Bank(), "update tkChapter set name='改过' where id=3");
  const auto chapters = Table("tkChapter");
  auto press = [&] { Open()->Click(L"cmdRebuildTK"); };

  fs::rename(book, install.Path() / "saved.xls");
  ui.Queue(Answer::OK);
  press();
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"没有找到题库配置工作簿（"));
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"知识点表没有改动"));
  EXPECT_TRUE(IsErrorBox(ui.Boxes().back().text, ui.Boxes().back().title, ui.Boxes().back().look))
      << "a refused rebuild is an error, so a script that runs it does not end as a success";

  std::ofstream(book) << "id,name,layer,fid\n1,函数,0,0\n";  // saved as text under the .xls name
  ui.Queue(Answer::OK);
  press();
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"无法读取：不是 Excel 97-2003 格式（.xls）的工作簿。")) << WideToUtf8(ui.Boxes().back().text);

  std::ofstream(book, std::ios::binary) << "PK\x03\x04 a workbook saved as .xlsx";
  ui.Queue(Answer::OK);
  press();
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"另存为 Excel 97-2003 格式（.xls）")) << WideToUtf8(ui.Boxes().back().text);

  // A workbook cut short, as by a copy that did not finish.
  fs::copy_file(install.Path() / "saved.xls", book, fs::copy_options::overwrite_existing);
  fs::resize_file(book, fs::file_size(book) / 3);
  ui.Queue(Answer::OK);
  press();
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"无法读取")) << WideToUtf8(ui.Boxes().back().text);
  EXPECT_EQ(Table("tkChapter"), chapters);

  // The write fails after both trees were replaced: every table rolls back.
  fs::copy_file(install.Path() / "saved.xls", book, fs::copy_options::overwrite_existing);
  ExecSql(Bank(), "drop table Provinces");
  ui.Queue(Answer::Yes);
  ui.Queue(Answer::OK);
  press();
  EXPECT_EQ(ui.Boxes().back().title.find(L"错误号:"), 0u);
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"frmConfig.cmdRebuildTK_Click-->line"));
  EXPECT_EQ(Table("tkChapter"), chapters);
  EXPECT_FALSE(ctx->Conn.IsOpen());
}

TEST_F(TkRebuild, EditingOpensTheWorkbookAndOffersTheRebuildAfterwards) {
  std::vector<std::string> seenWhileEditing;
  shell.whileEditing = [&](const std::wstring& path) {
    EXPECT_TRUE(fs::exists(WideToUtf8(path)));
    seenWhileEditing.push_back(WideToUtf8(path));
  };
  ui.Queue(Answer::No);
  Open()->Click(L"cmdEditTK");
  ASSERT_EQ(shell.edited.size(), 1u);
  EXPECT_EQ(shell.edited[0], BankWorkbookPath(*ctx));
  EXPECT_EQ(seenWhileEditing.size(), 1u);
  EXPECT_EQ(ui.Boxes().back().title, L"重建知识点表确认") << "the rebuild is offered after the program closed";

  shell.hasSpreadsheet = false;
  ui.Queue(Answer::OK);
  Open()->Click(L"cmdEditTK");
  EXPECT_TRUE(Contains(ui.Boxes().back().text, L"无法在本机打开电子表格程序")) << "no rebuild is offered";
  EXPECT_TRUE(Contains(ui.Boxes().back().text, BankWorkbookPath(*ctx)));
}

}  // namespace
}  // namespace plx
