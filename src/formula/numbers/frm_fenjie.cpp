#include "formula/numbers/frm_fenjie.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "formula/numbers/number_theory.hpp"
#include "formula/numbers/whole_input.hpp"

namespace plx {

std::vector<numbers::TypedRun> FactorRuns(uint32_t n) {
  if (n == 1) return {{L"1=1"}};
  std::vector<numbers::TypedRun> runs{{std::to_wstring(n) + L"= "}};
  bool first = true;
  for (const numbers::PrimePower& f : numbers::Factorize(n)) {
    runs.push_back({(first ? L"" : L"·") + std::to_wstring(f.prime)});
    if (f.exponent > 1) runs.push_back({std::to_wstring(f.exponent), true});
    first = false;
  }
  return runs;
}

frmFenJie::frmFenJie(AddinContext& ctx) : Form(ctx, L"frmFenJie") {
  AddControl(Box(L"Text1", L"请输入要分解的整数", L""));
  AddControl(Box(L"Label1", L"", L"")).kind = ControlKind::Label;
  AddControl(Button(L"cmdOK", L"分解", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdInsert", L"插入", [this] { cmdInsert_Click(); }));
  AddControl(Button(L"cmdCancel", L"关闭", [this] { Unload(); }));
}

std::optional<uint32_t> frmFenJie::Number() {
  const numbers::WholeInput in = numbers::ReadWhole(GetControl(L"Text1").text);
  const wchar_t* message = nullptr;
  if (in.status == numbers::WholeStatus::Empty) message = L"请输入您想要分解的整数！";
  else if (in.status == numbers::WholeStatus::NotWhole) message = L"您输入的不是整数！请检查后重新输入！";
  else if (in.status == numbers::WholeStatus::OutOfRange || in.value > 2147483647)
    message = L"您输入的数据过大，请确认该整数不大于 2147483647 ";
  else if (in.value <= 0) message = L"您输入的数据过小，请确认该整数大于 0 ";
  if (message) {
    Ctx().Ui().MsgBox(message);
    return std::nullopt;
  }
  return static_cast<uint32_t>(in.value);
}

void frmFenJie::cmdOK_Click() {
  try {
    const auto n = Number();
    if (!n) return;
    std::wstring shown = L"运算结果：";
    for (const numbers::TypedRun& run : FactorRuns(*n)) shown += (run.superscript ? L"^" : L"") + run.text;
    GetControl(L"Label1").caption = shown;
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmFenJie.cmdOK_Click-->line", __LINE__);
  }
}

void frmFenJie::cmdInsert_Click() {
  try {
    const auto n = Number();
    if (!n) return;
    numbers::TypeRuns(Ctx(), FactorRuns(*n));
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmFenJie.cmdInsert_Click-->line", __LINE__);
  }
}

}  // namespace plx
