// The graph dialog's tabs of the conic sections (circle, ellipse, parabola,
// hyperbola): each equation form read from its boxes, the general forms
// reduced by completing the square, the coefficient checks, the range check
// and the loaders that put a figure of the list back into its tab.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>

#include "common/vbnum.hpp"
#include "graph/curves/conic_geometry.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "graph/frame/frame.hpp"
#include "graph/frame/input_error.hpp"
#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

constexpr const wchar_t* kNoForm = L"您还没有选择任何方程类型！请选择方程类型后再作图。";

// The forms of each family: the tags stored in the records and the captions
// of the option buttons, in the same order.
constexpr const wchar_t* kCircleTags[] = {L"xyr", L"xaybr", L"general"};
constexpr const wchar_t* kCircleForms[] = {L"x²+y²=r²", L"(x-a)²+(y-b)²=r²", L"x²+y²+Dx+Ey+F=0"};
constexpr const wchar_t* kConicTags[] = {L"bx", L"by", L"pyx", L"pyy", L"general"};
constexpr const wchar_t* kEllipseForms[] = {
    L"x²/a²+y²/b²=1（焦点在x轴上）", L"y²/a²+x²/b²=1（焦点在y轴上）",
    L"(x-x0)²/a²+(y-y0)²/b²=1（坐标平移型，焦点平行于x轴）",
    L"(y-y0)²/a²+(x-x0)²/b²=1（坐标平移型，焦点平行于y轴）", L"Ax²+By²+Cx+Dy+E=0（一般方程）"};
constexpr const wchar_t* kHyperbolaForms[] = {
    L"x²/a²-y²/b²=1（焦点在x轴上）", L"y²/a²-x²/b²=1（焦点在y轴上）",
    L"(x-x0)²/a²-(y-y0)²/b²=1（坐标平移型，焦点平行于x轴）",
    L"(y-y0)²/a²-(x-x0)²/b²=1（坐标平移型，焦点平行于y轴）", L"Ax²+By²+Cx+Dy+E=0（一般方程）"};
constexpr const wchar_t* kParabolaTags[] = {L"2px",  L"-2px",  L"2py",  L"-2py", L"2px0",
                                            L"-2px0", L"2py0", L"-2py0", L"ax2"};
constexpr const wchar_t* kParabolaForms[] = {
    L"y²=2px",           L"y²=-2px",          L"x²=2py",           L"x²=-2py",    L"(y-y0)²=2p(x-x0)",
    L"(y-y0)²=-2p(x-x0)", L"(x-x0)²=2p(y-y0)", L"(x-x0)²=-2p(y-y0)", L"y=ax²+bx+c"};

constexpr int kGeneral = 4;   // the general form among the ellipse and hyperbola forms
constexpr int kQuadratic = 8;  // y = ax² + bx + c among the parabola forms

template <size_t N>
int IndexOf(const wchar_t* const (&tags)[N], const std::wstring& tag) {
  auto it = std::find(std::begin(tags), std::end(tags), tag);
  return it == std::end(tags) ? -1 : static_cast<int>(it - std::begin(tags));
}

// Runs a tab's "确定", reporting unexpected faults the usual way.
template <class Work>
void TabClick(AddinContext& ctx, const wchar_t* procedure, Work work) {
  try {
    work();
  } catch (const std::exception& e) {
    ShowErr(ctx, e, std::wstring(L"frmGraph.") + procedure + L"-->line", __LINE__);
  }
}

Control Note(const std::wstring& name, const std::wstring& caption) {
  Control c;
  c.name = name;
  c.kind = ControlKind::Label;
  c.caption = caption;
  return c;
}

