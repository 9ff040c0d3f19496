#include "bank/frm_tiku_paperlist.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "bank/frm_tree.hpp"
#include "bank/tk_papers.hpp"
#include "bank/tk_sql.hpp"

namespace plx::bank {

frmTiKu_PaperList::frmTiKu_PaperList(AddinContext& ctx, std::weak_ptr<PaperPickTarget> target)
    : Form(ctx, L"frmTiKu_PaperList"), target_(std::move(target)) {
  AddControl(PickList(L"lstPaper", [this](int index) {
    GetControl(L"lstPaper").value = index;
    cmdOK_Click();
  }));
  AddControl(Button(L"cmdOK", L"确定", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdDelete", L"删除试卷", [this] { cmdDelete_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmTiKu_PaperList::Form_Load() {
  try {
    Control& list = GetControl(L"lstPaper");
    list.items = PaperNames(Ctx());
    list.value = list.items.empty() ? -1 : 0;
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_PaperList.Form_Load-->line", __LINE__);
  }
}

std::wstring frmTiKu_PaperList::Chosen() {
  const Control& list = GetControl(L"lstPaper");
  if (list.value < 0 || list.value >= static_cast<int>(list.items.size())) return L"";
  return list.items[static_cast<size_t>(list.value)];
}

void frmTiKu_PaperList::cmdOK_Click() {
  try {
    std::wstring name = Chosen();
    auto paper = name.empty() ? std::nullopt : FindPaper(Ctx(), name);
    if (!paper) {
      Ctx().Ui().MsgBox(L"您没有选中试卷，请检查！", Buttons::OK, L"");
      return;
    }
    if (auto target = target_.lock()) target->PaperPicked(paper->id, paper->name);
    Unload();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_PaperList.cmdOK_Click-->line", __LINE__);
  }
}

void frmTiKu_PaperList::cmdDelete_Click() {
  try {
    if (!DeletePaper(Ctx(), Chosen())) return;
    Control& list = GetControl(L"lstPaper");
    list.items = BankRows(Ctx(), sql::PaperList(),
                          [](db::Recordset& rs) { return rs.Field(L"name").Text(); });
    list.value = list.items.empty() ? -1 : 0;
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_PaperList.cmdDelete_Click-->line", __LINE__);
  }
}

void ChoosePaper(AddinContext& ctx, const std::shared_ptr<PaperPickTarget>& target) {
  std::make_shared<frmTiKu_PaperList>(ctx, target)->Show();
}

}  // namespace plx::bank
