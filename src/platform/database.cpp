#include "platform/database.hpp"

#include <sqlite3.h>

#include <cwctype>
#include <filesystem>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "platform/jet_sql.hpp"

namespace plx::db {
namespace {

constexpr int kItemNotFound = 3265;
constexpr int kNoCurrentRecord = 3021;
constexpr const char* kRowIdColumn = "__plx_rowid";

[[noreturn]] void RaiseEngine(sqlite3* db) {
  Raise(err::kDatabase, Utf8ToWide(db ? sqlite3_errmsg(db) : "database error"));
}

struct Statement {
  sqlite3_stmt* stmt = nullptr;
  ~Statement() { sqlite3_finalize(stmt); }
};

void Bind(sqlite3* db, sqlite3_stmt* stmt, int index, const Value& v) {
  int rc = SQLITE_OK;
  const auto& raw = v.Raw();
  if (v.IsNull()) rc = sqlite3_bind_null(stmt, index);
  else if (auto* i = std::get_if<int64_t>(&raw)) rc = sqlite3_bind_int64(stmt, index, *i);
  else if (auto* d = std::get_if<double>(&raw)) rc = sqlite3_bind_double(stmt, index, *d);
  else {
    std::string t = WideToUtf8(std::get<std::wstring>(raw));
    rc = sqlite3_bind_text(stmt, index, t.c_str(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
  }
  if (rc != SQLITE_OK) RaiseEngine(db);
}

Value ColumnValue(sqlite3_stmt* stmt, int i) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL: return Value();
    case SQLITE_INTEGER: return Value(static_cast<int64_t>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT: return Value(sqlite3_column_double(stmt, i));
    default: {
      auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      return Value(Utf8ToWide(text ? text : ""));
    }
  }
}

std::string QuoteIdentifier(const std::wstring& name) {
  return "\"" + WideToUtf8(Replace(name, L"\"", L"\"\"")) + "\"";
}

bool IsWord(wchar_t c) { return std::iswalnum(c) || c == L'_'; }

// The single table a plain "select ... from T [where|order|limit ...]"
// reads, or empty when the statement reads anything more complex.
std::wstring UpdatableTable(const std::wstring& sql) {
  std::wstring lower = LCase(sql);
  auto word = [&](size_t at, std::wstring_view w) {
    return lower.compare(at, w.size(), w) == 0 && (at == 0 || !IsWord(lower[at - 1])) &&
           (at + w.size() >= lower.size() || !IsWord(lower[at + w.size()]));
  };
  size_t i = 0;
  while (i < lower.size() && std::iswspace(lower[i])) ++i;
  if (!word(i, L"select")) return {};
  for (const wchar_t* banned : {L" join ", L"group by", L"distinct", L"union", L"count("})
    if (Contains(lower, banned)) return {};
  size_t from = std::wstring::npos;
  for (size_t p = i; p < lower.size(); ++p) {
    if (lower[p] == L'(' || lower[p] == L'\'') return {};
    if (word(p, L"from")) { from = p; break; }
  }
  if (from == std::wstring::npos) return {};
  size_t t = from + 4;
  while (t < lower.size() && std::iswspace(lower[t])) ++t;
  size_t te = t;
  while (te < lower.size() && IsWord(lower[te])) ++te;
  if (te == t) return {};
  size_t n = te;
  while (n < lower.size() && std::iswspace(lower[n])) ++n;
  if (n < lower.size() && !word(n, L"where") && !word(n, L"order") && !word(n, L"limit"))
    return {};
  return sql.substr(t, te - t);
}

}  // namespace

std::wstring Value::Text() const {
  if (IsNull()) return {};
  if (auto* i = std::get_if<int64_t>(&v_)) return DecimalText(static_cast<double>(*i));
  if (auto* d = std::get_if<double>(&v_)) return DecimalText(*d);
  return std::get<std::wstring>(v_);
}

double Value::Number() const {
  if (IsNull()) return 0.0;
  if (auto* i = std::get_if<int64_t>(&v_)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&v_)) return *d;
  return Val(std::get<std::wstring>(v_));
}

std::wstring DataSourceOf(const std::wstring& connectionString) {
  for (const auto& part : Split(connectionString, L";")) {
    size_t eq = part.find(L'=');
    if (eq == std::wstring::npos) continue;
    if (LCase(Trim(part.substr(0, eq))) == L"data source") return Trim(part.substr(eq + 1));
  }
  return {};
}

Connection::~Connection() { Close(); }

void Connection::Open(const std::wstring& connectionString, const std::wstring&,
                      const std::wstring&) {
  Record(L"OPEN " + connectionString);
  if (db_) Raise(err::kDatabase, L"对象打开时，不允许操作。");
  std::wstring path = DataSourceOf(connectionString);
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(std::filesystem::path(WideToUtf8(path)), ec))
    Raise(err::kDatabase, L"找不到文件“" + path + L"”。");
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(WideToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK)
    rc = sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    std::wstring message = Utf8ToWide(sqlite3_errmsg(db));
    sqlite3_close(db);
    Raise(err::kDatabase, L"无法识别的数据库格式“" + path + L"”：" + message);
  }
  sqlite3_busy_timeout(db, 2000);
  db_ = db;
  dataSource_ = path;
}

