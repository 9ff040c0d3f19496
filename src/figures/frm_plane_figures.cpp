#include "figures/frm_plane_figures.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/dialog_memory.hpp"
#include "figures/plane_figures.hpp"

namespace plx::figures {
namespace {

const DialogMemory kPolygonMemory{12, {{L"txtBS"}, {L"txtBC"}, {L"chkCenter"}}, true};
const DialogMemory kGridMemory{11, {{L"Option1"}, {L"Text1(0)"}, {L"Text1(1)"}, {L"Text1(2)"}}};

// More cells than this would take minutes to draw and fill many pages.
constexpr double kMaxGridCells = 10000;

// Groups what the press made and moves it to the insertion point.
void Place(AddinContext& ctx, FigureShapes& shapes, const std::wstring& role) {
  shapes.Finish(role, graph::GetInsertPoint(ctx));
}

bool Refuse(AddinContext& ctx, const std::wstring& message) {
  ctx.Ui().MsgBox(message, Buttons::OK, L"");
  return true;
}

// A number box as typed: full-width digits and signs folded.
double Number(Form& form, const std::wstring& box) { return Val(NumberText(form.GetControl(box).text)); }

// The most sides a polygon is drawn with: more look like a circle.
constexpr int kMaxSides = 1000;

// What each construction of grid paper is good for, shown under the choice.
const wchar_t* const kGridDescriptions[] = {
    L"每个方格只含有顶点，没有边线",
    L"方格是由几条横线和竖线组合而成，这种类型的方格可以方便的将某几条边整体设为虚线。",
    L"每个方格均由四条互不影响的线段组成，这种类型的方程可以方便的将某个小正方形的边设置为虚线。",
    L"每个方格都是由一个小正方形构成，这种类型的方格可以方便的填充其中某个方格的颜色"};

}  // namespace

RememberedFigureForm::RememberedFigureForm(AddinContext& ctx, const std::wstring& name, const DialogMemory& memory)
    : Form(ctx, name), shapes_(ctx), memory_(memory) {}

void RememberedFigureForm::Form_Load() { RestoreDialog(Ctx(), *this, memory_); }
void RememberedFigureForm::Form_Unload() { SaveDialog(Ctx(), *this, memory_); }

frmZDBX::frmZDBX(AddinContext& ctx) : RememberedFigureForm(ctx, L"frmZDBX", kPolygonMemory) {
  AddControl(Box(L"txtBS", L"边数：", L"6"));
  AddControl(Box(L"txtBC", L"边长：", L"2"));
  AddControl(Check(L"chkCenter", L"画中心", 0));
  AddControl(Button(L"Command1", L"确定", [this] { Command1_Click(); }));
  AddControl(Button(L"Command2", L"退出", [this] { Unload(); }));
}

void frmZDBX::Command1_Click() {
  try {
    const double sides = Number(*this, L"txtBS");
    const double a = Number(*this, L"txtBC");
    if (!(sides >= 3 && sides <= kMaxSides && sides == Int(sides)) &&
        Refuse(Ctx(), L"边数应是3到" + std::to_wstring(kMaxSides) + L"之间的整数，请检查您的数据！"))
      return;
    if (a <= 0 && Refuse(Ctx(), L"边长必须大于0，请检查您的数据！")) return;
    DrawRegularPolygon(shapes_, static_cast<int>(sides), a, GetControl(L"chkCenter").value == 1);
    Place(Ctx(), shapes_, L"正多边形");
  } catch (const std::exception& e) {
    shapes_.Discard();
    ShowErr(Ctx(), e, L"frmZDBX.Command1_Click-->line", __LINE__);
  }
}

frmFangGe::frmFangGe(AddinContext& ctx) : RememberedFigureForm(ctx, L"frmFangGe", kGridMemory) {
  AddControl(Box(L"Text1(0)", L"行数：", L"6"));
  AddControl(Box(L"Text1(1)", L"列数：", L"8"));
  AddControl(Box(L"Text1(2)", L"宽度：", L"0.5"));
  Control unit = Box(L"labUnit", L"单位（厘米）", L"");
  unit.kind = ControlKind::Label;
  AddControl(unit);
  Control kind = Options(L"Option1", L"", {L"点阵型", L"直线型", L"线段型", L"方块型"});
  kind.change = [this] {
    const int chosen = GetControl(L"Option1").value;
    GetControl(L"labDescription").caption = chosen >= 0 && chosen < 4 ? kGridDescriptions[chosen] : L"";
  };
  AddControl(kind);
  Control description = Box(L"labDescription", L"", L"");
  description.kind = ControlKind::Label;
  AddControl(description);
  AddControl(Button(L"Command1", L"绘制", [this] { Command1_Click(); }));
  AddControl(Button(L"Command2", L"退出", [this] { Unload(); }));
  SetValue(L"Option1", L"1");
}

void frmFangGe::Command1_Click() {
  try {
    const double rows = Number(*this, L"Text1(0)"), columns = Number(*this, L"Text1(1)");
    if (rows <= 0 && Refuse(Ctx(), L"行数不能为零或负数，请检查您的数据！")) return;
    if (columns <= 0 && Refuse(Ctx(), L"列数不能为零或负数，请检查您的数据！")) return;
    const int s = CInt(Number(*this, L"Text1(2)") * kPointsPerCm);
    if (s <= 0 && Refuse(Ctx(), L"宽度必须大于0，请检查您的数据！")) return;
    const int r = CInt(rows), c = CInt(columns);
    if (static_cast<double>(r) * c > kMaxGridCells &&
        Refuse(Ctx(), L"方格太多（最多10000个），请减少行数或列数！"))
      return;
    if (r <= 0 || c <= 0) return;  // fewer than half a row or column
    DrawGrid(shapes_, static_cast<GridKind>(std::clamp(GetControl(L"Option1").value, 0, 3)), r, c, s);
    Place(Ctx(), shapes_, L"方格");
    Ctx().Ui().MsgBox(L"方格绘制已经完成，如果不需要再绘制方格，请点退出按钮关闭", Buttons::OK, L"");
  } catch (const std::exception& e) {
    shapes_.Discard();
    ShowErr(Ctx(), e, L"frmFangGe.Command1_Click-->line", __LINE__);
  }
}

std::optional<docif::FillFormat> frmSector::Fill() {
  if (GetControl(L"chkColor").value != 1) return std::nullopt;
  switch (GetControl(L"optColor").value) {
    case 1:  // light downward diagonal hatching
      return docif::FillFormat{.Visible = true, .ForeColor = 0x000000u, .BackColor = 0xFFFFFFu, .Pattern = 21};
    case 2: {
      Ctx().Random().Randomize(Ctx().GetClock());
      uint32_t colour = 0;
      for (int shift : {0, 8, 16}) colour |= static_cast<uint32_t>(Int(256 * Ctx().Random().Rnd())) << shift;
      return docif::FillFormat{.Visible = true, .ForeColor = colour, .Pattern = 0};
    }
    default:
      return docif::FillFormat{.Visible = true,
                               .ForeColor = static_cast<uint32_t>(CLng(Number(*this, L"labColor"))),
                               .Pattern = 0};
  }
}

void frmSector::DrawPieChart(double r) {
  std::wstring typed = NumberText(GetControl(L"txtData").text);
  // The separators of the statistics dialog's pie chart: "、" and "；" as a
  // Chinese input method types them between the items of a list.
  for (const wchar_t* separator : {L":", L";", L"、"}) typed = Replace(typed, separator, L",");
  std::vector<double> values;
  for (const std::wstring& part : Split(typed, L",")) {
    if (Trim(part).empty()) continue;
    const double v = static_cast<float>(Val(Trim(part)));
    if (v <= 0 || !IsNumeric(Trim(part))) {
      Refuse(Ctx(), L"各扇形面积的比应是正数，用“:”或“,”隔开（如10:35:25:30），请检查您的数据！");
      return;
    }
    values.push_back(v);
  }
  if (values.empty() && Refuse(Ctx(), L"请输入各扇形面积的比（如10:35:25:30）！")) return;
  DrawPie(shapes_, values, r, GetControl(L"chkBaiFenBi").value == 1, [this](size_t) { return Fill(); });
  Place(Ctx(), shapes_, L"扇形统计图");
}

frmSector::frmSector(AddinContext& ctx) : Form(ctx, L"frmSector"), shapes_(ctx) {
  AddControl(Box(L"txtRadius", L"扇形半径", L"2"));
  AddControl(Box(L"txtAngle", L"请输入扇形的圆心角(单位:度)：", L"60"));
  AddControl(Options(L"optSecType", L"", {L"完整的扇形", L"仅画弧线", L"画弓形", L"仅画角"}));
  AddControl(Check(L"chkXZ", L"自动旋转", 0));
  AddControl(Check(L"chkColor", L"填充扇形", 0));
  AddControl(Options(L"optColor", L"", {L"指定颜色", L"阴影填充", L"随机颜色"}));
  AddControl(Box(L"labColor", L"颜色", L"12632256"));
  AddControl(Options(L"optSector", L"", {L"扇形", L"扇形统计图"}));
  AddControl(Box(L"txtData", L"各扇形面积的比", L"10：35：25：30"));
  AddControl(Check(L"chkBaiFenBi", L"显示百分比", 1));
  AddControl(Button(L"cmdOK_Sector", L"确定", [this] { cmdOK_Sector_Click(); }));
  AddControl(Button(L"cmdCancel", L"退出", [this] { Unload(); }));
}

void frmSector::cmdOK_Sector_Click() {
  try {
    const double r = Number(*this, L"txtRadius") * kPointsPerCm;
    const double degrees = Number(*this, L"txtAngle");
    if (r <= 0 && Refuse(Ctx(), L"半径不能为零或负数!")) return;
    if (GetControl(L"optSector").value == 1) {
      DrawPieChart(r);
      return;
    }
    if ((degrees <= 0 || degrees > 360) && Refuse(Ctx(), L"圆心角应大于0度且不大于360度！")) return;
    const double alpha = degrees * std::numbers::pi / 180;
    // Turned, the figure opens upwards: its bisector points up the page.
    const double start = GetControl(L"chkXZ").value == 1 ? -std::numbers::pi / 2 - alpha / 2 : 0;
    // No option chosen draws the full sector.
    DrawSector(shapes_, static_cast<SectorKind>(std::max(GetControl(L"optSecType").value, 0)), r, start, alpha,
               Fill());
    Place(Ctx(), shapes_, L"扇形");
  } catch (const std::exception& e) {
    shapes_.Discard();
    ShowErr(Ctx(), e, L"frmSector.cmdOK_Sector_Click-->line", __LINE__);
  }
}

}  // namespace plx::figures
