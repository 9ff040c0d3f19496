#pragma once
// One insertion run: every figure of the drawing list drawn in list order,
// grouped, named "组合" and placed at the insertion point.
#include <functional>
#include <map>
#include <string>

#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

// Draws figure k of a family (or the frame or grid, with k = 0).
using Generator = std::function<void(AddinContext&, GraphContext&, int k)>;
// The generators by lower-cased family tag; families not built have none
// and their lines are skipped.
const std::map<std::wstring, Generator>& Generators();

// Runs the generator of every drawing-list line in list order (the frame and
// grid lines with k = 0, other lines with their figure number).
void DrawList(AddinContext& ctx, GraphContext& g, const std::map<std::wstring, Generator>& generators);

void InsertGraphs(AddinContext& ctx, GraphContext& g,
                  const std::map<std::wstring, Generator>& generators = Generators());

}  // namespace plx::graph
