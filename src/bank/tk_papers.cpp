#include "bank/tk_papers.hpp"

#include <algorithm>
#include <map>

#include "addin/addin_context.hpp"
#include "bank/tk_pages.hpp"
#include "bank/tk_sql.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::bank {
namespace {

constexpr int kNoCurrentRecord = 3021;

}  // namespace

PaperRow ReadPaper(const db::Recordset& rs) {
  PaperRow p;
  p.id = static_cast<long>(rs.Field(L"id").Number());
  p.name = rs.Field(L"name").Text();
  p.grade = rs.Field(L"grade").Text();
  p.provinces = rs.Field(L"provinces").Text();
  p.year = rs.Field(L"Year").Text();
  p.school = rs.Field(L"school").Text();
  p.type = rs.Field(L"type").Text();
  p.tmIds = rs.Field(L"TM_id").Text();
  return p;
}

void WritePaper(db::Recordset& rs, const PaperRow& paper) {
  rs.SetField(L"name", paper.name);
  rs.SetField(L"grade", paper.grade);
  rs.SetField(L"provinces", paper.provinces);
  rs.SetField(L"Year", paper.year);
  rs.SetField(L"school", paper.school);
  rs.SetField(L"type", paper.type);
  rs.SetField(L"TM_id", paper.tmIds);
}

namespace {

std::vector<PaperRow> Papers(AddinContext& ctx, const std::wstring& statement) {
  return BankRows(ctx, statement, ReadPaper);
}

}  // namespace

std::vector<long> ParseIds(const std::wstring& list) {
  std::vector<long> ids;
  for (const auto& part : Split(list, L",")) {
    double v = Val(Trim(part));
    if (v >= 1 && v < 2147483648.0) ids.push_back(static_cast<long>(v));
  }
  return ids;
}

std::wstring JoinIds(const std::vector<long>& ids) {
  std::wstring out;
  for (long id : ids) out += (out.empty() ? L"" : L",") + std::to_wstring(id);
  return out;
}

std::optional<long> SavePaper(AddinContext& ctx, const PaperRow& paper) {
  UserInterface& ui = ctx.Ui();
  if (Trim(paper.name).empty()) {
    ui.MsgBox(L"您还没有指定试卷名称！请检查您的输入！", Buttons::OK, L"");
    return std::nullopt;
  }
  if (FindPaper(ctx, paper.name) &&
      ui.MsgBox(L"数据库中已经有名为" + paper.name + L"的试卷了，您确定仍然添加吗？", Buttons::YesNo,
                L"数据重复提示") != Answer::Yes)
    return std::nullopt;
  long id = WithBankRows(ctx, sql::NewPaper(), [&](db::Recordset& rs) {
    rs.AddNew();
    WritePaper(rs, paper);
    rs.Update();
    return static_cast<long>(rs.Field(L"id").Number());
  });
  ui.MsgBox(L"试卷信息已经保存到数据库！", Buttons::OK, L"");
  return id;
}

bool DeletePaper(AddinContext& ctx, const std::wstring& name) {
  UserInterface& ui = ctx.Ui();
  if (name.empty()) {
    ui.MsgBox(L"您没有选中要删除的试卷，请检查！", Buttons::OK, L"");
    return false;
  }
  if (ui.MsgBox(L"试卷信息删除后不可恢复，请问您是否确定要删除该试卷？", Buttons::YesNo, L"试卷信息删除确认") !=
      Answer::Yes)
    return false;
  TkSession session(ctx);
  ctx.Conn.Execute(sql::DeletePaper(name));
  return true;
}

std::vector<std::wstring> PaperNames(AddinContext& ctx) {
  auto names = BankRows(ctx, sql::PaperList(), [](db::Recordset& rs) { return rs.Field(L"name").Text(); });
  if (names.empty()) ctx.Ui().MsgBox(L"当前数据库中还没有试卷记录哦！记得先添加试卷信息。", Buttons::OK, L"");
  return names;
}

std::vector<PaperRow> LatestPapers(AddinContext& ctx) { return Papers(ctx, sql::LatestPapers()); }

std::optional<PaperRow> FindPaper(AddinContext& ctx, long id) {
  auto rows = Papers(ctx, sql::PaperById(id));
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

std::optional<PaperRow> FindPaper(AddinContext& ctx, const std::wstring& name) {
  auto rows = Papers(ctx, sql::PaperByName(name));
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

void SaveTM2Paper(AddinContext& ctx, long paperId, const std::vector<long>& ids) {
  if (ids.empty()) return;
  WithBankRows(ctx, sql::PaperById(paperId), [&](db::Recordset& rs) {
    if (rs.EOF_()) Raise(kNoCurrentRecord, L"没有找到编号为" + std::to_wstring(paperId) + L"的试卷。");
    std::wstring list = rs.Field(L"TM_id").Text();
    std::wstring added = JoinIds(ids);
    rs.SetField(L"TM_id", list.empty() ? added : list + L"," + added);
    rs.Update();
    return 0;
  });
}

std::optional<std::vector<QuestionRow>> PaperQuestions(AddinContext& ctx, long paperId) {
  UserInterface& ui = ctx.Ui();
  std::vector<long> ids = WithBankRows(ctx, sql::PaperQuestionIds(paperId), [](db::Recordset& rs) {
    return rs.EOF_() ? std::vector<long>{} : ParseIds(rs.Field(L"TM_id").Text());
  });
  if (ids.empty()) {
    ui.MsgBox(L"当前试卷中并没有题目的记录哦！记得为试卷添加信息或检查数据是否正常。", Buttons::OK, L"");
    return std::nullopt;
  }
  if (ids.size() == 1 &&
      ui.MsgBox(L"当前试卷的题目数量可能仅有一题或数据有误，您确定要打开吗？", Buttons::YesNo, L"试卷打开确认") !=
          Answer::Yes)
    return std::nullopt;
  std::map<long, QuestionRow> found;
  for (auto& q : QueryQuestions(ctx, PaperQuestionsSql(ids)))
    found[q.id] = std::move(q);
  std::vector<QuestionRow> ordered;
  std::vector<long> missing;
  for (long id : ids) {
    if (auto it = found.find(id); it != found.end()) ordered.push_back(it->second);
    else missing.push_back(id);
  }
  if (!missing.empty())
    ui.MsgBox(L"生成试卷的过程中，程序检查到id为" + JoinIds(missing) + L"的题目信息丢失，这些题目可能已经被删除，请检查！",
              Buttons::OK, L"");
  return ordered;
}

}  // namespace plx::bank
