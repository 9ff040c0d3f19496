#pragma once
// The coordinate frame in the document: the axes with their arrowheads
// and letters, the tick marks, and the grid.
#include <vector>

#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

using ZBWGRecord = GridLine;

// The tick step: with automatic steps a tenth of the x span (at least 1).
int TickStep(const ZBXRecord& frame, bool automatic);
// Tick positions strictly inside [lo, hi], from lo + 1 in steps of step, 0 skipped.
std::vector<int> TickPositions(int lo, int hi, int step);

void ZBX_Word(AddinContext& ctx, GraphContext& g);
void DrawGrid(AddinContext& ctx, GraphContext& g, const ZBWGRecord& grid);

}  // namespace plx::graph
