#pragma once
// The graph dialog's preview: a square canvas (3200 × 3200 twips, white)
// that keeps what is drawn on it as a picture scene and writes it through
// the same renderer that draws pages and saved pictures. It counts in
// points (160 × 160), so figures and labels keep their page sizes.
#include <cstdint>
#include <string>
#include <vector>

#include "docif/formats.hpp"
#include "pictures/scene.hpp"

namespace plx::graph {

// The canvas stroke for a line width in points (at least a hairline).
inline double PreviewStroke(double points) { return points < 0.5 ? 0.5 : points; }

class PreviewCanvas {
 public:
  static constexpr double kSide = 160;  // points: 3200 twips

  PreviewCanvas();
  void Clear();
  // `dash` is the host's dash style (see pictures::Stroke; 1 solid).
  void Line(double x1, double y1, double x2, double y2, uint32_t color, double width, bool arrow = false,
            int dash = 1);
  void Polyline(const std::vector<docif::PointF>& points, uint32_t color, double width, int dash = 1);
  void Text(double left, double top, const std::wstring& text, double size, bool italic,
            const std::wstring& font = L"Times New Roman");
  size_t ItemCount() const { return scene_.items.size(); }
  // Texts written on the canvas, in order (what a test reads back).
  std::vector<std::wstring> Texts() const;
  const pictures::Scene& Scene() const { return scene_; }
  std::string Svg() const;

 private:
  pictures::Scene scene_;
};

}  // namespace plx::graph