// The extent of a figure, grown point by point (or by one coordinate for a
// line across the frame).
class Reach {
 public:
  void Add(double x, double y) {
    AddX(x);
    AddY(y);
  }
  void AddX(double x) {
    if (!std::isfinite(x)) return;
    e_.xmin = anyX_ ? std::min(e_.xmin, x) : x;
    e_.xmax = anyX_ ? std::max(e_.xmax, x) : x;
    anyX_ = true;
  }
  void AddY(double y) {
    if (!std::isfinite(y)) return;
    e_.ymin = anyY_ ? std::min(e_.ymin, y) : y;
    e_.ymax = anyY_ ? std::max(e_.ymax, y) : y;
    anyY_ = true;
  }
  // The curve point(t) for t over [from, to], probed in steps of about 0.01
  // (coarser over a range so long that the probes would hold up the dialog).
  void AddCurve(double from, double to, const std::function<std::pair<double, double>(double)>& point) {
    const long n = std::clamp(std::lround((to - from) / 0.01), 1L, 200000L);
    for (long i = 0; i <= n; ++i) {
      const auto [x, y] = point(from + (to - from) * static_cast<double>(i) / static_cast<double>(n));
      Add(x, y);
    }
  }
  const Extent& Get() const { return e_; }

 private:
  Extent e_;
  bool anyX_ = false, anyY_ = false;
};

}  // namespace

