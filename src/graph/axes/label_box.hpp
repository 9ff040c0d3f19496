#pragma once
// The small text boxes of the frame (axis letters, tick labels): square, no
// fill, no outline, margins left 1 and top 1, allowed to overlap. In the
// preview the text is written on the canvas instead.
#include <string>

#include "docif/formats.hpp"
#include "docif/shapes.hpp"
#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

// Adds the box (width × height points) as the next shape of the register,
// named for its role, holding `text` in `font`; nothing (after drawing on the
// canvas) in the preview.
docif::ShapePtr LabelBox(AddinContext& ctx, GraphContext& g, const std::wstring& role, double left, double top,
                         float width, float height, const std::wstring& text, const docif::FontFormat& font);

}  // namespace plx::graph
