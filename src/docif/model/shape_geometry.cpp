#include "docif/model/shape_geometry.hpp"

#include <algorithm>
#include <limits>

namespace plx::docif::model {

Box Bounds(const ShapeData& s) {
  if (s.type == kShapeGroup && !s.children.empty()) {
    double l = std::numeric_limits<double>::max(), t = l, r = -l, b = -l;
    for (const auto& c : s.children) {
      Box cb = Bounds(*c);
      l = std::min(l, cb.left);
      t = std::min(t, cb.top);
      r = std::max(r, cb.left + cb.width);
      b = std::max(b, cb.top + cb.height);
    }
    return {l, t, r - l, b - t};
  }
  if (!s.points.empty()) {
    double l = s.points[0].x, t = s.points[0].y, r = l, b = t;
    for (const auto& p : s.points) {
      l = std::min<double>(l, p.x);
      t = std::min<double>(t, p.y);
      r = std::max<double>(r, p.x);
      b = std::max<double>(b, p.y);
    }
    return {l, t, r - l, b - t};
  }
  return {s.left, s.top, s.width, s.height};
}

void Translate(ShapeData& s, double dx, double dy) {
  for (auto& c : s.children) Translate(*c, dx, dy);
  for (auto& p : s.points) {
    p.x = static_cast<float>(p.x + dx);
    p.y = static_cast<float>(p.y + dy);
  }
  s.left += dx;
  s.top += dy;
}

void ScaleAbout(ShapeData& s, double fx, double fy, double ox, double oy) {
  for (auto& c : s.children) ScaleAbout(*c, fx, fy, ox, oy);
  for (auto& p : s.points) {
    p.x = static_cast<float>(ox + (p.x - ox) * fx);
    p.y = static_cast<float>(oy + (p.y - oy) * fy);
  }
  s.left = ox + (s.left - ox) * fx;
  s.top = oy + (s.top - oy) * fy;
  s.width *= fx;
  s.height *= fy;
}

double AnchorCoordinate(double start, double length, int scaleFrom) {
  if (scaleFrom == kScaleFromMiddle) return start + length / 2;
  if (scaleFrom == kScaleFromBottomRight) return start + length;
  return start;
}

}  // namespace plx::docif::model
