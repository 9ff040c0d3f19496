#include "charts/statistic_chart.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "addin/addin_context.hpp"
#include "charts/chart_canvas.hpp"
#include "common/units.hpp"
#include "common/vbnum.hpp"

namespace plx::charts {
namespace {

bool IsHistogram(ChartKind k) { return k == ChartKind::Frequency || k == ChartKind::RelativeFrequency; }

int Steps(const Axis& a) { return a.slots - a.k; }

// Longer than any page: such an axis is a typing mistake.
constexpr double kLongestAxisCm = 100;

// The automatic y scale of the bar kinds: from 0, or with "忽略初始比例"
// from a round value just below the smallest bar.
AxisValues BarKindsAutoY(const std::vector<float>& heights, bool ignoreProportion) {
  AxisValues a = BarAutoY(heights);
  if (!ignoreProportion || heights.empty()) return a;
  const float low = *std::min_element(heights.begin(), heights.end());
  const float s = ToSingle(std::floor(low / a.d - 1e-6) * a.d);
  if (s > 0) a.s = s;
  return a;
}

std::wstring Refused(std::wstring message) { return message; }

// The slot of the bar chart's first bar: the first, or after the
// broken-axis mark.
int FirstBarSlot(const ChartInput& in) { return in.x.broken ? 1 : 0; }

// The largest number of values the x axis has places for: a histogram has
// one class per step; the bar chart one bar per slot, the last slot (the
// arrow's) left free; the line chart one point per tick.
int Places(const ChartInput& in, const AxisValues& x) {
  const int steps = static_cast<int>(std::lround((static_cast<double>(x.e) - x.s) / x.d));
  if (IsHistogram(in.kind)) return steps;
  if (in.kind == ChartKind::Bar) return steps + (x.s == 0 ? 1 : 2) - 1 - FirstBarSlot(in);
  return steps + 1;
}

}  // namespace

std::wstring ValueText(double value, int decimals) {
  decimals = std::clamp(decimals, 0, 6);
  std::wstring t = Format(value, decimals == 0 ? L"0" : L"0." + std::wstring(decimals, L'#'));
  if (!t.empty() && t.back() == L'.') t.pop_back();
  return t == L"-0" ? L"0" : t;
}

ScaleResult ResolveScales(const ChartInput& in) {
  const size_t n = in.data.size();
  if (n == 0 && (in.x.automatic || in.y.automatic))
    return {std::nullopt, Refused(L"数据区没有数据：请输入数据，或取消“根据数据自动处理”后自己设置坐标轴")};
  const bool bars = in.kind != ChartKind::Line;
  if (bars && std::any_of(in.data.begin(), in.data.end(), [](float v) { return v < 0; }))
    return {std::nullopt, Refused(L"柱状图的数据不能是负数，请检查数据")};

  AxisValues xv = in.x.manual;
  if (in.x.automatic) {
    switch (in.kind) {
      case ChartKind::Line: xv = LineChartAutoX(n, in.x.broken); break;
      case ChartKind::Bar: xv = BarChartAutoX(n, in.x.broken); break;
      default: xv = HistogramAutoX(n, in.x.broken); break;
    }
  }
  if (auto problem = ScaleProblem(xv, L"x")) return {std::nullopt, *problem};
  if (static_cast<int>(n) > Places(in, xv))
    return {std::nullopt, L"数据有" + std::to_wstring(n) + L"个，x轴上只有" + std::to_wstring(Places(in, xv)) +
                              (IsHistogram(in.kind) ? L"组" : L"个位置") + L"，请检查x轴数据设置"};

  std::vector<float> heights = in.data;
  if (in.kind == ChartKind::RelativeFrequency) {
    const double total = std::accumulate(in.data.begin(), in.data.end(), 0.0);
    if (n > 0 && total <= 0) return {std::nullopt, Refused(L"频数之和应大于0，请检查数据")};
    for (float& h : heights) h = ToSingle(h / total / xv.d);
  }

  AxisValues yv = in.y.manual;
  if (in.y.automatic)
    yv = bars ? BarKindsAutoY(heights, in.ignoreProportion) : LineChartAutoY(heights, in.y.broken);
  if (auto problem = ScaleProblem(yv, L"y")) return {std::nullopt, *problem};

  ChartScales scales{MakeAxis(xv, in.x.lengthCm), MakeAxis(yv, in.y.lengthCm), std::move(heights)};
  for (double length : {in.x.lengthCm, in.y.lengthCm})
    if (!(length > 0 && length <= kLongestAxisCm))
      return {std::nullopt, Refused(L"坐标轴的长度应大于0且不超过100厘米，请检查轴长设置")};
  if (in.kind == ChartKind::Bar) {
    const double gap = MmToPoints(in.gapMm);
    if (gap < 0) return {std::nullopt, Refused(L"柱状图间距不能是负数")};
    if (gap >= scales.x.unit)
      return {std::nullopt, L"柱状图间距（" + ValueText(in.gapMm, 2) + L"毫米）不小于每个柱子的位置宽（" +
                                ValueText(scales.x.unit / 2.84, 2) + L"毫米），请减小间距或加长x轴"};
  }
  return {std::move(scales), L""};
}

namespace {

// The page geometry of one chart: origin O at (0, 0), y upwards on the
// page; the group is moved into place at the end.
struct Plot {
  ChartCanvas& c;
  const ChartInput& in;
  const ChartScales& s;
  double OX = 0, OY = 0;

