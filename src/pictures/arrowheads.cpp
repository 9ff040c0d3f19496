#include "pictures/arrowheads.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace plx::pictures {
namespace {

std::optional<Path> HeadOutline(const Arrowhead& a, const Stroke& s, Point tip, Point from) {
  if (a.style <= 1) return std::nullopt;
  const double dx = tip.x - from.x, dy = tip.y - from.y, len = std::hypot(dx, dy);
  if (len <= 0) return std::nullopt;
  const double ux = dx / len, uy = dy / len;
  const double factor[] = {2, 3, 5};
  const double w = std::max(s.width, 1.0);
  const double length = factor[std::clamp(a.length, 1, 3) - 1] * w, half = factor[std::clamp(a.width, 1, 3) - 1] * w / 2;
  // A point `along` back from the tip and `across` to its side.
  auto at = [&](double along, double across) {
    return Point{tip.x - ux * along - uy * across, tip.y - uy * along + ux * across};
  };
  Path head;
  head.stroke.visible = false;
  head.fill = {.visible = true, .fore = s.color, .back = s.color, .pattern = 0, .transparency = 0};
  auto polygon = [&](std::initializer_list<Point> points) {
    const Point* first = points.begin();
    head.MoveTo(first->x, first->y);
    for (const Point* p = first + 1; p != points.end(); ++p) head.LineTo(p->x, p->y);
    head.Close();
  };
  const Point l = at(length, half), r = at(length, -half);
  switch (a.style) {
    case 3:  // open: two strokes
      head.fill.visible = false;
      head.stroke = {.visible = true, .width = s.width, .color = s.color, .dash = 1, .begin = {}, .end = {}};
      head.MoveTo(l.x, l.y);
      head.LineTo(tip.x, tip.y);
      head.LineTo(r.x, r.y);
      break;
    case 4: polygon({tip, l, at(length * 0.6, 0), r}); break;  // stealth: a triangle with a notch
    case 5: polygon({at(-length / 2, 0), at(0, half), at(length / 2, 0), at(0, -half)}); break;  // diamond
    case 6: {  // oval centred on the end, its long axis along the line
      Path oval;
      oval.Ellipse(-length / 2, -half, length, half * 2);
      for (Point& p : oval.points) p = at(-p.x, -p.y);
      head.ops = std::move(oval.ops);
      head.points = std::move(oval.points);
      break;
    }
    default: polygon({tip, l, r}); break;  // triangle
  }
  return head;
}

}  // namespace

std::vector<Path> ArrowheadPaths(const Path& path) {
  const Stroke& s = path.stroke;
  std::vector<Path> heads;
  if ((s.begin.style <= 1 && s.end.style <= 1) || path.points.size() < 2) return heads;
  if (std::find(path.ops.begin(), path.ops.end(), Path::Op::Close) != path.ops.end()) return heads;
  const auto& p = path.points;
  if (auto head = HeadOutline(s.begin, s, p[0], p[1])) heads.push_back(std::move(*head));
  if (auto head = HeadOutline(s.end, s, p[p.size() - 1], p[p.size() - 2])) heads.push_back(std::move(*head));
  return heads;
}

}  // namespace plx::pictures
