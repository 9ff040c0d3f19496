// Loading a configuration group (every dialog does it when it opens) and
// the regular-expression replace that the text rules run over long papers.
#include <benchmark/benchmark.h>

#include "bench_addin.hpp"
#include "config/mod_config.hpp"
#include "addin/addin_context.hpp"
#include "platform/regexp.hpp"
#include "platform/scripted_ui.hpp"

namespace {

void BM_LoadConfigGroup(benchmark::State& state) {
  plx::bench::BenchAddin addin("plendrix-bench-config");
  plx::AddinContext& ctx = addin.Context();
  for (auto _ : state) {
    plx::GetConfigInfo(ctx, state.range(0) ? L"zbxconfig" : L"all");
    benchmark::DoNotOptimize(ctx.Config->Count());
  }
  if (!addin.Ui().Boxes().empty()) state.SkipWithError("the configuration database did not load");
}
BENCHMARK(BM_LoadConfigGroup)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_RegexReplaceOverPaper(benchmark::State& state) {
  std::wstring paper;
  for (int i = 1; i <= 2000; ++i)
    paper += std::to_wstring(i) + L"．已知函数f(x)=x^2+1，求f(2)的值。\rA．1　B．2　C．3　D．5\r";
  plx::RegExp re;
  re.Pattern = L"^\\d{1,3}[.．、]{1}";
  re.Global = re.MultiLine = true;
  for (auto _ : state) benchmark::DoNotOptimize(re.Replace(paper, L""));
  state.SetBytesProcessed(state.iterations() * paper.size() * sizeof(wchar_t));
}
BENCHMARK(BM_RegexReplaceOverPaper)->Unit(benchmark::kMillisecond);

}  // namespace
