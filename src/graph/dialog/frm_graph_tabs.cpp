// The graph dialog's tabs of the elementary families: straight line,
// exponential, logarithm, power and inverse proportion.
#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/curves/elementary_curves.hpp"
#include "graph/curves/expression_curves.hpp"
#include "addin/control_makers.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "graph/frame/frame.hpp"
#include "graph/frame/input_error.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

constexpr const wchar_t* kLineForms[] = {L"斜截式", L"点斜式", L"两点式", L"截距式", L"一般式", L"点法式", L"点向式"};

// Runs a tab's "确定", reporting unexpected faults the usual way.
template <class Work>
void TabClick(AddinContext& ctx, const wchar_t* procedure, Work work) {
  try {
    work();
  } catch (const std::exception& e) {
    ShowErr(ctx, e, std::wstring(L"frmGraph.") + procedure + L"-->line", __LINE__);
  }
}

}  // namespace

void frmGraph::AddTabButtons(const std::wstring& suffix, std::function<void()> ok) {
  // The defaults "重置" restores: every box and choice of the tab as first shown.
  auto& defaults = tabDefaults_[suffix];
  for (size_t i = tabStart_; i < Controls().size(); ++i) {
    const Control& c = Controls()[i];
    if (c.kind != ControlKind::Button && c.kind != ControlKind::Label) defaults.emplace_back(c.name, ValueText(c.name));
  }
  AddControl(Button(L"cmdOK_" + suffix, L"确定", std::move(ok)));
  AddControl(Button(L"cmdCancel_" + suffix, L"重置", [this, suffix] { ResetTab(suffix); }));
  tabStart_ = Controls().size();
}

const frmGraph::OptionButtons& frmGraph::LogButtons() {
  static const OptionButtons buttons = {
      {L"optLogX", L"y=loga(x+h)+k"}, {L"optLogAbsX", L"y=loga|x+h|+k"}, {L"optAbsLogX", L"y=|loga(x+h)|+k"}};
  return buttons;
}

const frmGraph::OptionButtons& frmGraph::PowerButtons() {
  static const OptionButtons buttons = {{L"optXn_Power", L"y=x^p"}, {L"optXmn_Power", L"y=x^(p/q)"}};
  return buttons;
}

void frmGraph::AddOptionButtons(const OptionButtons& buttons) {
  std::vector<std::wstring> names;
  for (const auto& b : buttons) names.push_back(b.first);
  for (size_t i = 0; i < buttons.size(); ++i) {
    const std::wstring self = buttons[i].first;
    AddControl(Check(self, buttons[i].second, i == 0 ? 1 : 0, [this, self, names] {
      if (GetControl(self).value == 0) return;
      for (const std::wstring& other : names)
        if (other != self && GetControl(other).value != 0) SetValue(other, L"0");
    }));
  }
}

int frmGraph::ChosenOption(const OptionButtons& buttons) {
  for (size_t i = 0; i < buttons.size(); ++i)
    if (GetControl(buttons[i].first).value != 0) return static_cast<int>(i);
  return 0;
}

void frmGraph::ChooseOption(const OptionButtons& buttons, int index) {
  if (index >= 0 && static_cast<size_t>(index) < buttons.size()) SetValue(buttons[static_cast<size_t>(index)].first, L"1");
}

void frmGraph::ResetTab(const std::wstring& suffix) {
  for (const auto& [name, value] : tabDefaults_[suffix]) SetValue(name, value);
}

