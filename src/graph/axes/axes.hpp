#pragma once
// The coordinate frame in the document: the axes with their arrowheads
// and letters, the tick marks, and the grid.
#include <cstddef>
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

// More ticks than anyone can read: beyond this many on the two axes together
// the insertion run asks before drawing them, and the preview leaves them out.
constexpr size_t kReadableTicks = 1000;
// The number of ticks the frame's axes get with the configured step.
size_t TickCount(AddinContext& ctx, const ZBXRecord& frame);

// The axes, letters and (when the frame asks for them) ticks. Ticks beyond
// kReadableTicks are drawn only when the user says so; without them the
// frame's own tick labels are dropped too.
void ZBX_Word(AddinContext& ctx, GraphContext& g);
void DrawGrid(AddinContext& ctx, GraphContext& g, const ZBWGRecord& grid);

}  // namespace plx::graph
