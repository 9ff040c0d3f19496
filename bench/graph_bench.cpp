// Graph sampling: a whole arbitrary-function insertion (interval search
// over -10..10 every 0.01, then drawing the curve) into the model, a
// textbook figure: frame with ticks, grid, tick and π labels and six
// elementary curves, and the cleaning of a frame's 200,000 raw tick labels.
#include <benchmark/benchmark.h>

#include "bench_addin.hpp"
#include "textbook_figure.hpp"
#include "docif/model/model_application.hpp"
#include "graph/axes/tick_labels.hpp"
#include "graph/curves/expression_curves.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/curves/trig_curves.hpp"
#include "graph/frame/insertion.hpp"
#include "graph/preview/zbx_graph.hpp"

namespace {

using plx::bench::BenchDocument;
using plx::bench::TextbookFigure;

void BM_ArbitraryFunctionInsertion(benchmark::State& state) {
  BenchDocument bench("plendrix-bench-graph");
  plx::AddinContext& ctx = bench.addin.Context();
  auto& host = bench.host;
  std::wstring expression = plx::graph::NormaliseExpression(L"2*sin(3*x)+x^2/10");
  for (auto _ : state) {
    state.PauseTiming();
    host->GetDocuments()->Add();  // a fresh page each time
    state.ResumeTiming();
    plx::graph::GraphContext g;
    plx::graph::AnyRecord rec;
    rec.expression = expression;
    rec.intervals = plx::graph::FindIntervals(g, rec.expression, -10, 10);
    g.anyTable.push_back(rec);
    g.List1 = {L"任意函数(ANY) 1"};
    plx::graph::InsertGraphs(ctx, g);
  }
}
BENCHMARK(BM_ArbitraryFunctionInsertion)->Unit(benchmark::kMillisecond);

void BM_IntervalSearch(benchmark::State& state) {
  std::wstring expression = plx::graph::NormaliseExpression(L"2*sin(3*x)+x^2/10");
  plx::graph::GraphContext g;
  for (auto _ : state) benchmark::DoNotOptimize(plx::graph::FindIntervals(g, expression, -10, 10));
}
BENCHMARK(BM_IntervalSearch)->Unit(benchmark::kMillisecond);

void BM_TextbookGraphInsertion(benchmark::State& state) {
  BenchDocument bench("plendrix-bench-textbook");
  plx::AddinContext& ctx = bench.addin.Context();
  auto& host = bench.host;
  plx::graph::GraphContext g = TextbookFigure();
  plx::graph::PreviewCanvas canvas;
  plx::graph::ZBX_Graph(ctx, g, canvas);  // the tick and π labels, as the dialog records them
  for (auto _ : state) {
    state.PauseTiming();
    host->GetDocuments()->Add();
    state.ResumeTiming();
    plx::graph::InsertGraphs(ctx, g);
  }
}
BENCHMARK(BM_TextbookGraphInsertion)->Unit(benchmark::kMillisecond);

// The same figure inserted into a 127-page paper that already holds one
// after a line was typed at its top: figures kept against their paragraph
// then follow it, which lays the paper's text out once.
void BM_TextbookGraphInsertionAfterTypingInALongPaper(benchmark::State& state) {
  BenchDocument bench("plendrix-bench-long-paper");
  plx::AddinContext& ctx = bench.addin.Context();
  auto doc = bench.host->GetDocuments()->Add();
  std::wstring text;
  for (int i = 1; i <= 1800; ++i)
    text += std::to_wstring(i % 50 + 1) + L"．已知函数f(x)=x^2+2x+1，求f(x)在区间[0,3]上的最大值与最小值。\rA．1\tB．2\tC．3\tD．4\r【答案】C\r";
  doc->Content()->InsertBefore(text);
  plx::graph::GraphContext g = TextbookFigure();
  plx::graph::PreviewCanvas canvas;
  plx::graph::ZBX_Graph(ctx, g, canvas);
  doc->GetRange(40000, 40000)->Select();
  plx::graph::InsertGraphs(ctx, g);  // the paper's own figure, kept against its paragraph
  for (auto _ : state) {
    state.PauseTiming();
    doc->GetRange(0, 0)->InsertBefore(L"班级：________\r");
    doc->GetRange(80000, 80000)->Select();
    state.ResumeTiming();
    plx::graph::InsertGraphs(ctx, g);
  }
  state.counters["pages"] = doc->Content()->Information(plx::docif::kNumberOfPagesInDocument);
}
BENCHMARK(BM_TextbookGraphInsertionAfterTypingInALongPaper)->Unit(benchmark::kMillisecond);

void BM_TextbookGraphPreview(benchmark::State& state) {
  BenchDocument bench("plendrix-bench-preview");
  plx::AddinContext& ctx = bench.addin.Context();
  plx::graph::GraphContext g = TextbookFigure();
  plx::graph::PreviewCanvas canvas;
  for (auto _ : state) plx::graph::ZBX_Graph(ctx, g, canvas);
}
BENCHMARK(BM_TextbookGraphPreview)->Unit(benchmark::kMillisecond);

// A frame of ±100,000 with a tick at each unit: the labels are cleaned in one
// pass, so this stays linear in the number of ticks.
void BM_CleanTickLabels(benchmark::State& state) {
  std::vector<plx::graph::TickLabel> raw;
  for (int i = 1; i <= 200000; ++i) raw.push_back({static_cast<float>(i), std::to_wstring(i), L"zbx"});
  for (auto _ : state) benchmark::DoNotOptimize(plx::graph::CleanTickLabels(raw));
}
BENCHMARK(BM_CleanTickLabels)->Unit(benchmark::kMillisecond);

}  // namespace
