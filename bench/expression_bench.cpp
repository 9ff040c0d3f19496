// Sampling a free function curve: one evaluation per sample, x from -10 to 10 in steps of
// 0.01 (2001 points). Compares EvalAt with its compiled-expression cache, the same value
// parsed from text at every point, and the formula written directly in C++.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "graph/expr/script_engine.hpp"

namespace {

const std::wstring kFormula = L"2*sin(3*x)+x^2";
constexpr int kPoints = 2001;

double SampleX(int i) { return -10 + 0.01 * i; }

void BM_EvalAtCompiled(benchmark::State& state) {
  plx::graph::ScriptEngine engine;
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < kPoints; ++i) sum += plx::graph::EvalAt(engine, SampleX(i), kFormula);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_EvalAtCompiled)->Unit(benchmark::kMicrosecond);

void BM_EvalParseEveryTime(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < kPoints; ++i) sum += plx::graph::EvaluateOnce(kFormula, SampleX(i));
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_EvalParseEveryTime)->Unit(benchmark::kMicrosecond);

void BM_DirectCpp(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < kPoints; ++i) {
      double x = SampleX(i);
      benchmark::DoNotOptimize(x);
      sum += 2 * std::sin(3 * x) + std::pow(x, 2);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_DirectCpp)->Unit(benchmark::kMicrosecond);

}  // namespace