void frmGraph::AddConicTabs() {
  tabStart_ = Controls().size();
  Control circle = Options(L"optType_Yuan", L"圆的方程", {std::begin(kCircleForms), std::end(kCircleForms)});
  circle.value = -1;  // no form chosen until the user picks one
  AddControl(circle);
  AddControl(Box(L"txtA_Yuan", L"圆心横坐标a=", L"0"));
  AddControl(Box(L"txtB_Yuan", L"圆心纵坐标b=", L"0"));
  AddControl(Box(L"txtR_Yuan", L"半径r=", L"1"));
  AddControl(Box(L"txtD_Yuan", L"D=", L"0"));
  AddControl(Box(L"txtE_Yuan", L"E=", L"0"));
  AddControl(Box(L"txtF_Yuan", L"F=", L"-1"));
  AddControl(Check(L"chkCentreOfCircle", L"画圆心", 0));
  AddTabButtons(L"Yuan", [this] { cmdOK_Yuan_Click(); });

  // The ellipse and the hyperbola share their boxes' layout: the squares of
  // the half-axes, the centre of the translated forms, the general form's
  // coefficients.
  auto centred = [this](const std::wstring& suffix, const wchar_t* caption, const wchar_t* const* forms,
                        std::initializer_list<const wchar_t*> general) {
    Control type = Options(L"optType_" + suffix, caption, {forms, forms + 5});
    type.value = -1;
    AddControl(type);
    AddControl(Box(L"txtA2_" + suffix, L"a²=", suffix == L"TY" ? L"4" : L"1"));
    AddControl(Box(L"txtB2_" + suffix, L"b²=", L"1"));
    AddControl(Box(L"txtX0_" + suffix, L"x0=", L"0"));
    AddControl(Box(L"txtY0_" + suffix, L"y0=", L"0"));
    const wchar_t* letters[] = {L"A", L"B", L"C", L"D", L"E"};
    size_t i = 0;
    for (const wchar_t* value : general) {
      AddControl(Box(L"txt" + std::wstring(letters[i]) + L"_" + suffix, std::wstring(letters[i]) + L"=", value));
      ++i;
    }
    AddControl(Check(L"chkFocus_" + suffix, L"画焦点", 0));
    AddControl(Check(L"chkDirectrix_" + suffix, L"画准线", 0));
    AddControl(Check(L"chkAxis_" + suffix, L"画对称轴", 0));
  };
  centred(L"TY", L"椭圆的方程", kEllipseForms, {L"1", L"4", L"0", L"0", L"-4"});
  AddControl(Note(L"labHint_TY", L"椭圆中a,b均为正数且a>b"));
  AddTabButtons(L"TY", [this] { cmdOK_TY_Click(); });

  Control parabola = Options(L"optType_PWX", L"抛物线的方程", {std::begin(kParabolaForms), std::end(kParabolaForms)});
  parabola.value = -1;
  AddControl(parabola);
  AddControl(Box(L"txtP_PWX", L"p=", L"1"));
  AddControl(Box(L"txtX0_PWX", L"顶点x0=", L"0"));
  AddControl(Box(L"txtY0_PWX", L"顶点y0=", L"0"));
  AddControl(Box(L"txtA_PWX", L"a=", L"1"));
  AddControl(Box(L"txtB_PWX", L"b=", L"0"));
  AddControl(Box(L"txtC_PWX", L"c=", L"0"));
  AddControl(Box(L"txtMin_PWX", L"作图范围（y²=±2px型为y的范围，其余为x的范围；空则取坐标系内的部分）从", L""));
  AddControl(Box(L"txtMax_PWX", L"到", L""));
  AddControl(Check(L"chkFocus_PWX", L"画焦点", 0));
  AddControl(Check(L"chkDirectrix_PWX", L"画准线", 0));
  AddControl(Check(L"chkAxis_PWX", L"画对称轴", 0));
  AddTabButtons(L"PWX", [this] { cmdOK_PWX_Click(); });

  centred(L"SQX", L"双曲线的方程", kHyperbolaForms, {L"1", L"-1", L"0", L"0", L"-1"});
  AddControl(Box(L"txtMin_SQX", L"作图范围（焦点在x轴上时为y的范围，在y轴上时为x的范围；空则取坐标系内的部分）从", L""));
  AddControl(Box(L"txtMax_SQX", L"到", L""));
  AddControl(Check(L"chkJJX_SQX", L"画渐近线", 0));
  AddTabButtons(L"SQX", [this] { cmdOK_SQX_Click(); });

  auto num = [](double v) { return DecimalText(v); };
  RegisterLoader(L"yuan", [this, num](int k) {
    if (k < 1 || k > static_cast<int>(g_.yuanTable.size())) return;
    const YuanRecord& r = g_.yuanTable[static_cast<size_t>(k - 1)];
    SetValue(L"optType_Yuan", std::to_wstring(std::max(IndexOf(kCircleTags, r.form), 0)));
    SetValue(L"txtA_Yuan", num(r.a));
    SetValue(L"txtB_Yuan", num(r.b));
    SetValue(L"txtR_Yuan", num(r.r));
    // The general form's coefficients follow from centre and radius: D = −2a, E = −2b, F = a² + b² − r².
    SetValue(L"txtD_Yuan", num(-2 * r.a));
    SetValue(L"txtE_Yuan", num(-2 * r.b));
    SetValue(L"txtF_Yuan", num(r.a * r.a + r.b * r.b - r.r * r.r));
    SetValue(L"chkCentreOfCircle", r.drawCentre ? L"1" : L"0");
    ShowLine(r.line);
  });
  // A general equation comes back in its translated form: the record keeps the
  // centre and half-axes, not the common factor of the coefficients typed.
  auto centredLoader = [this, num](const std::wstring& suffix, std::vector<ConicRecord> GraphContext::*table) {
    return [this, num, suffix, table](int k) {
      const auto& t = g_.*table;
      if (k < 1 || k > static_cast<int>(t.size())) return;
      const ConicRecord& r = t[static_cast<size_t>(k - 1)];
      int form = IndexOf(kConicTags, r.form);
      if (form < 0 || form == kGeneral) form = r.fociOnY ? 3 : 2;
      SetValue(L"optType_" + suffix, std::to_wstring(form));
      SetValue(L"txtA2_" + suffix, num(r.a2));
      SetValue(L"txtB2_" + suffix, num(r.b2));
      SetValue(L"txtX0_" + suffix, num(r.x0));
      SetValue(L"txtY0_" + suffix, num(r.y0));
      SetValue(L"chkFocus_" + suffix, r.focus ? L"1" : L"0");
      SetValue(L"chkDirectrix_" + suffix, r.directrix ? L"1" : L"0");
      SetValue(L"chkAxis_" + suffix, r.axis ? L"1" : L"0");
      if (suffix == L"SQX") {
        SetValue(L"txtMin_SQX", num(r.from));
        SetValue(L"txtMax_SQX", num(r.to));
        SetValue(L"chkJJX_SQX", r.asymptotes ? L"1" : L"0");
      }
      ShowLine(r.line);
    };
  };
  RegisterLoader(L"ty", centredLoader(L"TY", &GraphContext::tyTable));
  RegisterLoader(L"sqx", centredLoader(L"SQX", &GraphContext::sqxTable));
  RegisterLoader(L"pwx", [this, num](int k) {
    if (k < 1 || k > static_cast<int>(g_.pwxTable.size())) return;
    const PWXRecord& r = g_.pwxTable[static_cast<size_t>(k - 1)];
    SetValue(L"optType_PWX", std::to_wstring(std::max(IndexOf(kParabolaTags, r.form), 0)));
    for (auto [box, v] : {std::pair{L"txtP_PWX", r.p}, {L"txtX0_PWX", r.x0}, {L"txtY0_PWX", r.y0}, {L"txtA_PWX", r.a},
                          {L"txtB_PWX", r.b}, {L"txtC_PWX", r.c}, {L"txtMin_PWX", r.from}, {L"txtMax_PWX", r.to}})
      SetValue(box, num(v));
    SetValue(L"chkFocus_PWX", r.focus ? L"1" : L"0");
    SetValue(L"chkDirectrix_PWX", r.directrix ? L"1" : L"0");
    SetValue(L"chkAxis_PWX", r.axis ? L"1" : L"0");
    ShowLine(r.line);
  });
}

