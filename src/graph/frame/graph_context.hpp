#pragma once
// The state of the graph dialog's coordinate frame and of one insertion
// run, kept in one object: the frame record, the page mapping, the shape
// register, the curve sample buffer and the drawing list with the figure
// tables of each family.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_set>
#include <utility>
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
  // What the teacher typed, for changing the figure later: the function and
  // the range boxes (empty when left empty, so the drawable interval is
  // searched again over the frame).
  std::wstring typed, typedXmin, typedXmax;
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

// A circle (x - a)^2 + (y - b)^2 = r^2, drawn as an oval.
struct YuanRecord {
  std::wstring form = L"xyr";  // "xyr", "xaybr", "general"
  double a = 0, b = 0, r = 1;
  bool drawCentre = false;
  LineAttr line;
};

// An ellipse or a hyperbola with centre (x0, y0) and the squares of its
// half-axes as entered (a along the focal axis); fociOnY when the focal axis
// is parallel to the y axis. A hyperbola is sampled over [from, to] across
// its focal axis.
struct ConicRecord {
  std::wstring form = L"bx";  // "bx", "by", "pyx", "pyy", "general"
  double x0 = 0, y0 = 0, a2 = 0, b2 = 0;
  bool fociOnY = false;
  double from = 0, to = 0;
  bool focus = false, directrix = false, axis = false, asymptotes = false;
  LineAttr line;
};

// A parabola: y^2 = ±2p(x - x0) or x^2 = ±2p(y - y0) (forms "2px", "-2px",
// "2py", "-2py", with a "0" suffix when the vertex is moved), or y = ax^2 + bx + c
// ("ax2"), drawn over [from, to] of its sampled coordinate.
struct PWXRecord {
  std::wstring form = L"2px";
  double p = 1, a = 1, b = 0, c = 0, x0 = 0, y0 = 0;
  double from = -10, to = 10;
  bool focus = false, directrix = false, axis = false;
  LineAttr line;
};

// A marked point with its guide lines to the axes and its letter.
struct PointRecord {
  double x = 0, y = 0;
  // The coordinates as typed ("1/2", "gh(2)", "-pi/2"): the axes show them
  // as typed. Empty for a point not typed as text.
  std::wstring xText, yText;
  float R = 1.5f;  // radius of the dot, points
  bool dot = true, vertical = true, horizontal = true, solid = true;
  std::wstring label = L"P";
  LineAttr line;
  uint32_t pointColor = 0;
};

// A feasible region: the vertices of its convex polygon in drawing order, and
// the constraints as the teacher typed them (for editing it again).
struct DBXRecord {
  std::vector<std::pair<double, double>> vertices;
  std::wstring constraints;
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
  // The names shapes of the document have, read at the run's first name.
  std::unordered_set<std::wstring> takenNames;
  bool takenNamesRead = false;
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
  std::vector<YuanRecord> yuanTable;
  std::vector<ConicRecord> tyTable, sqxTable;
  std::vector<PWXRecord> pwxTable;
  std::vector<PointRecord> pointTable;
  std::vector<DBXRecord> dbxTable;
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
