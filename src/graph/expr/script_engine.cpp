#include "graph/expr/script_engine.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"

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

// 10^0 .. 10^22, every one exactly representable.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

#if !defined(__FMA__)
// Splits v into a high part of 26 significant bits and the exact rest (Veltkamp).
void Split(double v, double& high, double& low) {
  double c = 134217729.0 * v;  // 2^27 + 1
  high = c - (c - v);
  low = v - high;
}

// Dekker's exact product: a * b == product + the result, exactly. Without fused multiply-add
// instructions the compiler cannot contract these steps.
double ProductError(double a, double b, double product) {
  double ah, al, bh, bl;
  Split(a, ah, al);
  Split(b, bh, bl);
  return ((ah * bh - product) + ah * bl + al * bh) + al * bl;
}
#endif

// The sign of a * b - product (product being a * b rounded).
double ProductSide(double a, double b, double product) {
#if defined(__FMA__)
  return std::fma(a, b, -product);
#else
  return ProductError(a, b, product);
#endif
}

// The sign of a - q * b (q being a / b rounded).
double QuotientSide(double a, double b, double q) {
#if defined(__FMA__)
  return std::fma(-q, b, a);
#else
  const double back = q * b;
  return (a - back) - ProductError(q, b, back);  // a - back is exact: back is close to a
#endif
}

// The number that the decimal text of x (15 significant digits, rounded half to even on the
// exact binary value, as the C library prints it) reads back as, computed without text.
// With v = |x| * 10^k scaled to 15 integer digits, the side of the rounded p on which the
// exact v lies is known from the rounding error, so the rounding to an integer m is exact;
// m / 10^k is then one correctly rounded operation on exact operands, which is what reading
// the text gives. Returns false outside 1e-8 <= |x| < 1e37 (10^k not exact), where the
// caller takes the text route.
bool ThroughDecimalText(double x, double& out) {
  if (x == 0) {
    out = 0;  // the text "0" has no sign
    return true;
  }
  const double a = std::fabs(x);
  const int binaryExponent =
      static_cast<int>((std::bit_cast<uint64_t>(a) >> 52) & 0x7FF) - 1023;
  int e = (binaryExponent * 78913) >> 18;  // about floor(binaryExponent * log10(2))
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int k = 14 - e;
    if (k < -22 || k > 22) return false;
    const double p = k >= 0 ? a * kPow10[k] : a / kPow10[-k];
    // The exact v is p plus something with the sign of side(); needed only when p lies
    // exactly on a boundary, since rounding cannot carry v across a representable boundary.
    auto side = [&] {
      return k >= 0 ? ProductSide(a, kPow10[k], p) : QuotientSide(a, kPow10[-k], p);
    };
    if (p < 1e14 || (p == 1e14 && side() < 0)) { --e; continue; }
    if (p > 1e15 || (p == 1e15 && side() >= 0)) { ++e; continue; }
    // Adding and removing 2^52 rounds 0 <= p < 2^52 to an integer, ties to even, as printing
    // rounds an exact tie (and faster than a library call).
    double m = (p + 4503599627370496.0) - 4503599627370496.0;
    const double fraction = p - m;
    if (fraction == 0.5 && side() > 0) m += 1;
    else if (fraction == -0.5 && side() < 0) m -= 1;
    const double r = k >= 0 ? m / kPow10[k] : m * kPow10[-k];
    out = std::copysign(r, x);
    return true;
  }
  return false;
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
