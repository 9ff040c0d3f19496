// Graph sampling: a whole arbitrary-function insertion (interval search
// over -10..10 every 0.01, then drawing the curve) into the model.
#include <benchmark/benchmark.h>

#include "bench_addin.hpp"
#include "docif/model/model_application.hpp"
#include "graph/curves/expression_curves.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/frame/insertion.hpp"

namespace {

void BM_ArbitraryFunctionInsertion(benchmark::State& state) {
  plx::bench::BenchAddin addin("plendrix-bench-graph");
  plx::AddinContext& ctx = addin.Context();
  auto host = std::make_shared<plx::docif::model::ModelApplication>();
  host->GetDocuments()->Add();
  ctx.App = host;
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

}  // namespace
