// The graph dialog's tab of the trigonometric family.
#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/curves/trig_curves.hpp"
#include "addin/control_makers.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "graph/frame/input_error.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

const double kPi = 4 * std::atan(1.0);
constexpr const wchar_t* kBadRange = L"您输入的自变量x的取值范围有误，请检查！";

}  // namespace

void frmGraph::AddTrigTab() {
  AddControl(Options(L"optType_SJ", L"函数", {std::begin(kTrigNames), std::end(kTrigNames)}));
  AddControl(Box(L"txtA_sin", L"y=A·f(ωx+φ)+k 中的A", L"1"));
  AddControl(Box(L"txtW_sin", L"ω", L"1"));
  AddControl(Box(L"txtF_sin", L"φ", L"0"));
  AddControl(Box(L"txtK_sin", L"k", L"0"));
  AddControl(Check(L"chkRadian_SJ", L"所有角均按弧度制输入", 1));
  AddControl(Options(L"optRange_SJ", L"作图方式", {L"在给定范围内作图", L"按给定周期数作图"}));
  AddControl(Box(L"txtXmin_SJ", L"x从（按周期作图时为指定起点，空则从ωx+φ=0起）", L"0"));
  AddControl(Box(L"txtXmax_SJ", L"到", L"2*PI"));
  AddControl(Box(L"txtPeriods_SJ", L"周期数", L"1"));
  AddControl(Check(L"chkFivePoint_SJ", L"五点法", 0));
  AddControl(Check(L"chkSymmetric_SJ", L"定义域关于原点左右对称", 0));
  AddControl(Check(L"chkZero_SJ", L"标示零点", 0));
  AddControl(Check(L"chkExtreme_SJ", L"标示最值", 0));
  AddControl(Check(L"chkAxis_SJ", L"画对称轴", 0));
  AddControl(Check(L"chkAsymptote_SJ", L"画渐近线", 0));
  Control note;
  note.name = L"labNote_SJ";
  note.kind = ControlKind::Label;
  note.caption = L"弧度制中圆周率π用字母PI表示，如2π表示为2*PI，若取消上选项，则按角度制输入角，30度只需输入为30即可";
  AddControl(note);
  AddTabButtons(L"SJ", [this] { cmdOK_SJ_Click(); });
}

void frmGraph::cmdOK_SJ_Click() {
  try {
    if (!ReadFrame()) return;
    SJRecord rec;
    rec.function = GetControl(L"optType_SJ").value;
    if (!ReadBox(L"txtA_sin", L"1", rec.A) || !ReadBox(L"txtW_sin", L"1", rec.w) ||
        !ReadBox(L"txtF_sin", L"0", rec.phi) || !ReadBox(L"txtK_sin", L"0", rec.k))
      return;
    if (rec.A == 0 || rec.w == 0) return ShowInputError(Ctx().Ui(), L"");
    const bool radians = GetControl(L"chkRadian_SJ").value != 0;
    const bool inverse = rec.function >= 4;
    // Degrees are turned into radians: the graph's x axis is always in radians.
    const double toRadians = radians || inverse ? 1 : kPi / 180;
    rec.phi *= radians ? 1 : kPi / 180;
    const bool fivePoint = GetControl(L"chkFivePoint_SJ").value != 0;
    if (GetControl(L"optRange_SJ").value == 1 || fivePoint) {
      double periods = 1;
      if (!fivePoint && !ReadBox(L"txtPeriods_SJ", L"1", periods)) return;
      if (periods <= 0) return ShowInputError(Ctx().Ui(), L"");
      const double period = (rec.function == 2 || rec.function == 3 ? kPi : 2 * kPi) / std::fabs(rec.w);
      const bool fromZero = fivePoint || Trim(GetControl(L"txtXmin_SJ").text).empty();
      if (fromZero) rec.xmin = -rec.phi / rec.w;
      else if (!ReadBox(L"txtXmin_SJ", L"0", rec.xmin)) return;
      else rec.xmin *= toRadians;
      rec.xmax = rec.xmin + periods * period;
    } else {
      if (!ReadBox(L"txtXmin_SJ", L"0", rec.xmin) ||
          !ReadBox(L"txtXmax_SJ", radians ? L"2*PI" : L"360", rec.xmax))
        return;
      rec.xmin *= toRadians;
      rec.xmax *= toRadians;
    }
    if (GetControl(L"chkSymmetric_SJ").value) {
      const double half = std::max(std::fabs(rec.xmin), std::fabs(rec.xmax));
      rec.xmin = -half;
      rec.xmax = half;
    }
    if (!(rec.xmin < rec.xmax)) {
      Ctx().Ui().MsgBox(kBadRange);
      return;
    }
    rec.pieces = FindTrigPieces(g_.frame, [&](double x) { return TrigAt(rec, x); }, rec.xmin, rec.xmax);
    if (rec.pieces.empty()) {
      Ctx().Ui().MsgBox(kBadRange);
      return;
    }
    TrigMarkChoice choice{fivePoint || GetControl(L"chkZero_SJ").value != 0,
                          fivePoint || GetControl(L"chkExtreme_SJ").value != 0,
                          GetControl(L"chkAxis_SJ").value != 0, GetControl(L"chkAsymptote_SJ").value != 0};
    rec.marks = FindTrigMarks(rec, choice);
    rec.drawMarks = choice.zeros || choice.extrema || choice.axes || choice.asymptotes;
    rec.line = CurrentLine();
    if (GetControl(L"chkMultImage").value == 0) cmdCls_Click();
    StoreFigure(g_.sjTable, rec, L"三角函数(SJ) ");
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmGraph.cmdOK_SJ_Click-->line", __LINE__);
  }
}

}  // namespace plx::graph
