#pragma once
// The coordinate frame on the page: the mapping, shape names, line dash
// styles, curve sampling, the range check and the insertion point.
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "docif/shapes.hpp"
#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::graph {

// A value rounded through the "#.###" format, as curve samples are.
double Round3(double value);

// Sets OriginX, OriginY and UnitLength for a frame `span` units wide: the
// origin at the page centre, the x axis 1/intK of the smaller page side.
void Init_ZBX(AddinContext& ctx, GraphContext& g, int32_t span);

// role + "：" + a random number and the date-time digits + "_plendrix", at
// most 32 characters, stored at ShapeNames[ShapeCount].
std::wstring GetShapeName(AddinContext& ctx, GraphContext& g, const std::wstring& role);
void ResetShapeNames(GraphContext& g);

// The host's dash style of a line style number (0, 1, 6 solid; 2 long
// dash; 3 dash; 4 dash dot; 5 dash dot dot; others 0).
int GetLineDash(int style);

// Sampling bounds. A curve of y = f(x) is drawn only over the part of its
// range that lies within the frame's x range widened by the frame's own
// width on each side (the margin: what runs out of the frame sideways is
// still drawn a frame's width beyond it). No curve gets more samples than
// the frame has dots across at 1200 dpi (kSamplesPerPoint per page point of
// its width), and never fewer than kMinSampleCap allowed: ordinary frames
// sample as before, a range typed as -2147483648 costs no more than the frame.
constexpr double kSamplesPerPoint = 1200.0 / 72.0;
constexpr double kMinSampleCap = 1000;
size_t MaxSamples(const GraphContext& g);
// [u, v] cut to the frame's x range and its margin (empty when u >= v after).
std::pair<double, double> VisibleRange(const ZBXRecord& frame, double u, double v);

// Chooses SampleStep and sizes CurvePoints (3k + 1 rows) for [xmin, xmax];
// beyond MaxSamples the samples are spread evenly over the range.
void GetSampleCount(GraphContext& g, double xmin, double xmax);

// Fills CurvePoints with pointAt(v) for v from `from` in steps of
// SampleStep (each v rounded through "#.###"), the last one or two rows
// completed at the end of the range (end − step rounded, then the end).
void FillSamples(GraphContext& g, double from, double to, const std::function<docif::PointF(double)>& pointAt);

// Fills CurvePoints over [xmin, xmax] with y = f(x), x and y rounded
// through "#.###", completing the last one or two rows at the end.
void FillCurve(GraphContext& g, double xmin, double xmax, const std::function<double(double)>& f);

// Asks whether to go on when the figure's extent leaves the frame; true
// when the user declines.
bool CheckGraphRange(AddinContext& ctx, const GraphContext& g);

struct InsertPoint {
  double left = 20, top = 20;
};
InsertPoint GetInsertPoint(AddinContext& ctx);

// Gives a generator's new shape its registered name, its line attributes
// and the in-front-of-text wrap every generated shape gets.
void FinishShape(const docif::ShapePtr& shape, const std::wstring& name, const LineAttr* line);

// A straight line between two page points, named for its role, with the look
// given (or the host's default); drawn on the canvas in the preview.
void AddFigureLine(AddinContext& ctx, GraphContext& g, const std::wstring& role, double x1, double y1, double x2,
                   double y2, const docif::LineFormat& look = {});
// The look of a figure line from its line attributes.
docif::LineFormat LineLook(const LineAttr& line);

// Adds CurvePoints as a named Bézier curve with the line attributes.
void AddCurveShape(AddinContext& ctx, GraphContext& g, const std::wstring& role, const LineAttr& line);

// One curve piece over [u, v] of y = f(x): sampled, rounded, added as a
// Bézier curve with the line attributes and the role's name. Nothing is
// drawn for fewer than two samples.
void DrawCurvePiece(AddinContext& ctx, GraphContext& g, double u, double v,
                    const std::function<double(double)>& f, const std::wstring& role, const LineAttr& line);

}  // namespace plx::graph
