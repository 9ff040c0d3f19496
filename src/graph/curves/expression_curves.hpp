#pragma once
// Curves of typed expressions: y = f(x) over the intervals where it is
// defined and inside the frame, parametric curves x(t), y(t) and polar
// curves r(t).
#include <string>
#include <vector>

#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

// The runs of x in [xmin, xmax] (probed every 0.01 from xmin + 0.01) where
// the normalised expression evaluates and the point lies in the frame.
std::vector<AnyRecord::Interval> FindIntervals(GraphContext& g, const std::wstring& expression, double xmin,
                                               double xmax);

// The parameter t written as x, except in "tan", "cot", "det", "int" and "sint".
std::wstring ReplaceParameter(const std::wstring& expression);
// A polar curve r(t) as the parametric pair (r)*cos(x), (r)*sin(x).
ParamRecord PolarAsParametric(const std::wstring& r, double tmin, double tmax, const LineAttr& line);

void DrawAnyFunction(AddinContext& ctx, GraphContext& g, const AnyRecord& rec);
void DrawParametric(AddinContext& ctx, GraphContext& g, const ParamRecord& rec, const std::wstring& role);

}  // namespace plx::graph
