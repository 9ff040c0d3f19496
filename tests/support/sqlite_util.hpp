#pragma once
// Direct access to a test database, bypassing the add-in's own layer, so
// tests can prepare data and check what the add-in stored.
#include <string>
#include <vector>

namespace plx::test {

void ExecSql(const std::wstring& path, const std::string& sql);
// The first column of every row, NULL as "<null>".
std::vector<std::string> QueryColumn(const std::wstring& path, const std::string& sql);
std::string QueryOne(const std::wstring& path, const std::string& sql);

}  // namespace plx::test
