// Wildcard replace-all over a long exam paper: the question-bank marking
// tags every question number of a paper this way.
#include <benchmark/benchmark.h>

#include <string>

#include "docif/model/model_application.hpp"
#include "docif/range.hpp"

namespace {

std::wstring SyntheticPaper(int questions) {
  std::wstring text = L"2026年高二数学期中考试试卷\r一、选择题：本题共12小题，每小题5分，共60分。\r";
  for (int i = 1; i <= questions; ++i) {
    text += std::to_wstring(i % 50 + 1) + L"．已知函数f(x)=x^2+2x+1，集合A={x|x>0}[来源:学科网]，求f(" +
            std::to_wstring(i) + L")的值及其在区间[0,3.5]上的最大值与最小值。\r";
    text += L"A．1\tB．2\tC．3\tD．4\r【答案】C\r【解析】由题意可知，函数在区间上单调递增，故选C。\r";
  }
  return text;
}

void BM_WildcardReplaceAllOverPaper(benchmark::State& state) {
  auto app = std::make_shared<plx::docif::model::ModelApplication>();
  auto doc = app->GetDocuments()->Add();
  std::wstring paper = SyntheticPaper(static_cast<int>(state.range(0)));
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
