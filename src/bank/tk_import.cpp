#include "bank/tk_import.hpp"

#include <filesystem>
#include <map>

#include "addin/addin_context.hpp"
#include "bank/tk_files.hpp"
#include "bank/tk_papers.hpp"
#include "bank/tk_sql.hpp"
#include "bank/tk_store.hpp"
#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "config/mod_database.hpp"

namespace plx::bank {
namespace {

struct OldBank {
  std::vector<PaperRow> papers;
  std::vector<QuestionRow> questions;
};

// The old bank's rows, their file stems in the old bank's folder.
OldBank ReadOldBank(AddinContext& ctx, const std::wstring& folder, const std::wstring& path) {
  OldBank old;
  OpenBackUpDatabase(ctx, path);
  struct Closer {
    AddinContext& ctx;
    ~Closer() { CloseBackUpDatabase(ctx); }
  } closer{ctx};
  ctx.BakRs.Open(sql::NewPaper(), ctx.BakConn);
  for (; !ctx.BakRs.EOF_(); ctx.BakRs.MoveNext()) old.papers.push_back(ReadPaper(ctx.BakRs));
  ctx.BakRs.Close();
  ctx.BakRs.Open(sql::NewQuestion(), ctx.BakConn);
  for (; !ctx.BakRs.EOF_(); ctx.BakRs.MoveNext()) {
    old.questions.push_back(ReadQuestion(ctx.BakRs));
    old.questions.back().fileName = StemInBank(folder, old.questions.back().fileName);
  }
  ctx.BakRs.Close();
  return old;
}

// The question's files copied to a new stem of this bank; the old stem
// stays when its document is not there to copy.
std::wstring CopyFiles(AddinContext& ctx, const std::wstring& oldStem) {
  namespace fs = std::filesystem;
  if (oldStem.empty() || !FileExists(oldStem + L".doc")) return oldStem;
  std::wstring stem = StoredPath(ctx, NewFileName(ctx));
  for (const wchar_t* ext : {L".doc", L".wmf"}) {
    fs::path from(WideToUtf8(oldStem + ext));
    std::error_code ec;
    if (fs::exists(from, ec)) fs::copy_file(from, fs::path(WideToUtf8(stem + ext)), fs::copy_options::overwrite_existing);
  }
  return stem;
}

long Added(db::Recordset& rs) { return static_cast<long>(rs.Field(L"id").Number()); }

}  // namespace

void ImportOldBank(AddinContext& ctx) {
  UserInterface& ui = ctx.Ui();
  std::wstring folder = ui.ChooseFolder(L"请选择旧版Plendrix所在文件夹");
  if (folder.size() < 2) return;
  std::wstring bank = CollapseSeparators(JoinPath(folder, L"TK_plendrix"));
  std::wstring path = JoinPath(bank, L"TK_plendrix.mdb");
  if (!FileExists(path)) {
    ui.MsgBox(L"所选文件夹中没有找到旧版题库（" + path + L"），请检查！", Buttons::OK, L"");
    return;
  }
  OldBank old = ReadOldBank(ctx, bank, path);
  std::vector<std::wstring> copied;  // removed again when the import fails

  TkSession session(ctx);
  ctx.Conn.BeginTrans();
  try {
    std::map<long, long> paperIds, questionIds;
    ctx.Rs.Open(sql::NewPaper(), ctx.Conn);
    for (PaperRow p : old.papers) {
      p.tmIds.clear();
      ctx.Rs.AddNew();
      WritePaper(ctx.Rs, p);
      ctx.Rs.Update();
      paperIds[p.id] = Added(ctx.Rs);
    }
    ctx.Rs.Close();
    ctx.Rs.Open(sql::NewQuestion(), ctx.Conn);
    for (QuestionRow q : old.questions) {
      auto paper = paperIds.find(q.paperId);
      q.paperId = paper == paperIds.end() ? 0 : paper->second;
      std::wstring stem = CopyFiles(ctx, q.fileName);
      if (stem != q.fileName) copied.push_back(stem);
      q.fileName = stem;
      ctx.Rs.AddNew();
      WriteQuestion(ctx.Rs, q);
      ctx.Rs.SetField(L"usedtimes", static_cast<int64_t>(q.usedTimes));
      ctx.Rs.SetField(L"lastusedtime", q.lastUsed);
      ctx.Rs.Update();
      questionIds[q.id] = Added(ctx.Rs);
    }
    ctx.Rs.Close();
    for (const PaperRow& p : old.papers) {
      std::vector<long> ids;
      for (long id : ParseIds(p.tmIds))
        if (auto it = questionIds.find(id); it != questionIds.end()) ids.push_back(it->second);
      if (ids.empty()) continue;
      ctx.Rs.Open(sql::PaperById(paperIds[p.id]), ctx.Conn);
      ctx.Rs.SetField(L"TM_id", JoinIds(ids));
      ctx.Rs.Update();
      ctx.Rs.Close();
    }
    ctx.Conn.CommitTrans();
  } catch (...) {
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    ctx.Conn.RollbackTrans();
    for (const auto& stem : copied)
      for (const wchar_t* ext : {L".doc", L".wmf"}) {
        std::error_code ec;
        std::filesystem::remove(std::filesystem::path(WideToUtf8(stem + ext)), ec);
      }
    throw;
  }
  ui.MsgBox(L"旧版题库导入完成：共导入" + std::to_wstring(old.papers.size()) + L"份试卷、" +
                std::to_wstring(old.questions.size()) + L"道试题。",
            Buttons::OK, L"");
}

}  // namespace plx::bank
