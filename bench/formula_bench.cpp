// Formula conversion: a mix of formulas a worksheet holds, built on each of
// the three routes. Items per second is formulas per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "formula/eq_builder.hpp"
#include "formula/omath_builder.hpp"
#include "formula/tex_builder.hpp"

namespace {

const std::vector<std::wstring> kWorksheet = {
    L"yuan(-1,2,2)",        L"ty(4,3)",          L"sqx(-9,16)",      L"x^2+2x+1",
    L"(x+1)/(x-1)",         L"gh(3,x+1)",        L"jf(0,1,x^2dx)",   L"jx(x,0)",
    L"a_(n+1)=2a_n+1",      L"PLC(5,2)+PLA(5,2)", L"hls(a,b|c,d)",   L"fcz(x+y=1,x-y=3)",
    L"sin^2@a+cos^2@a=1",   L"qh(i=1,n,i^2)",    L"xl(AB)+xl(BC)",   L"12/5+gh2",
};

const plx::FormulaSettings kSettings;
const plx::FormulaNotice kQuiet = [](const std::wstring&) {};

template <class Build>
void RunMix(benchmark::State& state, Build build) {
  for (auto _ : state)
    for (const std::wstring& f : kWorksheet) benchmark::DoNotOptimize(build(f));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kWorksheet.size()));
}

void BM_FormulaSetEQ(benchmark::State& state) {
  RunMix(state, [](const std::wstring& f) { return plx::SetEQ(f, kSettings, kQuiet); });
}
BENCHMARK(BM_FormulaSetEQ)->Unit(benchmark::kMicrosecond);

void BM_FormulaSetTeXEq(benchmark::State& state) {
  RunMix(state, [](const std::wstring& f) {
    plx::TeXPieces pieces;
    return plx::RestoreTeXPieces(plx::SetTeXEq(f, kSettings, kQuiet, pieces), pieces);
  });
}
BENCHMARK(BM_FormulaSetTeXEq)->Unit(benchmark::kMicrosecond);

void BM_FormulaSetOMathEq(benchmark::State& state) {
  RunMix(state, [](const std::wstring& f) { return plx::SetOMathEq(f, kSettings, kQuiet); });
}
BENCHMARK(BM_FormulaSetOMathEq)->Unit(benchmark::kMicrosecond);

}  // namespace
