#include "graph/curves/expression_curves.hpp"

#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/script_engine.hpp"
#include "graph/frame/frame.hpp"
#include "addin/addin_context.hpp"

namespace plx::graph {
namespace {

// EvalAt with errors ignored: the previous value stands in.
double EvalOr(ScriptEngine& engine, double x, const std::wstring& expr, double& last) {
  try {
    double v = EvalAt(engine, x, expr);
    if (std::isfinite(v)) last = v;
  } catch (const std::exception&) {
  }
  return last;
}

}  // namespace

std::vector<AnyRecord::Interval> FindIntervals(GraphContext& g, const std::wstring& expression, double xmin,
                                               double xmax) {
  std::vector<AnyRecord::Interval> out;
  bool inRun = false;
  for (long i = 1;; ++i) {
    double x = xmin + 0.01 * static_cast<double>(i);
    if (x > xmax + 1e-9) break;
    bool error = false;
    double y = 0;
    g.math.MathExpressionAt(expression, x, error, y);
    bool usable = !error && std::isfinite(y) && x >= g.frame.xmin && x <= g.frame.xmax && y >= g.frame.ymin &&
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
  for (const auto& interval : rec.intervals) {
    double last = 0;
    DrawCurvePiece(ctx, g, interval.lower, interval.upper,
                   [&](double x) { return EvalOr(g.script, x, rec.expression, last); }, L"任意函数", rec.line);
  }
}

void DrawParametric(AddinContext& ctx, GraphContext& g, const ParamRecord& rec, const std::wstring& role) {
  GetSampleCount(g, rec.tmin, rec.tmax);
  if (g.CurvePoints.size() < 2) return;
  double lastX = 0, lastY = 0;
  FillSamples(g, rec.tmin, rec.tmax, [&](double t) {
    double x = Round3(EvalOr(g.script, t, rec.xExpression, lastX));
    double y = Round3(EvalOr(g.script, t, rec.yExpression, lastY));
    return docif::PointF{static_cast<float>(g.PageX(x)), static_cast<float>(g.PageY(y))};
  });
  AddCurveShape(ctx, g, role, rec.line);
}

}  // namespace plx::graph
