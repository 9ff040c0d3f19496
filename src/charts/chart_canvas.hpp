#pragma once
// The shapes of one chart: each is named for its role and recorded in the
// chart's shape list, and at the end the list becomes one named group at the
// insertion point, kept against the paragraph there.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "docif/formats.hpp"
#include "docif/shapes.hpp"
#include "figures/figure_shapes.hpp"

namespace plx {
class AddinContext;
}

namespace plx::charts {

// The width in points a text of size `size` needs on one line: a CJK or
// full-width character one em, a blank 0.35 em and any other character
// 0.65 em (digits of the serif faces the word processors substitute are up
// to 0.64 em wide), so that labels such as 12000 do not wrap.
double TextWidth(std::wstring_view text, double size);

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

  int Count() const { return shapes_.Count(); }
  // Groups the shapes, names the group for `role` and puts it at `left`,
  // `top`; returns the group's name. Nothing happens without shapes.
  std::wstring Group(const std::wstring& role, double left, double top);
  // Removes what was drawn (a chart that fails part-way leaves nothing).
  void Discard() { shapes_.Discard(); }

  static docif::LineFormat Solid() { return {.Visible = true, .Weight = 0.75, .ForeColor = 0, .DashStyle = 1}; }
  static docif::LineFormat Dashed() { return {.Visible = true, .Weight = 0.5, .ForeColor = 0, .DashStyle = 4}; }

  // The size of the chart's text.
  static constexpr double kTextSize = 10;

 private:
  AddinContext& ctx_;
  figures::FigureShapes shapes_;
};

}  // namespace plx::charts
