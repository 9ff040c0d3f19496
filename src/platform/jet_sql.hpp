#pragma once
// Statements arrive in the Jet dialect the add-in was written against;
// SQLite needs three things changed: "select top N" (also inside
// sub-selects) becomes a LIMIT at the end of that select, double-quoted
// text literals become single-quoted ones, and [bracketed] names become
// double-quoted identifiers.
#include <string>

namespace plx::db {

std::wstring TranslateJetSql(const std::wstring& jet);

}  // namespace plx::db
