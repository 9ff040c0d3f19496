// libFuzzer target: any text typed into a numeric or function box goes through the normaliser,
// the numeric-box evaluator and the script engine in both languages. Each ends in a value or a
// clear error, never a crash, a hang or a stack overflow; a value the evaluator reports as good
// is finite, the arithmetic shortcut of EvalAt gives what the statement text would, and the
// compiled forms the sampling loops use (one value at a time and many at once) give exactly
// what evaluating the text gives.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/compiled_expression.hpp"
#include "graph/expr/decimal_rounding.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/sampled_expression.hpp"
#include "graph/expr/script_engine.hpp"

namespace {

using plx::graph::ScriptEngine;

void CheckMathExpression(plx::graph::MathPlugin& plugin, const std::wstring& text) {
  bool error = false;
  double value = 0;
  plugin.MathExpression(text, error, value);
  if (error == plugin.LastError().empty()) __builtin_trap();  // an error always says why
  if (!error && !std::isfinite(value)) __builtin_trap();
}

void TryScript(ScriptEngine& engine, const std::wstring& text) {
  try {
    engine.Eval(text);
  } catch (const plx::VbError&) {
  }
  try {
    engine.ExecuteStatement(L"y = " + text);
  } catch (const plx::VbError&) {
  }
  try {
    plx::graph::EvalAt(engine, 0.5, text);
  } catch (const plx::VbError&) {
  }
}

// EvalAt rounds x through arithmetic instead of text; both routes must agree bit for bit.
void CheckEvalAtRounding(double x) {
  ScriptEngine engine;
  double fast = 0, slow = 0;
  bool fastFailed = false, slowFailed = false;
  try {
    fast = plx::graph::EvalAt(engine, x, L"x");
  } catch (const plx::VbError&) {
    fastFailed = true;
  }
  try {
    engine.Reset();
    engine.ExecuteStatement(L"x = " + plx::DecimalText(x));
    slow = engine.Eval(L"x").number;
  } catch (const plx::VbError&) {
    slowFailed = true;
  }
  if (fastFailed != slowFailed) __builtin_trap();
  if (!fastFailed && std::bit_cast<uint64_t>(fast) != std::bit_cast<uint64_t>(slow))
    __builtin_trap();
  // Many at once, in a block with neighbours of other powers of ten.
  const double xs[] = {x, x * 10, -x, x / 3, 1.5, x};
  double many[6];
  uint8_t ok[6];
  plx::graph::ThroughDecimalTextEach(xs, 6, many, ok);
  for (int i = 0; i < 6; ++i) {
    double one = 0;
    const bool oneOk = plx::graph::ThroughDecimalText(xs[i], one);
    if (oneOk != (ok[i] != 0)) __builtin_trap();
    if (oneOk && std::bit_cast<uint64_t>(one) != std::bit_cast<uint64_t>(many[i])) __builtin_trap();
  }
}

bool SameValue(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}

const std::vector<double> kProbeXs = {-2.5, 0.3, 7.0, 0.0, 1e-9};

// The sampling loops' compiled form of the script engine against EvalAt itself.
void CheckSampledLikeEvalAt(const std::wstring& text, const wchar_t* language) {
  ScriptEngine engine;
  engine.Language = language;
  auto f = plx::graph::SampledExpression::LikeEvalAt(engine, text);
  std::vector<double> ys;
  std::vector<uint8_t> ok;
  f.AtEach(kProbeXs, ys, ok);
  for (size_t i = 0; i < kProbeXs.size(); ++i) {
    double expected = 0, one = 0;
    bool failed = false;
    try {
      expected = plx::graph::EvalAt(engine, kProbeXs[i], text);
    } catch (const plx::VbError&) {
      failed = true;
    }
    const bool oneOk = f.At(kProbeXs[i], one);
    if (oneOk == failed || (ok[i] != 0) == failed) __builtin_trap();
    if (!failed && (!SameValue(one, expected) || !SameValue(ys[i], expected))) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= sizeof(double)) {
    double x;
    std::memcpy(&x, data, sizeof x);
    CheckEvalAtRounding(x);
  }
  std::wstring text = plx::Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
  std::wstring normalised = plx::graph::NormaliseExpression(text);

  plx::graph::MathPlugin plugin;
  CheckMathExpression(plugin, text);
  CheckMathExpression(plugin, normalised);
  // Probing at x, one value or many at once, gives what writing x into the text gives.
  plx::graph::MathPlugin probing;
  auto sampled = plx::graph::SampledExpression::LikeMathExpressionAt(probing, normalised);
  std::vector<double> ys;
  std::vector<uint8_t> ok;
  sampled.AtEach(kProbeXs, ys, ok);
  for (size_t i = 0; i < kProbeXs.size(); ++i) {
    const double x = kProbeXs[i];
    bool fastError = false, slowError = false;
    double fast = 0, slow = 0;
    plugin.MathExpressionAt(normalised, x, fastError, fast);
    const std::wstring written = plx::graph::SubstituteVariable(normalised, L'x', x);
    // The length limit is for what is typed; writing x in can push a typed text past it.
    if (written.size() > plx::graph::kMaxExpressionLength) continue;
    plx::graph::MathPlugin().MathExpression(written, slowError, slow);
    if (fastError != slowError || (!fastError && fast != slow)) __builtin_trap();
    if ((ok[i] != 0) == slowError || (!slowError && ys[i] != slow)) __builtin_trap();
  }

  for (const wchar_t* language : {L"VBScript", L"JavaScript"}) {
    ScriptEngine engine;
    engine.Language = language;
    TryScript(engine, text);
    TryScript(engine, normalised);
    CheckSampledLikeEvalAt(normalised, language);
  }
  return 0;
}