void frmGraph::cmdOK_Yuan_Click() {
  TabClick(Ctx(), L"cmdOK_Yuan_Click", [&] {
    if (!ReadFrame()) return;
    const int form = GetControl(L"optType_Yuan").value;
    if (form < 0 || form >= static_cast<int>(std::size(kCircleTags))) {
      Ctx().Ui().MsgBox(kNoForm);
      return;
    }
    YuanRecord rec;
    rec.form = kCircleTags[form];
    if (form == 2) {
      double D, E, F;
      if (!ReadBox(L"txtD_Yuan", L"0", D) || !ReadBox(L"txtE_Yuan", L"0", E) || !ReadBox(L"txtF_Yuan", L"0", F)) return;
      const CircleParts c = ReduceCircle(D, E, F);
      rec.a = c.a;
      rec.b = c.b;
      rec.r = c.r2 > 0 ? std::sqrt(c.r2) : 0;
    } else {
      if (form == 1 && (!ReadBox(L"txtA_Yuan", L"0", rec.a) || !ReadBox(L"txtB_Yuan", L"0", rec.b))) return;
      if (!ReadBox(L"txtR_Yuan", L"", rec.r)) return;
    }
    if (!(rec.r > 0)) {
      Ctx().Ui().MsgBox(L"圆的半径不能为负或者零，请检查后重新输入。");
      return;
    }
    rec.drawCentre = GetControl(L"chkCentreOfCircle").value != 0;
    g_.extent = {rec.a - rec.r, rec.a + rec.r, rec.b - rec.r, rec.b + rec.r};
    if (CheckGraphRange(Ctx(), g_)) return;
    rec.line = CurrentLine();
    StoreFigure(g_.yuanTable, rec, L"圆(Yuan) ");
  });
}

void frmGraph::cmdOK_TY_Click() {
  TabClick(Ctx(), L"cmdOK_TY_Click", [&] {
    if (!ReadFrame()) return;
    const int form = GetControl(L"optType_TY").value;
    if (form < 0 || form > kGeneral) {
      Ctx().Ui().MsgBox(kNoForm);
      return;
    }
    ConicRecord rec;
    rec.form = kConicTags[form];
    if (form == kGeneral) {
      double A, B, C, D, E;
      if (!ReadBox(L"txtA_TY", L"", A) || !ReadBox(L"txtB_TY", L"", B) || !ReadBox(L"txtC_TY", L"0", C) ||
          !ReadBox(L"txtD_TY", L"0", D) || !ReadBox(L"txtE_TY", L"0", E))
        return;
      switch (ReduceGeneralEllipse(A, B, C, D, E, rec)) {
        case Reduction::WrongSigns:
          Ctx().Ui().MsgBox(L"在椭圆的一般式方程中应保证A,B同号且不相等。");
          return;
        case Reduction::NoCurve:  // A(x − x0)² + B(y − y0)² would have to equal a non-positive number
          Ctx().Ui().MsgBox(L"椭圆中,a,b应均为正数。");
          return;
        case Reduction::Ok:
          break;
      }
    } else {
      if (!ReadBox(L"txtA2_TY", L"", rec.a2) || !ReadBox(L"txtB2_TY", L"", rec.b2)) return;
      if (form >= 2 && (!ReadBox(L"txtX0_TY", L"0", rec.x0) || !ReadBox(L"txtY0_TY", L"0", rec.y0))) return;
      if (!(rec.a2 > 0 && rec.b2 > 0)) {
        Ctx().Ui().MsgBox(L"椭圆中,a,b应均为正数。");
        return;
      }
      if (rec.a2 <= rec.b2) {
        Ctx().Ui().MsgBox(L"椭圆中a要大于b，请检查你的数据！");
        return;
      }
      rec.fociOnY = form == 1 || form == 3;
    }
    rec.focus = GetControl(L"chkFocus_TY").value != 0;
    rec.directrix = GetControl(L"chkDirectrix_TY").value != 0;
    rec.axis = GetControl(L"chkAxis_TY").value != 0;
    // The extent: the oval's box, and the directrices when they are drawn.
    const double a = std::sqrt(rec.a2), b = std::sqrt(rec.b2), c = EllipseC(rec);
    const double ax = rec.fociOnY ? b : a, ay = rec.fociOnY ? a : b;
    Reach reach;
    reach.Add(rec.x0 - ax, rec.y0 - ay);
    reach.Add(rec.x0 + ax, rec.y0 + ay);
    if (rec.directrix && c > 0) {
      const double d = rec.a2 / c;
      if (rec.fociOnY) {
        reach.AddY(rec.y0 - d);
        reach.AddY(rec.y0 + d);
      } else {
        reach.AddX(rec.x0 - d);
        reach.AddX(rec.x0 + d);
      }
    }
    g_.extent = reach.Get();
    if (CheckGraphRange(Ctx(), g_)) return;
    rec.line = CurrentLine();
    StoreFigure(g_.tyTable, rec, L"椭圆(TY) ");
  });
}

