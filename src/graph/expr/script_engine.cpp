#include "graph/expr/script_engine.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/decimal_rounding.hpp"

namespace plx::graph {
namespace {

constexpr size_t kCacheSize = 16;

// Text equality without a library call: the texts compared on every evaluation (the language
// name, a short expression) are a few characters long.
bool SameText(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

Dialect ScriptEngine::CurrentDialect() const {
  using namespace std::literals;
  if (SameText(Language, L"VBScript"sv)) return Dialect::VBScript;
  if (SameText(Language, L"JavaScript"sv)) return Dialect::JavaScript;
  std::wstring name = LCase(Trim(Language));
  if (name == L"vbscript") return Dialect::VBScript;
  if (name == L"javascript" || name == L"jscript") return Dialect::JavaScript;
  Raise(err::kInvalidCall, L"不支持的脚本语言“" + Language + L"”");
}

void ScriptEngine::Reset() {
  names_.clear();
  values_.clear();
  ++layout_;
}

void ScriptEngine::SetVariable(const std::wstring& name, ScriptValue value) {
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == name) {
      values_[i] = value;
      return;
    }
  }
  names_.push_back(name);
  values_.push_back(value);
  ++layout_;
}

void ScriptEngine::ExecuteStatement(const std::wstring& statement) {
  const Dialect dialect = CurrentDialect();
  std::vector<ExprToken> tokens = LexScript(statement, dialect);
  size_t first = 0;
  if (dialect == Dialect::JavaScript && tokens[0].kind == ExprToken::Kind::Word &&
      (tokens[0].text == L"var" || tokens[0].text == L"let" || tokens[0].text == L"const"))
    first = 1;
  if (tokens.size() < first + 3 || tokens[first].kind != ExprToken::Kind::Word ||
      tokens[first + 1].kind != ExprToken::Kind::Symbol || tokens[first + 1].text != L"=")
    Raise(kExpressionSyntaxError, L"只能执行“变量 = 表达式”形式的赋值语句");
  const std::wstring& written = tokens[first].text;
  if (!CompiledExpression::IsVariableName(written, dialect))
    Raise(kExpressionSyntaxError, L"“" + written + L"”不能用作变量名");
  std::vector<ExprToken> rest(tokens.begin() + static_cast<long>(first) + 2, tokens.end());
  CacheEntry entry{dialect, {}, CompiledExpression::Compile(rest, dialect), {}, false, 0};
  Bind(entry);
  SetVariable(dialect == Dialect::JavaScript ? written : LCase(written), Run(entry));
}

ScriptEngine::CacheEntry& ScriptEngine::Compiled(Dialect dialect, const std::wstring& text) {
  for (size_t i = 0; i < cache_.size(); ++i) {
    if (cache_[i].dialect == dialect && SameText(cache_[i].text, text)) {
      if (i > 0) std::rotate(cache_.begin(), cache_.begin() + static_cast<long>(i),
                             cache_.begin() + static_cast<long>(i) + 1);
      return cache_.front();
    }
  }
  // Compile first: text that does not compile leaves the cache as it was.
  CompiledExpression program = CompiledExpression::Compile(LexScript(text, dialect), dialect);
  if (cache_.size() == kCacheSize) cache_.pop_back();
  cache_.insert(cache_.begin(), CacheEntry{dialect, text, std::move(program), {}, false, 0});
  return cache_.front();
}

void ScriptEngine::Bind(CacheEntry& entry) const {
  const auto& names = entry.program.Variables();
  entry.binding.resize(names.size());
  entry.direct = true;
  for (size_t i = 0; i < names.size(); ++i) {
    auto found = std::find(names_.begin(), names_.end(), names[i]);
    if (found == names_.end()) Raise(kUndefinedVariable, L"变量未定义：“" + names[i] + L"”");
    entry.binding[i] = static_cast<uint16_t>(found - names_.begin());
    entry.direct = entry.direct && entry.binding[i] == i;
  }
  entry.boundLayout = layout_;
}

ScriptValue ScriptEngine::Run(const CacheEntry& entry) const {
  if (entry.direct) return entry.program.Evaluate(values_.data());
  std::vector<ScriptValue> values;
  values.reserve(entry.binding.size());
  for (uint16_t slot : entry.binding) values.push_back(values_[slot]);
  return entry.program.Evaluate(values.data());
}

ScriptValue ScriptEngine::Eval(const std::wstring& expression) {
  CacheEntry& entry = Compiled(CurrentDialect(), expression);
  if (entry.boundLayout != layout_) Bind(entry);
  return Run(entry);
}

double EvalAt(ScriptEngine& engine, double x, const std::wstring& expr) {
  double value;
  if (std::isfinite(x) && ThroughDecimalText(x, value)) {
    // Reset and then "x = value" leave x as the only variable; when that is already so (the
    // previous sample), setting its value gives the same state without rebuilding it.
    if (engine.names_.size() != 1 || !SameText(engine.names_[0], L"x")) {
      engine.Reset();
      engine.SetVariable(L"x", {});
    }
    engine.values_[0] = ScriptValue::Number(value);
  } else {
    engine.Reset();
    engine.ExecuteStatement(L"x = " + DecimalText(x));
  }
  return engine.Eval(expr).number;
}

double EvaluateOnce(const std::wstring& expr, double x) {
  ScriptEngine engine;
  engine.ExecuteStatement(L"x = " + DecimalText(x));
  return engine.Eval(expr).number;
}

}  // namespace plx::graph