void frmGraph::AddElementaryTabs() {
  tabStart_ = Controls().size();
  AddControl(Options(L"optType_ZX", L"直线方程的形式", {std::begin(kLineForms), std::end(kLineForms)}));
  AddControl(Box(L"txtK_ZX", L"斜率k=", L""));
  AddControl(Box(L"txtA_ZX", L"横截距a=（一般式中的A）", L""));
  AddControl(Box(L"txtB_ZX", L"截距b=（一般式中的B）", L""));
  AddControl(Box(L"txtC_ZX", L"一般式中的C", L""));
  AddControl(Box(L"txtP1_ZX", L"点P（P1）的坐标", L"(  ,  )"));
  AddControl(Box(L"txtP2_ZX", L"点P2的坐标", L"(  ,  )"));
  AddControl(Box(L"txtV_ZX", L"法向量或方向向量", L"(  ,  )"));
  AddControl(Box(L"txtXmin_ZX", L"x从", L""));
  AddControl(Box(L"txtXmax_ZX", L"到", L""));
  AddControl(Box(L"txtYmin_ZX", L"y从（平行于y轴的直线）", L""));
  AddControl(Box(L"txtYmax_ZX", L"到", L""));
  AddControl(Check(L"chkXD", L"画经过两点的线段", 0));
  AddTabButtons(L"ZX", [this] { cmdOK_ZX_Click(); });

  AddControl(Box(L"txtA_AX", L"y=a^(x+h)+k 中的底数a", L"2"));
  AddControl(Box(L"txtH_AX", L"h", L"0"));
  AddControl(Box(L"txtK_AX", L"k", L"0"));
  AddControl(Box(L"txtXmin_AX", L"x从", L""));
  AddControl(Box(L"txtXmax_AX", L"到", L""));
  AddTabButtons(L"AX", [this] { cmdOK_AX_Click(); });

  AddOptionButtons(LogButtons());
  AddControl(Box(L"txtA_LogX", L"底数a", L"2"));
  AddControl(Box(L"txtH_LogX", L"h", L"0"));
  AddControl(Box(L"txtK_LogX", L"k", L"0"));
  AddControl(Box(L"txtXmin_LogX", L"x从", L""));
  AddControl(Box(L"txtXmax_LogX", L"到", L""));
  AddTabButtons(L"LogX", [this] { cmdOK_LogX_Click(); });

  AddOptionButtons(PowerButtons());
  AddControl(Box(L"txtP_MI", L"p", L"2"));
  AddControl(Box(L"txtQ_MI", L"q", L"1"));
  AddControl(Box(L"txtXmin_MI", L"x从", L""));
  AddControl(Box(L"txtXmax_MI", L"到", L""));
  AddTabButtons(L"MI", [this] { cmdOK_MI_Click(); });

  AddControl(Box(L"txtK_FBLHS", L"y=k/x 中的k", L"1"));
  AddControl(Box(L"txtXmin_FBLHS", L"x从", L""));
  AddControl(Box(L"txtXmax_FBLHS", L"到", L""));
  AddTabButtons(L"FBLHS", [this] { cmdOK_FBLHS_Click(); });
}

bool frmGraph::ReadPoint(const std::wstring& control, double& x, double& y) {
  std::wstring text = Trim(ToHalfWidth(GetControl(control).text));
  if (StartsWith(text, L"(") && EndsWithText(text, L")")) text = text.substr(1, text.size() - 2);
  const std::vector<std::wstring> parts = Split(text, L",");
  if (parts.size() != 2 || Trim(parts[0]).empty() || Trim(parts[1]).empty()) {
    ShowInputError(Ctx().Ui(), L"");
    return false;
  }
  return ReadNumber(Ctx().Ui(), g_.math, Trim(parts[0]), x) && ReadNumber(Ctx().Ui(), g_.math, Trim(parts[1]), y);
}

bool frmGraph::ReadRange(const std::wstring& from, const std::wstring& to, double lo, double hi, double& a,
                         double& b) {
  if (!ReadBox(from, DecimalText(lo), a) || !ReadBox(to, DecimalText(hi), b)) return false;
  if (a >= b) {
    ShowInputError(Ctx().Ui(), L"");
    return false;
  }
  return true;
}

bool frmGraph::AcceptCurve(const std::function<double(double)>& f, double a, double b) {
  Extent e{a, b, 0, 0};
  bool any = false;
  // The values are probed where the curve will be drawn, at most as often
  // as the interval search probes.
  const auto [u, v] = VisibleRange(g_.frame, a, b);
  const double n = u < v ? std::min(kMaxIntervalProbes, std::round((v - u) / 0.01)) : -1;
  for (double i = 0; i <= n; ++i) {
    const double y = f(u + (v - u) * i / std::max(n, 1.0));
    if (!std::isfinite(y)) continue;
    e.ymin = any ? std::min(e.ymin, y) : y;
    e.ymax = any ? std::max(e.ymax, y) : y;
    any = true;
  }
  g_.extent = e;
  return !CheckGraphRange(Ctx(), g_);
}