void frmGraph::cmdOK_PWX_Click() {
  TabClick(Ctx(), L"cmdOK_PWX_Click", [&] {
    if (!ReadFrame()) return;
    const int form = GetControl(L"optType_PWX").value;
    if (form < 0 || form > kQuadratic) {
      Ctx().Ui().MsgBox(kNoForm);
      return;
    }
    PWXRecord rec;
    rec.form = kParabolaTags[form];
    if (form == kQuadratic) {
      if (!ReadBox(L"txtA_PWX", L"", rec.a) || !ReadBox(L"txtB_PWX", L"0", rec.b) || !ReadBox(L"txtC_PWX", L"0", rec.c))
        return;
      if (rec.a == 0) return ShowInputError(Ctx().Ui(), L"二次项系数a不能为0，否则方程表示的不是抛物线。");
    } else {
      if (!ReadBox(L"txtP_PWX", L"", rec.p)) return;
      if (form >= 4 && (!ReadBox(L"txtX0_PWX", L"0", rec.x0) || !ReadBox(L"txtY0_PWX", L"0", rec.y0))) return;
      if (rec.p == 0) return ShowInputError(Ctx().Ui(), L"抛物线的参数p不能为0。");
    }
    // Empty range boxes take the part of the curve inside the frame (the
    // whole frame range when the curve misses the frame).
    const bool alongY = ParabolaAlongY(rec);
    auto [lo, hi] = FrameSpan(g_.frame, alongY);
    auto point = [&](double t) { return ParabolaPoint(rec, t); };
    if (auto span = InsideSpan(lo, hi, [&](double t) {
          const auto [x, y] = point(t);
          return InFrame(g_.frame, x, y);
        });
        span && span->first < span->second)
      std::tie(lo, hi) = *span;
    if (!ReadRange(L"txtMin_PWX", L"txtMax_PWX", lo, hi, rec.from, rec.to)) return;
    rec.focus = GetControl(L"chkFocus_PWX").value != 0;
    rec.directrix = GetControl(L"chkDirectrix_PWX").value != 0;
    rec.axis = GetControl(L"chkAxis_PWX").value != 0;
    Reach reach;
    reach.AddCurve(rec.from, rec.to, point);
    const ParabolaParts v = ParabolaGeometry(rec);
    if (rec.focus) reach.Add(v.axisHorizontal ? v.vx + v.focal : v.vx, v.axisHorizontal ? v.vy : v.vy + v.focal);
    if (rec.directrix) {
      if (v.axisHorizontal) reach.AddX(v.vx - v.focal);
      else reach.AddY(v.vy - v.focal);
    }
    if (rec.axis) {
      if (v.axisHorizontal) reach.AddY(v.vy);
      else reach.AddX(v.vx);
    }
    g_.extent = reach.Get();
    if (CheckGraphRange(Ctx(), g_)) return;
    rec.line = CurrentLine();
    StoreFigure(g_.pwxTable, rec, L"抛物线(PWX) ");
  });
}

