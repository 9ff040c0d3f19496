#pragma once
// The graph dialog's preview: the frame and every figure of the drawing list
// drawn onto the canvas by the same generators that draw into the document,
// and the raw tick label lists the document drawing later consumes.
#include <map>
#include <string>

#include "graph/frame/insertion.hpp"
#include "graph/preview/preview_canvas.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

// Redraws the canvas and rebuilds g.xLabels and g.yLabels: the frame's ticks
// (tag "zbx", while ticks are on), then the labels the figures record.
void ZBX_Graph(AddinContext& ctx, GraphContext& g, PreviewCanvas& canvas,
               const std::map<std::wstring, Generator>& generators = Generators());

}  // namespace plx::graph
