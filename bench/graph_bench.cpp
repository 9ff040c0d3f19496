// Graph sampling: a whole arbitrary-function insertion (interval search
// over -10..10 every 0.01, then drawing the curve) into the model, and a
// textbook figure: frame with ticks, grid, tick and π labels and six
// elementary curves.
#include <benchmark/benchmark.h>

#include "bench_addin.hpp"
#include "docif/model/model_application.hpp"
#include "graph/curves/expression_curves.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/curves/trig_curves.hpp"
#include "graph/frame/insertion.hpp"
#include "graph/preview/zbx_graph.hpp"

namespace {

// A loaded add-in with a model word processor holding one new document.
struct BenchDocument {
  explicit BenchDocument(const char* name) : addin(name) {
    host->GetDocuments()->Add();
    addin.Context().App = host;
  }
  plx::bench::BenchAddin addin;
  std::shared_ptr<plx::docif::model::ModelApplication> host =
      std::make_shared<plx::docif::model::ModelApplication>();
};

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

// The figure of examples/graphs.txt: the records as the dialog's tabs make them.
plx::graph::GraphContext TextbookFigure() {
  using namespace plx::graph;
  GraphContext g;
  g.frame = {-8, 8, -6, 6, 1};
  SJRecord sine;
  sine.xmax = 2 * 3.14159265358979;
  sine.pieces = FindTrigPieces(g.frame, [&](double x) { return TrigAt(sine, x); }, 0, sine.xmax);
  g.sjTable = {sine};
  g.axTable = {{2, 0, 0, -8, 2.5, {}}};
  g.logTable = {{0, 2, 0, 0, 0.02, 8, {}}};
  g.miTable = {{1, 1, 3, -8, 8, {}}};
  g.fblhsTable = {{1, 0.17, -8, 8, {}}};
  g.zxTable = {{-2, 7, 5, -4, {}}};
  g.List1 = {L"平面直角坐标系(ZBX)", L"坐标网格(ZBWG)",  L"三角函数(SJ) 1", L"指数函数(AX) 1",
             L"对数函数(LogX) 1",   L"幂函数(MI) 1",    L"反比例函数(FBLHS) 1", L"直线(ZX) 1"};
  return g;
}

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

void BM_TextbookGraphPreview(benchmark::State& state) {
  BenchDocument bench("plendrix-bench-preview");
  plx::AddinContext& ctx = bench.addin.Context();
  plx::graph::GraphContext g = TextbookFigure();
  plx::graph::PreviewCanvas canvas;
  for (auto _ : state) plx::graph::ZBX_Graph(ctx, g, canvas);
}
BENCHMARK(BM_TextbookGraphPreview)->Unit(benchmark::kMillisecond);

}  // namespace
