#include "bank/tk_rebuild.hpp"

#include <algorithm>
#include <set>
#include <type_traits>

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "bank/tk_config_book.hpp"
#include "bank/tk_sql.hpp"
#include "bank/tk_store.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"

namespace plx::bank {
namespace {

constexpr size_t kProblemsShown = 15;
constexpr size_t kIdsShown = 10;
const wchar_t* const kUnchanged = L"知识点表没有改动。";

// The stored questions the new tables leave without their chapter or
// without one of their knowledge points.
struct Orphans {
  long chapterQuestions = 0;
  std::set<long> chapterIds;
  long pointQuestions = 0;
  std::set<std::wstring> pointNames;
};

Orphans FindOrphans(AddinContext& ctx, const BankConfig& config) {
  std::set<long> chapters;
  for (const auto& c : config.chapters) chapters.insert(c.id);
  std::set<std::wstring> points;
  for (const auto& p : config.points) points.insert(p.name);
  Orphans orphans;
  for (const QuestionRow& q : QueryQuestions(ctx, sql::NewQuestion())) {
    if (q.chapter != 0 && !chapters.count(q.chapter)) {
      ++orphans.chapterQuestions;
      orphans.chapterIds.insert(q.chapter);
    }
    bool lost = false;
    for (const auto& part : Split(q.points, L",")) {
      const std::wstring name = Trim(part);
      if (!name.empty() && !points.count(name)) {
        lost = true;
        orphans.pointNames.insert(name);
      }
    }
    if (lost) ++orphans.pointQuestions;
  }
  return orphans;
}

template <class T>
std::wstring FirstOf(const std::set<T>& values, const std::wstring& before, const std::wstring& after) {
  std::vector<std::wstring> shown;
  for (const auto& v : values) {
    if (shown.size() == kIdsShown) {
      shown.push_back(L"…");
      break;
    }
    if constexpr (std::is_same_v<T, long>) shown.push_back(std::to_wstring(v));
    else shown.push_back(before + v + after);
  }
  return Join(shown, L"、");
}

std::wstring Question(const BankConfig& config, const Orphans& orphans) {
  std::wstring text = L"将按题库配置工作簿重建题库的章节表（" + std::to_wstring(config.chapters.size()) +
                      L" 条）和知识点表（" + std::to_wstring(config.points.size()) + L" 条）";
  if (!config.lists.empty()) {
    std::vector<std::wstring> names;
    for (const auto& l : config.lists) names.push_back(l.table);
    text += L"，以及选项表 " + Join(names, L"、");
  }
  text += L"，表中原有的内容将被替换；已入库的试题本身不会改动。";
  if (orphans.chapterQuestions > 0)
    text += L"\r\n\r\n有 " + std::to_wstring(orphans.chapterQuestions) + L" 道试题所属的章节（id " +
            FirstOf(orphans.chapterIds, L"", L"") +
            L"）在工作簿中已不存在：这些试题仍保留原来的章节编号，不再出现在章节树下，但仍可在全部试题中浏览；"
            L"工作簿中按原 id 补回该章节后即重新出现。";
  if (orphans.pointQuestions > 0)
    text += L"\r\n\r\n有 " + std::to_wstring(orphans.pointQuestions) + L" 道试题的知识点（" +
            FirstOf(orphans.pointNames, L"“", L"”") +
            L"）在工作簿中已不存在：这些试题仍保留原来的知识点名称，按该名称仍可查到。";
  return text + L"\r\n\r\n确定要重建吗？";
}

void AddRow(db::Recordset& rs, long id, const std::wstring& name) {
  rs.AddNew();
  rs.SetField(L"id", static_cast<int64_t>(id));
  rs.SetField(L"name", name);
}

void ReplaceTree(AddinContext& ctx, const std::wstring& table, const std::vector<TreeNode>& nodes) {
  ctx.Conn.Execute(L"delete from " + table);
  ctx.Rs.Open(L"select * from  " + table + L"  order by id asc", ctx.Conn);
  for (const auto& n : nodes) {
    AddRow(ctx.Rs, n.id, n.name);
    ctx.Rs.SetField(L"layer", static_cast<int64_t>(n.layer));
    ctx.Rs.SetField(L"fid", static_cast<int64_t>(n.fid));
    ctx.Rs.Update();
  }
  ctx.Rs.Close();
}

void ReplaceList(AddinContext& ctx, const ValueListTable& list) {
  ctx.Conn.Execute(L"delete from " + list.table);
  ctx.Rs.Open(L"select * from  " + list.table + L"  order by id asc", ctx.Conn);
  for (const auto& item : list.items) {
    AddRow(ctx.Rs, item.id, item.name);
    ctx.Rs.Update();
  }
  ctx.Rs.Close();
}

void WriteTables(AddinContext& ctx, const BankConfig& config) {
  TkSession session(ctx);
  ctx.Conn.BeginTrans();
  try {
    ReplaceTree(ctx, L"tkChapter", config.chapters);
    ReplaceTree(ctx, L"tkPoint", config.points);
    for (const auto& list : config.lists) ReplaceList(ctx, list);
    ctx.Conn.CommitTrans();
  } catch (...) {
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    ctx.Conn.RollbackTrans();
    throw;
  }
}

}  // namespace

std::wstring BankWorkbookPath(AddinContext& ctx) { return AppFile(ctx, L"TK_plendrix/tkconfig.xls"); }

void RebuildPointTables(AddinContext& ctx) {
  UserInterface& ui = ctx.Ui();
  const std::wstring path = BankWorkbookPath(ctx);
  if (!FileExists(path)) {
    ui.MsgBox(L"没有找到题库配置工作簿（" + path + L"），" + kUnchanged + L"请检查！", Buttons::OK, L"",
              BoxLook::Error);
    return;
  }
  std::wstring why;
  auto book = ReadWorkbook(path, why);
  if (!book) {
    ui.MsgBox(L"题库配置工作簿（" + path + L"）无法读取：" + why + L"。" + kUnchanged, Buttons::OK, L"",
              BoxLook::Error);
    return;
  }
  BankConfig config = ReadBankConfig(*book);
  if (!config.problems.empty()) {
    std::vector<std::wstring> shown(config.problems.begin(),
                                    config.problems.begin() + std::min(config.problems.size(), kProblemsShown));
    if (config.problems.size() > kProblemsShown)
      shown.push_back(L"……共 " + std::to_wstring(config.problems.size()) + L" 处问题。");
    ui.MsgBox(L"题库配置工作簿（" + path + L"）中有以下问题，" + kUnchanged + L"请修改后再重建：\r\n" +
                  Join(shown, L"\r\n"),
              Buttons::OK, L"", BoxLook::Error);
    return;
  }
  if (ui.MsgBox(Question(config, FindOrphans(ctx, config)), Buttons::YesNo, L"重建知识点表确认") != Answer::Yes) return;
  WriteTables(ctx, config);
  ui.MsgBox(L"知识点表重建完成：章节 " + std::to_wstring(config.chapters.size()) + L" 条，知识点 " +
                std::to_wstring(config.points.size()) + L" 条" +
                (config.lists.empty() ? L"" : L"，选项表 " + std::to_wstring(config.lists.size()) + L" 张") + L"。",
            Buttons::OK, L"");
}

void EditBankWorkbook(AddinContext& ctx) {
  UserInterface& ui = ctx.Ui();
  const std::wstring path = BankWorkbookPath(ctx);
  if (!FileExists(path)) {
    ui.MsgBox(L"没有找到题库配置工作簿（" + path + L"），请检查！", Buttons::OK, L"", BoxLook::Error);
    return;
  }
  if (!ctx.GetShell().EditSpreadsheet(path)) {
    ui.MsgBox(L"无法在本机打开电子表格程序（如 LibreOffice Calc）来编辑工作簿。请用电子表格程序打开“" + path +
                  L"”，修改后按原格式保存，再按“重建知识点表”。",
              Buttons::OK, L"", BoxLook::Error);
    return;
  }
  RebuildPointTables(ctx);
}

}  // namespace plx::bank
