#pragma once
// One expression of x, read once and then evaluated at many values of x: the loops that
// sample a curve and that search for the intervals where a function can be drawn. The text
// is compiled when the handle is made; each value of x then only runs the program (or, for
// many values at once, runs it over the whole array), giving exactly what the evaluation by
// text it stands for would give.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graph/expr/compiled_expression.hpp"

namespace plx::graph {

class MathPlugin;
class ScriptEngine;

class SampledExpression {
 public:
  // Stands for EvalAt(engine, x, expr) in the engine's current language: x as its decimal
  // text reads, an error for text that does not evaluate. The engine itself is not changed.
  static SampledExpression LikeEvalAt(const ScriptEngine& engine, const std::wstring& expr);
  // Stands for plugin.MathExpressionAt(expr, x, ...): the numeric-box evaluator with x
  // written into the text; an error for a result that is not a finite number.
  static SampledExpression LikeMathExpressionAt(MathPlugin& plugin, const std::wstring& expr);

  SampledExpression(SampledExpression&&) noexcept;
  SampledExpression& operator=(SampledExpression&&) noexcept;
  ~SampledExpression();

  // The value at x; false (y unchanged) where the evaluation it stands for reports an error.
  bool At(double x, double& y);
  // ys[i] and ok[i] (1 for a value, 0 for an error) for every xs[i]; much faster than At for
  // each value in turn.
  void AtEach(const std::vector<double>& xs, std::vector<double>& ys, std::vector<uint8_t>& ok);

  class TextRoute;

 private:
  SampledExpression();
  // The value of the program at x as written in text, when the program reads it.
  bool Run(double rounded, double& y) const;

  std::optional<CompiledExpression> program_;  // empty when every evaluation is an error
  bool finiteOnly_ = false;  // a result that is not finite is an error
  // What the evaluation by text gives: for values of x the arithmetic rounding does not
  // cover, and for every x when the text does not compile (the numeric-box evaluator may
  // still read it once x is written in).
  std::unique_ptr<TextRoute> text_;
  bool textOnly_ = false;
  std::vector<double> rounded_;  // scratch for AtEach
  std::vector<size_t> byText_;
};

}  // namespace plx::graph
