#include "graph/expr/math_plugin.hpp"

#include <algorithm>
#include <cmath>
#include <exception>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/normalise.hpp"

namespace plx::graph {
namespace {

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

std::vector<std::wstring> Upper(const std::vector<std::wstring>& symbols) {
  std::vector<std::wstring> out;
  for (const auto& s : symbols)
    if (!s.empty()) out.push_back(UCase(s));
  // Longest first, so that a symbol is never cut short by a shorter one it starts with.
  std::stable_sort(out.begin(), out.end(), [](const std::wstring& a, const std::wstring& b) {
    return a.size() > b.size();
  });
  return out;
}

// Length of the first symbol of the list found at upper[pos], 0 when none.
size_t MatchAt(const std::vector<std::wstring>& symbols, const std::wstring& upper, size_t pos) {
  for (const auto& s : symbols)
    if (upper.compare(pos, s.size(), s) == 0) return s.size();
  return 0;
}

[[noreturn]] void Refuse(const std::wstring& message) { Raise(kExpressionSyntaxError, message); }

}  // namespace

void SymbolEngine::SetBreakSymbols(const std::vector<std::wstring>& symbols) {
  breakSymbols_ = Upper(symbols);
}

void SymbolEngine::SetNodeSymbols(const std::vector<std::wstring>& symbols) {
  nodeSymbols_ = Upper(symbols);
}

void SymbolEngine::SetNonSymbols(const std::vector<std::wstring>& symbols) {
  nonSymbols_ = Upper(symbols);
}

std::vector<ExprToken> SymbolEngine::Tokenise(const std::wstring& text, const std::wstring& variable) const {
  if (text.size() > kMaxExpressionLength)
    Refuse(L"表达式过长（超过 " + std::to_wstring(kMaxExpressionLength) + L" 个字符）");
  const std::wstring upper = UCase(text);
  std::vector<ExprToken> tokens;
  size_t i = 0;
  while (i < text.size()) {
    if (size_t skip = MatchAt(nonSymbols_, upper, i)) {
      i += skip;
      continue;
    }
    ExprToken t;
    t.position = i + 1;
    double value = 0;
    if (size_t length = MatchAt(nodeSymbols_, upper, i)) {
      t.text = text.substr(i, length);
      t.kind = t.text == L"(" ? ExprToken::Kind::Open
               : t.text == L")" ? ExprToken::Kind::Close : ExprToken::Kind::Symbol;
      i += length;
    } else if (IsLetter(text[i])) {
      // A word is a break symbol as a whole or nothing: "sinx" is not SIN followed by x.
      size_t end = i;
      while (end < text.size() && IsLetter(text[end])) ++end;
      std::wstring word = upper.substr(i, end - i);
      if (word != variable && std::find(breakSymbols_.begin(), breakSymbols_.end(), word) == breakSymbols_.end())
        Refuse(L"无法识别的符号“" + text.substr(i, end - i) + L"”");
      t.kind = ExprToken::Kind::Word;
      t.text = word;
      i = end;
    } else if (size_t length = MatchAt(breakSymbols_, upper, i)) {
      t.kind = ExprToken::Kind::Symbol;
      t.text = upper.substr(i, length);
      i += length;
    } else if (size_t length = ReadNumber(text, i, value)) {
      t.kind = ExprToken::Kind::Number;
      t.number = value;
      t.text = text.substr(i, length);
      i += length;
    } else {
      Refuse(L"第 " + std::to_wstring(i + 1) + L" 个字符处有无法识别的符号“" +
             std::wstring(1, text[i]) + L"”");
    }
    tokens.push_back(std::move(t));
  }
  ExprToken end;
  end.position = text.size() + 1;
  tokens.push_back(end);
  return tokens;
}

void SymbolEngine::ExpressionResolver(const std::wstring& text, bool& errorFlag, double& result,
                                      std::wstring& message) const {
  errorFlag = true;
  result = 0;
  message.clear();
  try {
    CompiledExpression program =
        CompiledExpression::Compile(Tokenise(text), Dialect::Resolver);
    double value = program.Evaluate(nullptr).number;
    if (!std::isfinite(value)) {
      message = L"计算结果不是有限的数值";
      return;
    }
    result = value;
    errorFlag = false;
  } catch (const VbError& e) {
    message = e.description();
  } catch (const std::exception&) {
    message = L"无法计算该表达式";
  }
}

MathPlugin::MathPlugin() {
  engine_.SetBreakSymbols({L"+", L"-", L"*", L"/", L"^", L"AND", L"OR", L"MOD", L"XOR", L"SQR",
                           L"TAN", L"ATN", L"SIN", L"COS", L"EXP", L"LOG", L"ABS", L"SGN",
                           L"EQV", L"IMP"});
  engine_.SetNodeSymbols({L"(", L")"});
  engine_.SetNonSymbols({L"\t", L"\r\n", L" "});
}

void MathPlugin::MathExpression(const std::wstring& expr, bool& errorFlag, double& result) {
  engine_.ExpressionResolver(expr, errorFlag, result, lastError_);
}

namespace {

// Writing a value in next to a digit or a point joins them into one
// number ("x2" at 3 reads 32), which a variable cannot mimic.
bool XTouchesANumber(const std::wstring& s) {
  auto numeric = [](wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'.'; };
  for (size_t i = 0; i < s.size(); ++i)
    if ((s[i] == L'x' || s[i] == L'X') && ((i > 0 && numeric(s[i - 1])) || (i + 1 < s.size() && numeric(s[i + 1]))))
      return true;
  return false;
}

}  // namespace

void MathPlugin::MathExpressionAt(const std::wstring& expr, double x, bool& errorFlag, double& result) {
  if (expr != probeText_) {
    probeText_ = expr;
    probeCompiled_ = false;
    if (!XTouchesANumber(expr)) {
      try {
        probe_ = CompiledExpression::CompileWithVariable(engine_.Tokenise(expr, L"X"), L"X");
        probeCompiled_ = true;
      } catch (const std::exception&) {
        // Text that does not read stays on the slow road, with its message.
      }
    }
  }
  if (!probeCompiled_ || !std::isfinite(x)) return MathExpression(SubstituteVariable(expr, L'x', x), errorFlag, result);
  errorFlag = true;
  result = 0;
  lastError_.clear();
  try {
    // x as its decimal text reads, as when it is written into the expression.
    ScriptValue value = ScriptValue::Number(Val(DecimalText(x)));
    double v = probe_.Evaluate(&value).number;
    if (!std::isfinite(v)) {
      lastError_ = L"计算结果不是有限的数值";
      return;
    }
    result = v;
    errorFlag = false;
  } catch (const VbError& e) {
    lastError_ = e.description();
  } catch (const std::exception&) {
    lastError_ = L"无法计算该表达式";
  }
}

}  // namespace plx::graph
