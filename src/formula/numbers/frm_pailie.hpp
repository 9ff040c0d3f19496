#pragma once
// The arrangement/combination dialog: the letter of `Label1` ("A" or "C",
// chosen by `optAC`), n in `txtN` and m in `txtM`; OK types the letter, the
// stacked indices as a field and "=" with the value. A click on `Label1`
// appends the add-in's three folders to the document, for support.
#include "addin/form.hpp"

namespace plx {

class frmPaiLie : public Form {
 public:
  explicit frmPaiLie(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdOK_Click();
  void Label1_Click();
};

}  // namespace plx
