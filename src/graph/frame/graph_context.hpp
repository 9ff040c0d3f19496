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

// The grid's line: style, width and colour from the line boxes.
struct GridLine {
  int16_t style = 0;
  float width = 0.5f;
  uint32_t color = 0xC0C0C0;
};

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
  // The figure tables of the families (entry k - 1 is figure k).
  GridLine grid;
  std::vector<AnyRecord> anyTable;
  std::vector<ParamRecord> paramTable, polarTable;
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
