#include "bank/tk_store.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>

#include "addin/addin_context.hpp"
#include "bank/tk_files.hpp"
#include "bank/tk_sql.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "config/mod_database.hpp"

namespace plx::bank {
namespace {

constexpr int kNoCurrentRecord = 3021;

// A number of a row; one past what a long holds (a bank made elsewhere
// may hold anything) is clamped, never converted out of range.
long Num(const db::Recordset& rs, const wchar_t* field) {
  constexpr double kLimit = 9.2e18;
  const double v = rs.Field(field).Number();
  return std::isnan(v) ? 0 : static_cast<long>(std::clamp(v, -kLimit, kLimit));
}

}  // namespace

std::vector<std::wstring> PointNames(const std::wstring& points) {
  std::wstring list = points;
  for (const wchar_t* sep : {L"，", L"、", L"；", L";"}) list = Replace(list, sep, L",");
  std::vector<std::wstring> names;
  for (const auto& part : Split(list, L",")) {
    // Blanks around a name go, full-width ones too; those inside it stay.
    size_t from = part.find_first_not_of(L" \t\u3000"), to = part.find_last_not_of(L" \t\u3000");
    if (from != std::wstring::npos) names.push_back(part.substr(from, to - from + 1));
  }
  return names;
}

QuestionRow ReadQuestion(const db::Recordset& rs) {
  QuestionRow q;
  q.id = Num(rs, L"id");
  q.type = rs.Field(L"Type").Text();
  q.degree = rs.Field(L"Degree").Text();
  q.paperId = Num(rs, L"PaperId");
  q.shortName = rs.Field(L"ShortName").Text();
  q.points = rs.Field(L"Points").Text();
  q.chapter = Num(rs, L"Chapter");
  q.tmText = rs.Field(L"TMtext").Text();
  q.inTime = rs.Field(L"InTime").Text();
  q.fileName = rs.Field(L"FileName").Text();
  q.usedTimes = Num(rs, L"usedtimes");
  q.lastUsed = rs.Field(L"lastusedtime").Text();
  return q;
}

void WriteQuestion(db::Recordset& rs, const QuestionRow& q) {
  rs.SetField(L"Type", q.type);
  rs.SetField(L"Degree", q.degree);
  rs.SetField(L"PaperId", static_cast<int64_t>(q.paperId));
  rs.SetField(L"ShortName", q.shortName);
  rs.SetField(L"Points", q.points);
  rs.SetField(L"Chapter", static_cast<int64_t>(q.chapter));
  rs.SetField(L"TMtext", q.tmText);
  rs.SetField(L"InTime", q.inTime);
  rs.SetField(L"FileName", q.fileName);
}

namespace {

std::vector<TreeNode> Tree(AddinContext& ctx, const std::wstring& statement) {
  return BankRows(ctx, statement, [](db::Recordset& rs) {
    // A layer past what an int holds is only ever a depth to show: it is kept within int.
    const long layer = std::clamp(Num(rs, L"layer"), long{INT_MIN}, long{INT_MAX});
    return TreeNode{Num(rs, L"id"), rs.Field(L"name").Text(), static_cast<int>(layer), Num(rs, L"fid")};
  });
}

// A row of this bank, its file stem taken into the bank's own folder.
QuestionRow InThisBank(AddinContext& ctx, QuestionRow q) {
  q.fileName = StemInBank(BankFolder(ctx), q.fileName);
  return q;
}

void RemoveFile(const std::wstring& path) {
  std::error_code ec;
  std::filesystem::remove(std::filesystem::path(WideToUtf8(path)), ec);
}

}  // namespace

TkSession::TkSession(AddinContext& ctx) : ctx_(ctx) { OpenTKDatabase(ctx); }
TkSession::~TkSession() { CloseTKDatabase(ctx_); }

long AddQuestion(AddinContext& ctx, const QuestionRow& row) {
  return WithBankRows(ctx, sql::NewQuestion(), [&](db::Recordset& rs) {
    rs.AddNew();
    WriteQuestion(rs, row);
    rs.Update();
    return Num(rs, L"id");
  });
}

void UpdateQuestion(AddinContext& ctx, const QuestionRow& row) {
  WithBankRows(ctx, sql::QuestionByIdForEdit(row.id), [&](db::Recordset& rs) {
    if (rs.EOF_()) Raise(kNoCurrentRecord, L"没有找到相关题目");
    WriteQuestion(rs, row);
    rs.Update();
    return 0;
  });
}

std::optional<QuestionRow> LoadQuestion(AddinContext& ctx, long id) {
  return WithBankRows(ctx, sql::QuestionById(id), [&](db::Recordset& rs) -> std::optional<QuestionRow> {
    if (rs.EOF_()) return std::nullopt;
    return InThisBank(ctx, ReadQuestion(rs));
  });
}

std::wstring QuestionFileName(AddinContext& ctx, long id) {
  return WithBankRows(ctx, sql::QuestionFile(id), [&](db::Recordset& rs) {
    return rs.EOF_() ? std::wstring() : StemInBank(BankFolder(ctx), rs.Field(L"FileName").Text());
  });
}

void DeleteQuestion(AddinContext& ctx, long id) {
  std::wstring stem = QuestionFileName(ctx, id);
  {
    TkSession session(ctx);
    ctx.Conn.Execute(sql::DeleteQuestion(id));
  }
  if (stem.empty()) return;
  RemoveFile(stem + L".doc");
  RemoveFile(stem + L".wmf");
}

void UseQuestion(AddinContext& ctx, long id) {
  WithBankRows(ctx, sql::QuestionById(id), [&](db::Recordset& rs) {
    if (rs.EOF_()) Raise(kNoCurrentRecord, L"没有找到相关题目");
    rs.SetField(L"usedtimes", static_cast<int64_t>(Num(rs, L"usedtimes") + 1));
    rs.SetField(L"lastusedtime", ctx.GetClock().ShortDateText());
    rs.Update();
    return 0;
  });
}

long CountRows(AddinContext& ctx, const std::wstring& statement) {
  return WithBankRows(ctx, statement, [](db::Recordset& rs) {
    long n = 0;
    for (; !rs.EOF_(); rs.MoveNext()) ++n;
    return n;
  });
}

std::vector<QuestionRow> QueryQuestions(AddinContext& ctx, const std::wstring& statement) {
  return BankRows(ctx, statement, [&](db::Recordset& rs) { return InThisBank(ctx, ReadQuestion(rs)); });
}

std::vector<QuestionRow> QuestionsOfPoint(AddinContext& ctx, const std::wstring& point) {
  return QueryQuestions(ctx, sql::QuestionsOfPoint(point));
}

std::vector<std::wstring> ValueList(AddinContext& ctx, const std::wstring& table) {
  static const wchar_t* kLists[] = {L"tkPaperType", L"tkGrade", L"Provinces", L"tkType", L"tkDegree"};
  bool known = false;
  for (const wchar_t* t : kLists) known = known || table == t;
  if (!known) Raise(5, L"“" + table + L"”不是题库的取值表。");
  return BankRows(ctx, sql::ValueList(table), [](db::Recordset& rs) { return rs.Field(L"name").Text(); });
}

std::vector<TreeNode> ChapterTree(AddinContext& ctx) { return Tree(ctx, sql::ChapterTree()); }
std::vector<TreeNode> PointTree(AddinContext& ctx) { return Tree(ctx, sql::PointTree()); }

std::vector<std::wstring> PointWithChildren(AddinContext& ctx, long pointId, const std::wstring& name) {
  std::vector<std::wstring> names{name};
  WithBankRows(ctx, sql::PointChildren(pointId), [&](db::Recordset& rs) {
    for (; !rs.EOF_(); rs.MoveNext()) names.push_back(rs.Field(L"name").Text());
    return 0;
  });
  return names;
}

}  // namespace plx::bank