  double X(double value) const { return OX + s.x.Offset(value); }
  // Page y of a value; values below the start of a broken axis stay on the x axis.
  double Y(double value) const { return OY - std::max(0.0, s.y.Offset(value)); }
  float XValue(int i) const { return static_cast<float>(s.x.v.s + static_cast<double>(i) * s.x.v.d); }
  float YValue(int j) const { return static_cast<float>(s.y.v.s + static_cast<double>(j) * s.y.v.d); }
  // The end of the plot: the last tick (bars end there at the latest).
  double Right() const { return OX + (s.x.slots - 1) * s.x.unit; }
  double Top() const { return OY - (s.y.slots - 1) * s.y.unit; }
};

docif::LineFormat AxisLook() {
  docif::LineFormat look = ChartCanvas::Solid();
  look.EndArrowheadStyle = 2;
  look.EndArrowheadLength = 2;
  look.EndArrowheadWidth = 2;
  return look;
}

// The text of a tick's value: the shortest decimal that is the same single
// (36.6, not the 36.599998 that 36.5 + 0.1 is in single precision), to at
// most 6 places.
std::wstring TickText(float value) { return ValueText(Val(SingleText(value)), 6); }

// A tick label under the x axis centred on x, and one left of the y axis
// level with y, each as wide as its text.
void XLabel(Plot& p, double x, const std::wstring& text) {
  const double width = std::max(30.0, TextWidth(text, ChartCanvas::kTextSize) + 4);
  p.c.Text(L"刻度文字x", x - width / 2, p.OY + 2, width, 16, text);
}

void YLabel(Plot& p, double y, const std::wstring& text) {
  const double width = std::max(31.0, TextWidth(text, ChartCanvas::kTextSize) + 4);
  p.c.Text(L"刻度文字y", p.OX - 3 - width, y - 8, width, 16, text, docif::kAlignRight);
}

void DrawAxes(Plot& p) {
  const double ux = p.s.x.unit, uy = p.s.y.unit;
  double start = p.OX;
  if (p.in.x.broken) {
    p.c.Freeform(L"x轴折线部分", {{float(p.OX), float(p.OY)}, {float(p.OX + ux / 4), float(p.OY)},
                                  {float(p.OX + 3 * ux / 8), float(p.OY - 5)}, {float(p.OX + 5 * ux / 8), float(p.OY + 5)},
                                  {float(p.OX + 3 * ux / 4), float(p.OY)}, {float(p.OX + ux), float(p.OY)}});
    start = p.OX + ux;
  }
  p.c.Line(L"x轴", start, p.OY, p.OX + p.s.x.length, p.OY, AxisLook());
  start = p.OY;
  if (p.in.y.broken) {
    p.c.Freeform(L"y轴折线部分", {{float(p.OX), float(p.OY)}, {float(p.OX), float(p.OY - uy / 4)},
                                  {float(p.OX + 5), float(p.OY - 3 * uy / 8)}, {float(p.OX - 5), float(p.OY - 5 * uy / 8)},
                                  {float(p.OX), float(p.OY - 3 * uy / 4)}, {float(p.OX), float(p.OY - uy)}});
    start = p.OY - uy;
  }
  p.c.Line(L"y轴", p.OX, start, p.OX, p.OY - p.s.y.length, AxisLook());
  // The corner is the origin O when neither axis starts below 0 (a start
  // above 0 leaves out the values from 0 up to it). An axis that starts
  // below 0 has its 0 at a tick of its own: the corner then gets only the
  // 0 of the other axis, if that starts there.
  const bool xFromZero = p.s.x.v.s >= 0, yFromZero = p.s.y.v.s >= 0;
  if (xFromZero && yFromZero) p.c.Text(L"原点", p.OX - 14, p.OY + 1, 12, 14, L"O");
  else if (p.s.x.v.s == 0) XLabel(p, p.OX, L"0");
  else if (p.s.y.v.s == 0) YLabel(p, p.OY, L"0");
  if (!p.in.x.caption.empty()) p.c.Caption(L"x轴文字标识", p.OX + p.s.x.length + 2, p.OY + 2, p.in.x.caption);
  if (!p.in.y.caption.empty()) p.c.Caption(L"y轴文字标识", p.OX + 6, p.OY - p.s.y.length - 12, p.in.y.caption);
}

void DrawTicks(Plot& p) {
  const auto reference = [](bool dashed) { return dashed ? ChartCanvas::Dashed() : ChartCanvas::Solid(); };
  for (int j = 0; j <= Steps(p.s.x); ++j) {
    const int slot = j + p.s.x.k - 1;
    if (slot == 0) continue;
    const std::wstring text = TickText(p.XValue(j));
    const double x = p.OX + slot * p.s.x.unit;
    p.c.Line(L"x轴刻度线" + text, x, p.OY, x, p.OY - 3);
    XLabel(p, x, text);
    if (p.in.x.reference) p.c.Line(L"x轴参考线", x, p.OY, x, p.Top(), reference(p.in.x.dashed));
  }
  const bool grid = p.in.style == 1 && !p.in.y.reference;
  for (int j = 0; j <= Steps(p.s.y); ++j) {
    const int slot = j + p.s.y.k - 1;
    if (slot == 0) continue;
    const std::wstring text = TickText(p.YValue(j));
    const double y = p.OY - slot * p.s.y.unit;
    p.c.Line(L"y轴刻度线" + text, p.OX, y, p.OX + 3, y);
    YLabel(p, y, text);
    if (p.in.y.reference) p.c.Line(L"y轴参考线", p.OX, y, p.Right(), y, reference(p.in.y.dashed));
    if (grid) p.c.Line(L"柱状图刻度线y", p.OX, y, p.Right(), y, {.Visible = true, .Weight = 0.5, .ForeColor = 0xC0C0C0});
  }
  if (p.in.style == 1) {
    auto frame = p.c.Box(L"外框", docif::kAutoShapeRectangle, p.OX, p.Top(), p.Right() - p.OX, p.OY - p.Top());
    frame->SetLine({.Visible = true, .Weight = 0.5, .ForeColor = 0x808080});
  }
}

// The colours of the bars, drawn before any shape is made: naming a shape
// reseeds the random numbers from the clock, which would give every bar the
// same colour within one second.
std::vector<uint32_t> RandomColours(AddinContext& ctx, size_t count) {
  std::vector<uint32_t> colours;
  ctx.Random().Randomize(ctx.GetClock());
  // Light colours, so black outlines and written values stay readable.
  auto part = [&ctx] { return static_cast<uint8_t>(110 + 145 * ctx.Random().Rnd()); };
  for (size_t i = 0; i < count; ++i) {
    const uint8_t r = part(), g = part(), b = part();
    colours.push_back(RGB(r, g, b));
  }
  return colours;
}

void FillBar(const docif::ShapePtr& bar, const ChartInput& in, uint32_t randomColour) {
  if (!in.fill) return;
  switch (in.fillKind) {
    case FillKind::Random: bar->SetFill({.Visible = true, .ForeColor = randomColour, .Pattern = 0}); break;
    case FillKind::Shading:
      bar->SetFill({.Visible = true, .ForeColor = 0, .BackColor = 0xFFFFFF, .Pattern = 21});
      break;
    case FillKind::Chosen: bar->SetFill({.Visible = true, .ForeColor = in.colour, .Pattern = 0}); break;
  }
}

void WriteValue(Plot& p, double centreX, double topY, double value) {
  const std::wstring text = ValueText(value, p.in.decimals);
  const double width = std::max(40.0, TextWidth(text, ChartCanvas::kTextSize) + 4);
  p.c.Text(L"数值标记", centreX - width / 2, topY - 15, width, 14, text);
}

void DrawBars(Plot& p, const std::vector<uint32_t>& colours) {
  const bool histogram = IsHistogram(p.in.kind);
  const double gap = histogram ? 0 : MmToPoints(p.in.gapMm);
  for (size_t i = 0; i < p.s.heights.size(); ++i) {
    const float h = p.s.heights[i];
    // A class stands between its boundaries; the bar chart's bar i in
    // slot i, centred there.
    const double left = histogram ? p.X(p.XValue(static_cast<int>(i)))
                                  : p.OX + static_cast<double>(i + FirstBarSlot(p.in)) * p.s.x.unit + gap / 2;
    const double width = p.s.x.unit - gap;
    const double top = p.Y(h);
    if (p.OY - top > 0.01) {
      auto bar = p.c.Box(L"柱状图", docif::kAutoShapeRectangle, left, top, width, p.OY - top);
      FillBar(bar, p.in, colours.empty() ? 0 : colours[i]);
    }
    if (histogram && p.in.markerLines && top < p.OY) p.c.Line(L"坐标标记横线", p.OX, top, left, top, ChartCanvas::Dashed());
    if (p.in.writeValues) WriteValue(p, left + width / 2, top, h);
  }
}

void DrawLine(Plot& p) {
  std::vector<std::pair<double, double>> at;
  for (size_t i = 0; i < p.s.heights.size(); ++i)
    at.emplace_back(p.X(p.XValue(static_cast<int>(i))), p.Y(p.s.heights[i]));
  for (size_t i = 0; i < at.size(); ++i) {
    const auto [x, y] = at[i];
    if (p.in.markerLines) {
      if (x > p.OX) p.c.Line(L"坐标标记横线", p.OX, y, x, y, ChartCanvas::Dashed());
      if (y < p.OY) p.c.Line(L"坐标标记竖线", x, p.OY, x, y, ChartCanvas::Dashed());
    }
    if (i > 0) p.c.Line(L"点点连线", at[i - 1].first, at[i - 1].second, x, y);
  }
  // The dots last, so the lines do not cover them.
  for (size_t i = 0; i < at.size(); ++i) {
    const auto [x, y] = at[i];
    auto dot = p.c.Box(L"数据点", docif::kAutoShapeOval, x - 1, y - 1, 2, 2);
    dot->SetFill({.Visible = true, .ForeColor = 0, .Pattern = 0});
    if (p.in.writeValues) WriteValue(p, x, y - 1, p.s.heights[i]);
  }
}

// Switches screen updating back on however the drawing ends.
struct ScreenUpdatingOff {
  explicit ScreenUpdatingOff(AddinContext& ctx) : ctx(ctx) { ctx.App->SetScreenUpdating(false); }
  ~ScreenUpdatingOff() {
    try {
      ctx.App->SetScreenUpdating(true);
    } catch (const std::exception&) {
      // the host is gone: the error that ended the drawing is the one reported
    }
  }
  AddinContext& ctx;
};

}  // namespace

DrawResult DrawStatisticChart(AddinContext& ctx, const ChartInput& in, double left, double top) {
  ScaleResult r = ResolveScales(in);
  if (!r.scales) {
    ctx.Ui().MsgBox(r.message, Buttons::OK, L"");
    return {L"", r.message};
  }
  const bool line = in.kind == ChartKind::Line;
  const std::wstring progress = line ? L"正在绘制折线统计图，请稍等......" : L"正在处理，请稍等...";
  std::wstring group;
  {
    ScreenUpdatingOff screen(ctx);
    ctx.Ui().Progress(0, progress);
    const std::vector<uint32_t> colours = !line && in.fill && in.fillKind == FillKind::Random
                                              ? RandomColours(ctx, r.scales->heights.size())
                                              : std::vector<uint32_t>{};
    ChartCanvas canvas(ctx);
    Plot p{canvas, in, *r.scales};
    try {
      DrawAxes(p);
      DrawTicks(p);
      if (line) DrawLine(p);
      else DrawBars(p, colours);
      group = canvas.Group(line ? L"折线统计图组合" : L"组合", left, top);
    } catch (const std::exception&) {
      canvas.Discard();
      throw;
    }
    ctx.Ui().Progress(100, progress);
  }
  ctx.Ui().MsgBox(L"绘图完成！", Buttons::OK, L"");
  return {group, L""};
}

}  // namespace plx::charts
