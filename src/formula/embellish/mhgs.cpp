#include "formula/embellish/mhgs.hpp"

#include <optional>
#include <vector>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "formula/embellish/embellish_settings.hpp"
#include "formula/formula_trap.hpp"

namespace plx {
namespace {

using docif::RangePtr;

struct Replacement {
  std::wstring find, with;
  bool wildcards = false;
  std::optional<docif::FontFormat> font{};
  bool matchCase = false;
};

// Replaces every match in the scope; "^&" as the replacement keeps the text
// and only sets the font.
void ReplaceAll(const RangePtr& scope, const Replacement& r) {
  auto range = scope->Duplicate();
  auto find = range->GetFind();
  find->ClearFormatting();
  find->Text = r.find;
  find->Replacement.Text = r.with;
  find->MatchWildcards = r.wildcards;
  find->MatchCase = r.matchCase;
  find->Wrap = docif::kFindStop;
  find->Format = r.font.has_value();
  if (r.font) find->Replacement.Font = *r.font;
  find->Execute(docif::kReplaceAll);
}

void SetFont(const RangePtr& scope, const std::wstring& find, bool wildcards, const docif::FontFormat& font,
             bool matchCase = false) {
  ReplaceAll(scope, {find, L"^&", wildcards, font, matchCase});
}

docif::FontFormat Named(const std::wstring& name) {
  docif::FontFormat f;
  f.Name = name;
  return f;
}

RangePtr Scope(AddinContext& ctx, int noSelection) {
  auto selection = ctx.App->GetSelection();
  if (selection->End() - selection->Start() >= 2) return selection->Duplicate();
  auto doc = ctx.App->ActiveDocument();
  if (noSelection == 0) return doc->Content();
  if (noSelection == 1) return doc->GetBookmarks()->Item(L"\\Page");
  return nullptr;
}

// The teacher's rules: items at "|", find and replacement at ",".
void ApplyReplaceRules(const RangePtr& scope, const std::wstring& rules) {
  for (const std::wstring& item : Split(rules, L"|")) {
    const std::wstring rule = Trim(Replace(Replace(item, L"\r", L""), L"\n", L""));
    const size_t comma = rule.find(L',');
    const std::wstring find = comma == std::wstring::npos ? rule : rule.substr(0, comma);
    if (find.empty()) continue;
    ReplaceAll(scope, {find, comma == std::wstring::npos ? L"" : rule.substr(comma + 1)});
  }
}

}  // namespace

void Mhgs(AddinContext& ctx) {
  RunFormulaCommand(ctx, L"Mhgs", [&] {
    const EmbellishSettings s = EmbellishSettings::Load(ctx);
    const RangePtr scope = Scope(ctx, s.noSelection);
    if (!scope) return;
    std::vector<std::shared_ptr<docif::Field>> shown;
    auto fields = scope->GetFields();
    for (int i = 1; i <= fields->Count(); ++i) {
      auto f = fields->Item(i);
      if (!f->ShowCodes()) {
        f->SetShowCodes(true);
        shown.push_back(f);
      }
    }
    ApplyReplaceRules(scope, s.ReplaceRull);
    // Latin and Greek letters: other scripts (the Chinese text around the
    // formulas) keep their own font and stay upright.
    SetFont(scope, L"[A-Za-zΑ-Ωα-ω]", true, s.LetterFont());
    SetFont(scope, L"^#", false, s.DigitFont());
    SetFont(scope, L"∫", false, Named(L"Times New Roman"));
    docif::FontFormat script;
    script.Size = s.ScriptSize(scope->Font().Size.value_or(10.5));
    SetFont(scope, L"\\\\[Ss]*\\)", true, script);
    ReplaceAll(scope, {L"(\\(⌒\\))(,[A-Z]{2}\\))", L"(⌒⌒)\\2", true});
    ReplaceAll(scope, {L"(\\(⌒\\))(,[A-Z]{3}\\))", L"(⌒⌒⌒)\\2", true});
    ReplaceAll(scope, {L"(\\(→\\))(,[A-Z]{2})", L"(→→)\\2", true});
    for (const wchar_t* mark : {L"\\(⌒⌒\\)", L"\\(⌒⌒⌒\\)", L"\\(→→\\)"})
      SetFont(scope, mark, true, Named(L"Times New Roman"));
    for (const wchar_t* mark : {L"(⌒)", L"(→)"}) SetFont(scope, mark, false, Named(L"Times New Roman"));
    docif::FontFormat upright;
    upright.Italic = false;
    for (const std::wstring& name : s.Functions()) SetFont(scope, name, false, upright, true);
    for (const auto& f : shown) f->SetShowCodes(false);
  });
}

}  // namespace plx
