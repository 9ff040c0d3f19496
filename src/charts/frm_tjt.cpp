#include "charts/frm_tjt.hpp"

#include <algorithm>

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "charts/chart_data.hpp"
#include "common/vbnum.hpp"
#include "config/dialog_memory.hpp"
#include "charts/pie_chart.hpp"
#include "charts/stem_leaf.hpp"
#include "common/text.hpp"
#include "graph/frame/frame.hpp"

namespace plx::charts {
namespace {

const wchar_t* const kRelativeCaption = L"(频率)/(组距)";

DialogMemory Memory() {
  DialogMemory m{6, {}};
  for (const wchar_t* name :
       {L"txtLenX", L"txtChuZhiX", L"txtZhongZhiX", L"txtKuaDuX", L"txtTextX", L"chkCanKaoXianX", L"optCanKaoXianX",
        L"chkZheXianX", L"chkAutoX", L"txtLenY", L"txtChuZhiY", L"txtZhongZhiY", L"txtKuaDuY", L"txtTextY",
        L"chkCanKaoXianY", L"optCanKaoXianY", L"chkZheXianY", L"chkAutoY", L"txtData", L"chkColor", L"optColor",
        L"optStyle", L"optZFT", L"txtXSWS", L"chkZuoBiaoXian", L"chkBiaoJiShuZhi", L"txtJianJu", L"chkNoBiLi",
        L"chkFill", L"optShanXingColor", L"txtRadius", L"txtDataSX", L"optDataType", L"txtDataJYT(0)",
        L"txtDataJYT(1)"})
    m.slots.push_back({name});
  return m;
}

Control Label(const wchar_t* name, const wchar_t* text) {
  Control c = Box(name, L"", text);
  c.kind = ControlKind::Label;
  return c;
}

}  // namespace

frmTJT::frmTJT(AddinContext& ctx) : Form(ctx, L"frmTJT") {
  AddChartTab();
  AddStemLeafTab();
  AddPieTab();
  AddControl(Button(L"cmdCancel", L"退出", [this] { Unload(); }));
}

void frmTJT::AddChartTab() {
  const auto update = [this] { UpdateStates(); };
  AddControl(Label(L"labTab1", L"统计图形"));
  Control kind = Options(L"optZFT", L"统计图类型", {L"频数分布直方图", L"频率分布直方图", L"条形图", L"折线图"});
  kind.change = [this] {
    // The relative-frequency histogram has its own y caption.
    Control& y = GetControl(L"txtTextY");
    const bool relative = GetControl(L"optZFT").value == 1;
    if (relative) y.text = kRelativeCaption;
    else if (y.text == kRelativeCaption) y.text = L"频数";
    UpdateStates();
  };
  AddControl(kind);
  AddControl(Label(L"fraData", L"数据区（请在此区域输入频数）"));
  AddControl(Box(L"txtData", L"数据", L"3,5,2,6,4"));
  AddControl(Button(L"cmdCls", L"清空数据", [this] { GetControl(L"txtData").text.clear(); }));
  for (const wchar_t* axis : {L"X", L"Y"}) {
    const std::wstring a = axis;
    const bool x = a == L"X";
    AddControl(Box(L"txtLen" + a, x ? L"x轴长度（厘米）" : L"y轴长度（厘米）", x ? L"8" : L"6"));
    AddControl(Box(L"txtChuZhi" + a, L"初值", L"0"));
    AddControl(Box(L"txtZhongZhi" + a, L"终值", x ? L"5" : L"10"));
    AddControl(Box(L"txtKuaDu" + a, L"跨度", x ? L"1" : L"2"));
    AddControl(Box(L"txtText" + a, L"文字标识", x ? L"x" : L"y"));
    AddControl(Check(L"chkAuto" + a, L"根据数据自动处理", 1, update));
    AddControl(Check(L"chkZheXian" + a, L"折线开始", 0));
    AddControl(Check(L"chkCanKaoXian" + a, x ? L"竖直参考线" : L"水平参考线", 0, update));
    Control style = Options(L"optCanKaoXian" + a, L"参考线", {L"实线", L"虚线"});
    style.value = 1;
    AddControl(style);
  }
  AddControl(Check(L"chkZuoBiaoXian", L"坐标标记线", 0));
  AddControl(Check(L"chkBiaoJiShuZhi", L"标记数值", 0));
  AddControl(Box(L"txtJianJu", L"柱状图间距（毫米）", L"2"));
  AddControl(Box(L"txtXSWS", L"保留小数位数：", L"2"));
  AddControl(Check(L"chkFill", L"填充柱状图", 0, update));
  AddFillChoice(L"optColor", L"阴影", L"labColor");
  AddControl(Options(L"optStyle", L"样式", {L"样式1", L"样式2"}));
  AddControl(Check(L"chkNoBiLi", L"忽略初始比例", 0));
  AddControl(Button(L"cmdOk", L"确定", [this] { cmdOk_Click(); }));
}

void frmTJT::AddStemLeafTab() {
  AddControl(Label(L"labTab2", L"茎叶图"));
  Control type = Options(L"optDataType", L"数据类型", {L"单系列", L"双系列"});
  type.change = [this] { UpdateStates(); };
  AddControl(type);
  AddControl(Box(L"txtDataJYT(0)", L"甲：", L"5,12,17,23,27,31"));
  AddControl(Box(L"txtDataJYT(1)", L"乙：", L"8,14,19,22,26,33"));
  AddControl(Button(L"cmdClsJY", L"清空数据", [this] {
    GetControl(L"txtDataJYT(0)").text.clear();
    GetControl(L"txtDataJYT(1)").text.clear();
  }));
  AddControl(Button(L"cmdOKJY", L"插入茎叶图", [this] { cmdOKJY_Click(); }));
}

void frmTJT::AddPieTab() {
  AddControl(Label(L"labTab3", L"扇形统计图"));
  AddControl(Box(L"txtDataSX", L"各扇形面积之比（例：10：35：25：30）", L"10:35:25:30"));
  AddControl(Box(L"txtRadius", L"扇形半径（厘米）", L"2"));
  AddControl(Check(L"chkBaiFenBi", L"显示百分比", 1));
  // The pie's own fill box: "填充柱状图" (chkFill) belongs to the first tab.
  AddControl(Check(L"chkColor", L"填充扇形", 0, [this] { UpdateStates(); }));
  AddFillChoice(L"optShanXingColor", L"阴影填充", L"labShanXingColor");
  AddControl(Button(L"cmdClsSX", L"清空数据", [this] { GetControl(L"txtDataSX").text.clear(); }));
  AddControl(Button(L"cmdOKSX", L"插入扇形统计图", [this] { cmdOKSX_Click(); }));
}

void frmTJT::UpdateStates() {
  if (restoring_) return;
  const int kind = GetControl(L"optZFT").value;
  const bool bar = kind == static_cast<int>(ChartKind::Bar);
  GetControl(L"fraData").text = bar ? L"数据区（多个数据用\",\"分隔）" : L"数据区（请在此区域输入频数）";
  GetControl(L"txtJianJu").visible = bar;
  GetControl(L"chkZuoBiaoXian").visible = !bar;
  GetControl(L"chkBiaoJiShuZhi").visible = !bar;
  for (const wchar_t* axis : {L"X", L"Y"}) {
    const std::wstring a = axis;
    const bool manual = GetControl(L"chkAuto" + a).value == 0;
    for (const wchar_t* box : {L"txtChuZhi", L"txtZhongZhi", L"txtKuaDu"}) GetControl(box + a).enabled = manual;
    GetControl(L"optCanKaoXian" + a).enabled = GetControl(L"chkCanKaoXian" + a).value != 0;
  }
  const bool fill = GetControl(L"chkFill").value != 0;
  GetControl(L"optColor").enabled = fill;
  GetControl(L"labColor").enabled = fill;
  GetControl(L"txtDataJYT(1)").enabled = GetControl(L"optDataType").value == 1;
  const bool pieFill = GetControl(L"chkColor").value != 0;
  GetControl(L"optShanXingColor").enabled = pieFill;
  GetControl(L"labShanXingColor").enabled = pieFill;
}

void frmTJT::AddFillChoice(const wchar_t* options, const wchar_t* shading, const wchar_t* swatch) {
  Control colour = Options(options, L"填充方式", {L"随机颜色", shading, L"指定颜色"});
  colour.value = 1;
  AddControl(colour);
  Control box = Box(swatch, L"颜色（RGB，红色在低字节）", L"12632256");
  box.click = [this, swatch] { PickColour(swatch); };
  AddControl(box);
}

void frmTJT::PickColour(const wchar_t* swatch) {
  Control& c = GetControl(swatch);
  const auto initial = static_cast<uint32_t>(ToBounded(Number(swatch), 0, 0xFFFFFF));
  if (auto chosen = Ctx().Ui().ChooseColor(initial)) c.text = std::to_wstring(*chosen);
}

void frmTJT::Form_Load() {
  restoring_ = true;
  RestoreDialog(Ctx(), *this, Memory());
  restoring_ = false;
  UpdateStates();
}

void frmTJT::Form_Unload() {
  // Every box takes part in the memory, whatever is disabled just now.
  for (const auto& c : Controls()) GetControl(c.name).enabled = true;
  SaveDialog(Ctx(), *this, Memory());
}

double frmTJT::Number(const std::wstring& box) { return Val(NumberText(GetControl(box).text)); }

ChartInput frmTJT::ChartFromControls() {
  ChartInput in;
  in.kind = static_cast<ChartKind>(std::clamp(GetControl(L"optZFT").value, 0, 3));
  in.data = ReadChartData(GetControl(L"txtData").text).values;
  for (const wchar_t* axis : {L"X", L"Y"}) {
    const std::wstring a = axis;
    AxisInput& ax = a == L"X" ? in.x : in.y;
    ax.lengthCm = Number(L"txtLen" + a);
    ax.manual = {ToSingle(Number(L"txtChuZhi" + a)), ToSingle(Number(L"txtZhongZhi" + a)),
                 ToSingle(Number(L"txtKuaDu" + a))};
    ax.automatic = GetControl(L"chkAuto" + a).value != 0;
    ax.broken = GetControl(L"chkZheXian" + a).value != 0;
    ax.reference = GetControl(L"chkCanKaoXian" + a).value != 0;
    ax.dashed = GetControl(L"optCanKaoXian" + a).value == 1;
    ax.caption = Trim(GetControl(L"txtText" + a).text);
  }
  const bool bar = in.kind == ChartKind::Bar;
  in.markerLines = !bar && GetControl(L"chkZuoBiaoXian").value != 0;
  in.writeValues = !bar && GetControl(L"chkBiaoJiShuZhi").value != 0;
  in.gapMm = Number(L"txtJianJu");
  in.decimals = ToBounded(Number(L"txtXSWS"), 0, 6);
  in.fill = GetControl(L"chkFill").value != 0;
  in.fillKind = static_cast<FillKind>(std::clamp(GetControl(L"optColor").value, 0, 2));
  in.colour = static_cast<uint32_t>(ToBounded(Number(L"labColor"), 0, 0xFFFFFF));
  in.style = GetControl(L"optStyle").value;
  in.ignoreProportion = GetControl(L"chkNoBiLi").value != 0;
  return in;
}

bool frmTJT::DataRefused(const std::wstring& box) {
  const std::wstring problem = ReadChartData(GetControl(box).text).problem;
  if (problem.empty()) return false;
  Ctx().Ui().MsgBox(problem, Buttons::OK, L"");
  return true;
}

void frmTJT::cmdOk_Click() {
  if (GetControl(L"optZFT").value == static_cast<int>(ChartKind::Line)) {
    ZheXianTu();
    return;
  }
  try {
    if (DataRefused(L"txtData")) return;
    const graph::InsertPoint at = graph::GetInsertPoint(Ctx());
    DrawStatisticChart(Ctx(), ChartFromControls(), at.left, at.top);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTJT.cmdOk_Click-->line", __LINE__);
  }
}

void frmTJT::ZheXianTu() {
  try {
    if (DataRefused(L"txtData")) return;
    const graph::InsertPoint at = graph::GetInsertPoint(Ctx());
    ChartInput in = ChartFromControls();
    in.kind = ChartKind::Line;
    DrawStatisticChart(Ctx(), in, at.left, at.top);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTJT.ZheXianTu-->line", __LINE__);
  }
}

void frmTJT::cmdOKJY_Click() {
  try {
    const std::wstring first = GetControl(L"txtDataJYT(0)").text;
    const std::wstring second = GetControl(L"txtDataJYT(1)").text;
    InsertStemLeaf(Ctx(), first, GetControl(L"optDataType").value == 1 ? &second : nullptr);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTJT.cmdOKJY_Click-->line", __LINE__);
  }
}

void frmTJT::cmdOKSX_Click() {
  try {
    if (DataRefused(L"txtDataSX")) return;
    PieInput in;
    in.ratios = ReadChartData(GetControl(L"txtDataSX").text).values;
    in.radiusCm = Number(L"txtRadius");
    in.percentages = GetControl(L"chkBaiFenBi").value != 0;
    in.fill = GetControl(L"chkColor").value != 0;
    in.fillKind = static_cast<PieFill>(std::clamp(GetControl(L"optShanXingColor").value, 0, 2));
    in.colour = static_cast<uint32_t>(ToBounded(Number(L"labShanXingColor"), 0, 0xFFFFFF));
    const graph::InsertPoint at = graph::GetInsertPoint(Ctx());
    DrawPieChart(Ctx(), in, at.left, at.top);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTJT.cmdOKSX_Click-->line", __LINE__);
  }
}

}  // namespace plx::charts
