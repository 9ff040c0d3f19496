// Sampling a free function curve: x from -10 to 10 in steps of 0.01 (2001 points), for six
// typical formulas, each measured three ways in the same run:
//   BM_Eval<Name>_Plendrix  the graph code's path: the expression compiled once, then
//                           evaluated over the samples (x rounded through its decimal text,
//                           a sample that cannot be evaluated keeps the previous value);
//   BM_Eval<Name>_MuParser  muParser, a widely used C++ expression parser, one Eval per sample;
//   BM_Eval<Name>_Direct    the formula written in C++.
// The add-in's loops run at the widest vector width the processor has (AVX-512, AVX2 or the
// baseline; see common/vector_width.hpp). The names stay fixed so that the ratios can be
// followed from run to run. Also measured: the
// same formula parsed from text at every sample, as a text-only evaluator would.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#ifdef PLENDRIX_HAVE_MUPARSER
#include <muParser.h>
#endif

#include "graph/expr/sampled_expression.hpp"
#include "graph/expr/script_engine.hpp"

namespace {

constexpr int kPoints = 2001;

double SampleX(int i) { return -10 + 0.01 * i; }

// The formulas written in C++, as a programmer would write them.
double SinSquare(double x) { return 2 * std::sin(3 * x) + x * x; }
double Quintic(double x) { return std::pow(x, 5) - 3 * std::pow(x, 3) + 2 * x - 1; }
double RootRatio(double x) { return std::sqrt(std::fabs(x)) / (1 + x * x); }
double Gauss(double x) { return std::exp(-(x * x) / 2); }
double LogCos(double x) { return std::log(x * x + 1) * std::cos(x); }
double Reciprocal(double x) { return 1 / x; }

struct Formula {
  const char* name;
  const wchar_t* plendrix;  // as the normaliser writes it
  const char* muparser;     // the same in muParser's notation
  void (*direct)(benchmark::State&);
};

template <double (*F)(double)>
void Direct(benchmark::State& state);

const Formula kFormulas[] = {
    {"SinSquare", L"2*sin(3*x)+x^2", "2*sin(3*x)+x^2", Direct<SinSquare>},
    {"Quintic", L"x^5-3*x^3+2*x-1", "x^5-3*x^3+2*x-1", Direct<Quintic>},
    {"RootRatio", L"sqr(abs(x))/(1+x^2)", "sqrt(abs(x))/(1+x^2)", Direct<RootRatio>},
    {"Gauss", L"exp(-x^2/2)", "exp(-x^2/2)", Direct<Gauss>},
    {"LogCos", L"log(x^2+1)*cos(x)", "ln(x^2+1)*cos(x)", Direct<LogCos>},
    {"Reciprocal", L"1/x", "1/x", Direct<Reciprocal>},
};

std::vector<double> Samples() {
  std::vector<double> xs(kPoints);
  for (int i = 0; i < kPoints; ++i) xs[i] = SampleX(i);
  return xs;
}

// Compiled once, like muParser's SetExpr below; the loop is what the interval search runs.
void Plendrix(benchmark::State& state, const Formula& f) {
  plx::graph::ScriptEngine engine;
  auto expression = plx::graph::SampledExpression::LikeEvalAt(engine, f.plendrix);
  const std::vector<double> xs = Samples();
  std::vector<double> ys;
  std::vector<uint8_t> ok;
  for (auto _ : state) {
    expression.AtEach(xs, ys, ok);
    double sum = 0, last = 0;
    for (int i = 0; i < kPoints; ++i) {
      if (ok[i]) last = ys[i];
      sum += last;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

// One value at a time, as the curve drawing asks for them.
void PlendrixOneByOne(benchmark::State& state, const Formula& f) {
  plx::graph::ScriptEngine engine;
  auto expression = plx::graph::SampledExpression::LikeEvalAt(engine, f.plendrix);
  const std::vector<double> xs = Samples();
  for (auto _ : state) {
    double sum = 0, last = 0;
    for (double x : xs) {
      expression.At(x, last);
      sum += last;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

void MuParser([[maybe_unused]] benchmark::State& state, [[maybe_unused]] const Formula& f) {
#ifdef PLENDRIX_HAVE_MUPARSER
  mu::Parser parser;
  double x = 0;
  parser.DefineVar("x", &x);
  parser.SetExpr(f.muparser);
  const std::vector<double> xs = Samples();
  for (auto _ : state) {
    double sum = 0;
    for (double sample : xs) {
      x = sample;
      sum += parser.Eval();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
#else
  state.SkipWithError("muParser is not installed (libmuparser-dev); no reference figure");
#endif
}

// The samples come from memory, so the compiler cannot fold the formula; the sum keeps
// every value alive.
template <double (*F)(double)>
void Direct(benchmark::State& state) {
  const std::vector<double> xs = Samples();
  for (auto _ : state) {
    double sum = 0;
    for (double x : xs) sum += F(x);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

void ParseEveryTime(benchmark::State& state, const Formula& f) {
  const std::wstring expression = f.plendrix;
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < kPoints; ++i) {
      try {
        sum += plx::graph::EvaluateOnce(expression, SampleX(i));
      } catch (const std::exception&) {
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

const bool kRegistered = [] {
  for (const Formula& f : kFormulas) {
    const std::string base = std::string("BM_Eval") + f.name;
    benchmark::RegisterBenchmark((base + "_Plendrix").c_str(), Plendrix, f)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((base + "_MuParser").c_str(), MuParser, f)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((base + "_Direct").c_str(), f.direct)->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("BM_EvalSinSquare_PlendrixOneByOne", PlendrixOneByOne, kFormulas[0])
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_EvalSinSquare_ParseEveryTime", ParseEveryTime, kFormulas[0])
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
