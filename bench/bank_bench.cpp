// The question bank: marking a long exam paper, one page of a chapter in a
// bank of 100,000 questions (the first page and a deep one), and the batch
// import of the corpus teacher's paper (skipped without the corpus).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bank/frm_tiku_piliangruku.hpp"
#include "bank/marking/tk_marking.hpp"
#include "bank/marking/plrk.hpp"
#include "bank/tk_pages.hpp"
#include "bank/tk_store.hpp"
#include "bench_addin.hpp"
#include "config/mod_database.hpp"
#include "docif/model/model_application.hpp"
#include "docif/range.hpp"
#include "support/build_paths.hpp"

namespace {

// About 100 pages: a teacher's version with its answers after each question,
// numbered anew in each big question.
std::wstring TeachersPaper(int questions) {
  std::wstring text = L"2026年高二数学期中考试（教师版）\r";
  for (int i = 1; i <= questions; ++i) {
    if (i % 40 == 1) text += L"一、选择题：本题共40小题，每小题5分。\r";
    text += std::to_wstring((i - 1) % 40 + 1) + L"．已知函数f(x)=x^2+2x+1，集合A={x|x>0}[来源:学科网]，求f(" + std::to_wstring(i) +
            L")的值及其在区间[0,3.5]上的最大值与最小值。\r";
    text += L"A．1\tB．2\tC．3\tD．4\r【答案】C\r【解析】由题意可知，函数在区间上单调递增，故选C。\r";
  }
  return text;
}

void BM_AutoMarkPaper(benchmark::State& state) {
  plx::bench::BenchAddin addin("plendrix_bench_mark");
  auto& ctx = addin.Context();
  auto app = std::make_shared<plx::docif::model::ModelApplication>();
  ctx.App = app;
  std::wstring paper = TeachersPaper(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = app->GetDocuments()->Add();
    doc->Content()->InsertBefore(paper);
    state.ResumeTiming();
    plx::bank::TiKu_AutoMark(ctx);
    state.PauseTiming();
    app->GetDocuments()->Close(doc);
    state.ResumeTiming();
  }
  auto doc = app->GetDocuments()->Add();
  doc->Content()->InsertBefore(paper);
  plx::bank::TiKu_AutoMark(ctx);
  if (plx::bank::TiKu_JianChaBiaoJi(ctx, false).find(L"相符") == std::wstring::npos)
    state.SkipWithError(plx::WideToUtf8(plx::bank::TiKu_JianChaBiaoJi(ctx, false)).c_str());
  auto end = doc->Content();
  end->Collapse(plx::docif::kCollapseEnd);
  state.counters["pages"] = end->Information(plx::docif::kNumberOfPagesInDocument);
}
BENCHMARK(BM_AutoMarkPaper)->Arg(1100)->Unit(benchmark::kMillisecond);

// 100,000 questions in 20 chapters of 5,000; page 500 of ten skips 4,990.
void BM_ChapterPage(benchmark::State& state) {
  plx::bench::BenchAddin addin("plendrix_bench_bank");
  auto& ctx = addin.Context();
  plx::OpenTKDatabase(ctx);
  ctx.Conn.Execute(
      L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<100000) "
      L"INSERT INTO tm (Type,Degree,PaperId,Points,Chapter,TMtext,FileName,usedtimes) "
      L"SELECT '单选题','中等',i%500,'函数的单调性,函数的最值',1+i%20,'已知函数求它的最小值与最大值并说明理由','x'||i,0 FROM n");
  plx::CloseTKDatabase(ctx);
  const int page = static_cast<int>(state.range(0));
  size_t rows = 0;
  for (auto _ : state) rows = plx::bank::QueryQuestions(ctx, plx::bank::ChapterPageSql(7, 10, page)).size();
  if (rows != 10) state.SkipWithError("a page did not hold ten questions");
}
BENCHMARK(BM_ChapterPage)->Arg(1)->Arg(500)->Unit(benchmark::kMillisecond);

// The 8 questions of the corpus teacher's paper imported end to end into a
// fresh bank: marking, the import dialog, each question's document and its
// WMF preview written record by record, the rows stored. With LibreOffice
// converting each preview it took 60 to 140 s.
void BM_BatchImportCorpusPaper(benchmark::State& state) {
  const std::filesystem::path paper = std::filesystem::path(build_paths::SharedDir()) / "corpus" / "exam-teacher.docx";
  if (!std::filesystem::exists(paper)) {
    state.SkipWithError("没有找到语料试卷 exam-teacher.docx，跳过");
    return;
  }
  size_t stored = 0;
  for (auto _ : state) {
    state.PauseTiming();
    plx::bench::BenchDocument doc("plendrix_bench_import");
    auto& ctx = doc.addin.Context();
    doc.host->GetDocuments()->Open(plx::Utf8ToWide(paper.string()), true);
    state.ResumeTiming();
    plx::bank::TiKu_AutoMark(ctx);
    std::shared_ptr<plx::bank::frmTiKu_PiLiangRuKu> form;
    plx::bank::PLRK(ctx, [&](plx::AddinContext& c, plx::bank::PaperAnalysis a) {
      form = std::make_shared<plx::bank::frmTiKu_PiLiangRuKu>(c);
      form->SetPaper(std::move(a));
      form->Show();
    });
    if (!form) {
      state.SkipWithError("the import dialog did not open");
      return;
    }
    for (const auto& c : form->Controls())
      if (c.name.starts_with(L"txtZSD") && c.text.empty()) form->SetValue(c.name, L"函数");
    form->SetValue(L"txtPaper", L"");
    doc.addin.Ui().Queue(plx::Answer::No);
    doc.addin.Ui().Queue(plx::Answer::OK);
    form->Click(L"cmdOK");
    stored = plx::bank::QueryQuestions(ctx, L"select * from tm").size();
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
  if (stored != 8) state.SkipWithError("the 8 questions were not stored");
}
BENCHMARK(BM_BatchImportCorpusPaper)->Unit(benchmark::kMillisecond);

}  // namespace
