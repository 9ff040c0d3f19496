#pragma once
// Tick labels: the raw lists the preview records, their cleaning into plain
// and formula labels, and their drawing after every figure of a run.
#include <string>
#include <vector>

#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

// A label text the formula engine must typeset ("1/2", "gh(2)", "(@p)/(2)").
bool IsFormulaLabel(const std::wstring& text);

// Sets the value of every raw entry of both axes with this tag to 0, which
// drops it when the lists are cleaned.
void ClearTickLabels(GraphContext& g, const std::wstring& tag);

struct CleanLabels {
  std::vector<TickLabel> plain, formula;
};
// Drops value 0; of entries with equal values keeps one, a formula text
// winning over a plain one; then splits plain from formula labels.
CleanLabels CleanTickLabels(const std::vector<TickLabel>& raw);

// Draws the cleaned labels of both axes: plain numbers in small boxes,
// formula labels as EQ fields in larger ones.
void DrawZBBZ_Word(AddinContext& ctx, GraphContext& g);

}  // namespace plx::graph
