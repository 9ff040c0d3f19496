#include "formula/formula_input.hpp"

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "formula/eq_builder.hpp"
#include "formula/formula_output.hpp"
#include "formula/formula_prep.hpp"
#include "formula/embellish/custom_rules.hpp"
#include "formula/embellish/mhgs.hpp"
#include "formula/formula_trap.hpp"
#include "formula/rewrite_engine.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx {

const wchar_t* const kFormulaGuideName = L"公式录入说明.doc";

namespace {

// Earlier EQ fields inside the range become their code text again, so that a
// formula can be edited and rebuilt.
void FieldsBackToText(docif::Range& range) {
  auto fields = range.GetFields();
  for (int i = fields->Count(); i >= 1; --i) {
    auto field = fields->Item(i);
    if (field->Type() != docif::kFieldFormula) continue;
    const std::wstring code = Trim(Replace(Replace(field->Code()->Text(), L"eq", L""), L"EQ", L""));
    auto at = field->Result();
    field->Delete();
    at->SetText(code);
  }
}

void BuildFieldFromSelection(AddinContext& ctx, docif::Selection& selection, const FormulaSettings& settings) {
  // The selection keeps covering the text whatever the fields' codes do to its length.
  auto content = ctx.App->ActiveDocument()->Content();
  const long start = selection.Start(), tail = content->End() - selection.End();
  FieldsBackToText(selection);
  selection.SetRange(start, ctx.App->ActiveDocument()->Content()->End() - tail);
  ChangeSXb(selection);
  const FormulaNotice notice = [&ctx](const std::wstring& m) { ctx.Ui().MsgBox(m); };
  const std::wstring body = SetEQ(ChangeXLZM(selection.Text()), settings, notice);
  auto field = selection.GetFields()->Add(*selection.GetRange(), docif::kFieldEmpty, L"EQ " + body);
  field->Select();
  if (settings.blZDMH) Mhgs(ctx);
}

void OpenGuide(AddinContext& ctx) {
  // Read-only: the guide is the install folder's, never to be saved over.
  auto guide = ctx.App->GetDocuments()->Open(AppFile(ctx, kFormulaGuideName), true);
  guide->Activate();
}

}  // namespace

std::wstring ChangeSXb(docif::Range& range) {
  auto characters = range.Characters();
  std::wstring out;
  bool changed = false;
  int runKind = 0;  // 1 superscript, 2 subscript
  std::wstring run;
  auto flush = [&] {
    if (runKind) out += (runKind == 1 ? L"^(" : L"_(") + run + L")";
    else out += run;
    run.clear();
  };
  for (int i = 1; i <= characters->Count(); ++i) {
    auto c = characters->Item(i);
    const docif::FontFormat f = c->Font();
    const int kind = f.Superscript.value_or(false) ? 1 : f.Subscript.value_or(false) ? 2 : 0;
    if (kind != runKind) {
      flush();
      runKind = kind;
    }
    changed = changed || kind != 0;
    run += c->Text();
  }
  flush();
  if (!changed) return range.Text();
  range.SetText(out);
  docif::FontFormat plain;
  plain.Superscript = false;
  plain.Subscript = false;
  range.SetFont(plain);
  return out;
}

void GS_Main(AddinContext& ctx) {
  RunFormulaCommand(ctx, L"GS_Main", [&] {
    const FormulaSettings settings = LoadFormulaSettings(ctx);
    auto selection = ctx.App->GetSelection();
    if (selection->Type() == docif::kSelectionIP || selection->Type() == docif::kSelectionNone ||
        selection->Start() == selection->End()) {
      InputGS(ctx, L"");
      return;
    }
    if (EndsWithText(selection->Text(), L"\r")) selection->SetRange(selection->Start(), selection->End() - 1);
    switch (RouteOf(settings.iMathType)) {
      case FormulaRoute::TeX:
        ChangeSXb(*selection);
        My_TeXToggle(ctx, selection->Text());
        return;
      case FormulaRoute::Field:
        BuildFieldFromSelection(ctx, *selection, settings);
        return;
      case FormulaRoute::Equation:
        if (Val(ctx.App->Version()) >= 12) {
          ChangeSXb(*selection);
          OutPutOmathGS(ctx, selection->Text());
        } else {
          ctx.Ui().MsgBox(L"此公式类型只支持07以上版本的word，请检查您的word版本是否符合。");
        }
        return;
    }
  });
}

void InputGS(AddinContext& ctx, const std::wstring& text) {
  RunFormulaCommand(ctx, L"InputGS", [&] {
    std::wstring t = text;
    if (t.empty()) {
      t = ctx.Ui().InputBox(kFormulaPrompt, kFormulaTitle);
      if (t.empty()) return;
      if (LCase(t) == L"help") {
        OpenGuide(ctx);
        return;
      }
    }
    const FormulaSettings settings = LoadFormulaSettings(ctx);
    t = NarrowFormulaText(t, settings);
    switch (RouteOf(settings.iMathType)) {
      case FormulaRoute::Field:
        if (settings.blZDYGZ) t = ApplyZDYGZ(ctx, t);
        OutPutFldGS(ctx, t);
        return;
      case FormulaRoute::TeX: My_TeXToggle(ctx, t); return;
      case FormulaRoute::Equation: OutPutOmathGS(ctx, t); return;
    }
  });
}

}  // namespace plx
