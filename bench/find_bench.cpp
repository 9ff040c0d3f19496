// Wildcard replace-all over a long exam paper: the question-bank marking
// tags every question number of a paper this way.
#include <benchmark/benchmark.h>

#include <string>

#include "docif/model/model_application.hpp"
#include "docif/range.hpp"
#include "synthetic_paper.hpp"

namespace {

void BM_WildcardReplaceAllOverPaper(benchmark::State& state) {
  auto app = std::make_shared<plx::docif::model::ModelApplication>();
  auto doc = app->GetDocuments()->Add();
  std::wstring paper = bench::SyntheticPaper(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto content = doc->Content();
    content->SetRange(0, content->End() - 1);
    content->SetText(paper);
    auto find = doc->Content()->GetFind();
    find->Text = L"^13([0-9]{1,3}[．.、])";
    find->MatchWildcards = true;
    find->Replacement.Text = L"^13[pdTM]\\1";
    find->Format = true;
    find->Replacement.Font.Bold = true;
    find->Replacement.Font.Color = 0xFF0000;
    state.ResumeTiming();
    benchmark::DoNotOptimize(find->Execute(plx::docif::kReplaceAll));
  }
  auto end = doc->Content();
  end->Collapse(plx::docif::kCollapseEnd);
  state.counters["pages"] = end->Information(plx::docif::kNumberOfPagesInDocument);
  state.counters["chars"] = static_cast<double>(paper.size());
}
BENCHMARK(BM_WildcardReplaceAllOverPaper)->Arg(2200)->Unit(benchmark::kMillisecond);

}  // namespace
