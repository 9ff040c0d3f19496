#pragma once
// "frmTiKu_PaperList": the papers of the bank, newest first, to choose the
// source paper of questions or to delete a paper. Controls: `lstPaper`,
// `cmdOK` (chooses it; a double click does too), `cmdDelete`, `cmdCancel`.
#include <memory>
#include <string>
#include <vector>

#include "addin/form.hpp"
#include "bank/paper_pick.hpp"

namespace plx::bank {

class frmTiKu_PaperList : public Form {
 public:
  frmTiKu_PaperList(AddinContext& ctx, std::weak_ptr<PaperPickTarget> target = {});
  DialogLayout Layout() const override;
  void cmdOK_Click();
  void cmdDelete_Click();

 private:
  void Form_Load() override;
  std::wstring Chosen();
  std::weak_ptr<PaperPickTarget> target_;
};

// Opens the list for a dialog that needs a paper.
void ChoosePaper(AddinContext& ctx, const std::shared_ptr<PaperPickTarget>& target);

}  // namespace plx::bank
