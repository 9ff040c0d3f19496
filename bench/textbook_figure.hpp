#pragma once
// The figure of examples/graphs.txt (a frame with ticks, grid, labels and
// six curves), which the graph and picture benchmarks draw.
#include "graph/frame/graph_context.hpp"

namespace plx::bench {

// The figure's records as the graph dialog's tabs make them.
graph::GraphContext TextbookFigure();

}  // namespace plx::bench