void frmGraph::cmdOK_ZX_Click() {
  TabClick(Ctx(), L"cmdOK_ZX_Click", [&] {
    if (!ReadFrame()) return;
    const int form = GetControl(L"optType_ZX").value;
    double A = 0, B = 0, C = 0, x1, y1, x2, y2;
    auto box = [&](const wchar_t* name, double& v) { return ReadBox(name, L"", v); };
    bool segment = false;
    switch (form) {
      case 0:  // y = kx + b
        if (!box(L"txtK_ZX", A) || !box(L"txtB_ZX", C)) return;
        B = -1;
        break;
      case 1:  // through P with slope k
        if (!ReadPoint(L"txtP1_ZX", x1, y1) || !box(L"txtK_ZX", A)) return;
        B = -1;
        C = y1 - A * x1;
        break;
      case 2:  // through P1 and P2
        if (!ReadPoint(L"txtP1_ZX", x1, y1) || !ReadPoint(L"txtP2_ZX", x2, y2)) return;
        A = y2 - y1;
        B = x1 - x2;
        C = x2 * y1 - x1 * y2;
        segment = GetControl(L"chkXD").value != 0;
        break;
      case 3: {  // x/a + y/b = 1
        double a, b;
        if (!box(L"txtA_ZX", a) || !box(L"txtB_ZX", b)) return;
        if (a == 0 || b == 0) return ShowInputError(Ctx().Ui(), L"");
        A = b;
        B = a;
        C = -a * b;
        break;
      }
      case 4:  // Ax + By + C = 0
        if (!box(L"txtA_ZX", A) || !box(L"txtB_ZX", B) || !box(L"txtC_ZX", C)) return;
        break;
      default: {  // through P with a normal (5) or a direction (6) vector
        double v1, v2;
        if (!ReadPoint(L"txtP1_ZX", x1, y1) || !ReadPoint(L"txtV_ZX", v1, v2)) return;
        A = form == 5 ? v1 : v2;
        B = form == 5 ? v2 : -v1;
        C = -A * x1 - B * y1;
        break;
      }
    }
    if (A == 0 && B == 0) {
      Ctx().Ui().MsgBox(L"请检查您输入的数据！x,y的系数不能都为0！");
      return;
    }
    const ZBXRecord& f = g_.frame;
    ZXRecord rec;
    rec.line = CurrentLine();
    if (segment) {
      rec = {x1, x2, y1, y2, rec.line};
    } else if (B != 0) {
      if (!ReadRange(L"txtXmin_ZX", L"txtXmax_ZX", f.xmin, f.xmax, rec.x1, rec.x2)) return;
      rec.y1 = -(A * rec.x1 + C) / B;
      rec.y2 = -(A * rec.x2 + C) / B;
    } else {
      // Parallel to the y axis: drawn over the y range.
      if (!ReadRange(L"txtYmin_ZX", L"txtYmax_ZX", f.ymin, f.ymax, rec.y1, rec.y2)) return;
      rec.x1 = rec.x2 = -C / A;
    }
    g_.extent = {std::min(rec.x1, rec.x2), std::max(rec.x1, rec.x2), std::min(rec.y1, rec.y2),
                 std::max(rec.y1, rec.y2)};
    if (CheckGraphRange(Ctx(), g_)) return;
    StoreFigure(g_.zxTable, rec, L"直线(ZX) ");
  });
}

void frmGraph::cmdOK_AX_Click() {
  TabClick(Ctx(), L"cmdOK_AX_Click", [&] {
    if (!ReadFrame()) return;
    AXRecord rec;
    if (!ReadBox(L"txtA_AX", L"", rec.a)) return;
    if (rec.a <= 0 || rec.a == 1) return ShowInputError(Ctx().Ui(), L"指数函数的底数a必须大于0且不等于1！");
    if (!ReadBox(L"txtH_AX", L"0", rec.h) || !ReadBox(L"txtK_AX", L"0", rec.k) ||
        !ReadRange(L"txtXmin_AX", L"txtXmax_AX", g_.frame.xmin, g_.frame.xmax, rec.xmin, rec.xmax))
      return;
    if (!AcceptCurve([&](double x) { return std::pow(rec.a, x + rec.h) + rec.k; }, rec.xmin, rec.xmax)) return;
    rec.line = CurrentLine();
    StoreFigure(g_.axTable, rec, L"指数函数(AX) ");
  });
}

