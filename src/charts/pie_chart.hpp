#pragma once
// Pie charts: one sector per ratio, from angle 0 (to the right of the
// centre) round the circle in the page's turning sense, each sector drawn with the
// sector figure's geometry (arc stepped every 0.1 radian, ending exactly at
// its boundary). The
// percentage labels stand inside their sectors, at 0.6 of the radius on the
// middle of the arc. The chart is grouped at the insertion point.
#include <cstdint>
#include <string>
#include <vector>

#include "docif/formats.hpp"

namespace plx {
class AddinContext;
}

namespace plx::charts {

enum class PieFill { Random = 0, Shading = 1, Chosen = 2 };

struct PieInput {
  std::vector<float> ratios;
  double radiusCm = 2;
  bool percentages = true;
  bool fill = false;
  PieFill fillKind = PieFill::Random;
  uint32_t colour = 0xC0C0C0;
};

struct Sector {
  double from = 0, to = 0;  // radians
  double percent = 0;
};

// The sectors of the ratios (sum S > 0): sector i spans v_i · 2π / S.
std::vector<Sector> PieSectors(const std::vector<float>& ratios);

// "0.##" + "%".
std::wstring PercentText(double percent);

// Draws the pie with its top left at (left, top); shows the message and
// draws nothing for bad input. Returns the group's name ("" when nothing
// was drawn).
std::wstring DrawPieChart(AddinContext& ctx, const PieInput& in, double left, double top);

}  // namespace plx::charts
