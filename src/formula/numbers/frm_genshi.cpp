#include "formula/numbers/frm_genshi.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"
#include "formula/formula_input.hpp"
#include "formula/formula_output.hpp"
#include "formula/numbers/number_theory.hpp"
#include "formula/numbers/whole_input.hpp"

namespace plx {
namespace {

constexpr int64_t kLargest = 2147483647;

}  // namespace

const std::vector<std::wstring>& frmGenShi::ReadyMade() {
  static const std::vector<std::wstring> formulas = {L"gh2",    L"gh3",    L"gh5",    L"gh6",
                                                     L"gh7",    L"gh(10)", L"gh(11)", L"gh(13)"};
  return formulas;
}

std::wstring RadicalFormula(const std::wstring& k, const std::wstring& n, const std::wstring& r) {
  if (r == L"1" && !k.empty()) return k;
  const std::wstring root = n == L"2" ? L"sqr(" + r + L")" : L"sqr(" + n + L"," + r + L")";
  return (k.empty() || k == L"1" ? L"" : k) + root;
}

frmGenShi::frmGenShi(AddinContext& ctx) : Form(ctx, L"frmGenShi") {
  Control zs = Box(L"txtZS", L"根指数", L"2");
  zs.change = [this] { ClearResult(); };
  AddControl(std::move(zs));
  Control kfs = Box(L"txtKFS", L"被开方数", L"");
  kfs.change = [this] { ClearResult(); };
  AddControl(std::move(kfs));
  AddControl(Box(L"txtReal", L"根号外", L""));
  AddControl(Box(L"imgGH", L"", L"√")).kind = ControlKind::Label;
  AddControl(Box(L"txtKFS_Convert", L"根号内", L""));
  AddControl(Button(L"cmdHJ", L"化简", [this] { cmdHJ_Click(); }));
  AddControl(Button(L"cmdOK", L"插入", [this] { cmdOK_Click(); }));
  const auto& ready = ReadyMade();
  for (size_t i = 0; i < ready.size(); ++i) {
    const std::wstring formula = ready[i];
    AddControl(Button(L"cmdReady" + std::to_wstring(i + 1), formula, [this, formula] {
      try {
        InputGS(Ctx(), formula);
      } catch (const std::exception& e) {
        ShowErr(Ctx(), e, L"frmGenShi.Ready_Click-->line", __LINE__);
      }
    }));
  }
  AddControl(Button(L"cmdCancel", L"关闭", [this] { Unload(); }));
}

void frmGenShi::ClearResult() {
  GetControl(L"txtReal").text.clear();
  GetControl(L"txtKFS_Convert").text.clear();
  GetControl(L"txtKFS_Convert").visible = true;
  GetControl(L"imgGH").visible = true;
}

bool frmGenShi::cmdHJ_Click() {
  try {
    const numbers::WholeInput n = numbers::ReadWhole(GetControl(L"txtZS").text);
    const numbers::WholeInput a = numbers::ReadWhole(GetControl(L"txtKFS").text);
    if ((n.status != numbers::WholeStatus::Ok && n.status != numbers::WholeStatus::OutOfRange) ||
        (a.status != numbers::WholeStatus::Ok && a.status != numbers::WholeStatus::OutOfRange)) {
      Ctx().Ui().MsgBox(L"根指数或被开方数不是整数！");
      return false;
    }
    if (n.status != numbers::WholeStatus::Ok || a.status != numbers::WholeStatus::Ok || a.value < 0 ||
        n.value < 1 || a.value > kLargest || n.value > kLargest) {
      Ctx().Ui().MsgBox(L"您输入的数据范围有误，请确认该整数不在0~2147483647之间！");
      return false;
    }
    const numbers::Radical r =
        numbers::SimplifyRadical(static_cast<uint32_t>(n.value), static_cast<uint32_t>(a.value));
    ClearResult();
    GetControl(L"txtReal").text = std::to_wstring(r.coefficient);
    GetControl(L"txtKFS_Convert").text = std::to_wstring(r.radicand);
    const bool whole = r.radicand == 1;
    GetControl(L"txtKFS_Convert").visible = !whole;
    GetControl(L"imgGH").visible = !whole;
    return true;
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmGenShi.cmdHJ_Click-->line", __LINE__);
    return false;
  }
}

void frmGenShi::cmdOK_Click() {
  try {
    // Typed with a Chinese input method, "２" is the index 2: folded, it
    // makes a square root, not a visible index.
    const std::wstring n = NumberText(GetControl(L"txtZS").text), a = NumberText(GetControl(L"txtKFS").text);
    if (n.empty() || a.empty()) {
      Ctx().Ui().MsgBox(L"请输入根指数和被开方数！");
      return;
    }
    const std::wstring k = GetControl(L"txtReal").text;
    OutPutFldGS(Ctx(), k.empty() ? RadicalFormula(L"", n, a) : RadicalFormula(k, n, GetControl(L"txtKFS_Convert").text));
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmGenShi.cmdOK_Click-->line", __LINE__);
  }
}

}  // namespace plx
