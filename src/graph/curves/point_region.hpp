#pragma once
// Marked points and feasible regions of systems of linear inequalities.
#include <string>
#include <utility>
#include <vector>

#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

void DrawPoint(AddinContext& ctx, GraphContext& g, const PointRecord& rec);
void DrawFeasibleRegion(AddinContext& ctx, GraphContext& g, const DBXRecord& rec);

struct Constraint {
  std::wstring left, relation, right;  // relation "<", "<=", ">" or ">="
};
// One constraint line "left relation right"; false when the line has no relation.
bool ParseConstraint(const std::wstring& line, Constraint& out);

using PointList = std::vector<std::pair<double, double>>;
// The candidate points that satisfy every constraint.
PointList GetKxyDD(AddinContext& ctx, GraphContext& g, const std::vector<Constraint>& constraints,
                   const PointList& points);

}  // namespace plx::graph
