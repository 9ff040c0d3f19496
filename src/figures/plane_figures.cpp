#include "figures/plane_figures.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "common/vbnum.hpp"

namespace plx::figures {
namespace {

docif::PointF P(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

}  // namespace

double Circumradius(int n, double side) {
  const double theta = (0.5 - 1.0 / n) * std::numbers::pi;
  return side / (2 * std::cos(theta));
}

std::vector<docif::PointF> PolygonOutline(int n, double side) {
  const double R = kPointsPerCm * Circumradius(n, side);
  std::vector<docif::PointF> points{P(R, 0)};
  for (int k = 1; k <= n; ++k) {
    const double angle = 2 * k * std::numbers::pi / n;
    points.push_back(P(R * std::cos(angle), R * std::sin(angle)));
  }
  points.back() = points.front();  // closed exactly, whatever the rounding
  return points;
}

void DrawRegularPolygon(FigureShapes& shapes, int n, double side, bool centre) {
  shapes.Freeform(L"正" + std::to_wstring(n) + L"边形", PolygonOutline(n, side));
  if (centre) shapes.Shape(L"中心点", docif::kAutoShapeOval, -1, -1, 2, 2, 0x000000u);
}

void DrawGrid(FigureShapes& shapes, GridKind kind, int rows, int columns, double s) {
  switch (kind) {
    case GridKind::Squares:
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= columns; ++j)
          shapes.Shape(L"方块", docif::kAutoShapeRectangle, (j - 1) * s, (i - 1) * s, s, s, std::nullopt);
      break;
    case GridKind::Lines:
      for (int i = 1; i <= rows + 1; ++i) shapes.Line(L"方格横线", 0, (i - 1) * s, columns * s, (i - 1) * s);
      for (int j = 1; j <= columns + 1; ++j) shapes.Line(L"方格竖线", (j - 1) * s, 0, (j - 1) * s, rows * s);
      break;
    case GridKind::Segments:
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= columns; ++j) {
          const double l = (j - 1) * s, t = (i - 1) * s;
          shapes.Line(L"方格横线", l, t, l + s, t);
          shapes.Line(L"方格横线", l, t + s, l + s, t + s);
          shapes.Line(L"方格竖线", l, t, l, t + s);
          shapes.Line(L"方格竖线", l + s, t, l + s, t + s);
        }
      break;
    case GridKind::Dots:
      for (int i = 1; i <= rows + 1; ++i)
        for (int j = 1; j <= columns + 1; ++j)
          shapes.Shape(L"点(" + std::to_wstring(i) + L"," + std::to_wstring(j) + L")", docif::kAutoShapeOval,
                       (j - 1) * s, (i - 1) * s, 2, 2, 0x000000u);
      break;
  }
}

std::vector<docif::PointF> ArcPoints(double r, double start, double alpha) {
  std::vector<docif::PointF> points;
  const int steps = static_cast<int>(std::ceil(alpha / 0.1 - 1e-9));
  for (int k = 0; k < steps; ++k) {
    const double phi = start + 0.1 * k;
    points.push_back(P(r * std::cos(phi), r * std::sin(phi)));
  }
  points.push_back(P(r * std::cos(start + alpha), r * std::sin(start + alpha)));
  return points;
}

std::vector<docif::PointF> SectorOutline(SectorKind kind, double r, double start, double alpha) {
  if (kind == SectorKind::Angle)
    return {P(r * std::cos(start), r * std::sin(start)), P(0, 0),
            P(r * std::cos(start + alpha), r * std::sin(start + alpha))};
  std::vector<docif::PointF> points = ArcPoints(r, start, alpha);
  if (kind == SectorKind::Segment) {
    points.push_back(points.front());
  } else if (kind == SectorKind::Full) {
    points.push_back(P(0, 0));
    points.push_back(points.front());
  }
  return points;
}

docif::ShapePtr DrawSector(FigureShapes& shapes, SectorKind kind, double r, double start, double alpha,
                           const std::optional<docif::FillFormat>& fill) {
  static const wchar_t* const kRoles[] = {L"扇形", L"弧线", L"弓形", L"角"};
  auto shape = shapes.Freeform(kRoles[static_cast<int>(kind)], SectorOutline(kind, r, start, alpha));
  if (fill && (kind == SectorKind::Full || kind == SectorKind::Segment)) shape->SetFill(*fill);
  if (kind == SectorKind::Angle) {
    // The degrees inside the angle, along its bisector, in a box that holds
    // its line whole inside the box's margins at the text's own size (a
    // 16-point box left 8.8 points for it, and the word processor cut the
    // label in half).
    const double mid = start + alpha / 2, d = std::min(r / 2, 24.0);
    const std::wstring degrees = DecimalText(Val(Format(alpha * 180 / std::numbers::pi, L"0.##"))) + L"°";
    auto label = shapes.TextBox(L"度角", d * std::cos(mid) - 18, d * std::sin(mid) - 8, 36, 16, degrees);
    const double size = label->TextRange()->Font().Size.value_or(10.5);
    const docif::TextFrameFormat frame = label->TextFrame();
    const double width = 0.65 * size * static_cast<double>(degrees.size()) + frame.MarginLeft.value_or(7.2) +
                         frame.MarginRight.value_or(7.2);
    const double height = 1.4 * size + frame.MarginTop.value_or(3.6) + frame.MarginBottom.value_or(3.6);
    label->SetLeft(label->Left() + (label->Width() - width) / 2);
    label->SetTop(label->Top() + (label->Height() - height) / 2);
    label->SetWidth(width);
    label->SetHeight(height);
  }
  return shape;
}

void DrawPie(FigureShapes& shapes, const std::vector<double>& values, double r, bool percentages,
             const std::function<std::optional<docif::FillFormat>(size_t)>& fillOf) {
  double sum = 0;
  for (double v : values) sum += v;
  double theta = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    const double alpha = values[i] * 2 * std::numbers::pi / sum;
    DrawSector(shapes, SectorKind::Full, r, theta, alpha, fillOf(i));
    if (percentages) {
      // Inside the sector, on its bisector at two thirds of the radius.
      const double mid = theta + alpha / 2;
      shapes.TextBox(L"文本标识", 2 * r / 3 * std::cos(mid) - 24, 2 * r / 3 * std::sin(mid) - 9, 48, 18,
                     DecimalText(Val(Format(100 * values[i] / sum, L"0.##"))) + L"%");
    }
    theta += alpha;
  }
}

}  // namespace plx::figures
