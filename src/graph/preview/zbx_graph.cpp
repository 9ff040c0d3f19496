#include "graph/preview/zbx_graph.hpp"

#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "graph/axes/axes.hpp"
#include "graph/axes/tick_labels.hpp"
#include "graph/frame/frame.hpp"

namespace plx::graph {
namespace {

void RecordFrameTicks(AddinContext& ctx, GraphContext& g) {
  const ZBXRecord& f = g.frame;
  const int step = TickStep(f, ConfigGroup(ctx, L"zbxconfig").Flag(L"blAutoKD"));
  for (int i : TickPositions(f.xmin, f.xmax, step))
    g.xLabels.push_back({static_cast<float>(i), DecimalText(i), L"zbx"});
  for (int j : TickPositions(f.ymin, f.ymax, step))
    g.yLabels.push_back({static_cast<float>(j), DecimalText(j), L"zbx"});
}

}  // namespace

void ZBX_Graph(AddinContext& ctx, GraphContext& g, PreviewCanvas& canvas,
               const std::map<std::wstring, Generator>& generators) {
  canvas.Clear();
  // The preview draws on a copy so that the dialog's mapping, shape register
  // and evaluators stay as they are.
  GraphContext p = g;
  p.preview = &canvas;
  p.xLabels.clear();
  p.yLabels.clear();
  Init_ZBX(ctx, p, static_cast<int32_t>(p.frame.xmax) - p.frame.xmin);
  for (const std::wstring& line : p.List1)
    if (FigureTag(line) == L"ZBX") {
      if (p.frame.drawTicks != 0) RecordFrameTicks(ctx, p);
      else ClearTickLabels(p, L"zbx");
    }
  DrawList(ctx, p, generators);
  // The labels are kept for the insertion run; a frame with more ticks than
  // can be read shows neither its ticks nor their labels on the small canvas.
  std::vector<TickLabel> xs = p.xLabels, ys = p.yLabels;
  if (p.frame.drawTicks != 0 && TickCount(ctx, p.frame) > kReadableTicks) ClearTickLabels(p, L"zbx");
  DrawZBBZ_Word(ctx, p);
  g.xLabels = std::move(xs);
  g.yLabels = std::move(ys);
}

}  // namespace plx::graph
