#include "formula/numbers/frm_fenshu.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"
#include "formula/formula_input.hpp"
#include "formula/formula_output.hpp"
#include "formula/numbers/whole_input.hpp"

namespace plx {
namespace {

using numbers::Fraction;
using numbers::WholeStatus;

constexpr const wchar_t* kBadInput = L"数据输入有误，请检查后重新输入";
constexpr const wchar_t* kBadRange = L"您所输入的数据范围有误，请检查后重新输入！";

// The option buttons of the modes, in the dialog's order, with the mode
// each one chooses.
struct ModeButton {
  const wchar_t* name;
  const wchar_t* caption;
  const wchar_t* mode;
};
constexpr ModeButton kModeButtons[] = {{L"FZFM", L"分子分母约分", L"fzfm"},
                                       {L"Exp", L"表达式约分", L"exp"},
                                       {L"XiaoShu", L"小数化分数", L"xiaoshu"},
                                       {L"Insert", L"直接插入", L"insert"}};

// The name part of the result boxes of a reducing mode.
std::wstring ResultSuffix(const std::wstring& mode) {
  return mode == L"fzfm" ? L"FZFM" : mode == L"exp" ? L"Exp" : L"XiaoShu";
}

}  // namespace

const std::vector<std::wstring>& frmFenShu::ReadyMade() {
  static const std::vector<std::wstring> formulas = {
      L"1/2", L"1/3", L"1/4", L"1/5", L"1/6", L"1/7", L"1/8", L"1/9", L"1/(10)", L"3/5", L"4/5", L"5/(13)",
      L"(12)/(13)", L"(16)/(65)", L"(33)/(65)", L"(56)/(65)", L"(63)/(65)", L"(@p)/2", L"(@p)/3", L"(@p)/4",
      L"(@p)/5", L"(@p)/6", L"(@p)/7", L"(@p)/8", L"(@p)/9", L"(@p)/(10)", L"(3@p)/2", L"(2@p)/3", L"(4@p)/3",
      L"(5@p)/3", L"(3@p)/4", L"(5@p)/4", L"(7@p)/4", L"(9@p)/4", L"(11@p)/4", L"(2@p)/5", L"(3@p)/5",
      L"(4@p)/5", L"(5@p)/6", L"(7@p)/6", L"(11@p)/6", L"(2@p)/7", L"(3@p)/7", L"(4@p)/7", L"(gh2)/2",
      L"(gh3)/2", L"(gh3)/3", L"(gh5)/5", L"(gh(10))/(10)"};
  return formulas;
}

std::wstring FractionFormula(const std::wstring& numerator, const std::wstring& denominator) {
  const std::wstring a = Trim(numerator), b = Trim(denominator);
  if (a.size() > 1 || b.size() > 1) return L"(" + a + L")/(" + b + L")";
  return a + L"/" + b;
}

std::wstring ReducedFormula(const numbers::Fraction& f) {
  if (f.denominator == 1) return std::to_wstring(f.numerator);
  return FractionFormula(std::to_wstring(f.numerator), std::to_wstring(f.denominator));
}

frmFenShu::frmFenShu(AddinContext& ctx) : Form(ctx, L"frmFenShu") {
  // Four option buttons of one frame: choosing one (a click, or setting it
  // to 0, its one entry) clears the others.
  for (const ModeButton& b : kModeButtons) {
    const std::wstring name = b.name;
    Control option = Options(name, L"", {b.caption});
    option.value = name == kModeButtons[0].name ? 0 : -1;
    option.click = [this, name] { SetValue(name, L"0"); };
    option.change = [this, name] {
      if (GetControl(name).value != 0) return;
      for (const ModeButton& other : kModeButtons)
        if (other.name != name) GetControl(other.name).value = -1;
    };
    AddControl(option);
  }
  AddControl(Box(L"txtFZ", L"分子", L""));
  AddControl(Box(L"txtFM", L"分母", L""));
  AddControl(Box(L"txtFZ_result_FZFM", L"约分后分子", L""));
  AddControl(Box(L"txtFM_result_FZFM", L"约分后分母", L""));
  AddControl(Box(L"txtExp", L"表达式（如12/18）", L""));
  AddControl(Box(L"txtFZ_result_Exp", L"约分后分子", L""));
  AddControl(Box(L"txtFM_result_Exp", L"约分后分母", L""));
  AddControl(Box(L"txtXiaoShu", L"小数（循环节写在括号里，如0.1(6)）", L""));
  AddControl(Box(L"txtFZ_result_XiaoShu", L"分子", L""));
  AddControl(Box(L"txtFM_result_XiaoShu", L"分母", L""));
  AddControl(Box(L"txtFZ_Insert", L"分子", L""));
  AddControl(Box(L"txtFM_Insert", L"分母", L""));
  AddControl(Check(L"chkTX", L"选中内容按公式文本转换", ctx.Formula.blTX ? 1 : 0,
                   [this] { Ctx().Formula.blTX = GetControl(L"chkTX").value == 1; }));
  AddControl(Button(L"cmdJS", L"约分", [this] { cmdJS_Click(); }));
  AddControl(Button(L"cmdInsert", L"插入", [this] { cmdInsert_Click(); }));
  const auto& ready = ReadyMade();
  for (size_t i = 0; i < ready.size(); ++i) {
    const std::wstring formula = ready[i];
    AddControl(Button(L"cmdReady" + std::to_wstring(i + 1), formula, [this, formula] { Ready_Click(formula); }));
  }
  AddControl(Button(L"cmdCancel", L"关闭", [this] { Unload(); }));
}

std::wstring frmFenShu::Mode() {
  for (const ModeButton& b : kModeButtons)
    if (GetControl(b.name).value == 0) return b.mode;
  return kModeButtons[0].mode;
}

void frmFenShu::ShowResult(const std::wstring& suffix, const Fraction& f) {
  GetControl(L"txtFZ_result_" + suffix).text = std::to_wstring(f.numerator);
  GetControl(L"txtFM_result_" + suffix).text = std::to_wstring(f.denominator);
}

std::optional<Fraction> frmFenShu::Reduced() {
  const std::wstring mode = Mode();
  if (mode == L"xiaoshu") {
    const numbers::DecimalReading r = numbers::DecimalToFraction(GetControl(L"txtXiaoShu").text);
    if (r.error == numbers::DecimalError::None) return r.value;
    Ctx().Ui().MsgBox(r.error == numbers::DecimalError::TooLong ? kBadRange : kBadInput);
    return std::nullopt;
  }
  std::wstring top = GetControl(L"txtFZ").text, bottom = GetControl(L"txtFM").text;
  if (mode == L"exp") {
    const std::wstring exp = GetControl(L"txtExp").text;
    const size_t slash = exp.find(L'/');
    if (slash == std::wstring::npos) {
      Ctx().Ui().MsgBox(kBadInput);
      return std::nullopt;
    }
    top = exp.substr(0, slash);
    bottom = exp.substr(slash + 1);
  }
  const numbers::WholeInput a = numbers::ReadWhole(top), b = numbers::ReadWhole(bottom);
  for (const auto& part : {a, b}) {
    if (part.status == WholeStatus::OutOfRange) {
      Ctx().Ui().MsgBox(kBadRange);
      return std::nullopt;
    }
    if (part.status != WholeStatus::Ok) {
      Ctx().Ui().MsgBox(kBadInput);
      return std::nullopt;
    }
  }
  if (b.value == 0) {
    Ctx().Ui().MsgBox(kBadRange);
    return std::nullopt;
  }
  return numbers::Reduce(a.value, b.value);
}

bool frmFenShu::cmdJS_Click() {
  try {
    const std::wstring mode = Mode();
    if (mode == L"insert") return true;
    const auto f = Reduced();
    if (!f) return false;
    ShowResult(ResultSuffix(mode), *f);
    return true;
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmFenShu.cmdJS_Click-->line", __LINE__);
    return false;
  }
}

void frmFenShu::cmdInsert_Click() {
  try {
    const std::wstring mode = Mode();
    if (mode == L"insert") {
      const std::wstring top = NumberText(GetControl(L"txtFZ_Insert").text);
      const std::wstring bottom = NumberText(GetControl(L"txtFM_Insert").text);
      if (top.empty() || bottom.empty()) {
        Ctx().Ui().MsgBox(kBadInput);
        return;
      }
      OutPutFldGS(Ctx(), FractionFormula(top, bottom));
      return;
    }
    const auto f = Reduced();
    if (!f) return;
    ShowResult(ResultSuffix(mode), *f);
    OutPutFldGS(Ctx(), ReducedFormula(*f));
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmFenShu.cmdInsert_Click-->line", __LINE__);
  }
}

void frmFenShu::Ready_Click(const std::wstring& formula) {
  try {
    InputGS(Ctx(), formula);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmFenShu.Ready_Click-->line", __LINE__);
  }
}

}  // namespace plx
