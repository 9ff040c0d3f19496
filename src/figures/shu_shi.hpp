#pragma once
// The vertical arithmetic command "插入竖式": asks for a calculation of two
// positive whole numbers, lays it out as the written column method in
// one-character text boxes "ss_(row,column)" with its rules (and, for long
// division, the bracket) and groups everything as "竖式" at the insertion
// point.
#include "figures/figure_shapes.hpp"
#include "figures/vertical_layout.hpp"

namespace plx {
class AddinContext;
}

namespace plx::figures {

constexpr double kCellWidth = 15, kCellHeight = 20;

void ShuShi(AddinContext& ctx);

// The grid of cells, rules and bracket of a layout, with the cell at row r,
// column c at left c·15, top r·20.
void DrawVerticalLayout(AddinContext& ctx, FigureShapes& shapes, const VerticalLayout& layout);

}  // namespace plx::figures
