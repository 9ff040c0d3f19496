#pragma once
// The radical dialog: an n-th root typed as index `txtZS` and radicand
// `txtKFS` is inserted as a formula; "化简" writes it as k times a smaller
// root (`txtReal`, `txtKFS_Convert`), hiding the root when it is whole.
// The ready-made buttons (`cmdReady1`...) insert common roots.
#include <string>
#include <vector>

#include "addin/form.hpp"

namespace plx {

class frmGenShi : public Form {
 public:
  explicit frmGenShi(AddinContext& ctx);
  DialogLayout Layout() const override;
  // Simplifies; false (after the message) for input it cannot.
  bool cmdHJ_Click();
  void cmdOK_Click();

  static const std::vector<std::wstring>& ReadyMade();

 private:
  void ClearResult();
};

// The formula text of k times the n-th root of r: "sqr(r)" for square roots,
// "sqr(n,r)" otherwise, k written before it unless it is 1, k alone when r is 1.
std::wstring RadicalFormula(const std::wstring& k, const std::wstring& n, const std::wstring& r);

}  // namespace plx
