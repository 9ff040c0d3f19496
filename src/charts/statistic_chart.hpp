#pragma once
// The charts of the first tab of the statistics dialog: frequency and
// relative-frequency histograms, bar charts and line charts, drawn as shapes
// on two axes and grouped at the insertion point.
//
// Layout choices:
// - Histograms: the x axis carries the class boundaries (start, end, class
//   width), one bar per class, bars adjacent without a gap; a frequency
//   histogram's bars are as high as the frequencies typed, a relative
//   frequency histogram's as high as frequency / total / class width, with
//   the y caption "(频率)/(组距)" typeset as a fraction.
// - Bar chart: bar i stands in slot i, between two ticks, centred there
//   and narrowed by the gap; the last slot, under the arrow, stays free.
// - All bars stand on the x axis. After a broken x axis the first class or
//   bar follows the break.
// - The corner of the axes is labelled O only where both axes are 0 or
//   start above it (a start above 0 leaves out the values below it).
// - Style 2 adds a frame round the plot ("外框") and a light line at every
//   y tick ("柱状图刻度线y"); "忽略初始比例" lets the automatic y axis of
//   the bar kinds start just below the smallest bar, behind a broken axis,
//   instead of at 0.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "charts/chart_data.hpp"

namespace plx {
class AddinContext;
}

namespace plx::charts {

enum class ChartKind { Frequency = 0, RelativeFrequency = 1, Bar = 2, Line = 3 };
enum class FillKind { Random = 0, Shading = 1, Chosen = 2 };

struct AxisInput {
  double lengthCm = 8;
  AxisValues manual;
  bool automatic = true;
  bool broken = false;
  bool reference = false;  // a line across the plot at every tick
  bool dashed = true;      // reference lines dashed rather than solid
  std::wstring caption;
};

struct ChartInput {
  ChartKind kind = ChartKind::Frequency;
  std::vector<float> data;
  AxisInput x, y;
  bool markerLines = false;  // from each value to the axes
  bool writeValues = false;  // the value written at each bar or point
  double gapMm = 2;          // between bars of the bar chart
  int decimals = 2;          // of written values
  bool fill = false;
  FillKind fillKind = FillKind::Random;
  uint32_t colour = 0xC0C0C0;
  int style = 0;
  bool ignoreProportion = false;
};

struct ChartScales {
  Axis x, y;
  std::vector<float> heights;  // the bar or point values drawn
};

// The heights drawn for the data (relative frequencies per class width for
// the relative-frequency histogram, the data otherwise) and the two axes, or
// the message that says why the chart cannot be drawn.
struct ScaleResult {
  std::optional<ChartScales> scales;
  std::wstring message;
};
ScaleResult ResolveScales(const ChartInput& in);

// Draws the chart with its top left at (left, top) on the page and groups it
// ("组合", or "折线统计图组合" for the line chart). Returns the group's
// name, or the message shown when nothing could be drawn.
struct DrawResult {
  std::wstring group;
  std::wstring message;
};
DrawResult DrawStatisticChart(AddinContext& ctx, const ChartInput& in, double left, double top);

// A written value: rounded to `decimals` places, without trailing zeros.
std::wstring ValueText(double value, int decimals);

}  // namespace plx::charts
