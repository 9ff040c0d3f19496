// Opening and saving a long document: every command-line run does both.
// The reference beside it: the same package's XML parts parsed and written
// out again by pugixml alone, which is the least any reader and writer of
// these parts must do.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <filesystem>
#include <string>

#include "common/text.hpp"
#include "docif/model/model_application.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"

namespace {

namespace fs = std::filesystem;

// A 100-page exam paper with formatting, fields, a table per page and shapes.
std::string MakePaper() {
  auto app = std::make_shared<plx::docif::model::ModelApplication>();
  auto doc = app->GetDocuments()->Add();
  std::wstring text;
  for (int i = 1; i <= 1800; ++i)
    text += std::to_wstring(i % 50 + 1) + L"．已知函数f(x)=x^2+2x+1，求f(x)在区间[0,3]上的最大值与最小值。\rA．1\tB．2\tC．3\tD．4\r【答案】C\r";
  auto content = doc->Content();
  content->SetRange(0, content->End() - 1);
  content->SetText(text);
  for (int i = 0; i < 150; ++i) {
    auto p = doc->Paragraphs()->Item(1 + i * 30);
    p->SetFont({.Bold = true, .Color = 0x0000FF});
    auto at = doc->GetRange(p->End() - 1, p->End() - 1);
    doc->GetFields()->Add(*at, plx::docif::kFieldEmpty, L"EQ \\F(1,2)", false);
    doc->GetShapes()->AddLine(100, 100 + i, 200, 150 + i);
  }
  std::string path = (fs::temp_directory_path() / "plendrix-bench-paper.docx").string();
  plx::docif::ooxml::SaveDocx(*static_cast<plx::docif::model::ModelDocument&>(*doc).Data(), plx::Utf8ToWide(path));
  return path;
}

void BM_OpenAndSave100Pages(benchmark::State& state) {
  std::string path = MakePaper();
  std::wstring out = plx::Utf8ToWide(path + ".out.docx");
  auto shared = std::make_shared<plx::docif::model::AppShared>();
  for (auto _ : state) {
    auto doc = plx::docif::ooxml::ReadDocx(plx::Utf8ToWide(path), shared);
    plx::docif::ooxml::SaveDocx(*doc, out);
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  auto doc = std::make_shared<plx::docif::model::ModelDocument>(plx::docif::ooxml::ReadDocx(plx::Utf8ToWide(path), shared));
  state.counters["pages"] = doc->Content()->Information(plx::docif::kNumberOfPagesInDocument);
  fs::remove(path);
  fs::remove(plx::WideToUtf8(out));
}
BENCHMARK(BM_OpenAndSave100Pages)->Unit(benchmark::kMillisecond);

// A string sink for pugixml's writer.
struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
};

void BM_PugixmlParseAndWrite100Pages(benchmark::State& state) {
  std::string path = MakePaper();
  const plx::docif::ooxml::Parts parts = plx::docif::ooxml::ReadPackage(path);
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const auto& [name, xml] : parts) {
      if (!name.ends_with(".xml") && !name.ends_with(".rels")) continue;
      pugi::xml_document doc;
      doc.load_buffer(xml.data(), xml.size());
      StringWriter writer;
      doc.save(writer, "", pugi::format_raw);
      bytes += writer.out.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["xml_bytes"] = static_cast<double>(bytes);
  fs::remove(path);
}
BENCHMARK(BM_PugixmlParseAndWrite100Pages)->Unit(benchmark::kMillisecond);

}  // namespace
