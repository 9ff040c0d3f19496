#pragma once
// The algebra of the conic sections that the graph dialog's tabs and the
// generators share: reducing the general equations by completing the square,
// the points of parabolas and hyperbola branches along their sampled
// coordinate, their foci and directrices, and where a curve meets the frame.
#include <functional>
#include <optional>
#include <utility>

#include "graph/frame/graph_context.hpp"

namespace plx::graph {

// x² + y² + Dx + Ey + F = 0 as (x − a)² + (y − b)² = r2; r2 ≤ 0 is no circle.
struct CircleParts {
  double a = 0, b = 0, r2 = 0;
};
CircleParts ReduceCircle(double D, double E, double F);

// Ax² + By² + Cx + Dy + E = 0 (A, B ≠ 0) as A(x − x0)² + B(y − y0)² = K.
struct CompletedSquare {
  double x0 = 0, y0 = 0, K = 0;
};
CompletedSquare CompleteSquare(double A, double B, double C, double D, double E);

enum class Reduction {
  Ok,
  WrongSigns,  // A and B do not fit the family (same sign and different for an ellipse, opposite for a hyperbola)
  NoCurve,     // the equation has no real points, or only a point or a pair of lines
};
// The general equation of an ellipse or a hyperbola reduced to the record's
// centre, squared half-axes (a along the focal axis) and orientation.
Reduction ReduceGeneralEllipse(double A, double B, double C, double D, double E, ConicRecord& rec);
Reduction ReduceGeneralHyperbola(double A, double B, double C, double D, double E, ConicRecord& rec);

// Whether a parabola is sampled along y (the forms y² = ±2p(x − x0)).
bool ParabolaAlongY(const PWXRecord& rec);
// The vertex, the axis direction and the signed distance from the vertex
// to the focus (p/2 of the form, negative when the parabola opens towards
// −x or −y).
struct ParabolaParts {
  double vx = 0, vy = 0;
  bool axisHorizontal = false;  // the axis of symmetry is parallel to the x axis
  double focal = 0;
};
ParabolaParts ParabolaGeometry(const PWXRecord& rec);
// The point of the parabola at t of its sampled coordinate.
std::pair<double, double> ParabolaPoint(const PWXRecord& rec, double t);

// c of an ellipse (√(a² − b²)) or a hyperbola (√(a² + b²)).
double EllipseC(const ConicRecord& rec);
double HyperbolaC(const ConicRecord& rec);
// The point of the hyperbola branch at t of the coordinate across the focal
// axis; `sign` −1 the left (lower) branch, +1 the right (upper) one.
std::pair<double, double> HyperbolaPoint(const ConicRecord& rec, double t, int sign);

// The frame's range of the coordinate (x or y) a curve is sampled along.
std::pair<double, double> FrameSpan(const ZBXRecord& frame, bool alongY);
// The smallest range of t within [lo, hi] holding every point where the
// curve is inside the frame, probed in steps of 0.01; nothing when the
// curve never enters the frame.
std::optional<std::pair<double, double>> InsideSpan(double lo, double hi, const std::function<bool(double)>& inside);
bool InFrame(const ZBXRecord& frame, double x, double y);

// The part of the line through (x0, y0) with slope m that lies in the frame,
// as its two end points; nothing when the line misses the frame.
std::optional<std::pair<std::pair<double, double>, std::pair<double, double>>> ClipToFrame(const ZBXRecord& frame,
                                                                                          double x0, double y0,
                                                                                          double m);

}  // namespace plx::graph
