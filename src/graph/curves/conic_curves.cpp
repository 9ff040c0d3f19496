#include "graph/curves/conic_curves.hpp"

namespace plx::graph {

void DrawCircle(AddinContext&, GraphContext&, const YuanRecord&) {}
void DrawEllipse(AddinContext&, GraphContext&, const ConicRecord&) {}
void DrawParabola(AddinContext&, GraphContext&, const PWXRecord&) {}
void DrawHyperbola(AddinContext&, GraphContext&, const ConicRecord&) {}

}  // namespace plx::graph
