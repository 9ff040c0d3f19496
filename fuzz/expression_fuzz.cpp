// libFuzzer target: any text typed into a numeric or function box goes through the normaliser,
// the numeric-box evaluator and the script engine in both languages. Each ends in a value or a
// clear error, never a crash, a hang or a stack overflow; a value the evaluator reports as good
// is finite, and the arithmetic shortcut of EvalAt gives what the statement text would.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/normalise.hpp"
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
  // Probing at x gives what writing x into the text gives.
  for (double x : {-2.5, 0.3, 7.0}) {
    bool fastError = false, slowError = false;
    double fast = 0, slow = 0;
    plugin.MathExpressionAt(normalised, x, fastError, fast);
    plx::graph::MathPlugin().MathExpression(plx::graph::SubstituteVariable(normalised, L'x', x), slowError, slow);
    if (fastError != slowError || (!fastError && fast != slow)) __builtin_trap();
  }

  for (const wchar_t* language : {L"VBScript", L"JavaScript"}) {
    ScriptEngine engine;
    engine.Language = language;
    TryScript(engine, text);
    TryScript(engine, normalised);
  }
  return 0;
}
