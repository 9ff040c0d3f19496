#include "figures/frm_interval.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/dialog_memory.hpp"

namespace plx::figures {
namespace {

const DialogMemory kMemory{10,
                           {{L"txtXmin"}, {L"txtXmax"}, {L"txtLengthOfAxis"}, {L"optType"}, {L"optKD"}, {L"chkNoX"},
                            {L"txtInequality"}},
                           true,
                           7};

const wchar_t* const kNotAllDrawn = L"有区间没有画出，请检查输入的不等式";

Control Note(const std::wstring& name, const std::wstring& text) {
  Control c = Box(name, text, L"");
  c.kind = ControlKind::Label;
  return c;
}

}  // namespace

frmInterval::frmInterval(AddinContext& ctx) : Form(ctx, L"frmInterval"), shapes_(ctx), line_(ctx, shapes_) {
  AddControl(Note(L"labCaption", L"数轴与区间"));
  AddControl(Box(L"txtXmin", L"取值范围：", L"-5")).gotFocus = SelectAllOnFocus(L"txtXmin");
  AddControl(Box(L"txtXmax", L"", L"5")).gotFocus = SelectAllOnFocus(L"txtXmax");
  AddControl(Box(L"txtLengthOfAxis", L"数轴长度：", L"8"));
  AddControl(Options(L"optType", L"", {L"只画数轴", L"根据一次不等式画解集"}));
  AddControl(Options(L"optKD", L"", {L"自动刻度", L"指定刻度"}));
  AddControl(Check(L"chkNoX", L"数轴末端不写x", 0));
  // Typing solution sets means drawing them.
  AddControl(Box(L"txtInequality", L"", L"")).gotFocus = [this] { SetValue(L"optType", L"1"); };
  Control list = Box(L"txtNumberList", L"", kNumberListPlaceholder);
  list.dblClick = [this](int) { GetControl(L"txtNumberList").text.clear(); };
  list.gotFocus = list.click = SelectAllOnFocus(L"txtNumberList");
  AddControl(list);
  AddControl(Note(L"labNote1", L"注：如果有多个不等式，请用“,”分隔"));
  AddControl(Note(L"labNote2", L"注：刻度中，根号用gh表示，如gh(2)表示根号2"));
  AddControl(Note(L"labNote3",
                  L"注意：在画区间之前应先设置好x的范围，使以后所画区间的端点都在所给的范围内。建议长度值为5~10cm"));
  AddControl(Button(L"cmdOk", L"确定", [this] { cmdOk_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmInterval::Form_Load() {
  RestoreDialog(Ctx(), *this, kMemory);
  try {
    state_.L = CInt(Val(NumberText(GetControl(L"txtLengthOfAxis").text)) * 28.4);
  } catch (const std::exception&) {
    state_.L = 0;  // checked again at the first OK
  }
  state_.h = 10;
  state_.numberLineDrawn = false;
  try {
    at_ = graph::GetInsertPoint(Ctx());
  } catch (const std::exception&) {
    at_.reset();
  }
}

void frmInterval::Form_Unload() {
  try {
    shapes_.Finish(L"区间", at_);
  } catch (const std::exception& e) {
    shapes_.Reset();
    ShowErr(Ctx(), e, L"frmInterval.Form_Unload-->line", __LINE__);
  }
  Control& inequality = GetControl(L"txtInequality");
  inequality.text = Trim(inequality.text);
  SaveDialog(Ctx(), *this, kMemory);
}

AxisOptions frmInterval::Axis() {
  return {GetControl(L"optKD").value == 1 ? L"define" : L"auto", GetControl(L"chkNoX").value == 1,
          GetControl(L"txtNumberList").text};
}

bool frmInterval::DrawTyped(const TypedInterval& interval, const AxisOptions& axis) {
  state_.kind = interval.kind;
  state_.textA = Trim(interval.a);
  state_.textB = Trim(interval.b);
  const double a = line_.Evaluate(state_.textA);
  const double b = IsTwoEnded(interval.kind) ? line_.Evaluate(state_.textB) : 0;
  // An endpoint off the range would put its dot beside the axis, or past
  // the end of its arrow.
  const auto off = [this](double v) { return v < state_.xmin || v > state_.xmax; };
  if (off(a) || (IsTwoEnded(interval.kind) && off(b))) {
    Ctx().Ui().MsgBox(L"区间的端点" + (off(a) ? state_.textA : state_.textB) + L"不在数轴的取值范围（" +
                          DecimalText(state_.xmin) + L"～" + DecimalText(state_.xmax) +
                          L"）内，请关闭对话框，重新设置x的范围后再画",
                      Buttons::OK, L"");
    return false;
  }
  if (!line_.DrawInterval(state_, axis, a, b, state_.h, 0)) return false;
  state_.h = CInt(state_.h + 5.0);
  return true;
}

bool frmInterval::DrawElement(const std::wstring& element, const AxisOptions& axis) {
  if (NeedsSolver(element)) {
    auto solved = SolveLinearInequality(line_.Engine(), element);
    if (!solved) {
      Ctx().Ui().MsgBox(L"您输入的不是一个不等式,请检查后重新输入！", Buttons::OK, L"");
      return false;
    }
    if (solved->kind == LinearSolution::Kind::Empty) {
      Ctx().Ui().MsgBox(L"不等式“" + element + L"”无解，没有可画的区间。", Buttons::OK, L"");
      return true;
    }
    if (solved->kind == LinearSolution::Kind::AllNumbers) {
      Ctx().Ui().MsgBox(L"不等式“" + element + L"”的解集是全体实数，没有可画的区间。", Buttons::OK, L"");
      return true;
    }
    for (const TypedInterval& interval : SolutionIntervals(*solved))
      if (!DrawTyped(interval, axis)) return false;
    return true;
  }
  auto intervals = ReadInequality(element);
  if (!intervals) {
    Ctx().Ui().MsgBox(L"您输入的字符串中可能包含有无法识别的符号", Buttons::OK, L"");
    return false;
  }
  for (const TypedInterval& interval : *intervals)
    if (!DrawTyped(interval, axis)) return false;
  return true;
}

void frmInterval::cmdOk_Click() {
  Control& caption = GetControl(L"labCaption");
  try {
    // Once the number line is drawn, its range, length and unit hold for
    // every interval drawn above it while the dialog is open.
    if (!state_.numberLineDrawn) {
      IntervalState next = state_;
      NumberLine::ReadRange(next, GetControl(L"txtXmin").text, GetControl(L"txtXmax").text,
                            GetControl(L"txtLengthOfAxis").text);
      if (next.xmax < 0 || next.xmin > 0) {
        Ctx().Ui().MsgBox(L"为了保证画出数轴的三要素，x的最小值不应大于0且最大值不应小于0！", Buttons::OK, L"");
        SetValue(L"txtXmin", L"0");
        return;
      }
      NumberLine::ComputeUnit(next);
      if (next.u < 1) {
        // A unit below one point would stack every tick on one spot.
        Ctx().Ui().MsgBox(L"数轴长度太短，容不下所给的取值范围，请加大数轴长度或缩小x的范围！", Buttons::OK, L"");
        return;
      }
      state_ = next;
    }
    const AxisOptions axis = Axis();
    if (GetControl(L"optType").value != 1) {
      line_.DrawNumberLine(state_, axis);
      Unload();
      return;
    }
    if (!state_.numberLineDrawn) {
      line_.DrawNumberLine(state_, axis);
      state_.numberLineDrawn = true;
    }
    bool drawn = true;
    for (const std::wstring& part : Split(PlainRelations(GetControl(L"txtInequality").text), L",")) {
      const std::wstring element = Trim(part);
      if (element.empty()) continue;
      if (!DrawElement(element, axis)) {
        drawn = false;
        break;
      }
    }
    caption.caption = drawn ? L"在word中绘制当前区间成功！" : kNotAllDrawn;
    Ctx().App->SetScreenUpdating(true);
  } catch (const std::exception& e) {
    caption.caption = kNotAllDrawn;
    Ctx().App->SetScreenUpdating(true);
    ShowErr(Ctx(), e, L"frmInterval.cmdOk_Click-->line", __LINE__);
  }
}

}  // namespace plx::figures
