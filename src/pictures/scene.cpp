#include "pictures/scene.hpp"

#include <utility>

namespace plx::pictures {

void Path::MoveTo(double x, double y) {
  ops.push_back(Op::Move);
  points.push_back({x, y});
}

void Path::LineTo(double x, double y) {
  ops.push_back(Op::Line);
  points.push_back({x, y});
}

void Path::CurveTo(Point c1, Point c2, Point end) {
  ops.push_back(Op::Curve);
  points.insert(points.end(), {c1, c2, end});
}

void Path::Close() { ops.push_back(Op::Close); }

void Path::Rectangle(double left, double top, double width, double height) {
  MoveTo(left, top);
  LineTo(left + width, top);
  LineTo(left + width, top + height);
  LineTo(left, top + height);
  Close();
}

void Path::Ellipse(double left, double top, double width, double height) {
  // Four quarter arcs, each a Bézier segment with the usual 0.5523 handle.
  constexpr double k = 0.5522847498;
  const double rx = width / 2, ry = height / 2, cx = left + rx, cy = top + ry;
  MoveTo(cx + rx, cy);
  CurveTo({cx + rx, cy + k * ry}, {cx + k * rx, cy + ry}, {cx, cy + ry});
  CurveTo({cx - k * rx, cy + ry}, {cx - rx, cy + k * ry}, {cx - rx, cy});
  CurveTo({cx - rx, cy - k * ry}, {cx - k * rx, cy - ry}, {cx, cy - ry});
  CurveTo({cx + k * rx, cy - ry}, {cx + rx, cy - k * ry}, {cx + rx, cy});
  Close();
}

void Scene::Add(Path path, double rotation, double cx, double cy) {
  items.push_back(
      {.kind = Item::Kind::Path, .path = std::move(path), .text = {}, .image = {}, .rotation = rotation, .cx = cx, .cy = cy});
}

void Scene::Add(Text text, double rotation, double cx, double cy) {
  items.push_back(
      {.kind = Item::Kind::Text, .path = {}, .text = std::move(text), .image = {}, .rotation = rotation, .cx = cx, .cy = cy});
}

void Scene::Add(Image image, double rotation, double cx, double cy) {
  items.push_back({.kind = Item::Kind::Image,
                   .path = {},
                   .text = {},
                   .image = std::move(image),
                   .rotation = rotation,
                   .cx = cx,
                   .cy = cy});
}

}  // namespace plx::pictures