void frmGraph::cmdOK_LogX_Click() {
  TabClick(Ctx(), L"cmdOK_LogX_Click", [&] {
    if (!ReadFrame()) return;
    LogXRecord rec;
    rec.variant = ChosenOption(LogButtons());
    if (!ReadBox(L"txtA_LogX", L"", rec.a)) return;
    if (rec.a <= 0 || rec.a == 1) return ShowInputError(Ctx().Ui(), L"对数函数的底数a必须大于0且不等于1！");
    if (!ReadBox(L"txtH_LogX", L"0", rec.h) || !ReadBox(L"txtK_LogX", L"0", rec.k)) return;
    if (!ReadBox(L"txtXmin_LogX", DecimalText(g_.frame.xmin), rec.xmin) ||
        !ReadBox(L"txtXmax_LogX", DecimalText(g_.frame.xmax), rec.xmax))
      return;
    if (rec.xmin >= rec.xmax) {
      Ctx().Ui().MsgBox(L"自变量x的最小值大于或等于最大值！请检查后重新输入。");
      return;
    }
    // log(x + h) needs x + h > 0: the part left of the asymptote is not drawn.
    if (rec.variant != 1 && rec.xmax <= -rec.h) return ShowInputError(Ctx().Ui(), L"");
    const double lnA = std::log(rec.a);
    auto f = [&](double x) {
      const double u = rec.variant == 1 ? std::fabs(x + rec.h) : x + rec.h;
      const double y = u > 0 ? std::log(u) / lnA : NAN;
      return (rec.variant == 2 ? std::fabs(y) : y) + rec.k;
    };
    if (!AcceptCurve(f, rec.variant == 1 ? rec.xmin : std::max(rec.xmin, -rec.h + 0.01), rec.xmax)) return;
    rec.line = CurrentLine();
    StoreFigure(g_.logTable, rec, L"对数函数(LogX) ");
  });
}

void frmGraph::cmdOK_MI_Click() {
  TabClick(Ctx(), L"cmdOK_MI_Click", [&] {
    if (!ReadFrame()) return;
    MIRecord rec;
    rec.variant = static_cast<int16_t>(ChosenOption(PowerButtons()));
    double p, q = 1;
    if (!ReadBox(L"txtP_MI", L"", p)) return;
    if (rec.variant == 1 && !ReadBox(L"txtQ_MI", L"", q)) return;
    if (p != std::floor(p) || q != std::floor(q) || q == 0 || std::fabs(p) > 32767 || std::fabs(q) > 32767)
      return ShowInputError(Ctx().Ui(), L"幂函数的指数p、q应为整数，且q不等于0！");
    rec.p = static_cast<int16_t>(p);
    rec.q = static_cast<int16_t>(q);
    if (!ReadRange(L"txtXmin_MI", L"txtXmax_MI", g_.frame.xmin, g_.frame.xmax, rec.xmin, rec.xmax)) return;
    const int qq = rec.variant == 0 ? 1 : rec.q;
    if (!AcceptCurve([&](double x) { return PowerValue(x, rec.p, qq); }, rec.xmin, rec.xmax)) return;
    rec.line = CurrentLine();
    StoreFigure(g_.miTable, rec, L"幂函数(MI) ");
  });
}

void frmGraph::cmdOK_FBLHS_Click() {
  TabClick(Ctx(), L"cmdOK_FBLHS_Click", [&] {
    if (!ReadFrame()) return;
    FBLHSRecord rec;
    if (!ReadBox(L"txtK_FBLHS", L"", rec.k)) return;
    if (!ReadBox(L"txtXmin_FBLHS", DecimalText(g_.frame.xmin), rec.xmin) ||
        !ReadBox(L"txtXmax_FBLHS", DecimalText(g_.frame.xmax), rec.xmax))
      return;
    if (rec.xmin >= rec.xmax || rec.k == 0) {
      Ctx().Ui().MsgBox(L"您输入的数据范围有误，请检查！");
      return;
    }
    auto f = [&](double x) { return rec.k / x; };
    if (rec.xmin * rec.xmax <= 0) {
      rec.e = PoleGap(g_.frame, f);
      if (rec.e == 0) {
        Ctx().Ui().MsgBox(L"您输入的数据范围有误，请检查！");
        return;
      }
      if (rec.xmin == 0) rec.xmin = rec.e;
      if (rec.xmax == 0) rec.xmax = -rec.e;
    }
    // The gap around the pole is left out of the extent, as it is of the drawing.
    if (!AcceptCurve([&](double x) { return std::fabs(x) < rec.e ? NAN : f(x); }, rec.xmin, rec.xmax)) return;
    rec.line = CurrentLine();
    StoreFigure(g_.fblhsTable, rec, L"反比例函数(FBLHS) ");
  });
}

}  // namespace plx::graph
