#pragma once
// Program flowcharts built one element at a time. Layout rule:
// - An element goes below the selected shape (normally the element made
//   just before, which stays selected), centred on it, 24 points lower,
//   and an arrow joins the middle of the one's bottom edge to the middle
//   of the other's top edge.
// - With no shape selected the first element goes below the line of the
//   insertion point, starting where the insertion point is, so it never
//   covers the text the chart follows.
// - "是" and "否" are labels of the arrows that leave a decision box:
//   "是" stands right of the arrow leaving its bottom vertex, "否" above
//   its right vertex. The decision box stays selected, so the next element
//   still goes below it.
namespace plx {

class AddinContext;

enum class FlowchartElement { Start, End, Process, InputOutput, Decision, Yes, No };

void InsertFlowchartElement(AddinContext& ctx, FlowchartElement element);

}  // namespace plx
