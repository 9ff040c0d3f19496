// The document host's hot paths on a 20-page paper, on the model and on
// LibreOffice side by side (argument 0 the model, 1 LibreOffice): opening
// it, a position to a host range and back, a wildcard replace-all, typing
// 100 lines, and inserting the textbook graph into a new document. LibreOffice's figures include the bridge to its
// process; where LibreOffice is missing its half reports itself skipped.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "docif/document.hpp"
#include "bench_addin.hpp"
#include "docif/model/model_application.hpp"
#include "graph/frame/insertion.hpp"
#include "graph/preview/zbx_graph.hpp"
#include "office_host.hpp"
#include "synthetic_paper.hpp"
#include "textbook_figure.hpp"

#ifdef PLENDRIX_UNO
#include "docif/uno/office_process.hpp"
#endif
#ifdef PLENDRIX_BENCH_JOB
#include <chrono>

#include <com/sun/star/lang/XSingleComponentFactory.hpp>
#include <com/sun/star/loader/XImplementationLoader.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <unistd.h>

#include "office_profile.hpp"
#endif

namespace {

namespace fs = std::filesystem;
using namespace plx::docif;

// About 20 pages: 90 questions with their options, answers and analyses,
// and a score table after every 30.
const fs::path& TwentyPagePaper() {
  static const fs::path path = [] {
    auto app = std::make_shared<model::ModelApplication>();
    auto doc = app->GetDocuments()->Add();
    for (int part = 0; part < 3; ++part) {
      doc->Content()->InsertAfter(bench::SyntheticPaper(30));
      auto end = doc->Content();
      end->SetRange(end->End() - 1, end->End() - 1);
      auto table = doc->GetTables()->Add(*end, 2, 5);
      table->Cell(1, 1)->SetText(L"题号");
      table->Cell(2, 1)->SetText(L"得分");
    }
    const fs::path file = fs::temp_directory_path() / ("plendrix-bench-paper-" + std::to_string(getpid()) + ".docx");
    doc->SaveAs(file.wstring());
    return file;
  }();
  return path;
}

// The host of the benchmark's argument; none (and the benchmark skipped) where it is missing.
std::shared_ptr<Application> HostFor(benchmark::State& state) {
  if (state.range(0) == 0) return std::make_shared<model::ModelApplication>();
#ifdef PLENDRIX_UNO
  if (plx::docif::lo::OfficeInstalled()) {
    static std::unique_ptr<plx::cli::OfficeHost> office = plx::cli::StartOfficeHost();
    return office->Application();
  }
#endif
  state.SkipWithError("LibreOffice or its SDK is missing here");
  return nullptr;
}

void BM_HostOpenTwentyPages(benchmark::State& state) {
  auto app = HostFor(state);
  if (!app) return;
  for (auto _ : state) {
    auto doc = app->GetDocuments()->Open(TwentyPagePaper().wstring(), false);
    state.PauseTiming();
    app->GetDocuments()->Close(doc);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HostOpenTwentyPages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Sixteen positions spread over the paper, each made a host range and its font read.
void BM_HostPositionToRange(benchmark::State& state) {
  auto app = HostFor(state);
  if (!app) return;
  auto doc = app->GetDocuments()->Open(TwentyPagePaper().wstring(), false);
  const long length = doc->Content()->End();
  for (auto _ : state)
    for (long i = 0; i < 16; ++i) {
      const long at = length * i / 16;
      benchmark::DoNotOptimize(doc->GetRange(at, at + 1)->Font());
    }
  state.counters["chars"] = static_cast<double>(length);
  app->GetDocuments()->Close(doc);
}
BENCHMARK(BM_HostPositionToRange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Sixteen bookmarks spread over the paper, each read back as a position:
// the host's own range turned into the add-in's counting.
void BM_HostRangeToPosition(benchmark::State& state) {
  auto app = HostFor(state);
  if (!app) return;
  auto doc = app->GetDocuments()->Open(TwentyPagePaper().wstring(), false);
  const long length = doc->Content()->End();
  for (long i = 0; i < 16; ++i) {
    const long at = length * i / 16;
    doc->GetBookmarks()->Add(L"mark" + std::to_wstring(i), *doc->GetRange(at, at + 1));
  }
  for (auto _ : state)
    for (long i = 0; i < 16; ++i) benchmark::DoNotOptimize(doc->GetBookmarks()->Item(L"mark" + std::to_wstring(i))->Start());
  app->GetDocuments()->Close(doc);
}
BENCHMARK(BM_HostRangeToPosition)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The clean-up of a paper copied from a web site: every "[来源:...]" tag removed.
void BM_HostWildcardReplaceAll(benchmark::State& state) {
  auto app = HostFor(state);
  if (!app) return;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = app->GetDocuments()->Open(TwentyPagePaper().wstring(), false);
    auto find = doc->Content()->GetFind();
    find->Text = L"\\[来源:*\\]";
    find->MatchWildcards = true;
    find->Replacement.Text = L"";
    state.ResumeTiming();
    benchmark::DoNotOptimize(find->Execute(kReplaceAll));
    state.PauseTiming();
    app->GetDocuments()->Close(doc);
    state.ResumeTiming();
  }
  state.counters["matches"] = 90;
}
BENCHMARK(BM_HostWildcardReplaceAll)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_HostTypeHundredLines(benchmark::State& state) {
  auto app = HostFor(state);
  if (!app) return;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = app->GetDocuments()->Add();
    auto selection = app->GetSelection();
    state.ResumeTiming();
    for (int i = 1; i <= 100; ++i) selection->TypeText(std::to_wstring(i) + L"．已知集合A={1,2,3}，求A的子集个数。\r");
    state.PauseTiming();
    app->GetDocuments()->Close(doc);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HostTypeHundredLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The figure of examples/graphs.txt (a frame with ticks, grid, labels and
// six curves) drawn into a new document: over the bridge on LibreOffice,
// every shape's properties are calls into the office's process.
void BM_HostTextbookGraphInsertion(benchmark::State& state) {
  auto app = HostFor(state);
  if (!app) return;
  plx::bench::BenchAddin addin("plendrix-bench-host-textbook");
  plx::AddinContext& ctx = addin.Context();
  ctx.App = app;
  plx::graph::GraphContext g = plx::bench::TextbookFigure();
  plx::graph::PreviewCanvas canvas;
  plx::graph::ZBX_Graph(ctx, g, canvas);  // the tick and π labels, as the dialog records them
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = app->GetDocuments()->Add();
    state.ResumeTiming();
    plx::graph::InsertGraphs(ctx, g);
    state.PauseTiming();
    // The add-in shows a figure's failure and goes on: a document without
    // the one group holding the figure is a failed drawing.
    const bool drawn = doc->GetShapes()->Count() == 1;
    app->GetDocuments()->Close(doc);
    if (!drawn) {
      state.SkipWithError("the textbook graph was not drawn");
      break;
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HostTextbookGraphInsertion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

#ifdef PLENDRIX_BENCH_JOB
// The same figure drawn by the add-in inside LibreOffice's process, as the
// extension draws it: the time is the job's own (UseManualTime); the
// counter "withCall" adds the one call over the bridge that starts it.
void BM_ExtensionTextbookGraphInsertion(benchmark::State& state) {
  using namespace ::com::sun::star;
  if (!plx::docif::lo::OfficeInstalled()) {
    state.SkipWithError("LibreOffice is missing here");
    return;
  }
  // A profile past its first start, as a teacher's office is: the first
  // start's one-time graphics checks would hold the office while it draws.
  const plx::cli::RunProfile profile;
  plx::docif::lo::OfficeProcess office(profile.Path().string(), "plendrix-bench-" + std::to_string(getpid()));
  const auto& context = office.Context();
  uno::Reference<loader::XImplementationLoader> loader(
      context->getServiceManager()->createInstanceWithContext("com.sun.star.loader.SharedLibrary", context),
      uno::UNO_QUERY_THROW);
  uno::Reference<lang::XSingleComponentFactory> factory(
      loader->activate(PLENDRIX_BENCH_JOB, "", "file://" PLENDRIX_BENCH_JOB_LIBRARY, nullptr), uno::UNO_QUERY_THROW);
  uno::Reference<task::XJob> job(factory->createInstanceWithContext(context), uno::UNO_QUERY_THROW);
  double withCall = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    double took = 0;
    const uno::Any result = job->execute({});
    if (!(result >>= took)) {
      state.SkipWithError(rtl::OUStringToOString(result.get<rtl::OUString>(), RTL_TEXTENCODING_UTF8).getStr());
      break;
    }
    withCall += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(took / 1000);
  }
  state.counters["withCall"] = withCall / static_cast<double>(state.iterations());
  job.clear();
  factory.clear();
  office.Stop();
}
BENCHMARK(BM_ExtensionTextbookGraphInsertion)->UseManualTime()->Unit(benchmark::kMillisecond);
#endif

}  // namespace
