// Loading a figure of the list back into its tab (double-click on the list)
// for the families of typed expressions and the elementary functions.
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/dialog/frm_graph.hpp"

namespace plx::graph {
namespace {

std::wstring Num(double v) { return DecimalText(v); }
std::wstring PointText(double x, double y) { return L"(" + Num(x) + L"," + Num(y) + L")"; }

// The r of a polar curve stored as the pair (r)*cos(x), (r)*sin(x).
std::wstring PolarRadius(const ParamRecord& rec) {
  const std::wstring& x = rec.xExpression;
  const size_t end = x.rfind(L")*cos(x)");
  return x.size() > 2 && x[0] == L'(' && end != std::wstring::npos ? x.substr(1, end - 1) : x;
}

}  // namespace

void frmGraph::RegisterListLoaders() {
  // Loads figure k of `table` with `fill` when it exists.
  auto loader = [this](auto GraphContext::*table, auto fill) {
    return [this, table, fill](int k) {
      auto& t = g_.*table;
      if (k < 1 || k > static_cast<int>(t.size())) return;
      fill(t[static_cast<size_t>(k - 1)]);
      ShowLine(t[static_cast<size_t>(k - 1)].line);
    };
  };
  RegisterLoader(L"any", loader(&GraphContext::anyTable, [this](const AnyRecord& r) {
    SetValue(L"optMode_Any", L"0");
    // The range boxes come back as typed: an interval found by the search
    // belongs to the old function, not to whatever the teacher types next.
    SetValue(L"txtFx_Any", r.typed.empty() ? r.expression : r.typed);
    SetValue(L"txtXmin_Any", r.typedXmin);
    SetValue(L"txtXmax_Any", r.typedXmax);
  }));
  RegisterLoader(L"param", loader(&GraphContext::paramTable, [this](const ParamRecord& r) {
    SetValue(L"optMode_Any", L"1");
    SetValue(L"txtXt_Any", r.xExpression);
    SetValue(L"txtYt_Any", r.yExpression);
    SetValue(L"txtTmin_Any", Num(r.tmin));
    SetValue(L"txtTmax_Any", Num(r.tmax));
  }));
  RegisterLoader(L"polar", loader(&GraphContext::polarTable, [this](const ParamRecord& r) {
    SetValue(L"optMode_Any", L"2");
    SetValue(L"txtRt_Any", PolarRadius(r));
    SetValue(L"txtTmin_Any", Num(r.tmin));
    SetValue(L"txtTmax_Any", Num(r.tmax));
  }));
  // A line comes back as the segment it is: its two end points.
  RegisterLoader(L"zx", loader(&GraphContext::zxTable, [this](const ZXRecord& r) {
    SetValue(L"optType_ZX", L"2");
    SetValue(L"txtP1_ZX", PointText(r.x1, r.y1));
    SetValue(L"txtP2_ZX", PointText(r.x2, r.y2));
    SetValue(L"chkXD", L"1");
  }));
  RegisterLoader(L"ax", loader(&GraphContext::axTable, [this](const AXRecord& r) {
    for (auto [box, v] : {std::pair{L"txtA_AX", r.a}, {L"txtH_AX", r.h}, {L"txtK_AX", r.k}, {L"txtXmin_AX", r.xmin},
                          {L"txtXmax_AX", r.xmax}})
      SetValue(box, Num(v));
  }));
  RegisterLoader(L"logx", loader(&GraphContext::logTable, [this](const LogXRecord& r) {
    ChooseOption(LogButtons(), r.variant);
    for (auto [box, v] : {std::pair{L"txtA_LogX", r.a}, {L"txtH_LogX", r.h}, {L"txtK_LogX", r.k},
                          {L"txtXmin_LogX", r.xmin}, {L"txtXmax_LogX", r.xmax}})
      SetValue(box, Num(v));
  }));
  RegisterLoader(L"mi", loader(&GraphContext::miTable, [this](const MIRecord& r) {
    ChooseOption(PowerButtons(), r.variant);
    SetValue(L"txtP_MI", std::to_wstring(r.p));
    SetValue(L"txtQ_MI", std::to_wstring(r.q));
    SetValue(L"txtXmin_MI", Num(r.xmin));
    SetValue(L"txtXmax_MI", Num(r.xmax));
  }));
  RegisterLoader(L"fblhs", loader(&GraphContext::fblhsTable, [this](const FBLHSRecord& r) {
    SetValue(L"txtK_FBLHS", Num(r.k));
    SetValue(L"txtXmin_FBLHS", Num(r.xmin));
    SetValue(L"txtXmax_FBLHS", Num(r.xmax));
  }));
  // Angles come back in radians, over the range that was drawn.
  RegisterLoader(L"sj", loader(&GraphContext::sjTable, [this](const SJRecord& r) {
    SetValue(L"optType_SJ", std::to_wstring(r.function));
    SetValue(L"chkRadian_SJ", L"1");
    SetValue(L"optRange_SJ", L"0");
    SetValue(L"chkFivePoint_SJ", L"0");
    SetValue(L"chkSymmetric_SJ", L"0");
    for (auto [box, v] : {std::pair{L"txtA_sin", r.A}, {L"txtW_sin", r.w}, {L"txtF_sin", r.phi}, {L"txtK_sin", r.k},
                          {L"txtXmin_SJ", r.xmin}, {L"txtXmax_SJ", r.xmax}})
      SetValue(box, Num(v));
  }));
}

}  // namespace plx::graph
