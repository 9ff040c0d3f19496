// Sending the 8 questions of the corpus paper exam-student.docx to slides
// as embedded documents (each piece saved as its own .docx with a picture
// standing for it: 150 dpi at its own size (argument 0), or as fine as
// its enlargement into the slide's margins asks (1)), into the model
// presentation program, and the whole paper as an automatic batch.
// Skipped when the corpus is absent.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "bench_addin.hpp"
#include "config/mod_config.hpp"
#include "docif/range.hpp"
#include "present/pl2ppt.hpp"
#include "present/send2ppt.hpp"
#include "slidehost/model/model_programs.hpp"
#include "support/build_paths.hpp"

namespace {

const std::filesystem::path kPaper = std::filesystem::path(build_paths::SharedDir()) / "corpus" / "exam-student.docx";

struct Paper {
  Paper() : doc("plendrix-bench-slides") {
    auto& host = *doc.host;
    host.GetDocuments()->Open(plx::Utf8ToWide(kPaper.string()), true);
    auto paragraphs = host.ActiveDocument()->Paragraphs();
    // Each question runs from its paragraph "n．" to the next question, or
    // to the answer key after question 8.
    std::vector<long> starts;
    int next = 1;
    for (int i = 1; i <= paragraphs->Count(); ++i) {
      auto p = paragraphs->Item(i);
      const std::wstring text = p->Text();
      if (next <= 8 && text.rfind(std::to_wstring(next) + L"．", 0) == 0) {
        starts.push_back(p->Start());
        ++next;
      } else if (next == 9 && text.rfind(L"参考答案", 0) == 0) {
        starts.push_back(p->Start());
        ++next;
      }
    }
    for (size_t i = 0; i + 1 < starts.size(); ++i) questions.emplace_back(starts[i], starts[i + 1] - 1);
    plx::ConfigGroup(doc.addin.Context(), L"word2pptconfig").Set(L"iPPType", L"0");
  }
  void Restart() {
    programs = std::make_shared<plx::slides::model::ModelPrograms>();
    doc.addin.Context().PresentationPrograms = programs;
  }
  plx::bench::BenchDocument doc;
  std::shared_ptr<plx::slides::model::ModelPrograms> programs;
  std::vector<std::pair<long, long>> questions;
};

void BM_SendEightQuestionsAsDocuments(benchmark::State& state) {
  if (!std::filesystem::exists(kPaper)) {
    state.SkipWithError("没有找到语料试卷 exam-student.docx，跳过");
    return;
  }
  Paper paper;
  if (paper.questions.size() != 8) {
    state.SkipWithError("语料试卷中没有找到 8 道题");
    return;
  }
  plx::ConfigGroup(paper.doc.addin.Context(), L"word2pptconfig").Set(L"blAutoSize", state.range(0) ? L"True" : L"False");
  auto doc = paper.doc.host->ActiveDocument();
  for (auto _ : state) {
    paper.Restart();
    for (const auto& [start, end] : paper.questions) {
      doc->GetRange(start, end)->Select();
      plx::present::Send2PPT(paper.doc.addin.Context(), 3);
    }
  }
}
BENCHMARK(BM_SendEightQuestionsAsDocuments)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AutomaticBatchAsDocuments(benchmark::State& state) {
  if (!std::filesystem::exists(kPaper)) {
    state.SkipWithError("没有找到语料试卷 exam-student.docx，跳过");
    return;
  }
  Paper paper;
  for (auto _ : state) {
    paper.Restart();
    plx::present::PL2PPT(paper.doc.addin.Context(), 0, {});
  }
}
BENCHMARK(BM_AutomaticBatchAsDocuments)->Unit(benchmark::kMillisecond);

}  // namespace
