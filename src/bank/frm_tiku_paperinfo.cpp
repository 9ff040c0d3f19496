#include "bank/frm_tiku_paperinfo.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "bank/tk_papers.hpp"
#include "common/text.hpp"

namespace plx::bank {

frmTiKu_PaperInfo::frmTiKu_PaperInfo(AddinContext& ctx, std::weak_ptr<PaperPickTarget> target)
    : Form(ctx, L"frmTiKu_PaperInfo"), target_(std::move(target)) {
  AddControl(Box(L"txtName", L"试卷名称", L""));
  AddControl(Combo(L"cmbGrade", L"年级", {}, L""));
  AddControl(Combo(L"cmbProvinces", L"地区", {}, L""));
  AddControl(Box(L"txtYear", L"年份", L""));
  AddControl(Box(L"txtSchool", L"学校", L""));
  AddControl(Combo(L"cmbType", L"试卷类型", {}, L""));
  AddControl(Button(L"cmdOK", L"保存", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmTiKu_PaperInfo::Form_Load() {
  try {
    GetControl(L"txtYear").text = std::to_wstring(Ctx().GetClock().Now().year);
    for (auto [control, table] : {std::pair{L"cmbGrade", L"tkGrade"}, std::pair{L"cmbProvinces", L"Provinces"},
                                  std::pair{L"cmbType", L"tkPaperType"}}) {
      auto items = ValueList(Ctx(), table);
      Control& c = GetControl(control);
      if (c.text.empty() && !items.empty()) c.text = items.front();
      c.items = std::move(items);
    }
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_PaperInfo.Form_Load-->line", __LINE__);
  }
}

void frmTiKu_PaperInfo::cmdOK_Click() {
  try {
    PaperRow paper;
    paper.name = Trim(GetControl(L"txtName").text);
    paper.grade = GetControl(L"cmbGrade").text;
    paper.provinces = GetControl(L"cmbProvinces").text;
    paper.year = Trim(GetControl(L"txtYear").text);
    paper.school = Trim(GetControl(L"txtSchool").text);
    paper.type = GetControl(L"cmbType").text;
    auto id = SavePaper(Ctx(), paper);
    if (!id) return;
    if (auto target = target_.lock()) target->PaperPicked(*id, paper.name);
    Unload();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_PaperInfo.cmdOK_Click-->line", __LINE__);
  }
}

void DescribePaper(AddinContext& ctx, const std::wstring& name, const std::shared_ptr<PaperPickTarget>& target) {
  auto form = std::make_shared<frmTiKu_PaperInfo>(ctx, target);
  form->GetControl(L"txtName").text = name;
  form->Show();
}

}  // namespace plx::bank
