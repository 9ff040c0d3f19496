#pragma once
// `plendrix formula`: the code the formula engine builds for a formula text,
// without touching a document.
#include <optional>
#include <string>
#include <vector>

#include "session.hpp"

namespace plx::cli {

struct FormulaRequest {
  std::optional<std::wstring> route;   // "eq", "tex" or "omath"; the configured one when absent
  std::vector<std::wstring> settings;  // "KEY=VALUE" overrides of gsconfig
  std::wstring text;
};

// Prints the EQ field code ("EQ " + body), the TeX between "$" signs or the
// linear text; returns the exit status (1 with a message for a formula that
// cannot be built, 2 for a bad request).
int PrintFormula(Session& session, const FormulaRequest& request);

}  // namespace plx::cli
