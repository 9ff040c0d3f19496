#pragma once
// One-click commands on the selected shapes or pictures: scale, stretch,
// rotate and move. Each reads the selection, acts and keeps no state; with
// nothing selected it says so and changes nothing.
#include <string>

namespace plx {

class AddinContext;

// Scales by factor (Enlarge) or by 1/factor (Shrink) in both directions;
// a factor of 0 asks for it. Text boxes that hold text (also inside
// groups) get their font sizes scaled too. Floating shapes scale about the
// anchors of the shape settings; inline pictures keep their top left.
void Enlarge(AddinContext& ctx, double factor);
void Shrink(AddinContext& ctx, double factor);
// Scales by k in both directions, as Enlarge does, without asking.
void ScaleSelection(AddinContext& ctx, double k);
// Width (horizontal) or height times k; an inline selection changes its
// first picture only, and text sizes stay.
void StretchSelection(AddinContext& ctx, bool horizontal, double k);
// Turns by degrees (negative: counterclockwise). An inline picture is
// turned as a floating shape and put back inline where it stood, selected.
void Rotate(AddinContext& ctx, double degrees);
// Moves by dx, dy points.
void MoveSelection(AddinContext& ctx, double dx, double dy);

// The procedure names error reports use.
inline constexpr const wchar_t* kTransformModule = L"modJHBH";

}  // namespace plx
