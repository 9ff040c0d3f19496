#pragma once
// The numbers of a statistics chart and the scale of its two axes.
//
// An axis runs from a start value s to an end value e in steps of d. It is
// cut into slots of equal length: Int((e - s) / d) + k of them, where k is 1
// when the axis starts at 0 and 2 otherwise (the first slot then holds the
// broken-axis mark between the origin and s). Value v lies at slot
// (v - s) / d + k - 1 from the origin; the last slot is room for the arrow.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace plx::charts {

// The data box: full-width characters narrowed, ":", ";" and "、" (what a
// Chinese input method types between the items of a list) read as ",", one
// trailing "," ignored, each item read as a number in typed order (an empty
// item as 0). Empty text gives no values; an item that is no number gives
// the message naming it and no values.
struct ChartData {
  std::vector<float> values;
  std::wstring problem;
};
ChartData ReadChartData(const std::wstring& text);

// A typed number as a single-precision value; numbers beyond its range
// become its largest value of that sign.
float ToSingle(double value);

// A typed whole number kept within [low, high].
int ToBounded(double value, int low, int high);

// A value as the chart writes it: the shortest text that reads back as the
// same single-precision number ("0.1", not "0.100000001").
std::wstring SingleText(float value);

struct AxisValues {
  float s = 0, e = 0, d = 1;
};

// More slots than this cannot be read on a page; such a scale is refused.
constexpr int kMaxSlots = 1000;

struct Axis {
  AxisValues v;
  int k = 1;
  int slots = 1;
  double length = 0;  // points
  double unit = 0;    // points per slot
  // The distance in points from the origin of value v.
  double Offset(double value) const { return ((value - v.s) / v.d + k - 1) * unit; }
};

// Why a scale cannot be drawn, or nothing when it can: the step must divide
// the range into a whole number of steps, be positive with e >= s, and give
// at most kMaxSlots slots. `axis` is "x" or "y".
std::optional<std::wstring> ScaleProblem(const AxisValues& values, const std::wstring& axis);

// The axis of a scale drawn `lengthCm` centimetres long (checked values).
Axis MakeAxis(const AxisValues& values, double lengthCm);

// Automatic values of the line chart: x counts the points (from 1 on a
// broken axis, else from 0); y runs from the smallest to the largest value
// in steps of the smallest gap between different values, narrowed by 1
// while the range is not a whole number of steps. When that leaves no
// scale that can be drawn (decimal data such as 36.5, 37.2, 36.8, 37.0),
// the same narrowing runs in units of the data's last decimal place (steps
// of 0.1 there), and when that gives too many steps, y runs between round
// values in at most ten round steps: the automatic scale can always be drawn.
AxisValues LineChartAutoX(size_t count, bool broken);
AxisValues LineChartAutoY(const std::vector<float>& data, bool broken);

// Automatic values of the bar kinds. Bars stand on 0, so y runs from 0 to
// the largest value rounded up to a round step (1, 2 or 5 times a power of
// ten) that gives at most ten steps. x: for the bar chart the category
// numbers 1 .. count, bar i in the slot that ends at category i + 1 (one
// more on a broken axis, whose first slot holds the break); for the
// histograms the class boundaries 0 .. count in steps of 1 (1 .. count + 1
// on a broken axis).
AxisValues BarAutoY(const std::vector<float>& heights);
AxisValues BarChartAutoX(size_t count, bool broken);
AxisValues HistogramAutoX(size_t count, bool broken);

}  // namespace plx::charts