void Connection::Close() {
  if (!db_) return;
  if (inTransaction_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  inTransaction_ = false;
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

sqlite3* Connection::Handle() const {
  if (!db_) Raise(err::kObjectClosed);
  return db_;
}

void Connection::Exec(const std::string& utf8) {
  if (sqlite3_exec(Handle(), utf8.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
    RaiseEngine(db_);
}

void Connection::Execute(const std::wstring& sql) {
  Record(sql);
  Exec(WideToUtf8(TranslateJetSql(sql)));
}

void Connection::BeginTrans() {
  Record(L"BEGIN TRANSACTION");
  Exec("BEGIN");
  inTransaction_ = true;
}

void Connection::CommitTrans() {
  Record(L"COMMIT");
  Exec("COMMIT");
  inTransaction_ = false;
}

void Connection::RollbackTrans() {
  Record(L"ROLLBACK");
  inTransaction_ = false;
  Exec("ROLLBACK");
}

void Recordset::Open(const std::wstring& sql, Connection& connection, CursorType, LockType) {
  connection.Record(sql);
  sqlite3* db = connection.Handle();
  if (open_) Raise(err::kDatabase, L"对象打开时，不允许操作。");
  std::wstring translated = TranslateJetSql(sql);
  std::wstring table = UpdatableTable(translated);
  std::string text = WideToUtf8(translated);
  if (!table.empty()) {
    size_t select = LCase(translated).find(L"select");
    std::string head = WideToUtf8(translated.substr(0, select + 6));
    std::string tail = WideToUtf8(translated.substr(select + 6));
    text = head + " " + QuoteIdentifier(table) + ".rowid AS " + kRowIdColumn + "," + tail;
  }
  Statement st;
  if (sqlite3_prepare_v2(db, text.c_str(), -1, &st.stmt, nullptr) != SQLITE_OK) RaiseEngine(db);
  int columns = sqlite3_column_count(st.stmt);
  int first = table.empty() ? 0 : 1;
  columns_.clear();
  rows_.clear();
  rowIds_.clear();
  for (int c = first; c < columns; ++c)
    columns_.push_back(Utf8ToWide(sqlite3_column_name(st.stmt, c)));
  int rc;
  while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
    if (first) rowIds_.push_back(sqlite3_column_int64(st.stmt, 0));
    std::vector<Value> row;
    for (int c = first; c < columns; ++c) row.push_back(ColumnValue(st.stmt, c));
    rows_.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) RaiseEngine(db);
  if (columns == 0) return;  // a statement without rows leaves the recordset closed
  connection_ = &connection;
  table_ = table;
  dirty_.assign(columns_.size(), false);
  pos_ = 0;
  adding_ = false;
  open_ = true;
}

void Recordset::Close() {
  if (!open_) Raise(err::kObjectClosed);
  open_ = false;
  rows_.clear();
  rowIds_.clear();
  columns_.clear();
  connection_ = nullptr;
}

void Recordset::RequireOpen() const {
  if (!open_) Raise(err::kObjectClosed);
}

void Recordset::RequireCurrent() const {
  RequireOpen();
  if (!adding_ && pos_ >= rows_.size())
    Raise(kNoCurrentRecord,
          L"BOF 或 EOF 中有一个是“真”，或者当前记录已被删除，所要求的操作要求一个当前的记录。");
}

bool Recordset::EOF_() const {
  RequireOpen();
  return pos_ >= rows_.size();
}

bool Recordset::BOF() const {
  RequireOpen();
  return rows_.empty();
}

void Recordset::MoveFirst() {
  RequireOpen();
  pos_ = 0;
  adding_ = false;
}

void Recordset::MoveNext() {
  RequireCurrent();
  if (pos_ < rows_.size()) ++pos_;
  dirty_.assign(columns_.size(), false);
}

long Recordset::RecordCount() const {
  RequireOpen();
  return static_cast<long>(rows_.size());
}

size_t Recordset::ColumnIndex(const std::wstring& name) const {
  std::wstring wanted = LCase(name);
  for (size_t i = 0; i < columns_.size(); ++i)
    if (LCase(columns_[i]) == wanted) return i;
  Raise(kItemNotFound, L"在对应所需名称或序数的集合中，未找到项目。");
}

Value Recordset::Field(const std::wstring& name) const {
  RequireCurrent();
  size_t c = ColumnIndex(name);
  return rows_[pos_][c];
}

void Recordset::SetField(const std::wstring& name, Value value) {
  RequireCurrent();
  size_t c = ColumnIndex(name);
  if (table_.empty()) Raise(err::kDatabase, L"当前记录集不支持更新。");
  rows_[pos_][c] = std::move(value);
  dirty_[c] = true;
}

void Recordset::AddNew() {
  RequireOpen();
  if (table_.empty()) Raise(err::kDatabase, L"当前记录集不支持更新。");
  rows_.emplace_back(columns_.size());
  rowIds_.push_back(-1);
  pos_ = rows_.size() - 1;
  dirty_.assign(columns_.size(), false);
  adding_ = true;
}

void Recordset::ReloadRow(sqlite3* db) {
  std::string names;
  for (const auto& c : columns_) names += (names.empty() ? "" : ",") + QuoteIdentifier(c);
  std::string sql = "SELECT " + names + " FROM " + QuoteIdentifier(table_) + " WHERE rowid=?";
  Statement st;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st.stmt, nullptr) != SQLITE_OK) RaiseEngine(db);
  sqlite3_bind_int64(st.stmt, 1, rowIds_[pos_]);
  if (sqlite3_step(st.stmt) != SQLITE_ROW) RaiseEngine(db);
  for (size_t c = 0; c < columns_.size(); ++c)
    rows_[pos_][c] = ColumnValue(st.stmt, static_cast<int>(c));
}

void Recordset::Update() {
  RequireCurrent();
  sqlite3* db = connection_->Handle();
  std::vector<size_t> changed;
  for (size_t c = 0; c < columns_.size(); ++c)
    if (dirty_[c]) changed.push_back(c);
  std::string sql;
  if (adding_) {
    std::string names, marks;
    for (size_t c : changed) {
      names += (names.empty() ? "" : ",") + QuoteIdentifier(columns_[c]);
      marks += marks.empty() ? "?" : ",?";
    }
    sql = changed.empty() ? "INSERT INTO " + QuoteIdentifier(table_) + " DEFAULT VALUES"
                          : "INSERT INTO " + QuoteIdentifier(table_) + " (" + names +
                                ") VALUES (" + marks + ")";
  } else {
    if (changed.empty()) return;
    std::string sets;
    for (size_t c : changed) sets += (sets.empty() ? "" : ",") + QuoteIdentifier(columns_[c]) + "=?";
    sql = "UPDATE " + QuoteIdentifier(table_) + " SET " + sets + " WHERE rowid=?";
  }
  Statement st;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st.stmt, nullptr) != SQLITE_OK) RaiseEngine(db);
  int index = 1;
  for (size_t c : changed) Bind(db, st.stmt, index++, rows_[pos_][c]);
  if (!adding_) sqlite3_bind_int64(st.stmt, index, rowIds_[pos_]);
  if (sqlite3_step(st.stmt) != SQLITE_DONE) RaiseEngine(db);
  if (adding_) {
    rowIds_[pos_] = sqlite3_last_insert_rowid(db);
    ReloadRow(db);  // the values the database gave: the new id, defaults
  }
  adding_ = false;
  dirty_.assign(columns_.size(), false);
}

}  // namespace plx::db
