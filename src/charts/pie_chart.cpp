#include "charts/pie_chart.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "addin/addin_context.hpp"
#include "charts/chart_canvas.hpp"
#include "common/units.hpp"
#include "common/vbnum.hpp"
#include "figures/plane_figures.hpp"

namespace plx::charts {
namespace {

// The looks of the sectors, drawn before any shape is made: naming a shape
// reseeds the random numbers from the clock, which within one second would
// give every sector the same colour.
std::vector<docif::FillFormat> SectorFills(AddinContext& ctx, const PieInput& in, size_t count) {
  std::vector<docif::FillFormat> fills;
  ctx.Random().Randomize(ctx.GetClock());
  auto& rnd = ctx.Random();
  for (size_t i = 0; i < count; ++i) {
    switch (in.fillKind) {
      case PieFill::Random: {
        const auto r = static_cast<uint8_t>(255 * rnd.Rnd());
        const auto g = static_cast<uint8_t>(255 * rnd.Rnd());
        const auto b = static_cast<uint8_t>(255 * rnd.Rnd());
        fills.push_back({.Visible = true, .ForeColor = RGB(r, g, b), .Pattern = 0});
        break;
      }
      case PieFill::Shading:
        // The random value picks one of the host's hatchings and dot patterns.
        fills.push_back({.Visible = true, .ForeColor = 0, .BackColor = 0xFFFFFF,
                         .Pattern = static_cast<int>(Int(14 + 34 * rnd.Rnd()))});
        break;
      case PieFill::Chosen: fills.push_back({.Visible = true, .ForeColor = in.colour, .Pattern = 0}); break;
    }
  }
  return fills;
}

// A sector of the pie about its centre (cx, cy): the sector figure's full
// outline (arc stepped every 0.1 radian, then the centre), moved there.
std::vector<docif::PointF> SectorAt(double cx, double cy, double r, double from, double to) {
  std::vector<docif::PointF> points = figures::SectorOutline(figures::SectorKind::Full, r, from, to - from);
  for (auto& p : points) p = {static_cast<float>(cx + p.x), static_cast<float>(cy + p.y)};
  return points;
}

}  // namespace

std::vector<Sector> PieSectors(const std::vector<float>& ratios) {
  const double total = std::accumulate(ratios.begin(), ratios.end(), 0.0);
  std::vector<Sector> sectors;
  double angle = 0;
  for (float v : ratios) {
    const double next = angle + v * 2 * std::numbers::pi / total;
    sectors.push_back({angle, next, 100.0 * v / total});
    angle = next;
  }
  if (!sectors.empty()) sectors.back().to = 2 * std::numbers::pi;  // closes the circle despite rounding
  return sectors;
}

std::wstring PercentText(double percent) {
  std::wstring t = Format(percent, L"0.##");
  if (!t.empty() && t.back() == L'.') t.pop_back();
  return t + L"%";
}

std::wstring DrawPieChart(AddinContext& ctx, const PieInput& in, double left, double top) {
  std::wstring problem;
  const double r = CmToPoints(in.radiusCm);
  if (!(r > 0)) problem = L"半径不能为零或负数!";
  else if (in.radiusCm > 50) problem = L"半径不能超过50厘米!";
  else if (in.ratios.empty()) problem = L"请输入各扇形面积之比，如 10:35:25:30";
  else if (std::any_of(in.ratios.begin(), in.ratios.end(), [](float v) { return !(v >= 0); }))
    problem = L"扇形面积之比不能有负数，请检查数据";
  else if (!(std::accumulate(in.ratios.begin(), in.ratios.end(), 0.0) > 0))
    problem = L"扇形面积之比的和应大于0，请检查数据";
  if (!problem.empty()) {
    ctx.Ui().MsgBox(problem, Buttons::OK, L"");
    return L"";
  }
  const std::vector<Sector> sectors = PieSectors(in.ratios);
  const std::vector<docif::FillFormat> fills = in.fill ? SectorFills(ctx, in, sectors.size()) : std::vector<docif::FillFormat>{};
  ChartCanvas canvas(ctx);
  try {
    const double cx = r, cy = r;
    for (size_t i = 0; i < sectors.size(); ++i) {
      const Sector& s = sectors[i];
      if (s.to - s.from <= 0) continue;  // a ratio of 0 has no sector
      auto shape = canvas.Freeform(L"扇形", SectorAt(cx, cy, r, s.from, s.to));
      if (in.fill) shape->SetFill(fills[i]);
    }
    if (in.percentages)
      for (const Sector& s : sectors) {
        if (s.to - s.from <= 0) continue;
        const double mid = (s.from + s.to) / 2;
        const double x = cx + 0.6 * r * std::cos(mid), y = cy + 0.6 * r * std::sin(mid);
        auto label = canvas.Text(L"文本标识", x - 22, y - 8, 44, 16, PercentText(s.percent));
        // A label on a hatched or dark sector stays readable on white.
        if (in.fill) label->SetFill({.Visible = true, .ForeColor = 0xFFFFFF, .Transparency = 0.2});
      }
    return canvas.Group(L"扇形统计图", left, top);
  } catch (const std::exception&) {
    canvas.Discard();  // a pie that fails part-way leaves nothing behind
    throw;
  }
}

}  // namespace plx::charts
