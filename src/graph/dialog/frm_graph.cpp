#include "graph/dialog/frm_graph.hpp"

#include <cmath>
#include <tuple>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "graph/curves/expression_curves.hpp"
#include "addin/control_makers.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/frame/frame.hpp"
#include "graph/frame/input_error.hpp"
#include "graph/frame/insertion.hpp"
#include "graph/preview/zbx_graph.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

constexpr const wchar_t* kFrameLine = L"平面直角坐标系(ZBX)";
constexpr const wchar_t* kGridLine = L"坐标网格(ZBWG)";

constexpr const wchar_t* kAnyNote =
    L"注意：程序不检查函数的定义域，定义域外的点可能使图像出错；负数的分数次幂（即使是奇次方根）也得不到正确结果。";

constexpr const wchar_t* kNothingInFrame = L"函数图像没有落在当前坐标范围内的部分，请检查函数或坐标范围！";

}  // namespace

frmGraph::frmGraph(AddinContext& ctx) : Form(ctx, L"frmGraph") {
  for (auto [name, caption, text] : {std::tuple{L"txtXmin", L"x最小值", L"-10"}, std::tuple{L"txtXmax", L"x最大值", L"10"},
                                     std::tuple{L"txtYmin", L"y最小值", L"-10"}, std::tuple{L"txtYmax", L"y最大值", L"10"}})
    AddControl(Box(name, caption, text));
  Control style;
  style.name = L"cmbStyle";
  style.kind = ControlKind::ComboBox;
  style.caption = L"线型";
  style.items = {L"0", L"1", L"2", L"3", L"4", L"5", L"6"};
  style.text = L"0";
  style.listOnly = true;  // the style numbers of the dash table only
  style.change = [this] { RedrawPreview(); };
  AddControl(style);
  AddControl(Box(L"cmbWidth", L"线宽", L"0.75"));
  AddControl(Box(L"labColor", L"颜色（RGB，红色在低字节）", L"0"));
  // The line attribute boxes show their line on the preview at once.
  GetControl(L"cmbWidth").change = [this] { RedrawPreview(); };
  GetControl(L"cmbWidth").range = std::pair{0.0, 1584.0};  // the weights a shape's line can have, in points
  GetControl(L"labColor").change = [this] { RedrawPreview(); };
  AddControl(Check(L"chkDrawScale", L"画刻度", 0, [this] { chkDrawScale_Click(); }));
  AddControl(Check(L"chkNoCoordinate", L"不画坐标轴", 0, [this] { chkNoCoordinate_Click(); }));
  AddControl(Check(L"chkWG", L"坐标网格", 0, [this] { chkWG_Click(); }));
  AddControl(Check(L"chkMultImage", L"在同一坐标系下显示多个函数图像", 1));
  Control list;
  list.name = L"List1";
  list.kind = ControlKind::ListBox;
  list.caption = L"作图列表";
  list.value = -1;
  list.dblClick = [this](int index) { List1_DblClick(index); };
  AddControl(list);
  AddFrameEdits();
  AddControl(Options(L"optMode_Any", L"任意函数", {L"函数y=f(x)", L"参数方程", L"极坐标方程"}));
  AddControl(Box(L"txtFx_Any", L"y=", L""));
  AddControl(Box(L"txtXmin_Any", L"x从", L""));
  AddControl(Box(L"txtXmax_Any", L"到", L""));
  AddControl(Box(L"txtXt_Any", L"x(t)=", L""));
  AddControl(Box(L"txtYt_Any", L"y(t)=", L""));
  AddControl(Box(L"txtRt_Any", L"r(t)=（其中t为极角）", L""));
  AddControl(Box(L"txtTmin_Any", L"t从", L"0"));
  AddControl(Box(L"txtTmax_Any", L"到", L"2*PI"));
  Control note;
  note.name = L"labNote_Any";
  note.kind = ControlKind::Label;
  note.caption = kAnyNote;
  AddControl(note);
  AddControl(Button(L"cmdOK_Any", L"确定", [this] { cmdOK_Any_Click(); }));
  AddElementaryTabs();
  AddTrigTab();
  AddConicTabs();
  AddPointTabs();
  RegisterListLoaders();
  AddControl(Button(L"cmdChange", L"添加图像", [this] { cmdChange_Click(); }));
  AddControl(Button(L"cmdResult", L"删除", [this] { cmdResult_Click(); }));
  AddControl(Button(L"cmdReset", L"重置", [this] { cmdReset_Click(); }));
  AddControl(Button(L"cmdCls", L"清屏", [this] { cmdCls_Click(); }));
  AddControl(Button(L"cmdOK", L"插入Word", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdCancel", L"退出", [this] { Unload(); }));
}

void frmGraph::Form_Load() {
  ConfigGroup(Ctx(), L"zbxconfig");
  GetControl(L"List1").items = g_.List1;
  RedrawPreview();
}

bool frmGraph::ReadBox(const std::wstring& control, const std::wstring& fallback, double& value) {
  std::wstring text = Trim(GetControl(control).text);
  return ReadNumber(Ctx().Ui(), g_.math, text.empty() ? fallback : text, value);
}

bool frmGraph::ReadFrame() {
  double v[4];
  const wchar_t* boxes[] = {L"txtXmin", L"txtXmax", L"txtYmin", L"txtYmax"};
  for (int i = 0; i < 4; ++i) {
    if (!ReadBox(boxes[i], L"", v[i])) return false;
    if (v[i] != std::floor(v[i]) || std::fabs(v[i]) > 32767) {
      ShowInputError(Ctx().Ui(), L"");
      return false;
    }
  }
  if (v[0] >= v[1] || v[2] >= v[3]) {
    ShowInputError(Ctx().Ui(), L"");
    return false;
  }
  g_.frame.xmin = static_cast<int16_t>(v[0]);
  g_.frame.xmax = static_cast<int16_t>(v[1]);
  g_.frame.ymin = static_cast<int16_t>(v[2]);
  g_.frame.ymax = static_cast<int16_t>(v[3]);
  return true;
}

LineAttr frmGraph::CurrentLine() {
  return {static_cast<int16_t>(Val(GetControl(L"cmbStyle").text)), static_cast<float>(Val(GetControl(L"cmbWidth").text)),
          static_cast<uint32_t>(Val(GetControl(L"labColor").text))};
}

void frmGraph::AddLine(const std::wstring& caption, size_t number) {
  g_.List1.push_back(caption + std::to_wstring(number));
  GetControl(L"List1").items = g_.List1;
}

void frmGraph::cmdOK_Any_Click() {
  try {
    if (!ReadFrame()) return;
    int mode = GetControl(L"optMode_Any").value;
    if (mode == 0) {
      std::wstring text = Trim(GetControl(L"txtFx_Any").text);
      double xmin, xmax;
      if (text.empty()) return ShowInputError(Ctx().Ui(), L"");
      if (!ReadBox(L"txtXmin_Any", DecimalText(g_.frame.xmin), xmin) ||
          !ReadBox(L"txtXmax_Any", DecimalText(g_.frame.xmax), xmax))
        return;
      if (xmin >= xmax) return ShowInputError(Ctx().Ui(), L"");
      AnyRecord rec;
      rec.expression = NormaliseExpression(text);
      rec.typed = text;
      rec.typedXmin = Trim(GetControl(L"txtXmin_Any").text);
      rec.typedXmax = Trim(GetControl(L"txtXmax_Any").text);
      std::wstring failure;
      rec.intervals = FindIntervals(g_, rec.expression, xmin, xmax, &failure);
      // A function with nothing to draw is not added: an invisible entry
      // would only puzzle the teacher.
      if (!failure.empty()) return ShowInputError(Ctx().Ui(), failure);
      if (rec.intervals.empty()) return ShowInputError(Ctx().Ui(), kNothingInFrame);
      rec.line = CurrentLine();
      return StoreFigure(g_.anyTable, rec, L"任意函数(ANY) ");
    }
    double tmin, tmax;
    if (!ReadBox(L"txtTmin_Any", L"0", tmin) || !ReadBox(L"txtTmax_Any", L"2*PI", tmax)) return;
    if (tmin >= tmax) return ShowInputError(Ctx().Ui(), L"");
    ParamRecord rec;
    if (mode == 1) {
      std::wstring xt = Trim(GetControl(L"txtXt_Any").text), yt = Trim(GetControl(L"txtYt_Any").text);
      if (xt.empty() || yt.empty()) return ShowInputError(Ctx().Ui(), L"");
      // t becomes x first, so that the normaliser writes the products with it.
      rec = {NormaliseExpression(ReplaceParameter(xt)), NormaliseExpression(ReplaceParameter(yt)), tmin, tmax,
             CurrentLine()};
    } else {
      std::wstring r = Trim(GetControl(L"txtRt_Any").text);
      if (r.empty()) return ShowInputError(Ctx().Ui(), L"");
      rec = PolarAsParametric(r, tmin, tmax, CurrentLine());
    }
    std::wstring failure;
    if (!ParametricExtent(rec, g_.extent, failure)) return ShowInputError(Ctx().Ui(), failure);
    if (CheckGraphRange(Ctx(), g_)) return;
    if (mode == 1) StoreFigure(g_.paramTable, rec, L"参数方程(Param) ");
    else StoreFigure(g_.polarTable, rec, L"极坐标方程(polar) ");
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmGraph.cmdOK_Any_Click-->line", __LINE__);
  }
}

void frmGraph::cmdCls_Click() {
  g_.List1.clear();
  if (GetControl(L"chkNoCoordinate").value == 0) g_.List1.push_back(kFrameLine);
  // The grid is a setting of the frame, like the axes: it stays while its box is checked.
  if (GetControl(L"chkWG").value != 0) g_.List1.push_back(kGridLine);
  GetControl(L"List1").items = g_.List1;
  GetControl(L"List1").value = -1;
  changing_ = -1;
  RedrawPreview();
}

void frmGraph::cmdOK_Click() {
  if (!ReadFrame()) return;
  RedrawPreview();
  InsertGraphs(Ctx(), g_);
}

void frmGraph::RemoveLine(const std::wstring& line) {
  std::erase(g_.List1, line);
  GetControl(L"List1").items = g_.List1;
}

void frmGraph::chkDrawScale_Click() {
  g_.frame.drawTicks = static_cast<int16_t>(GetControl(L"chkDrawScale").value);
  RedrawPreview();
}

void frmGraph::chkWG_Click() {
  RemoveLine(kGridLine);
  if (GetControl(L"chkWG").value) {
    const LineAttr line = CurrentLine();
    g_.grid = {line.style, line.width, line.color};
    g_.List1.push_back(kGridLine);
    GetControl(L"List1").items = g_.List1;
  }
  RedrawPreview();
}

void frmGraph::chkNoCoordinate_Click() {
  Control& ticks = GetControl(L"chkDrawScale");
  RemoveLine(kFrameLine);
  if (GetControl(L"chkNoCoordinate").value) {
    ticks.value = 0;
    ticks.enabled = false;
    g_.frame.drawTicks = 0;
  } else {
    g_.List1.push_back(kFrameLine);
    GetControl(L"List1").items = g_.List1;
    ticks.enabled = true;
  }
  RedrawPreview();
}

void frmGraph::RedrawPreview() {
  ZBX_Graph(Ctx(), g_, canvas_);
  // The sample of the line the next figure gets, in the canvas's top left corner.
  const LineAttr line = CurrentLine();
  canvas_.Line(6, 6, 36, 6, line.color, PreviewStroke(line.width), false, GetLineDash(line.style));
}

std::string frmGraph::PreviewSvg() {
  RedrawPreview();
  return canvas_.Svg();
}

}  // namespace plx::graph
