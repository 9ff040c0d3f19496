// The renderer on the page of examples/graphs.txt (a frame with ticks,
// grid, labels and six curves): building the page's scene from the
// document, and writing it as a PNG at 150 dpi (about 45 ms here).
// LibreOffice takes about 1.9 s for the same page on this machine
// (converting the saved .docx to PDF with a fresh profile, then pdftoppm
// at 150 dpi).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_addin.hpp"
#include "docif/model/model_application.hpp"
#include "graph/curves/trig_curves.hpp"
#include "graph/frame/insertion.hpp"
#include "graph/preview/zbx_graph.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"

namespace {

// The figure of examples/graphs.txt inserted into a new document.
struct GraphPage {
  GraphPage() : addin("plendrix-bench-picture") {
    using namespace plx::graph;
    host->GetDocuments()->Add();
    addin.Context().App = host;
    host->ActiveDocument()->Content()->SetText(L"在同一坐标系中画出下列函数的图象：\r");
    GraphContext g;
    g.frame = {-8, 8, -6, 6, 1};
    SJRecord sine;
    sine.xmax = 2 * 3.14159265358979;
    sine.pieces = FindTrigPieces(g.frame, [&](double x) { return TrigAt(sine, x); }, 0, sine.xmax);
    g.sjTable = {sine};
    g.axTable = {{2, 0, 0, -8, 2.5, {}}};
    g.logTable = {{0, 2, 0, 0, 0.02, 8, {}}};
    g.miTable = {{1, 1, 3, -8, 8, {}}};
    g.fblhsTable = {{1, 0.17, -8, 8, {}}};
    g.zxTable = {{-2, 7, 5, -4, {}}};
    g.List1 = {L"平面直角坐标系(ZBX)", L"坐标网格(ZBWG)",  L"三角函数(SJ) 1", L"指数函数(AX) 1",
               L"对数函数(LogX) 1",   L"幂函数(MI) 1",    L"反比例函数(FBLHS) 1", L"直线(ZX) 1"};
    PreviewCanvas canvas;
    ZBX_Graph(addin.Context(), g, canvas);
    InsertGraphs(addin.Context(), g);
  }
  plx::bench::BenchAddin addin;
  std::shared_ptr<plx::docif::model::ModelApplication> host =
      std::make_shared<plx::docif::model::ModelApplication>();
};

void BM_GraphPageScene(benchmark::State& state) {
  GraphPage page;
  for (auto _ : state) benchmark::DoNotOptimize(plx::pictures::PageScene(*page.host->ActiveDocument(), 1));
}
BENCHMARK(BM_GraphPageScene)->Unit(benchmark::kMillisecond);

void BM_GraphPagePng150(benchmark::State& state) {
  GraphPage page;
  const std::string file = (std::filesystem::temp_directory_path() / "plendrix-bench-page.png").string();
  for (auto _ : state) {
    const auto scene = plx::pictures::PageScene(*page.host->ActiveDocument(), 1);
    if (!plx::pictures::WritePicture(scene, plx::pictures::PictureFormat::Png, 150, file).empty())
      state.SkipWithError("the PNG could not be written");
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_GraphPagePng150)->Unit(benchmark::kMillisecond);

}  // namespace
