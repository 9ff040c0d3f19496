#pragma once
// "答题表": the answer table of a paper's multiple-choice questions.
#include "addin/form.hpp"

namespace plx {

// Questions `txtCount`, questions per row `txtPerRow`, first number
// `txtStart`; OK inserts the table at the insertion point and closes, a
// wrong number keeps the dialog open with a message.
class frmDaTiBiao : public Form {
 public:
  explicit frmDaTiBiao(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdOk_Click();
};

}  // namespace plx
