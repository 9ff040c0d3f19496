// Graph sampling: a whole arbitrary-function insertion (interval search
// over -10..10 every 0.01, then drawing the curve) into the model.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "common/text.hpp"
#include "docif/model/model_application.hpp"
#include "graph/curves/expression_curves.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/frame/insertion.hpp"
#include "host/addin_context.hpp"
#include "platform/scripted_ui.hpp"

namespace {

void BM_ArbitraryFunctionInsertion(benchmark::State& state) {
  namespace fs = std::filesystem;
  auto dir = fs::temp_directory_path() / "plendrix-bench-graph";
  fs::create_directories(dir);
  fs::copy(fs::path(PLENDRIX_PRISTINE_DIR) / "config", dir / "config",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  plx::ScriptedUi ui;
  ui.OnUnexpected([](const plx::ShownBox&) {});
  plx::SystemClock clock;
  plx::ClockSeededRandom random;
  plx::Registry registry;
  plx::NetworkState network;
  plx::RecordingShell shell;
  plx::AddinContext ctx({ui, clock, random, registry, network, shell});
  std::wstring folder = plx::Utf8ToWide(dir.string());
  ctx.ModuleFolder = [folder] { return folder; };
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
  fs::remove_all(dir);
}
BENCHMARK(BM_ArbitraryFunctionInsertion)->Unit(benchmark::kMillisecond);

void BM_IntervalSearch(benchmark::State& state) {
  std::wstring expression = plx::graph::NormaliseExpression(L"2*sin(3*x)+x^2/10");
  plx::graph::GraphContext g;
  for (auto _ : state) benchmark::DoNotOptimize(plx::graph::FindIntervals(g, expression, -10, 10));
}
BENCHMARK(BM_IntervalSearch)->Unit(benchmark::kMillisecond);

}  // namespace