void frmGraph::cmdOK_SQX_Click() {
  TabClick(Ctx(), L"cmdOK_SQX_Click", [&] {
    if (!ReadFrame()) return;
    const int form = GetControl(L"optType_SQX").value;
    if (form < 0 || form > kGeneral) {
      Ctx().Ui().MsgBox(kNoForm);
      return;
    }
    constexpr const wchar_t* kNotPositive = L"a^2或b^2必须是正数";
    ConicRecord rec;
    rec.form = kConicTags[form];
    if (form == kGeneral) {
      double A, B, C, D, E;
      if (!ReadBox(L"txtA_SQX", L"", A) || !ReadBox(L"txtB_SQX", L"", B) || !ReadBox(L"txtC_SQX", L"0", C) ||
          !ReadBox(L"txtD_SQX", L"0", D) || !ReadBox(L"txtE_SQX", L"0", E))
        return;
      switch (ReduceGeneralHyperbola(A, B, C, D, E, rec)) {
        case Reduction::WrongSigns:
          Ctx().Ui().MsgBox(L"在双曲线的一般式方程中，A,B不能同号");
          return;
        case Reduction::NoCurve:  // A(x − x0)² + B(y − y0)² = 0 is a pair of lines, with a² = b² = 0
          Ctx().Ui().MsgBox(kNotPositive);
          return;
        case Reduction::Ok:
          break;
      }
    } else {
      if (!ReadBox(L"txtA2_SQX", L"", rec.a2) || !ReadBox(L"txtB2_SQX", L"", rec.b2)) return;
      if (form >= 2 && (!ReadBox(L"txtX0_SQX", L"0", rec.x0) || !ReadBox(L"txtY0_SQX", L"0", rec.y0))) return;
      if (!(rec.a2 > 0 && rec.b2 > 0)) {
        Ctx().Ui().MsgBox(kNotPositive);
        return;
      }
      rec.fociOnY = form == 1 || form == 3;
    }
    // The branches are sampled across the focal axis; empty range boxes take
    // the part where a branch is inside the frame.
    auto [lo, hi] = FrameSpan(g_.frame, !rec.fociOnY);
    if (auto span = InsideSpan(lo, hi, [&](double t) {
          for (int sign : {-1, 1}) {
            const auto [x, y] = HyperbolaPoint(rec, t, sign);
            if (InFrame(g_.frame, x, y)) return true;
          }
          return false;
        });
        span && span->first < span->second)
      std::tie(lo, hi) = *span;
    if (!ReadRange(L"txtMin_SQX", L"txtMax_SQX", lo, hi, rec.from, rec.to)) return;
    rec.focus = GetControl(L"chkFocus_SQX").value != 0;
    rec.directrix = GetControl(L"chkDirectrix_SQX").value != 0;
    rec.axis = GetControl(L"chkAxis_SQX").value != 0;
    rec.asymptotes = GetControl(L"chkJJX_SQX").value != 0;
    Reach reach;
    for (int sign : {-1, 1}) reach.AddCurve(rec.from, rec.to, [&](double t) { return HyperbolaPoint(rec, t, sign); });
    const double c = HyperbolaC(rec);
    for (double side : {-1.0, 1.0}) {
      if (rec.focus) reach.Add(rec.x0 + (rec.fociOnY ? 0 : side * c), rec.y0 + (rec.fociOnY ? side * c : 0));
      if (rec.directrix && rec.fociOnY) reach.AddY(rec.y0 + side * rec.a2 / c);
      if (rec.directrix && !rec.fociOnY) reach.AddX(rec.x0 + side * rec.a2 / c);
    }
    if (rec.axis) reach.Add(rec.x0, rec.y0);
    g_.extent = reach.Get();
    if (CheckGraphRange(Ctx(), g_)) return;
    rec.line = CurrentLine();
    if (GetControl(L"chkMultImage").value == 0) cmdCls_Click();
    StoreFigure(g_.sqxTable, rec, L"双曲线(SQX) ");
  });
}

}  // namespace plx::graph
