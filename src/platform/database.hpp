#pragma once
// The database service: a Connection and a Recordset shaped like the data
// access calls the add-in makes, over SQLite. Statements arrive in the Jet
// dialect and are translated; the connection keeps a journal of them as
// received. Failures raise VbError carrying the engine's message.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

namespace plx::db {

class Value {
 public:
  Value() = default;  // Null
  Value(std::wstring text) : v_(std::move(text)) {}
  Value(const wchar_t* text) : v_(std::wstring(text)) {}
  Value(int64_t n) : v_(n) {}
  Value(int n) : v_(static_cast<int64_t>(n)) {}
  Value(double d) : v_(d) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
  // The value as text; Null reads as empty text.
  std::wstring Text() const;
  // The value as a number; Null and non-numeric text read 0.
  double Number() const;
  const auto& Raw() const { return v_; }
  bool operator==(const Value& o) const { return v_ == o.v_; }

 private:
  std::variant<std::monostate, int64_t, double, std::wstring> v_;
};

enum class CursorType { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType { ReadOnly = 1, Pessimistic = 2, Optimistic = 3 };

// "Provider=...;Data Source=path;..." gives the path, else empty.
std::wstring DataSourceOf(const std::wstring& connectionString);

class Connection {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the database named by "Data Source=". The file must exist and be
  // a database; neither is created.
  void Open(const std::wstring& connectionString, const std::wstring& user = L"",
            const std::wstring& password = L"");
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  int State() const { return IsOpen() ? 1 : 0; }
  void Execute(const std::wstring& sql);
  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const { return inTransaction_; }

  const std::wstring& DataSource() const { return dataSource_; }
  // Every statement received, in the dialect it arrived in.
  const std::vector<std::wstring>& Journal() const { return journal_; }
  void ClearJournal() { journal_.clear(); }

 private:
  friend class Recordset;
  sqlite3* Handle() const;
  void Record(const std::wstring& sql) { journal_.push_back(sql); }
  void Exec(const std::string& utf8);

  sqlite3* db_ = nullptr;
  std::wstring dataSource_;
  std::vector<std::wstring> journal_;
  bool inTransaction_ = false;
};

class Recordset {
 public:
  // Runs the statement on the connection; a statement that returns no rows
  // runs and leaves the recordset closed.
  void Open(const std::wstring& sql, Connection& connection,
            CursorType cursor = CursorType::Keyset, LockType lock = LockType::Pessimistic);
  void Close();
  bool IsOpen() const { return open_; }
  int State() const { return open_ ? 1 : 0; }

  bool EOF_() const;
  bool BOF() const;
  void MoveFirst();
  void MoveNext();
  long RecordCount() const;

  // Field of the current row by name (any letter case).
  Value Field(const std::wstring& name) const;
  void SetField(const std::wstring& name, Value value);
  std::vector<std::wstring> FieldNames() const { return columns_; }

  void AddNew();
  // Writes the changed fields of the current (or added) row; an added row
  // then holds what the database stored (its new id among them).
  void Update();

 private:
  size_t ColumnIndex(const std::wstring& name) const;
  void RequireOpen() const;
  void RequireCurrent() const;
  // Reads the current row back after it was added.
  void ReloadRow(sqlite3* db);

  Connection* connection_ = nullptr;
  bool open_ = false;
  std::wstring table_;                 // set when the rows can be updated
  std::vector<std::wstring> columns_;  // without the row id column
  std::vector<std::vector<Value>> rows_;
  std::vector<int64_t> rowIds_;
  std::vector<bool> dirty_;
  size_t pos_ = 0;
  bool adding_ = false;
};

}  // namespace plx::db
