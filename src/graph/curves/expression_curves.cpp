#include "graph/curves/expression_curves.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>

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
                                               double xmax, std::wstring* failure) {
  std::vector<AnyRecord::Interval> out;
  if (failure) failure->clear();
  // Only probes inside the frame can be usable: the grid xmin + 0.01 i is
  // walked from the frame's left edge to its right edge (or the range's
  // ends), so a typed range of any width costs no more than the frame.
  const double first = std::max(1.0, std::ceil((g.frame.xmin - xmin) / 0.01 - 1e-9));
  const double last = std::floor((std::min<double>(xmax, g.frame.xmax) - xmin) / 0.01 + 1e-9);
  if (!(first <= last)) return out;
  const double stride = std::max(1.0, std::ceil((last - first) / kMaxIntervalProbes));
  std::vector<double> xs;
  for (double i = first; i <= last; i += stride) xs.push_back(xmin + 0.01 * i);
  // The expression is read once and evaluated over all the points together.
  std::vector<double> ys;
  std::vector<uint8_t> ok;
  SampledExpression::LikeMathExpressionAt(g.math, expression).AtEach(xs, ys, ok);
  bool inRun = false, anyValue = false;
  for (size_t k = 0; k < xs.size(); ++k) {
    const double x = xs[k], y = ys[k];
    const bool value = ok[k] && std::isfinite(y);
    anyValue = anyValue || value;
    bool usable = value && x >= g.frame.xmin && x <= g.frame.xmax && y >= g.frame.ymin &&
                  y <= g.frame.ymax;
    if (usable && !inRun) out.push_back({x, x, 0});
    if (usable) out.back().upper = x;
    inRun = usable;
  }
  if (failure && !anyValue && !xs.empty()) {
    // Why nothing could be drawn: the evaluator's own message at the first probe.
    bool error = false;
    double y = 0;
    g.math.MathExpressionAt(expression, xs.front(), error, y);
    *failure = g.math.LastError();
  }
  return out;
}

bool ParametricExtent(const ParamRecord& rec, Extent& extent, std::wstring& failure) {
  MathPlugin xs, ys;  // one each, so that each keeps its compiled expression
  const double count = std::min(kMaxIntervalProbes, std::ceil((rec.tmax - rec.tmin) / 0.01));
  bool any = false;
  failure.clear();
  for (double i = 0; i <= count; ++i) {
    const double t = rec.tmin + (rec.tmax - rec.tmin) * i / std::max(count, 1.0);
    bool ex = false, ey = false;
    double x = 0, y = 0;
    xs.MathExpressionAt(rec.xExpression, t, ex, x);
    ys.MathExpressionAt(rec.yExpression, t, ey, y);
    if (ex || ey) {
      if (failure.empty()) failure = ex ? xs.LastError() : ys.LastError();
      continue;
    }
    extent = any ? Extent{std::min(extent.xmin, x), std::max(extent.xmax, x), std::min(extent.ymin, y),
                          std::max(extent.ymax, y)}
                 : Extent{x, x, y, y};
    any = true;
  }
  if (any) failure.clear();
  return any;
}

std::wstring ReplaceParameter(const std::wstring& expression) {
  // Function names are read whole, longest first, inside every run of
  // letters; each other "t" is the parameter ("tcos(t)" is x*cos(x),
  // "atn(t)" keeps its name, "sint" is sin of the parameter).
  static const wchar_t* const kNames[] = {L"sqrt", L"sqr", L"sin", L"cos", L"tan", L"cot", L"atn", L"exp",
                                          L"log", L"abs", L"sgn", L"det", L"int", L"ln", L"gh", L"pi"};
  const std::wstring s = TeacherNotation(expression);
  std::wstring out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    size_t matched = 0;
    if (s[i] >= L'a' && s[i] <= L'z')
      for (const wchar_t* name : kNames)
        if (s.compare(i, std::wcslen(name), name) == 0) {
          matched = std::wcslen(name);
          break;
        }
    if (matched > 0) {
      out.append(s, i, matched);
      i += matched;
    } else {
      out += s[i] == L't' ? L'x' : s[i];
      ++i;
    }
  }
  return out;
}

ParamRecord PolarAsParametric(const std::wstring& r, double tmin, double tmax, const LineAttr& line) {
  const std::wstring radius = NormaliseExpression(ReplaceParameter(r));
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
