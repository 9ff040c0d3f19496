#include "graph/curves/point_region.hpp"

namespace plx::graph {

void DrawPoint(AddinContext&, GraphContext&, const PointRecord&) {}
void DrawFeasibleRegion(AddinContext&, GraphContext&, const DBXRecord&) {}
bool ParseConstraint(const std::wstring&, Constraint&) { return false; }
PointList GetKxyDD(AddinContext&, GraphContext&, const std::vector<Constraint>&, const PointList&) { return {}; }

}  // namespace plx::graph
