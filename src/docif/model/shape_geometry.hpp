#pragma once
// Moving and scaling shapes: nodes move with their shape, groups move and
// scale their items.
#include "docif/model/model_shapes.hpp"

namespace plx::docif::model {

void Translate(ShapeData& s, double dx, double dy);
// Scales about the page point (ox, oy).
void ScaleAbout(ShapeData& s, double fx, double fy, double ox, double oy);
// The x (or y) a scale anchor keeps fixed: 0 top left, 1 middle, 2 bottom right.
double AnchorCoordinate(double start, double length, int scaleFrom);

}  // namespace plx::docif::model
