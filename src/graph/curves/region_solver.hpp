#pragma once
// The feasible region of a system of linear inequalities in x and y: the
// boundary line of each constraint, the corners where boundaries meet, the
// corners every constraint allows, and their order around the polygon.
#include <string>
#include <vector>

#include "graph/curves/point_region.hpp"

namespace plx::graph {

// The boundary a·x + b·y = c of a constraint, from "left - right" written
// as a·x + b·y - c.
struct BoundaryLine {
  double a = 0, b = 0, c = 0;
};

// "≤", "≥", "≦", "≧", "＜", "＞" (and the other full-width forms) written as
// the ASCII relations "<=", ">=", "<", ">".
std::wstring FoldRelations(const std::wstring& text);

// The constraints of the region tab's text, one per line ("\r\n", "\n" or
// "\r", or a comma, semicolon or "、" between them); blank pieces are skipped
// and a chain "0<=x<=4" gives one constraint per relation. False with the
// offending piece when a piece is no constraint.
bool ReadConstraintLines(const std::wstring& text, std::vector<Constraint>& out, std::wstring& badLine);

// The boundary of a constraint, found from the value of left - right at
// (0, 0), (1, 0) and (0, 1). The side must be linear in x and y: it is checked
// at three more points. On failure `message` says why (in Chinese).
bool BoundaryOf(MathPlugin& math, const Constraint& constraint, BoundaryLine& line, std::wstring& message);

// The points where two of the lines meet, parallel pairs skipped; points that
// read the same to three decimals are kept once.
PointList BoundaryCorners(const std::vector<BoundaryLine>& lines);

// GetKxyDD's test: the points that satisfy every constraint. `failed` is set
// (after the error box) when the script engine broke down.
PointList KeepFeasible(AddinContext& ctx, GraphContext& g, const std::vector<Constraint>& constraints,
                       const PointList& points, bool& failed);

// The points in order around their convex polygon (counter-clockwise in the
// plane, starting at the smallest angle around the centroid); points lying on
// an edge between two others, and points inside, are dropped.
PointList ConvexOrder(PointList points);

// The rectangle a region is cut to: the frame's.
struct Bounds {
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

// The vertices of the region the constraints and the edges of `bounds`
// enclose. Empty after the error box of a failed test (failed set), or when
// the region has no area.
PointList SolveRegion(AddinContext& ctx, GraphContext& g, const std::vector<Constraint>& constraints,
                      const std::vector<BoundaryLine>& lines, const Bounds& bounds, bool& failed);

}  // namespace plx::graph
