#include "formula/numbers/frm_pailie.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "formula/numbers/number_theory.hpp"
#include "formula/numbers/typed_runs.hpp"
#include "formula/numbers/whole_input.hpp"

namespace plx {

frmPaiLie::frmPaiLie(AddinContext& ctx) : Form(ctx, L"frmPaiLie") {
  Control letter = Button(L"Label1", L"A", [this] { Label1_Click(); });
  letter.kind = ControlKind::Label;
  AddControl(std::move(letter));
  Control choice = Options(L"optAC", L"", {L"排列数A", L"组合数C"});
  choice.change = [this] { GetControl(L"Label1").caption = GetControl(L"optAC").value == 1 ? L"C" : L"A"; };
  AddControl(std::move(choice));
  AddControl(Box(L"txtN", L"n（下标）", L""));
  AddControl(Box(L"txtM", L"m（上标）", L""));
  AddControl(Button(L"cmdOK", L"确定", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdCancel", L"关闭", [this] { Unload(); }));
}

void frmPaiLie::cmdOK_Click() {
  try {
    const numbers::WholeInput n = numbers::ReadWhole(GetControl(L"txtN").text);
    const numbers::WholeInput m = numbers::ReadWhole(GetControl(L"txtM").text);
    if (n.status != numbers::WholeStatus::Ok || m.status != numbers::WholeStatus::Ok || m.value < 0 ||
        m.value > n.value) {
      Ctx().Ui().MsgBox(L"数据输入有误，请检查！", Buttons::OK, L"数据错误");
      return;
    }
    const std::wstring letter = GetControl(L"Label1").caption;
    const auto un = static_cast<uint64_t>(n.value), um = static_cast<uint64_t>(m.value);
    const auto value = letter == L"C" ? numbers::Combinations(un, um) : numbers::Arrangements(un, um);
    if (!value) {
      Ctx().Ui().MsgBox(L"计算结果超出了能准确表示的范围（大于18446744073709551615），请减小n或m后重试。",
                        Buttons::OK, L"数据错误");
      return;
    }
    numbers::TypeRuns(Ctx(), {{letter}});
    auto selection = Ctx().App->GetSelection();
    // m raised 5 points over n lowered 3. The overstrike is left-aligned
    // (\al): a plain "\o(\s\up" is what LibreOffice reads as combined
    // characters, and it would show the indices twice.
    const std::wstring code = L"eq \\o\\al(\\s\\up 5(" + std::to_wstring(m.value) + L"),\\s\\do 3(" +
                              std::to_wstring(n.value) + L"))";
    auto field = selection->GetFields()->Add(*selection->GetRange(), docif::kFieldEmpty, code);
    // The insertion point goes after the field's end mark.
    const long after = field->Result()->End() + 1;
    selection->SetRange(after, after);
    numbers::TypeRuns(Ctx(), {{L"=" + std::to_wstring(*value)}});
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmPaiLie.cmdOK_Click-->line", __LINE__);
  }
}

void frmPaiLie::Label1_Click() {
  try {
    auto doc = Ctx().App->ActiveDocument();
    std::wstring module;
    try {
      module = Ctx().ModuleFolder();
    } catch (const std::exception&) {
      module = L"";
    }
    doc->Content()->InsertAfter(L"1、myword.path=" + Ctx().App->Path() + L"\r\n" + L"2、 thisaddinpath=" +
                                GetAppPath(Ctx()) + L"\r\n" + L"3、 app.path=" + module);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmPaiLie.Label1_Click-->line", __LINE__);
  }
}

}  // namespace plx
