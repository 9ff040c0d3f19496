#include "shapes/frm_custom_transform.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "shapes/shape_transforms.hpp"

namespace plx {

frmFangSuo::frmFangSuo(AddinContext& ctx) : Form(ctx, L"frmFangSuo") {
  AddControl(Box(L"labCaption", L"", L"自定义放缩倍数")).kind = ControlKind::Label;
  AddControl(Box(L"txtBS", L"倍数", L"2"));
  AddControl(Options(L"optFS", L"", {L"放大", L"缩小"}));
  AddControl(Button(L"cmdOk", L"确定", [this] { cmdOk_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmFangSuo::cmdOk_Click() {
  try {
    const double factor = Val(NumberText(GetControl(L"txtBS").text));
    if (factor <= 0) {
      Ctx().Ui().MsgBox(L"请输入一个大于0的倍数。", Buttons::OK, L"");
      return;
    }
    ScaleSelection(Ctx(), GetControl(L"optFS").value == 1 ? 1 / factor : factor);
    Unload();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmFangSuo.cmdOk_Click-->line", __LINE__);
  }
}

frmXuanZhuan::frmXuanZhuan(AddinContext& ctx) : Form(ctx, L"frmXuanZhuan") {
  AddControl(Box(L"labCaption", L"", L"自定义旋转角度")).kind = ControlKind::Label;
  AddControl(Box(L"txtJD", L"角度", L"15"));
  AddControl(Options(L"optFX", L"方向", {L"逆时针", L"顺时针"}));
  AddControl(Button(L"cmdOk", L"确定", [this] { cmdOk_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmXuanZhuan::cmdOk_Click() {
  try {
    const std::wstring typed = NumberText(GetControl(L"txtJD").text);
    if (!IsNumeric(typed)) {
      Ctx().Ui().MsgBox(L"请输入旋转的角度（度），如30。", Buttons::OK, L"");
      return;
    }
    const double angle = Val(typed);
    Rotate(Ctx(), GetControl(L"optFX").value == 1 ? angle : -angle);
    Unload();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmXuanZhuan.cmdOk_Click-->line", __LINE__);
  }
}

}  // namespace plx
