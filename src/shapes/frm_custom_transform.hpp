#pragma once
// The custom scale and rotation dialogs: a typed factor or angle applied to
// the selection like the one-click commands.
#include "addin/form.hpp"

namespace plx {

// "自定义放缩倍数": factor `txtBS`, `optFS` 0 enlarge / 1 shrink.
class frmFangSuo : public Form {
 public:
  explicit frmFangSuo(AddinContext& ctx);
  void cmdOk_Click();
  DialogLayout Layout() const override;
};

// "自定义旋转角度": angle `txtJD`, `optFX` 0 counterclockwise / 1 clockwise.
class frmXuanZhuan : public Form {
 public:
  explicit frmXuanZhuan(AddinContext& ctx);
  void cmdOk_Click();
  DialogLayout Layout() const override;
};

}  // namespace plx
