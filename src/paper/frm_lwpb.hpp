#pragma once
// "批量排版": every article (.docx) of a folder typeset at once.
#include "addin/form.hpp"

namespace plx {

// The folder `txtFolder`, typed or chosen with `cmdBrowse`; `cmdOk` typesets
// its articles into copies beside them and reports how many were done and
// which failed.
class frmLWPB : public Form {
 public:
  explicit frmLWPB(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdBrowse_Click();
  void cmdOk_Click();
};

}  // namespace plx
