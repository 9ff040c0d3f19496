#include "graph/preview/preview_canvas.hpp"

#include <algorithm>

#include "pictures/picture_file.hpp"
#include "pictures/shape_scene.hpp"

namespace plx::graph {

PreviewCanvas::PreviewCanvas() { Clear(); }

void PreviewCanvas::Clear() {
  scene_ = {};
  scene_.width = scene_.height = kSide;
}

void PreviewCanvas::Line(double x1, double y1, double x2, double y2, uint32_t color, double width, bool arrow,
                         int dash) {
  pictures::Path p;
  p.MoveTo(x1, y1);
  p.LineTo(x2, y2);
  p.stroke.color = color;
  p.stroke.width = width;
  p.stroke.dash = std::max(dash, 1);
  if (arrow) p.stroke.end.style = 2;
  scene_.Add(std::move(p));
}

void PreviewCanvas::Polyline(const std::vector<docif::PointF>& points, uint32_t color, double width, int dash) {
  if (points.size() < 2) return;
  pictures::Path p;
  p.MoveTo(points[0].x, points[0].y);
  for (size_t i = 1; i < points.size(); ++i) p.LineTo(points[i].x, points[i].y);
  p.stroke.color = color;
  p.stroke.width = width;
  p.stroke.dash = std::max(dash, 1);
  scene_.Add(std::move(p));
}

void PreviewCanvas::Text(double left, double top, const std::wstring& text, double size, bool italic,
                         const std::wstring& font) {
  pictures::Text t;
  t.left = left;
  t.baseline = pictures::Baseline(top, 1.2 * size, size);
  t.text = text;
  t.font.latin = font;
  t.font.size = size;
  t.font.italic = italic;
  scene_.Add(std::move(t));
}

std::vector<std::wstring> PreviewCanvas::Texts() const {
  std::vector<std::wstring> texts;
  for (const auto& i : scene_.items)
    if (i.kind == pictures::Item::Kind::Text) texts.push_back(i.text.text);
  return texts;
}

std::string PreviewCanvas::Svg() const { return pictures::SvgText(scene_); }

}  // namespace plx::graph
