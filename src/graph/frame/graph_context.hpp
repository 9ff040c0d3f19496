#pragma once
// The state of the graph dialog's coordinate frame and of one insertion
// run, kept in one object: the frame record, the page mapping, the shape
// register, the curve sample buffer and the drawing list with the figure
// tables of each family.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "docif/formats.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/script_engine.hpp"

namespace plx::graph {

struct LineAttr {
  int16_t style = 0;       // 0..6, see GetLineDash
  float width = 0.75f;     // points
  uint32_t color = 0;      // RGB, red in the low byte
};

struct ZBXRecord {
  int16_t xmin = -10, xmax = 10, ymin = -10, ymax = 10;
  int16_t drawTicks = 0;
  int16_t lineStyle = 0;
  float lineWidth = 0.75f;
  uint32_t lineColor = 0;
};

// The smallest and largest x and y a figure about to be added reaches.
struct Extent {
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

// An arbitrary function y = f(x) with the x intervals where it can be drawn.
struct AnyRecord {
  int16_t mode = 0;
  std::wstring expression;  // normalised
  struct Interval {
    double lower = 0, upper = 0;
    int32_t flags = 0;
  };
  std::vector<Interval> intervals;
  LineAttr line;
};

// A parametric curve x(t), y(t) (written in x), t from tmin to tmax; polar
// curves are stored the same way.
struct ParamRecord {
  std::wstring xExpression, yExpression;
  double tmin = 0, tmax = 0;
  LineAttr line;
};

// A straight line as the segment from (x1, y1) to (x2, y2).
struct ZXRecord {
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  LineAttr line;
};

// y = a^(x + h) + k over [xmin, xmax].
struct AXRecord {
  double a = 2, h = 0, k = 0, xmin = 0, xmax = 0;
  LineAttr line;
};

// Logarithms to base a: 0 y = log(x + h) + k, 1 y = log|x + h| + k,
// 2 y = |log(x + h)| + k.
struct LogXRecord {
  int variant = 0;
  double a = 2, h = 0, k = 0, xmin = 0, xmax = 0;
  LineAttr line;
};

// y = x^p (variant 0) or y = x^(p/q) (variant 1) over [xmin, xmax].
struct MIRecord {
  int16_t variant = 0, p = 1, q = 1;
  double xmin = 0, xmax = 0;
  LineAttr line;
};

// y = k / x, with the gap e left on each side of x = 0.
struct FBLHSRecord {
  double k = 1, e = 0, xmin = 0, xmax = 0;
  LineAttr line;
};

// y = A f(wx + phi) + k for one of the eight trigonometric functions (0 sin,
// 1 cos, 2 tan, 3 cot, 4 arcsin, 5 arccos, 6 arctan, 7 arccot); angles in
// radians. The pieces are the runs of x where the curve stays in the frame.
struct SJRecord {
  int function = 0;
  double A = 1, w = 1, phi = 0, k = 0, xmin = 0, xmax = 0;
  std::vector<std::pair<double, double>> pieces;
  struct Mark {
    double x = 0, y = 0;
    std::wstring role;       // "零点", "最值点", "对称轴", "渐近线"
    bool fullHeight = false; // a vertical line across the frame (axes, asymptotes)
  };
  std::vector<Mark> marks;
  bool drawMarks = false;
  LineAttr line;
};

// The grid's line: style, width and colour from the line boxes.
struct GridLine {
  int16_t style = 0;
  float width = 0.5f;
  uint32_t color = 0xC0C0C0;
};

// A tick label recorded by the preview: its value along the axis, its text
// (a number or a formula text such as "(@p)/(2)") and the source that made it:
// "zbx" the frame's ticks, "sj_x"/"sj_y" the trigonometric family,
// "point_x"/"point_y" marked points.
struct TickLabel {
  float value = 0;
  std::wstring text;
  std::wstring tag;
};

class PreviewCanvas;

struct GraphContext {
  ZBXRecord frame;
  // Page mapping: page x = OriginX + UnitLength * x, page y = OriginY - UnitLength * y.
  int32_t OriginX = 100, OriginY = 100;
  double UnitLength = 1;
  // Shape register: names of the shapes of the running insertion, 1-based
  // (entry 0 unused), and their count.
  std::vector<std::wstring> ShapeNames{L""};
  int ShapeCount = 0;
  // Curve samples (page points) and their step.
  std::vector<docif::PointF> CurvePoints;
  double SampleStep = 0.5;
  // The drawing list, one line per figure.
  std::vector<std::wstring> List1{L"平面直角坐标系(ZBX)"};
  Extent extent;
  // The raw tick labels of the x and y axes, rebuilt by every preview redraw.
  std::vector<TickLabel> xLabels, yLabels;
  // The figure tables of the families (entry k - 1 is figure k).
  GridLine grid;
  std::vector<AnyRecord> anyTable;
  std::vector<ParamRecord> paramTable, polarTable;
  std::vector<ZXRecord> zxTable;
  std::vector<AXRecord> axTable;
  std::vector<LogXRecord> logTable;
  std::vector<MIRecord> miTable;
  std::vector<FBLHSRecord> fblhsTable;
  std::vector<SJRecord> sjTable;
  // Set while the preview draws: generators then draw onto this canvas (in
  // its own units) instead of adding shapes, and record their tick labels.
  PreviewCanvas* preview = nullptr;
  // The evaluators of typed numbers and expressions.
  MathPlugin math;
  ScriptEngine script;

  double PageX(double x) const { return OriginX + UnitLength * x; }
  double PageY(double y) const { return OriginY - UnitLength * y; }
};

// The family tag of a drawing-list line: the text between its first "("
// and its first ")" (compare it lower-cased).
std::wstring FigureTag(const std::wstring& line);

}  // namespace plx::graph
