#include "graph/curves/expression_curves.hpp"

#include <cmath>
#include <cstdint>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/sampled_expression.hpp"
#include "graph/expr/script_engine.hpp"
#include "graph/frame/frame.hpp"
#include "addin/addin_context.hpp"

namespace plx::graph {
namespace {

// The value at x with errors ignored: the previous value stands in.
double ValueOr(SampledExpression& f, double x, double& last) {
  double v;
  if (f.At(x, v) && std::isfinite(v)) last = v;
  return last;
}

}  // namespace

std::vector<AnyRecord::Interval> FindIntervals(GraphContext& g, const std::wstring& expression, double xmin,
                                               double xmax) {
  std::vector<double> xs;
  for (long i = 1;; ++i) {
    double x = xmin + 0.01 * static_cast<double>(i);
    if (x > xmax + 1e-9) break;
    xs.push_back(x);
  }
  // The expression is read once and evaluated over all the points together.
  std::vector<double> ys;
  std::vector<uint8_t> ok;
  SampledExpression::LikeMathExpressionAt(g.math, expression).AtEach(xs, ys, ok);
  std::vector<AnyRecord::Interval> out;
  bool inRun = false;
  for (size_t i = 0; i < xs.size(); ++i) {
    const double x = xs[i], y = ys[i];
    bool usable = ok[i] && std::isfinite(y) && x >= g.frame.xmin && x <= g.frame.xmax && y >= g.frame.ymin &&
                  y <= g.frame.ymax;
    if (usable && !inRun) out.push_back({x, x, 0});
    if (usable) out.back().upper = x;
    inRun = usable;
  }
  return out;
}

std::wstring ReplaceParameter(const std::wstring& expression) {
  std::wstring s = LCase(expression);
  std::wstring out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L't') {
      // The t of a protected word stays.
      bool kept = false;
      for (const wchar_t* word : {L"sint", L"tan", L"cot", L"det", L"int"}) {
        std::wstring w = word;
        for (size_t k = 0; k < w.size(); ++k)
          if (w[k] == L't' && i >= k && s.compare(i - k, w.size(), w) == 0) kept = true;
      }
      out += kept ? L't' : L'x';
    } else {
      out += s[i];
    }
  }
  return out;
}

ParamRecord PolarAsParametric(const std::wstring& r, double tmin, double tmax, const LineAttr& line) {
  std::wstring radius = ReplaceParameter(r);
  return {L"(" + radius + L")*cos(x)", L"(" + radius + L")*sin(x)", tmin, tmax, line};
}

void DrawAnyFunction(AddinContext& ctx, GraphContext& g, const AnyRecord& rec) {
  SampledExpression f = SampledExpression::LikeEvalAt(g.script, rec.expression);
  for (const auto& interval : rec.intervals) {
    double last = 0;
    DrawCurvePiece(ctx, g, interval.lower, interval.upper, [&](double x) { return ValueOr(f, x, last); },
                   L"任意函数", rec.line);
  }
}

void DrawParametric(AddinContext& ctx, GraphContext& g, const ParamRecord& rec, const std::wstring& role) {
  GetSampleCount(g, rec.tmin, rec.tmax);
  if (g.CurvePoints.size() < 2) return;
  SampledExpression fx = SampledExpression::LikeEvalAt(g.script, rec.xExpression);
  SampledExpression fy = SampledExpression::LikeEvalAt(g.script, rec.yExpression);
  double lastX = 0, lastY = 0;
  FillSamples(g, rec.tmin, rec.tmax, [&](double t) {
    double x = Round3(ValueOr(fx, t, lastX));
    double y = Round3(ValueOr(fy, t, lastY));
    return docif::PointF{static_cast<float>(g.PageX(x)), static_cast<float>(g.PageY(y))};
  });
  AddCurveShape(ctx, g, role, rec.line);
}

}  // namespace plx::graph
