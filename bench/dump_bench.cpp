// Dumping a long document as JSON: every paragraph asks the story for its
// fields, list number and table, so the time should grow with the pages,
// not with their square. The exam paper is read from a package made here:
// per page, numbered questions with an EQ field each, their options and a
// table of answers.
#include <benchmark/benchmark.h>

#include <string>

#include "docif/model/json_dump.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/zip_package.hpp"

namespace {

namespace ooxml = plx::docif::ooxml;

constexpr int kQuestionsPerPage = 15;

std::string Question(int n) {
  return "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr></w:pPr>"
         "<w:r><w:t>已知函数 f(x)=x^2+" + std::to_string(n % 9 + 1) + "x，求 </w:t></w:r>"
         "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>EQ \\F(1,2)</w:instrText></w:r>"
         "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r><w:t>1/2</w:t></w:r>"
         "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r><w:r><w:t> 处的切线方程。</w:t></w:r></w:p>"
         "<w:p><w:r><w:t>A．1</w:t></w:r><w:r><w:tab/></w:r><w:r><w:t>B．2</w:t></w:r><w:r><w:tab/></w:r>"
         "<w:r><w:t>C．3</w:t></w:r><w:r><w:tab/></w:r><w:r><w:t>D．4</w:t></w:r></w:p>";
}

std::string AnswerTable() {
  std::string row = "<w:tr>";
  for (const char* answer : {"A", "B", "C", "D", "A"}) row += std::string("<w:tc><w:p><w:r><w:t>") + answer + "</w:t></w:r></w:p></w:tc>";
  row += "</w:tr>";
  return "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr>" + row + row + "</w:tbl>";
}

std::shared_ptr<plx::docif::model::DocData> ReadPaper(int pages) {
  const std::string w = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  std::string body;
  for (int page = 0; page < pages; ++page) {
    for (int q = 0; q < kQuestionsPerPage; ++q) body += Question(page * kQuestionsPerPage + q);
    body += AnswerTable();
  }
  ooxml::Parts parts{
      {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"word/document.xml\"/>"
                      "</Relationships>"},
      {"word/_rels/document.xml.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" Type=\"" + rel + "numbering\" Target=\"numbering.xml\"/></Relationships>"},
      {"word/numbering.xml", "<w:numbering xmlns:w=\"" + w + "\"><w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\">"
                             "<w:numFmt w:val=\"decimal\"/><w:lvlText w:val=\"%1．\"/></w:lvl></w:abstractNum>"
                             "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num></w:numbering>"},
      {"word/document.xml", "<w:document xmlns:w=\"" + w + "\"><w:body>" + body + "</w:body></w:document>"},
  };
  return ooxml::ReadDocxPackage(std::make_shared<ooxml::PartsPackage>(std::move(parts)), L"paper.docx",
                                std::make_shared<plx::docif::model::AppShared>());
}

void BM_DumpPages(benchmark::State& state) {
  auto data = ReadPaper(static_cast<int>(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state) bytes = plx::docif::model::DumpJson(*data).size();
  plx::docif::model::ModelDocument doc(data);
  state.counters["pages"] = doc.Content()->Information(plx::docif::kNumberOfPagesInDocument);
  state.counters["jsonBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DumpPages)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
