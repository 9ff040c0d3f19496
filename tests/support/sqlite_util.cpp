#include "support/sqlite_util.hpp"

#include <sqlite3.h>

#include <stdexcept>

#include "common/text.hpp"

namespace plx::test {

void ExecSql(const std::wstring& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(WideToUtf8(path).c_str(), &db);
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(message);
}

std::vector<std::string> QueryColumn(const std::wstring& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(WideToUtf8(path).c_str(), &db);
  sqlite3_stmt* st = nullptr;
  std::vector<std::string> out;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
    while (sqlite3_step(st) == SQLITE_ROW) {
      auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
      out.push_back(text ? text : "<null>");
    }
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return out;
}

std::string QueryOne(const std::wstring& path, const std::string& sql) {
  auto column = QueryColumn(path, sql);
  return column.empty() ? "<none>" : column.front();
}

}  // namespace plx::test
