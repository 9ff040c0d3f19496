#pragma once
// Generators of the elementary families: straight lines, exponential,
// logarithmic, power and inverse-proportion curves. Each draws one record
// with the common curve pipeline (or a line) in the record's line attributes.
#include <functional>

#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

void ZX_Word(AddinContext& ctx, GraphContext& g, const ZXRecord& rec);
void DrawExponential(AddinContext& ctx, GraphContext& g, const AXRecord& rec);
void DrawLogarithm(AddinContext& ctx, GraphContext& g, const LogXRecord& rec);
void DrawPower(AddinContext& ctx, GraphContext& g, const MIRecord& rec);
void FBLHS_Word(AddinContext& ctx, GraphContext& g, const FBLHSRecord& rec);

// y = x^(p/q) for any real x where it is real: a negative x has a real value
// only for an odd q (after reducing p/q), with the sign (-1)^p; NaN otherwise.
double PowerValue(double x, int p, int q);

// The gap around x = 0 for a curve with a pole there: the first multiple x of
// 0.01 from 0.01 on where (x, f(x)) lies inside the frame, up to the frame's
// right edge; then, when there is none, the first such x where (-x, f(-x))
// does; 0 when neither side enters the frame.
double PoleGap(const ZBXRecord& frame, const std::function<double(double)>& f);

}  // namespace plx::graph
