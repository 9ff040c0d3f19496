// The graph dialog's list workflow (change mode, deleting, resetting) and the
// frame edits that move or resize the frame by whole units.
#include <algorithm>
#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "graph/frame/graph_context.hpp"
#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"

namespace plx::graph {
namespace {

constexpr const wchar_t* kChangeCaption = L"修改图像";
constexpr const wchar_t* kAddCaption = L"添加图像";

// The figure number of a list line: the numeric value of its last two characters.
int FigureNumber(const std::wstring& line) { return static_cast<int>(Val(Right(line, 2))); }

}  // namespace

void frmGraph::AddFrameEdits() {
  AddControl(Box(L"txtLenOfAxis_x", L"x轴长（单位）", L"20"));
  GetControl(L"txtLenOfAxis_x").change = [this] {
    const double len = Val(GetControl(L"txtLenOfAxis_x").text);
    if (len < 1 || len > 32767 || len != std::floor(len)) return;
    const int mid = static_cast<int>(std::floor((g_.frame.xmin + g_.frame.xmax) / 2.0));
    const int lo = mid - static_cast<int>(len) / 2;
    SetFrame(lo, lo + static_cast<int>(len), g_.frame.ymin, g_.frame.ymax);
  };
  AddControl(Box(L"txtLenOfAxis_y", L"y轴长（单位）", L"20"));
  GetControl(L"txtLenOfAxis_y").change = [this] {
    const double len = Val(GetControl(L"txtLenOfAxis_y").text);
    if (len < 1 || len > 32767 || len != std::floor(len)) return;
    const int mid = static_cast<int>(std::floor((g_.frame.ymin + g_.frame.ymax) / 2.0));
    const int lo = mid - static_cast<int>(len) / 2;
    SetFrame(g_.frame.xmin, g_.frame.xmax, lo, lo + static_cast<int>(len));
  };
  // The up-down control: 1 widens both axes by a unit at each end, -1 narrows them.
  AddControl(Box(L"udLenOfAxis", L"放大/缩小坐标系（1 放大，-1 缩小）", L"0"));
  GetControl(L"udLenOfAxis").change = [this] {
    const int v = static_cast<int>(Val(GetControl(L"udLenOfAxis").text));
    GetControl(L"udLenOfAxis").text = L"0";
    const ZBXRecord& f = g_.frame;
    if (v == 0 || (v < 0 && (f.xmax - f.xmin <= 2 || f.ymax - f.ymin <= 2))) return;
    const int d = v > 0 ? 1 : -1;
    SetFrame(f.xmin - d, f.xmax + d, f.ymin - d, f.ymax + d);
  };
  // The scroll bars move an axis by their value v (xmin - v, xmax - v) and return to 0.
  for (const wchar_t* name : {L"HScrollx", L"HScrolly"}) {
    AddControl(Box(name, name[7] == L'x' ? L"左右移动坐标系" : L"上下移动坐标系", L"0"));
    const bool x = name[7] == L'x';
    GetControl(name).change = [this, name, x] {
      const int v = static_cast<int>(Val(GetControl(name).text));
      GetControl(name).text = L"0";
      if (v == 0) return;
      const ZBXRecord& f = g_.frame;
      if (x) SetFrame(f.xmin - v, f.xmax - v, f.ymin, f.ymax);
      else SetFrame(f.xmin, f.xmax, f.ymin - v, f.ymax - v);
    };
  }
}

void frmGraph::SetFrame(int xmin, int xmax, int ymin, int ymax) {
  auto fits = [](int v) { return v >= -32767 && v <= 32767; };
  if (!fits(xmin) || !fits(xmax) || !fits(ymin) || !fits(ymax) || xmin >= xmax || ymin >= ymax) return;
  g_.frame.xmin = static_cast<int16_t>(xmin);
  g_.frame.xmax = static_cast<int16_t>(xmax);
  g_.frame.ymin = static_cast<int16_t>(ymin);
  g_.frame.ymax = static_cast<int16_t>(ymax);
  GetControl(L"txtXmin").text = std::to_wstring(xmin);
  GetControl(L"txtXmax").text = std::to_wstring(xmax);
  GetControl(L"txtYmin").text = std::to_wstring(ymin);
  GetControl(L"txtYmax").text = std::to_wstring(ymax);
  GetControl(L"txtLenOfAxis_x").text = std::to_wstring(xmax - xmin);
  GetControl(L"txtLenOfAxis_y").text = std::to_wstring(ymax - ymin);
  RedrawPreview();
}

size_t frmGraph::ChangingFigure(const std::wstring& caption) {
  if (changing_ < 0 || changing_ >= static_cast<int>(g_.List1.size())) return 0;
  if (GetControl(L"cmdChange").caption != kChangeCaption) return 0;
  const std::wstring& line = g_.List1[static_cast<size_t>(changing_)];
  if (!StartsWith(line, caption)) return 0;
  return static_cast<size_t>(FigureNumber(line));
}

void frmGraph::ShowLine(const LineAttr& line) {
  GetControl(L"cmbStyle").text = std::to_wstring(line.style);
  GetControl(L"cmbWidth").text = DecimalText(line.width);
  GetControl(L"labColor").text = std::to_wstring(line.color);
}

void frmGraph::List1_DblClick(int index) {
  if (index < 0 || index >= static_cast<int>(g_.List1.size())) return;
  const std::wstring& line = g_.List1[static_cast<size_t>(index)];
  auto loader = loaders_.find(LCase(FigureTag(line)));
  if (loader == loaders_.end()) return;  // the frame and the grid have no tab
  loader->second(FigureNumber(line));
  changing_ = index;
  GetControl(L"cmdChange").caption = kChangeCaption;
}

void frmGraph::cmdChange_Click() {
  Control& button = GetControl(L"cmdChange");
  button.caption = button.caption == kChangeCaption ? kAddCaption : kChangeCaption;
  if (button.caption == kChangeCaption && changing_ < 0) changing_ = GetControl(L"List1").value;
}

void frmGraph::cmdResult_Click() {
  Control& list = GetControl(L"List1");
  if (list.value < 0 || list.value >= static_cast<int>(g_.List1.size())) {
    Ctx().Ui().MsgBox(L"您没有选择任何需要删除的对象");
    return;
  }
  const std::wstring line = g_.List1[static_cast<size_t>(list.value)];
  g_.List1.erase(g_.List1.begin() + list.value);
  // The grid and the frame lines keep their check boxes in step.
  if (line == L"坐标网格(ZBWG)") GetControl(L"chkWG").value = 0;
  list.items = g_.List1;
  list.value = -1;
  changing_ = -1;
  GetControl(L"cmdChange").caption = kAddCaption;
  RedrawPreview();
}

void frmGraph::cmdReset_Click() {
  if (Ctx().Ui().MsgBox(L"重置操作将取消当前所有作图操作并返回到初始状态，您确信您要执行重置操作吗？", Buttons::YesNo) !=
      Answer::Yes)
    return;
  g_ = GraphContext{};
  changing_ = -1;
  for (const auto& [suffix, defaults] : tabDefaults_) ResetTab(suffix);
  for (const auto& [name, value] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
           {L"txtXmin", L"-10"}, {L"txtXmax", L"10"}, {L"txtYmin", L"-10"}, {L"txtYmax", L"10"},
           {L"txtLenOfAxis_x", L"20"}, {L"txtLenOfAxis_y", L"20"}})
    GetControl(name).text = value;
  for (const wchar_t* box : {L"chkDrawScale", L"chkNoCoordinate", L"chkWG"}) GetControl(box).value = 0;
  GetControl(L"chkDrawScale").enabled = true;
  GetControl(L"cmdChange").caption = kAddCaption;
  GetControl(L"List1").items = g_.List1;
  GetControl(L"List1").value = -1;
  RedrawPreview();
}

}  // namespace plx::graph
