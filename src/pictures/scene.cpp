#include "pictures/scene.hpp"

#include <cmath>
#include <numbers>
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

namespace {

// Turns a point clockwise by `degrees` about `centre`.
Point Turned(Point p, double degrees, Point centre) {
  const double a = degrees * std::numbers::pi / 180, dx = p.x - centre.x, dy = p.y - centre.y;
  return {centre.x + dx * std::cos(a) - dy * std::sin(a), centre.y + dx * std::sin(a) + dy * std::cos(a)};
}

}  // namespace

void Scene::Move(double dx, double dy) {
  for (Item& item : items) {
    for (Point& p : item.path.points) p = {p.x + dx, p.y + dy};
    item.text.left += dx;
    item.text.baseline += dy;
    item.image.left += dx;
    item.image.top += dy;
    item.cx += dx;
    item.cy += dy;
  }
}

void Scene::Turn(size_t first, double degrees, double cx, double cy) {
  if (degrees == 0) return;
  for (size_t i = first; i < items.size(); ++i) {
    Item& item = items[i];
    const Point own{item.cx, item.cy};
    // Where a point of the item ends up: its own turn, then this one.
    auto place = [&](Point p) { return Turned(Turned(p, item.rotation, own), degrees, {cx, cy}); };
    switch (item.kind) {
      case Item::Kind::Path:
        for (Point& p : item.path.points) p = place(p);
        item.rotation = 0;
        break;
      case Item::Kind::Text: {
        // The run turns about its own origin, which moves to its new place.
        const Point origin = place({item.text.left, item.text.baseline});
        item.text.left = item.cx = origin.x;
        item.text.baseline = item.cy = origin.y;
        item.rotation += degrees;
        break;
      }
      case Item::Kind::Image: {
        Image& image = item.image;
        const Point centre = place({image.left + image.width / 2, image.top + image.height / 2});
        image.left = centre.x - image.width / 2;
        image.top = centre.y - image.height / 2;
        item.cx = centre.x;
        item.cy = centre.y;
        item.rotation += degrees;
        break;
      }
    }
  }
}

}  // namespace plx::pictures
