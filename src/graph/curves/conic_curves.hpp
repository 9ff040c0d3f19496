#pragma once
// Generators of the conic sections: circles and ellipses as ovals, parabolas
// and hyperbolas as sampled curves, with their centre and focus dots,
// directrices, axes of symmetry and asymptotes as separately named shapes.
#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

void DrawCircle(AddinContext& ctx, GraphContext& g, const YuanRecord& rec);
void DrawEllipse(AddinContext& ctx, GraphContext& g, const ConicRecord& rec);
void DrawParabola(AddinContext& ctx, GraphContext& g, const PWXRecord& rec);
void DrawHyperbola(AddinContext& ctx, GraphContext& g, const ConicRecord& rec);

}  // namespace plx::graph
