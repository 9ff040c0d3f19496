#pragma once
// Papers in the question bank: saving a paper's description, deleting it,
// listing papers, appending stored questions to a paper and collecting a
// paper's questions in paper order to rebuild it. The user is asked and
// told what happens in the bank's own words.
#include <optional>
#include <string>
#include <vector>

#include "bank/tk_store.hpp"

namespace plx {
class AddinContext;
}

namespace plx::bank {

struct PaperRow {
  long id = 0;
  std::wstring name, grade, provinces, year, school, type;
  std::wstring tmIds;  // question ids in paper order, joined by ","
};

PaperRow ReadPaper(const db::Recordset& rs);
void WritePaper(db::Recordset& rs, const PaperRow& paper);
// The ids of a stored list ("12,13,15") as numbers; whatever else the text
// holds is dropped, so it is never pasted into a statement.
std::vector<long> ParseIds(const std::wstring& list);
std::wstring JoinIds(const std::vector<long>& ids);

// Saves a new paper; an empty name is refused and a name already in the
// bank is saved only when the user agrees. The new id, or nothing.
std::optional<long> SavePaper(AddinContext& ctx, const PaperRow& paper);
// Deletes the papers of that name when the user agrees; an empty name
// says nothing was chosen. True when deleted.
bool DeletePaper(AddinContext& ctx, const std::wstring& name);
// Paper names, newest first; an empty bank says so.
std::vector<std::wstring> PaperNames(AddinContext& ctx);
// The 30 newest papers, for the browser's paper tree.
std::vector<PaperRow> LatestPapers(AddinContext& ctx);
std::optional<PaperRow> FindPaper(AddinContext& ctx, long id);
std::optional<PaperRow> FindPaper(AddinContext& ctx, const std::wstring& name);
// Appends question ids to the paper's list (error 3021 when the paper is gone).
void SaveTM2Paper(AddinContext& ctx, long paperId, const std::vector<long>& ids);
// The paper's questions in paper order, for rebuilding it. A paper with no
// questions, or whose stored questions are missing, is reported; a paper
// of one question is opened only when the user agrees. Nothing when the
// rebuild does not go ahead.
std::optional<std::vector<QuestionRow>> PaperQuestions(AddinContext& ctx, long paperId);

}  // namespace plx::bank
