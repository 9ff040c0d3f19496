#pragma once
// Reading and writing the question bank's rows: questions, their use
// counts, the value lists and the chapter and knowledge-point trees. Each
// call opens the bank on the shared connection and closes it again, so
// nothing stays open between commands; failures raise VbError for the
// caller's trap.
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "addin/addin_context.hpp"

namespace plx::bank {

struct QuestionRow {
  long id = 0;
  std::wstring type, degree;
  long paperId = 0;
  std::wstring shortName, points;  // points: names joined by ","
  long chapter = 0;
  std::wstring tmText, inTime, fileName;
  long usedTimes = 0;
  std::wstring lastUsed;
};

struct TreeNode {
  long id = 0;
  std::wstring name;
  int layer = 0;
  long fid = 0;
};

// Opens the bank on the shared connection for the life of the object.
class TkSession {
 public:
  explicit TkSession(AddinContext& ctx);
  ~TkSession();
  TkSession(const TkSession&) = delete;
  TkSession& operator=(const TkSession&) = delete;

 private:
  AddinContext& ctx_;
};

// Opens the statement on the shared recordset of the opened bank, runs f
// on the recordset and closes both, whatever f does.
template <class F>
auto WithBankRows(AddinContext& ctx, const std::wstring& statement, F f) {
  TkSession session(ctx);
  ctx.Rs.Open(statement, ctx.Conn);
  struct Closer {
    db::Recordset& rs;
    ~Closer() {
      if (rs.IsOpen()) rs.Close();
    }
  } closer{ctx.Rs};
  return f(ctx.Rs);
}

// Every row of the statement, each read from the recordset by `read`.
template <class Read>
auto BankRows(AddinContext& ctx, const std::wstring& statement, Read read) {
  return WithBankRows(ctx, statement, [&](db::Recordset& rs) {
    std::vector<std::remove_cvref_t<std::invoke_result_t<Read&, db::Recordset&>>> rows;
    for (; !rs.EOF_(); rs.MoveNext()) rows.push_back(read(rs));
    return rows;
  });
}

// The knowledge-point names of a typed or stored list: split at ",", "，",
// "、", "；" and ";", each trimmed, empty ones dropped. A question stores
// them joined by ",".
std::vector<std::wstring> PointNames(const std::wstring& points);

// A question row of an open recordset on tm, and its fields set for an
// update (all but the id and the use counts).
QuestionRow ReadQuestion(const db::Recordset& rs);
void WriteQuestion(db::Recordset& rs, const QuestionRow& q);

// Adds a question row and returns the id the bank gave it.
long AddQuestion(AddinContext& ctx, const QuestionRow& row);
// Rewrites a stored question's classification; error 3021 with
// "没有找到相关题目" when its id is gone.
void UpdateQuestion(AddinContext& ctx, const QuestionRow& row);
// Rows read from the bank carry their file stem in the bank's own folder
// (StemInBank), however the row stores it.
std::optional<QuestionRow> LoadQuestion(AddinContext& ctx, long id);
// The path stem of a question's files; empty when the row is gone.
std::wstring QuestionFileName(AddinContext& ctx, long id);
// Removes the row and the question's ".doc" and ".wmf" files.
void DeleteQuestion(AddinContext& ctx, long id);
// One more use: usedtimes + 1 and today's date as the last use.
void UseQuestion(AddinContext& ctx, long id);
// Questions whose knowledge points contain the text (also as part of a
// longer point name).
std::vector<QuestionRow> QuestionsOfPoint(AddinContext& ctx, const std::wstring& point);
// How many rows the statement gives.
long CountRows(AddinContext& ctx, const std::wstring& statement);
// Rows of any query on tm, in the query's order.
std::vector<QuestionRow> QueryQuestions(AddinContext& ctx, const std::wstring& statement);

// The names of a value list: tkPaperType, tkGrade, Provinces, tkType or
// tkDegree (any other table is refused with error 5).
std::vector<std::wstring> ValueList(AddinContext& ctx, const std::wstring& table);
std::vector<TreeNode> ChapterTree(AddinContext& ctx);
std::vector<TreeNode> PointTree(AddinContext& ctx);
// The chosen point's name followed by its children's names.
std::vector<std::wstring> PointWithChildren(AddinContext& ctx, long pointId, const std::wstring& name);

}  // namespace plx::bank
