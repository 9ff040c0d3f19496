#include "graph/expr/sampled_expression.hpp"

#include <cmath>
#include <exception>

#include "common/error.hpp"
#include "graph/expr/decimal_rounding.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/script_engine.hpp"

namespace plx::graph {

// The evaluation by text the handle stands for, run as it is.
class SampledExpression::TextRoute {
 public:
  virtual ~TextRoute() = default;
  virtual bool At(double x, double& y) = 0;
};

namespace {

class EvalAtRoute : public SampledExpression::TextRoute {
 public:
  EvalAtRoute(const std::wstring& language, std::wstring expr) : expr_(std::move(expr)) {
    engine_.Language = language;
  }
  bool At(double x, double& y) override {
    try {
      y = EvalAt(engine_, x, expr_);
      return true;
    } catch (const std::exception&) {
      return false;
    }
  }

 private:
  ScriptEngine engine_;
  std::wstring expr_;
};

class ProbeRoute : public SampledExpression::TextRoute {
 public:
  ProbeRoute(MathPlugin& plugin, std::wstring expr) : plugin_(plugin), expr_(std::move(expr)) {}
  bool At(double x, double& y) override {
    bool error = false;
    double value = 0;
    plugin_.MathExpressionAt(expr_, x, error, value);
    if (error) return false;
    y = value;
    return true;
  }

 private:
  MathPlugin& plugin_;
  std::wstring expr_;
};

}  // namespace

SampledExpression::SampledExpression() = default;
SampledExpression::SampledExpression(SampledExpression&&) noexcept = default;
SampledExpression& SampledExpression::operator=(SampledExpression&&) noexcept = default;
SampledExpression::~SampledExpression() = default;

SampledExpression SampledExpression::LikeEvalAt(const ScriptEngine& engine, const std::wstring& expr) {
  SampledExpression f;
  f.text_ = std::make_unique<EvalAtRoute>(engine.Language, expr);
  try {
    const Dialect dialect = engine.CurrentDialect();
    CompiledExpression program = CompiledExpression::Compile(LexScript(expr, dialect), dialect);
    // After EvalAt's Reset, x is the only variable that has a value.
    const auto& names = program.Variables();
    if (names.empty() || (names.size() == 1 && names[0] == L"x")) f.program_ = std::move(program);
  } catch (const std::exception&) {
    // Every evaluation raises; program_ stays empty.
  }
  return f;
}

SampledExpression SampledExpression::LikeMathExpressionAt(MathPlugin& plugin, const std::wstring& expr) {
  SampledExpression f;
  f.finiteOnly_ = true;
  f.text_ = std::make_unique<ProbeRoute>(plugin, expr);
  try {
    f.program_ = CompiledExpression::CompileWithVariable(plugin.Engine().Tokenise(expr, L"X"), L"X");
  } catch (const std::exception&) {
    // Text that does not read with x as a variable may read once x is written in.
    f.textOnly_ = true;
  }
  return f;
}

bool SampledExpression::Run(double rounded, double& y) const {
  const ScriptValue x = ScriptValue::Number(rounded);
  double value;
  try {
    value = program_->Evaluate(&x).number;
  } catch (const std::exception&) {
    return false;
  }
  if (finiteOnly_ && !std::isfinite(value)) return false;
  y = value;
  return true;
}

bool SampledExpression::At(double x, double& y) {
  double rounded;
  if (textOnly_ || !ThroughDecimalText(x, rounded)) return text_->At(x, y);
  return program_ && Run(rounded, y);
}

void SampledExpression::AtEach(const std::vector<double>& xs, std::vector<double>& ys,
                               std::vector<uint8_t>& ok) {
  const size_t n = xs.size();
  ys.resize(n);
  ok.resize(n);
  if (textOnly_) {
    for (size_t i = 0; i < n; ++i) ok[i] = text_->At(xs[i], ys[i]);
    return;
  }
  // x through its decimal text; the few values outside the arithmetic rounding's range take
  // the text route at the end.
  rounded_.resize(n);
  byText_.clear();
  if (ThroughDecimalTextEach(xs.data(), n, rounded_.data(), ok.data()) != 0)
    ForEachUnset(ok.data(), n, [this](size_t i) { byText_.push_back(i); });
  if (!program_) {
    std::fill(ok.begin(), ok.end(), 0);
  } else if (program_->Batchable()) {
    program_->EvaluateEach(rounded_.data(), n, ys.data(), ok.data());
    if (finiteOnly_)
      for (size_t i = 0; i < n; ++i) ok[i] = ok[i] && std::isfinite(ys[i]);
  } else {
    for (size_t i = 0; i < n; ++i) ok[i] = Run(rounded_[i], ys[i]);
  }
  for (size_t i : byText_) ok[i] = text_->At(xs[i], ys[i]);
}

}  // namespace plx::graph
