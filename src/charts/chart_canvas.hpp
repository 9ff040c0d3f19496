#pragma once
// The shapes of one chart: each is named for its role and recorded in the
// chart's shape list, and at the end the list becomes one named group at the
// insertion point, kept against the paragraph there.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "docif/formats.hpp"
#include "docif/shapes.hpp"
#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::charts {

class ChartCanvas {
 public:
  explicit ChartCanvas(AddinContext& ctx);

  void Line(const std::wstring& role, double x1, double y1, double x2, double y2,
            const docif::LineFormat& look = Solid());
  // An auto shape (rectangle or oval) with a thin black outline and no fill.
  docif::ShapePtr Box(const std::wstring& role, int autoShapeType, double left, double top, double width,
                      double height);
  // A closed or open outline through page points, as straight segments.
  docif::ShapePtr Freeform(const std::wstring& role, const std::vector<docif::PointF>& points);
  // A text box without fill or outline, text at size 10 (centred unless
  // another paragraph alignment is given).
  docif::ShapePtr Text(const std::wstring& role, double left, double top, double width, double height,
                       const std::wstring& text, int alignment = docif::kAlignCenter);
  // A caption: plain text, or a formula text with "/" typeset as an EQ field.
  void Caption(const std::wstring& role, double left, double top, const std::wstring& text);

  int Count() const { return g_.ShapeCount; }
  // Groups the shapes, names the group for `role` and puts it at `left`,
  // `top`; returns the group's name. Nothing happens without shapes.
  std::wstring Group(const std::wstring& role, double left, double top);

  static docif::LineFormat Solid() { return {.Visible = true, .Weight = 0.75, .ForeColor = 0, .DashStyle = 1}; }
  static docif::LineFormat Dashed() { return {.Visible = true, .Weight = 0.5, .ForeColor = 0, .DashStyle = 4}; }

 private:
  std::wstring NextName(const std::wstring& role);
  AddinContext& ctx_;
  graph::GraphContext g_;
};

}  // namespace plx::charts
