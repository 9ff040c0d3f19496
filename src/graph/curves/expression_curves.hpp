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

// Most probes one search makes; a wider frame is probed more sparsely.
constexpr double kMaxIntervalProbes = 200000;

// The runs of x in [xmin, xmax] (probed every 0.01 from xmin + 0.01) where
// the normalised expression evaluates and the point lies in the frame. Only
// the part of the range inside the frame is probed. With `failure`, it
// receives the evaluator's message when no probe gave a value at all.
std::vector<AnyRecord::Interval> FindIntervals(GraphContext& g, const std::wstring& expression, double xmin,
                                               double xmax, std::wstring* failure = nullptr);

// The smallest and largest x and y a parametric curve reaches over its t
// range; false, with the evaluator's message, when no t gives a point.
bool ParametricExtent(const ParamRecord& rec, Extent& extent, std::wstring& failure);

// The parameter t of a typed expression written as x, before it is
// normalised (so that "sin2t" and "tcos(t)" get their products): the
// letters of function names ("tan", "atn", "sqrt", "cot", "det", "int") stay.
std::wstring ReplaceParameter(const std::wstring& expression);
// A polar curve r(t), as typed, as the parametric pair (r)*cos(x), (r)*sin(x).
ParamRecord PolarAsParametric(const std::wstring& r, double tmin, double tmax, const LineAttr& line);

void DrawAnyFunction(AddinContext& ctx, GraphContext& g, const AnyRecord& rec);
void DrawParametric(AddinContext& ctx, GraphContext& g, const ParamRecord& rec, const std::wstring& role);

}  // namespace plx::graph
