#pragma once
// Regular polygons, grid paper and sectors as native shapes. Each drawer
// adds its shapes to a figure register; the dialogs group and place them.
// Lengths are points, y growing downwards, about the origin (0, 0).
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "docif/formats.hpp"
#include "figures/figure_shapes.hpp"

namespace plx::figures {

constexpr double kPointsPerCm = 28.4;

// The circumradius of a regular n-gon of side a: a / (2 cos((0.5 − 1/n)π)).
double Circumradius(int n, double side);
// The outline of a regular n-gon of side `side` cm about (0, 0): its first
// vertex on the horizontal to the right, n + 1 points (the last closes it).
std::vector<docif::PointF> PolygonOutline(int n, double side);
// The polygon "正" + n + "边形" and, when asked, its centre dot "中心点".
void DrawRegularPolygon(FigureShapes& shapes, int n, double side, bool centre);

enum class GridKind { Dots = 0, Lines = 1, Segments = 2, Squares = 3 };
// r rows and c columns of cells `cell` points wide, from (0, 0) down and right.
void DrawGrid(FigureShapes& shapes, GridKind kind, int rows, int columns, double cell);

enum class SectorKind { Full = 0, Arc = 1, Segment = 2, Angle = 3 };
// The points of the circle of radius r from angle `start` through `alpha`
// (radians, page y downwards): every 0.1 radian, ending exactly at start + alpha.
std::vector<docif::PointF> ArcPoints(double r, double start, double alpha);
// The figure's outline: the arc alone, the arc closed by its chord (segment),
// by both radii (full sector), or the two arms of the angle.
std::vector<docif::PointF> SectorOutline(SectorKind kind, double r, double start, double alpha);
// Draws the figure; `fill` fills a closed figure; an angle gets its label
// "度角" with the degrees.
docif::ShapePtr DrawSector(FigureShapes& shapes, SectorKind kind, double r, double start, double alpha,
                           const std::optional<docif::FillFormat>& fill);

// A pie chart of radius r: sector i spans values[i]·2π/S from where the
// one before ended (S the sum), each a full sector "扇形" filled by
// `fillOf(i)` (nothing when it gives none); with `percentages` each gets a
// label "文本标识" with 100·values[i]/S as "0.##" and "%". Values must be
// positive.
void DrawPie(FigureShapes& shapes, const std::vector<double>& values, double r, bool percentages,
             const std::function<std::optional<docif::FillFormat>(size_t)>& fillOf);

}  // namespace plx::figures
