#pragma once
// "frmTiKu_PaperInfo": describes a new paper and saves it in the bank.
// Controls: `txtName`, `cmbGrade` (tkGrade), `cmbProvinces` (Provinces),
// `txtYear`, `txtSchool`, `cmbType` (tkPaperType), `cmdOK`, `cmdCancel`.
// A dialog that asked for the paper gets it back once it is saved.
#include <memory>

#include "addin/form.hpp"
#include "bank/paper_pick.hpp"

namespace plx::bank {

class frmTiKu_PaperInfo : public Form {
 public:
  explicit frmTiKu_PaperInfo(AddinContext& ctx, std::weak_ptr<PaperPickTarget> target = {});
  DialogLayout Layout() const override;
  void cmdOK_Click();

 private:
  void Form_Load() override;
  std::weak_ptr<PaperPickTarget> target_;
};

// Opens the paper form for a dialog, with the paper's name filled in.
void DescribePaper(AddinContext& ctx, const std::wstring& name, const std::shared_ptr<PaperPickTarget>& target);

}  // namespace plx::bank
