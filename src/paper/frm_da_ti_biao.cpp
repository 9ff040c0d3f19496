#include "paper/frm_da_ti_biao.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "paper/answer_table.hpp"
#include "platform/ui.hpp"

namespace plx {

frmDaTiBiao::frmDaTiBiao(AddinContext& ctx) : Form(ctx, L"frmDaTiBiao") {
  AddControl(Box(L"labCaption", L"", L"插入选择题答题表")).kind = ControlKind::Label;
  AddControl(Box(L"txtCount", L"选择题题数", L"12"));
  AddControl(Box(L"txtPerRow", L"每行题数", L"12"));
  AddControl(Box(L"txtStart", L"起始题号", L"1"));
  AddControl(Button(L"cmdOk", L"确定", [this] { cmdOk_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmDaTiBiao::cmdOk_Click() {
  try {
    AnswerTableInput input =
        ParseAnswerTable(GetControl(L"txtCount").text, GetControl(L"txtPerRow").text, GetControl(L"txtStart").text);
    if (!input.layout) {
      Ctx().Ui().MsgBox(input.message, Buttons::OK, L"答题表");
      return;
    }
    InsertAnswerTable(Ctx(), *input.layout);
    Unload();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmDaTiBiao.cmdOk_Click-->line", __LINE__);
  }
}

}  // namespace plx
