#include "graph/axes/axes.hpp"

#include <algorithm>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "graph/axes/label_box.hpp"
#include "graph/axes/tick_labels.hpp"
#include "graph/frame/frame.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

// An axis letter: 15 × 15, size 10, italic.
void Letter(AddinContext& ctx, GraphContext& g, const std::wstring& role, const std::wstring& text, double left,
            double top, bool timesNewRoman) {
  docif::FontFormat font{.Size = 10, .Italic = true};
  if (timesNewRoman) font.Name = L"Times New Roman";
  LabelBox(ctx, g, role, left, top, 15, 15, text, font);
}

}  // namespace

int TickStep(const ZBXRecord& frame, bool automatic) {
  if (!automatic) return 1;
  int step = static_cast<int>(Int((frame.xmax - frame.xmin) / 10.0));
  return step == 0 ? 1 : step;
}

std::vector<int> TickPositions(int lo, int hi, int step) {
  std::vector<int> at;
  for (int i = lo + 1; i <= hi - 1; i += std::max(step, 1))
    if (i != 0) at.push_back(i);
  return at;
}

size_t TickCount(AddinContext& ctx, const ZBXRecord& f) {
  const int step = TickStep(f, ConfigGroup(ctx, L"zbxconfig").Flag(L"blAutoKD"));
  return TickPositions(f.xmin, f.xmax, step).size() + TickPositions(f.ymin, f.ymax, step).size();
}

void ZBX_Word(AddinContext& ctx, GraphContext& g) {
  const ZBXRecord& f = g.frame;
  int dash = GetLineDash(f.lineStyle);
  Init_ZBX(ctx, g, static_cast<int32_t>(f.xmax) - f.xmin);
  docif::LineFormat axis{.ForeColor = f.lineColor, .DashStyle = dash, .BeginArrowheadStyle = 1,
                         .BeginArrowheadLength = 3, .BeginArrowheadWidth = 2, .EndArrowheadStyle = 4,
                         .EndArrowheadLength = 2, .EndArrowheadWidth = 1};
  AddFigureLine(ctx, g, L"x轴", g.PageX(f.xmin), g.OriginY, g.PageX(f.xmax), g.OriginY, axis);
  Letter(ctx, g, L"x轴标记", L"x", g.PageX(f.xmax) - 4, g.OriginY - 4, true);
  AddFigureLine(ctx, g, L"y轴", g.OriginX, g.PageY(f.ymin), g.OriginX, g.PageY(f.ymax), axis);
  Letter(ctx, g, L"y轴标记", L"y", g.OriginX - 8, g.PageY(f.ymax) - 7, true);
  Letter(ctx, g, L"原点", L"O", g.OriginX - 10, g.OriginY - 2, false);
  if (f.drawTicks == 0) return;
  if (const size_t count = TickCount(ctx, f); count > kReadableTicks) {
    if (g.preview) return;
    const Answer a = ctx.Ui().MsgBox(L"坐标轴上将有 " + std::to_wstring(count) + L" 个刻度，密得无法看清。您还要画刻度吗？",
                                     Buttons::YesNo, L"");
    if (a != Answer::Yes) {
      ClearTickLabels(g, L"zbx");
      return;
    }
  }
  const ConfigDictionary& config = ConfigGroup(ctx, L"zbxconfig");
  int step = TickStep(f, config.Flag(L"blAutoKD"));
  double d = config.Number(L"intKD");
  double tick = d != 0 ? g.UnitLength / d : 0;
  bool up = config.Flag(L"blXkdUp"), left = config.Flag(L"blYkdLeft");
  for (int i : TickPositions(f.xmin, f.xmax, step)) {
    double x = g.PageX(i);
    if (up) AddFigureLine(ctx, g, L"x轴刻度线" + DecimalText(i), x, g.OriginY - tick, x, g.OriginY);
    else AddFigureLine(ctx, g, L"x轴刻度线" + DecimalText(i), x, g.OriginY, x, g.OriginY + tick);
  }
  for (int j : TickPositions(f.ymin, f.ymax, step)) {
    double y = g.PageY(j);
    if (left) AddFigureLine(ctx, g, L"y轴刻度线" + DecimalText(j), g.OriginX - tick, y, g.OriginX, y);
    else AddFigureLine(ctx, g, L"y轴刻度线" + DecimalText(j), g.OriginX, y, g.OriginX + tick, y);
  }
}

void DrawGrid(AddinContext& ctx, GraphContext& g, const ZBWGRecord& grid) {
  const ZBXRecord& f = g.frame;
  int step = TickStep(f, true);
  docif::LineFormat look{.Weight = grid.width, .ForeColor = grid.color, .DashStyle = GetLineDash(grid.style)};
  for (int j = f.ymin; j <= f.ymax; j += step) {
    if (j == 0) continue;
    AddFigureLine(ctx, g, L"坐标网格线y=" + Trim(DecimalText(j)), g.PageX(f.xmin), g.PageY(j), g.PageX(f.xmax), g.PageY(j),
         look);
  }
  for (int i = f.xmin; i <= f.xmax; i += step) {
    if (i == 0) continue;
    AddFigureLine(ctx, g, L"坐标网格线x=" + Trim(DecimalText(i)), g.PageX(i), g.PageY(f.ymin), g.PageX(i), g.PageY(f.ymax),
         look);
  }
}

}  // namespace plx::graph
