// The renderer on the page of examples/graphs.txt (a frame with ticks,
// grid, labels and six curves): building the page's scene from the
// document, and writing it as a PNG at 150 dpi (about 45 ms here), or as
// an EMF or a WMF.
// LibreOffice takes about 1.9 s for the same page on this machine
// (converting the saved .docx to PDF with a fresh profile, then pdftoppm
// at 150 dpi). A page of twenty built-up equations, typeset from their
// Office Math Markup, takes about as long to draw as its text.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_addin.hpp"
#include "textbook_figure.hpp"
#include "docif/model/model_application.hpp"
#include "graph/frame/insertion.hpp"
#include "graph/preview/zbx_graph.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"

namespace {

// The figure of examples/graphs.txt inserted into a new document.
struct GraphPage {
  GraphPage() : doc("plendrix-bench-picture") {
    doc.host->ActiveDocument()->Content()->SetText(L"在同一坐标系中画出下列函数的图象：\r");
    plx::graph::GraphContext g = plx::bench::TextbookFigure();
    plx::graph::PreviewCanvas canvas;
    plx::graph::ZBX_Graph(doc.addin.Context(), g, canvas);
    plx::graph::InsertGraphs(doc.addin.Context(), g);
  }
  plx::bench::BenchDocument doc;
};

void BM_GraphPageScene(benchmark::State& state) {
  GraphPage page;
  for (auto _ : state) benchmark::DoNotOptimize(plx::pictures::PageScene(*page.doc.host->ActiveDocument(), 1));
}
BENCHMARK(BM_GraphPageScene)->Unit(benchmark::kMillisecond);

// The page's scene written as a picture file of the given format.
void WritePage(benchmark::State& state, plx::pictures::PictureFormat format, const char* name) {
  GraphPage page;
  const std::string file = (std::filesystem::temp_directory_path() / name).string();
  for (auto _ : state) {
    const auto scene = plx::pictures::PageScene(*page.doc.host->ActiveDocument(), 1);
    if (!plx::pictures::WritePicture(scene, format, 150, file).empty())
      state.SkipWithError("the picture could not be written");
  }
  std::filesystem::remove(file);
}

void BM_GraphPagePng150(benchmark::State& state) { WritePage(state, plx::pictures::PictureFormat::Png, "plendrix-bench-page.png"); }
BENCHMARK(BM_GraphPagePng150)->Unit(benchmark::kMillisecond);

// The metafiles, record by record (LibreOffice's conversion took 11 to
// 13 s a picture).
void BM_GraphPageEmf(benchmark::State& state) { WritePage(state, plx::pictures::PictureFormat::Emf, "plendrix-bench-page.emf"); }
BENCHMARK(BM_GraphPageEmf)->Unit(benchmark::kMillisecond);
void BM_GraphPageWmf(benchmark::State& state) { WritePage(state, plx::pictures::PictureFormat::Wmf, "plendrix-bench-page.wmf"); }
BENCHMARK(BM_GraphPageWmf)->Unit(benchmark::kMillisecond);

// Twenty lines, each an equation with fractions, a root, scripts and a sum.
void BM_FormulaPageScene(benchmark::State& state) {
  plx::bench::BenchDocument doc("plendrix-bench-formulas");
  auto d = doc.host->ActiveDocument();
  const std::wstring line = L"第一题 (x^2+1)/(√(x-1))+∑_(k=1)^n k^2=(n(n+1)(2n+1))/6\r";
  std::wstring text;
  for (int i = 0; i < 20; ++i) text += line;
  d->Content()->SetText(text);
  for (int i = 0; i < 20; ++i) {
    const long start = static_cast<long>(i * line.size()) + 4;
    d->Content()->GetOMaths()->Add(*d->GetRange(start, start + static_cast<long>(line.size()) - 5));
  }
  for (int i = 1; i <= 20; ++i) d->Content()->GetOMaths()->Item(i)->BuildUp();
  for (auto _ : state) benchmark::DoNotOptimize(plx::pictures::PageScene(*d, 1));
}
BENCHMARK(BM_FormulaPageScene)->Unit(benchmark::kMillisecond);

}  // namespace
