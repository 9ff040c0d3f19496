#pragma once
// The settings dialog: every stored setting on ten tabs, one tab per
// configuration group, written back in one step. Each setting's control
// carries the setting's own name (`blPLZH`, `iMathType`, `txtAnsKey`), so
// scripts and tests set them as the stored keys are named.
#include <map>
#include <string>

#include "addin/form.hpp"

namespace plx {

class frmConfig : public Form {
 public:
  explicit frmConfig(AddinContext& ctx);
  DialogLayout Layout() const override;

  // The tab strip `SSTab1`: showing a tab loads its group into its controls.
  void SSTab1_Click(int tab);
  // Loads `group` and sets every control of the group from its key.
  void ApplyConfigInfo(const std::wstring& group);
  // Lists the custom formula rules in `txtRules`.
  void ShowRules();
  void cmdOk_Click();
  void cmdCancel_Click();
  void cmdImport_Click();

 protected:
  void Form_Load() override;

 private:
  void FillFontLists();
  // Each loaded key's stored text and its control's value when loaded: a
  // control the user left alone writes the stored text back unchanged.
  struct LoadedKey {
    std::wstring stored;
    std::wstring shown;
  };
  std::map<std::wstring, LoadedKey> loaded_;
  bool fontsFilled_ = false;
};

}  // namespace plx
