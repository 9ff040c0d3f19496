#pragma once
// "frmTiKu_PiLiangRuKu": a marked paper's questions stored in the bank at
// once. A report document lists every question with its answer and a line
// naming its knowledge points, difficulty and type; the dialog holds the
// same three choices per question: `txtZSD1`… (labelled "知识点：", with a
// point found in the question's "考点：" proposed), `cmbND1`…, `cmbTX1`….
// `cmbType`, `cmbDegree`, `txtPoint` with `chkTX`, `chkND`, `chkZSD` and
// `cmdApply` set every question at once; `txtChapter` (`cmdChapter`),
// `txtPaper` (`cmdPaper` chooses a stored paper) and `cmdOK`, which saves
// every question not saved yet, and appends them to the paper.
#include <memory>
#include <string>
#include <vector>

#include "addin/form.hpp"
#include "bank/frm_tree.hpp"
#include "bank/marking/plrk.hpp"
#include "bank/paper_pick.hpp"
#include "bank/tk_question.hpp"

namespace plx::bank {

// The knowledge point a question's text proposes ("考点：…" up to a full
// stop or the paragraph end), points separated by ","; empty when none.
std::wstring ProposedPoints(const std::wstring& text);
// The question type a big question's heading suggests, from the types
// offered; empty when the heading names none of them.
std::wstring SuggestedType(const std::wstring& heading, const std::vector<std::wstring>& types);

class frmTiKu_PiLiangRuKu : public Form, public PaperImportTarget, public TreePickTarget, public PaperPickTarget {
 public:
  explicit frmTiKu_PiLiangRuKu(AddinContext& ctx);
  DialogLayout Layout() const override;
  void SetPaper(PaperAnalysis analysis) override;
  void TreePicked(const std::wstring& mode, const std::vector<TreeNode>& nodes) override;
  void PaperPicked(long id, const std::wstring& name) override;
  void cmdApply_Click();
  void cmdOK_Click();
  // The report document while the dialog is open.
  std::shared_ptr<docif::Document> Report() const { return report_; }
  // Writes each question's picture; tests put a quicker writer here.
  PreviewWriter writePreview = WriteWmfPreview;

 private:
  struct Item {
    AnalysedQuestion question;
    docif::RangePtr line;  // the report's line of choices
    long savedId = 0;
  };
  void Form_Load() override;
  void Form_Unload() override;
  void BuildReport();
  void AddQuestionControls(size_t i, const std::wstring& type, const std::wstring& points);
  void ShowChoices(size_t i);
  std::wstring Choice(const wchar_t* prefix, size_t i);
  // The paper the questions go to, or 0; nothing when the user goes to
  // describe a new paper first.
  std::optional<long> ResolvePaper();

  PaperAnalysis analysis_;
  std::vector<Item> items_;
  std::shared_ptr<docif::Document> paper_, report_;
  std::vector<std::wstring> types_, degrees_;
  long paperId_ = 0;
  long chapterId_ = 0;
};

}  // namespace plx::bank
