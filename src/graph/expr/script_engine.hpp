#pragma once
// Stand-in for the platform's script control, which evaluates expression text while curves
// are drawn (EvalAt), tests feasible-region constraints ("1.00<=2.50", JavaScript) and reads
// interval bounds (VBScript). It keeps variables between calls and understands assignments
// "name = expression" and expressions: numbers, variables, + - * / and powers, the
// normaliser's functions (sqr, log natural, atn, sin, cos, tan, exp, abs, sgn), comparisons
// and logic. VBScript: "^" power, = <> < <= > >=, Not And Or Xor Eqv Imp Mod "\", True and
// False, names in any letter case, the host language's arithmetic errors (1/0 is error 11).
// JavaScript: "**" power, "^" exclusive or, == != === !== < <= > >=, && || !, "%",
// Math.sqrt and friends, Math.PI, Math.E, IEEE arithmetic (1/0 is Infinity). Faults raise
// VbError with a Chinese message.
#include <cstdint>
#include <string>
#include <vector>

#include "graph/expr/compiled_expression.hpp"

namespace plx::graph {

class ScriptEngine {
 public:
  // "VBScript" or "JavaScript" ("JScript" too), in any letter case; anything else makes the
  // next call raise error 5.
  std::wstring Language = L"VBScript";

  // Forgets every variable.
  void Reset();
  // Runs one assignment "name = expression" (JavaScript also "var name = expression;").
  void ExecuteStatement(const std::wstring& statement);
  // The value of an expression. Compiled forms of the last 16 expression texts are kept, so
  // evaluating the same text again only runs its program.
  ScriptValue Eval(const std::wstring& expression);

 private:
  friend double EvalAt(ScriptEngine& engine, double x, const std::wstring& expr);
  friend class SampledExpression;

  struct CacheEntry {
    Dialect dialect;
    std::wstring text;
    CompiledExpression program;
    // Where the program's variables stand in values_, valid while layout_ is unchanged;
    // `direct` when they are values_[0], values_[1]... in that order.
    std::vector<uint16_t> binding;
    bool direct = false;
    uint64_t boundLayout = 0;
  };

  Dialect CurrentDialect() const;
  CacheEntry& Compiled(Dialect dialect, const std::wstring& text);
  // Finds the program's variables; raises error 500 for one that has no value.
  void Bind(CacheEntry& entry) const;
  ScriptValue Run(const CacheEntry& entry) const;
  void SetVariable(const std::wstring& name, ScriptValue value);

  std::vector<std::wstring> names_;  // the variables, names_[i] holding values_[i]
  std::vector<ScriptValue> values_;
  uint64_t layout_ = 1;  // changes whenever a name is added or removed
  std::vector<CacheEntry> cache_;  // most recently used first
};

// The value of expr at x, as the script control gives it after Reset, ExecuteStatement("x = "
// + DecimalText(x)) and Eval(expr): x is first rounded to the 15 significant digits of its
// decimal text. A boolean reads as its number (-1 or 0 in VBScript). Raises VbError when expr
// cannot be evaluated or x is not finite.
double EvalAt(ScriptEngine& engine, double x, const std::wstring& expr);

// The same value computed the slow way, with a fresh engine that parses the statement and the
// expression text on every call; for comparisons and measurements.
double EvaluateOnce(const std::wstring& expr, double x);

}  // namespace plx::graph
