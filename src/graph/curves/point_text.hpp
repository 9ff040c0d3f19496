#pragma once
// How points are written: a typed point "(x, y)", "x, y" or "A(x, y)" taken
// apart, and coordinates written back for the axes and the point tab.
#include <string>
#include <vector>

namespace plx::graph {

// A typed point in pieces: its name ("A" of "A(1,2)", else empty) and the
// texts between the top-level commas (sqr(2) keeps its brackets), trimmed.
// Full-width brackets and commas count as ASCII ones.
struct PointPieces {
  std::wstring name;
  std::vector<std::wstring> parts;
  // Nothing but brackets, commas and blanks: the point was not typed.
  bool blank = true;
};
PointPieces SplitPointText(const std::wstring& text);

// A coordinate as the axis shows it: rounded to two decimals, no trailing
// zeros ("3", "0.5", "-0.33").
std::wstring CoordinateText(double v);

// A point as the point box shows it, "(x,y)" with coordinates written with
// two decimals when that is exact, else in full, so that loading a point and
// storing it again does not move it.
std::wstring PointBoxText(double x, double y);

}  // namespace plx::graph
