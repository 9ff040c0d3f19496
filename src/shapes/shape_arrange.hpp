#pragma once
// Commands that arrange several shapes: align and distribute (through the
// host's own controls), join edge to edge, mark the centre, group and
// ungroup.
#include <string>

namespace plx {

class AddinContext;

// Runs the host's built-in align or distribute control with this caption
// ("左对齐(&L)" ... "纵向分布(&V)").
void AlignOrDistribute(AddinContext& ctx, const std::wstring& caption);
// Puts the selected shapes side by side (horizontal) or one above the
// other, each touching the one before it, in the order of their positions.
void Join_LR(AddinContext& ctx);
void Join_UD(AddinContext& ctx);
// Marks the centre of the selected shapes' bounding box with a dot named
// "中心点", grouped with them.
void GeometricCentre(AddinContext& ctx);
// Groups the selected shapes, or, asked, every shape of the current page.
void MyGroup(AddinContext& ctx);
// Ungroups the selected groups, or, asked, every group of the current page.
void MyUnGroup(AddinContext& ctx);

}  // namespace plx
