// Opening a drawing-heavy document: every floating shape becomes a model
// shape, so a worksheet full of graphs must still open quickly.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "common/text.hpp"
#include "docif/model/model_application.hpp"
#include "docif/model/model_document.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"

namespace {

namespace fs = std::filesystem;

// 2,000 shapes on 50 paragraphs: per paragraph a graph-like group of 30
// lines, curves and labelled text boxes, plus 10 loose auto shapes.
std::string MakeDrawings() {
  auto app = std::make_shared<plx::docif::model::ModelApplication>();
  auto doc = app->GetDocuments()->Add();
  std::wstring text;
  for (int i = 1; i <= 50; ++i) text += std::to_wstring(i) + L"．画出函数的图象。\r";
  auto content = doc->Content();
  content->SetRange(0, content->End() - 1);
  content->SetText(text);
  auto shapes = doc->GetShapes();
  int made = 0;
  for (int p = 0; p < 50; ++p) {
    auto at = doc->Paragraphs()->Item(p + 1);
    doc->GetRange(at->Start(), at->Start())->Select();
    std::vector<std::wstring> names;
    for (int k = 0; k < 30; ++k, ++made) {
      float x = 100.0f + k * 10, y = 100.0f + p * 12;
      plx::docif::ShapePtr s;
      if (k % 3 == 0) s = shapes->AddLine(x, y, x + 8, y + 30);
      else if (k % 3 == 1) s = shapes->AddCurve({{x, y}, {x + 3, y - 5}, {x + 6, y + 5}, {x + 9, y}});
      else {
        s = shapes->AddTextbox(1, x, y, 15, 15);
        s->TextRange()->SetText(L"x");
      }
      names.push_back(s->Name());
    }
    shapes->Range(names)->Group();
    for (int k = 0; k < 10; ++k, ++made)
      shapes->AddShape(k % 2 ? plx::docif::kAutoShapeOval : plx::docif::kAutoShapeRectangle, 50.0f + k * 40,
                       500.0f, 30, 20);
  }
  std::string path = (fs::temp_directory_path() / "plendrix-bench-drawings.docx").string();
  plx::docif::ooxml::SaveDocx(*static_cast<plx::docif::model::ModelDocument&>(*doc).Data(), plx::Utf8ToWide(path));
  return path;
}

void BM_Open2000Shapes(benchmark::State& state) {
  std::string path = MakeDrawings();
  auto shared = std::make_shared<plx::docif::model::AppShared>();
  size_t shapes = 0;
  for (auto _ : state) {
    auto doc = plx::docif::ooxml::ReadDocx(plx::Utf8ToWide(path), shared);
    shapes = plx::docif::model::AllShapes(*doc).size();
    benchmark::DoNotOptimize(doc);
  }
  state.counters["shapes"] = static_cast<double>(shapes);
  fs::remove(path);
}
BENCHMARK(BM_Open2000Shapes)->Unit(benchmark::kMillisecond);

// The same shapes placed as word processors usually place them: down from
// the top of their paragraph, which needs the text laid out.
void BM_Open2000ParagraphAnchoredShapes(benchmark::State& state) {
  std::string path = MakeDrawings();
  auto parts = plx::docif::ooxml::ReadPackage(path);
  std::string& body = parts["word/document.xml"];
  const std::string page = "<wp:positionV relativeFrom=\"page\">";
  for (size_t at = body.find(page); at != std::string::npos; at = body.find(page, at + 1))
    body.replace(at, page.size(), "<wp:positionV relativeFrom=\"paragraph\">");
  plx::docif::ooxml::WritePackage(path, parts);
  auto shared = std::make_shared<plx::docif::model::AppShared>();
  for (auto _ : state) benchmark::DoNotOptimize(plx::docif::ooxml::ReadDocx(plx::Utf8ToWide(path), shared));
  fs::remove(path);
}
BENCHMARK(BM_Open2000ParagraphAnchoredShapes)->Unit(benchmark::kMillisecond);

// Opening, moving every shape (each is then written anew) and saving.
void BM_OpenMoveAndSave2000Shapes(benchmark::State& state) {
  std::string path = MakeDrawings();
  std::wstring out = plx::Utf8ToWide(path + ".out.docx");
  auto shared = std::make_shared<plx::docif::model::AppShared>();
  for (auto _ : state) {
    auto data = plx::docif::ooxml::ReadDocx(plx::Utf8ToWide(path), shared);
    auto doc = std::make_shared<plx::docif::model::ModelDocument>(data);
    auto shapes = doc->GetShapes();
    for (int i = 1; i <= shapes->Count(); ++i) shapes->Item(i)->IncrementLeft(1);
    plx::docif::ooxml::SaveDocx(*data, out);
  }
  fs::remove(path);
  fs::remove(plx::WideToUtf8(out));
}
BENCHMARK(BM_OpenMoveAndSave2000Shapes)->Unit(benchmark::kMillisecond);

}  // namespace
