#include "formula/formula_output.hpp"

#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "formula/formula_prep.hpp"
#include "formula/embellish/mhgs.hpp"
#include "formula/formula_trap.hpp"
#include "formula/tex_route/tex_equations.hpp"
#include "formula/rewrite_engine.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "platform/regexp.hpp"

namespace plx {
namespace {

constexpr const wchar_t* kEquationFont = L"Latin Modern Math";

void InsertField(AddinContext& ctx, const FormulaSettings& settings, const std::wstring& body) {
  auto selection = ctx.App->GetSelection();
  if (HasFieldSwitch(body)) {
    auto field = selection->GetFields()->Add(*selection->GetRange(), docif::kFieldEmpty, Trim(L"EQ " + body));
    field->Select();
  } else {
    selection->SetText(body);
    selection->Select();
  }
  if (settings.blZDMH) Mhgs(ctx);
}

void InsertEquation(AddinContext& ctx, const std::wstring& linear) {
  auto selection = ctx.App->GetSelection();
  auto range = selection->GetRange();
  range->SetText(linear);
  auto equationRange = range->GetOMaths()->Add(*range);
  docif::FontFormat font;
  font.Name = kEquationFont;
  equationRange->SetFont(font);
  auto equations = equationRange->GetOMaths();
  if (equations->Count() > 0) equations->Item(1)->BuildUp();
  selection->SetRange(equationRange->End(), equationRange->End());
}

FormulaNotice NoticeOf(AddinContext& ctx) {
  return [&ctx](const std::wstring& m) { ctx.Ui().MsgBox(m); };
}

}  // namespace

FormulaSettings LoadFormulaSettings(AddinContext& ctx) { return FormulaSettings::From(ConfigGroup(ctx, L"gsconfig")); }

bool HasFieldSwitch(const std::wstring& body) {
  RegExp re;
  re.Pattern =
      LR"re(((\\a|\\f|\\o|\\r|\\bo|\\b\\bc\\\|\(|\\b\\bc\\\(|\\b\\bc\\\[|\\b\\bc\\{|\\s|\\t|\\l).*?)\(.*)re";
  re.IgnoreCase = true;
  return re.Test(body);
}

void OutPutFldGS(AddinContext& ctx, const std::wstring& text) {
  RunFormulaCommand(ctx, L"OutPutFldGS", [&] {
    const FormulaSettings settings = LoadFormulaSettings(ctx);
    auto body = PrepareFormula(ctx.Ui(), FormulaRoute::Field, text, settings);
    if (body) InsertField(ctx, settings, *body);
  });
}

void My_TeXToggle(AddinContext& ctx, const std::wstring& text) {
  RunFormulaCommand(ctx, L"My_TeXToggle", [&] {
    const FormulaSettings settings = LoadFormulaSettings(ctx);
    auto tex = PrepareFormula(ctx.Ui(), FormulaRoute::TeX, text, settings);
    if (!tex) return;
    auto selection = ctx.App->GetSelection();
    selection->SetText(*tex);
    selection->Select();
    ctx.App->Run(kTeXToggleMacro);
  });
}

void OutPutOmathGS(AddinContext& ctx, const std::wstring& text) {
  RunFormulaCommand(ctx, L"OutPutOmathGS", [&] {
    const FormulaSettings settings = LoadFormulaSettings(ctx);
    auto linear = PrepareFormula(ctx.Ui(), FormulaRoute::Equation, text, settings);
    if (linear) InsertEquation(ctx, *linear);
  });
}

void AddFldGS(AddinContext& ctx, const std::wstring& text) {
  RunFormulaCommand(ctx, L"AddFldGS", [&] {
    const FormulaSettings settings = LoadFormulaSettings(ctx);
    std::wstring t = text;
    ApplyInterval(FormulaRoute::Field, t, settings, NoticeOf(ctx));
    auto selection = ctx.App->GetSelection();
    selection->GetFields()->Add(*selection->GetRange(), docif::kFieldEmpty,
                                L"EQ " + BuildProtected(FormulaRoute::Field, t, settings, NoticeOf(ctx)));
  });
}

void AddOmathGS(AddinContext& ctx, const std::wstring& text) {
  RunFormulaCommand(ctx, L"AddOmathGS", [&] {
    const FormulaSettings settings = LoadFormulaSettings(ctx);
    std::wstring t = text;
    ApplyInterval(FormulaRoute::Equation, t, settings, NoticeOf(ctx));
    InsertEquation(ctx, BuildProtected(FormulaRoute::Equation, t, settings, NoticeOf(ctx)));
  });
}

void OutputByMathType(AddinContext& ctx, const std::wstring& text) {
  switch (RouteOf(LoadFormulaSettings(ctx).iMathType)) {
    case FormulaRoute::Field: OutPutFldGS(ctx, text); break;
    case FormulaRoute::TeX: My_TeXToggle(ctx, text); break;
    case FormulaRoute::Equation: OutPutOmathGS(ctx, text); break;
  }
}

}  // namespace plx
