#pragma once
// "frmTiKu_View": browsing the bank. `optViewType` chooses the view (by
// chapter, by knowledge point, by paper, all questions) and `lstTree` the
// chapter, point or paper; `cmbTX` and `cmbND` filter by type and
// difficulty; `txtMeiYeTiMuShu` is the page size. `cmdCX` shows page 1,
// `lstPage` (captions "1", "2", …), `cmdPrev` and `cmdNext` turn pages;
// `labCount`, `labPages` and `labPage` say how many questions and pages
// there are and which page is shown. Each question shown has a tick box
// `chkTM1`… and a preview `imgTM1`… (its picture file; a double click
// opens the question for editing). `cmdAll`,
// `cmdNot` tick all or none;
// `cmdToWord` inserts the ticked questions into the document, `cmdDelete`
// deletes them. PreviewSvg draws the page's questions one below another.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "addin/form.hpp"
#include "bank/tk_papers.hpp"
#include "bank/tk_store.hpp"

namespace plx::bank {

class frmTiKu_View : public Form {
 public:
  enum ViewKind { kByChapter = 0, kByPoint = 1, kByPaper = 2, kAll = 3 };

  explicit frmTiKu_View(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdCX_Click();
  void ShowPage(int page);
  void cmdToWord_Click();
  void cmdDelete_Click();
  // The ids of the questions shown, joined by "||".
  std::wstring ShownIds() const;
  std::string PreviewSvg() override;

 private:
  void Form_Load() override;
  void LoadTree();
  void TickAll(int value);
  std::vector<long> Ticked();
  // The page size typed, checked with the user; nothing when refused.
  std::optional<int> PageSize();
  // Counts the questions of the view; false (after saying why) when the
  // view has nothing chosen.
  bool Count();
  // The page captions for the count, and the page shown (none when the
  // view is empty).
  void ShowPages(int page);
  void ShowRows(const std::vector<QuestionRow>& rows);
  bool HasControl(const std::wstring& name) const;

  std::vector<TreeNode> nodes_;
  std::vector<PaperRow> papers_;
  std::vector<QuestionRow> shown_;
  // Page p of k of the view; a paper's questions are paged from paperRows_.
  std::function<std::wstring(int, int)> statements_;
  std::vector<QuestionRow> paperRows_;
  int pageSize_ = 5;
  int page_ = 0;
  long count_ = 0;
};

}  // namespace plx::bank
