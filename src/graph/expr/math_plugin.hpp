#pragma once
// The evaluator of numeric boxes and of function probes: MathPlugin resolves a normalised
// expression (numbers only, x already written as its value) with the host language's
// arithmetic, through a SymbolEngine that splits the text by three symbol lists.
#include <string>
#include <vector>

#include "graph/expr/compiled_expression.hpp"

namespace plx::graph {

// Tokeniser and resolver driven by three lists, matched without regard to letter case:
//   break symbols  operators and function names ("+", "MOD", "SQR", ...); a run of letters
//                  must be one of them as a whole, or the text is refused;
//   node symbols   the brackets "(" and ")";
//   non-symbols    text that only separates tokens (tab, "\r\n", blank).
// Between symbols stand numbers ("12", ".5", "2.", "1E-05").
class SymbolEngine {
 public:
  void SetBreakSymbols(const std::vector<std::wstring>& symbols);
  void SetNodeSymbols(const std::vector<std::wstring>& symbols);
  void SetNonSymbols(const std::vector<std::wstring>& symbols);

  // The tokens of text, ending with an End token; raises VbError 1002 for text longer than
  // kMaxExpressionLength or for a character or word no list knows.
  std::vector<ExprToken> Tokenise(const std::wstring& text, const std::wstring& variable = L"") const;

  // Evaluates text. On success errorFlag is false, result holds the value and message is
  // empty; otherwise errorFlag is true, result is 0 and message says why in Chinese. Never
  // throws.
  void ExpressionResolver(const std::wstring& text, bool& errorFlag, double& result,
                          std::wstring& message) const;

 private:
  std::vector<std::wstring> breakSymbols_;  // upper case
  std::vector<std::wstring> nodeSymbols_;
  std::vector<std::wstring> nonSymbols_;
};

// Operator precedence, tightest first: brackets and functions; "^" (right-associative);
// unary minus; "*" "/"; "MOD"; "+" "-"; "AND"; "OR"; "XOR"; "EQV"; "IMP". MOD and the
// bitwise operators round their operands half to even into 32-bit integers. Division by zero,
// the logarithm of a number <= 0, the square root of a negative number, a negative number to
// a fractional power and results beyond the range of a double are errors.
class MathPlugin {
 public:
  // Configures the engine with the lists: break symbols "+", "-", "*", "/", "^", "AND", "OR",
  // "MOD", "XOR", "SQR", "TAN", "ATN", "SIN", "COS", "EXP", "LOG", "ABS", "SGN", "EQV",
  // "IMP"; node symbols "(", ")"; non-symbols tab, "\r\n", " ".
  MathPlugin();

  // errorFlag is set when expr cannot be evaluated; LastError() then says why.
  void MathExpression(const std::wstring& expr, bool& errorFlag, double& result);
  // The same value and error as MathExpression of the expression with x
  // written in (SubstituteVariable), but the expression is read once and
  // kept for the next values of x: the interval search probes one
  // expression thousands of times.
  void MathExpressionAt(const std::wstring& expr, double x, bool& errorFlag, double& result);
  // The message of the last failed MathExpression, empty after a success.
  const std::wstring& LastError() const { return lastError_; }

  const SymbolEngine& Engine() const { return engine_; }

 private:
  SymbolEngine engine_;
  std::wstring lastError_;
  // The expression last probed, compiled with x as its variable (when
  // that reads the same as writing x in).
  std::wstring probeText_;
  bool probeCompiled_ = false;
  CompiledExpression probe_;
};

}  // namespace plx::graph
