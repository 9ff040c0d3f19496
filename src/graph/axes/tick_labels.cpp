#include "graph/axes/tick_labels.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "formula/eq_builder.hpp"
#include "formula/formula_output.hpp"
#include "graph/axes/label_box.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

constexpr float kPlainSide = 15, kFormulaSide = 25;
// A stacked fraction at size 10 is taller than 25 points once typeset, so a
// formula box with a fraction bar is drawn taller and would otherwise cut off
// the denominator.
constexpr float kFractionHeight = 34;

struct LabelPlace {
  double left, top;
  float width = 0;  // 0: the standard width
};

// The label's box: the number as text, or the formula as an EQ field (in
// the preview, the formula text with its Greek letters and roots shown).
void LabelBoxFor(AddinContext& ctx, GraphContext& g, const std::wstring& role, LabelPlace at, const TickLabel& label,
                 bool formula) {
  const docif::FontFormat size10{.Size = 10};
  if (!formula || g.preview) {
    std::wstring shown = formula ? Replace(Replace(ChangeXLZM(label.text), L"gh", L"√"), L"pi", L"π") : label.text;
    const float side = formula ? kFormulaSide : kPlainSide;
    LabelBox(ctx, g, role, at.left, at.top, std::max(side, at.width), side, shown, size10);
    return;
  }
  const float height = Contains(label.text, L"/") ? kFractionHeight : kFormulaSide;
  auto box = LabelBox(ctx, g, role, at.left, at.top, kFormulaSide, height, L"", size10);
  const FormulaSettings settings = LoadFormulaSettings(ctx);
  const std::wstring code = SetEQ(ChangeXLZM(label.text), settings, [](const std::wstring&) {});
  auto range = box->TextRange();
  range->GetFields()->Add(*range, docif::kFieldEmpty, L"EQ " + code);
  box->TextRange()->SetFont(size10);
}

// The width of a plain label: a number longer than two characters ("-1.5")
// gets a wider box instead of wrapping; about 5.5 points a character at size 10.
float PlainWidth(const std::wstring& text) {
  if (IsFormulaLabel(text)) return kPlainSide;  // formula boxes keep their own size and place
  return std::max(kPlainSide, static_cast<float>(5.5 * static_cast<double>(text.size()) + 4));
}

// One axis: plain labels first, then formula labels, numbered on from 1.
template <class Place>
void DrawAxisLabels(AddinContext& ctx, GraphContext& g, CleanLabels labels, const std::wstring& role, Place place) {
  // A number whose box would overlap a formula label's gives way to it (the
  // tick 3 next to π): printed over each other, neither could be read.
  std::vector<float> formulaAt;
  for (const TickLabel& f : labels.formula) formulaAt.push_back(f.value);
  std::sort(formulaAt.begin(), formulaAt.end());
  const double reach = (kPlainSide + kFormulaSide) / 2 / std::max(std::fabs(g.UnitLength), 1e-12);
  std::erase_if(labels.plain, [&](const TickLabel& p) {
    // The nearest formula labels on either side decide.
    auto next = std::lower_bound(formulaAt.begin(), formulaAt.end(), p.value);
    return (next != formulaAt.end() && std::fabs(*next - p.value) < reach) ||
           (next != formulaAt.begin() && std::fabs(*(next - 1) - p.value) < reach);
  });
  int index = 0;
  for (bool formula : {false, true}) {
    for (const TickLabel& l : formula ? labels.formula : labels.plain) {
      LabelBoxFor(ctx, g, role + std::to_wstring(++index), place(l), l, formula);
    }
  }
}

}  // namespace

bool IsFormulaLabel(const std::wstring& text) {
  for (const wchar_t* mark : {L"/", L"gh", L"^", L"ln", L"sin", L"cos", L"tan", L"cot", L"sqr", L"@", L"pi"})
    if (Contains(text, mark)) return true;
  return false;
}

void ClearTickLabels(GraphContext& g, const std::wstring& tag) {
  for (auto* list : {&g.xLabels, &g.yLabels})
    for (TickLabel& l : *list)
      if (l.tag == tag) l.value = 0;
}

CleanLabels CleanTickLabels(const std::vector<TickLabel>& raw) {
  std::vector<TickLabel> kept;
  std::unordered_map<float, size_t> where;  // value -> its entry in kept
  for (const TickLabel& l : raw) {
    if (l.value == 0) continue;
    // One label per value, wherever the sources put their entries in the list:
    // two boxes at one place would print over each other.
    auto [at, added] = where.try_emplace(l.value, kept.size());
    if (added) kept.push_back(l);
    else if (IsFormulaLabel(l.text)) kept[at->second] = l;
  }
  CleanLabels out;
  for (const TickLabel& l : kept) (IsFormulaLabel(l.text) ? out.formula : out.plain).push_back(l);
  return out;
}

void DrawZBBZ_Word(AddinContext& ctx, GraphContext& g) {
  try {
    if (g.xLabels.empty() && g.yLabels.empty()) return;
    const ConfigDictionary& config = ConfigGroup(ctx, L"zbxconfig");
    const bool xUp = config.Flag(L"blXtxtUp"), yLeft = config.Flag(L"blYtxtLeft");
    // A wider x label stays centred where a narrow one stands; a wider y label
    // left of the axis keeps its right edge at the axis.
    DrawAxisLabels(ctx, g, CleanTickLabels(g.xLabels), L"x轴上刻度标注", [&](const TickLabel& l) {
      const float w = PlainWidth(l.text);
      return LabelPlace{g.PageX(l.value) - 4 - (w - kPlainSide) / 2, xUp ? g.OriginY - 15.0 : g.OriginY, w};
    });
    DrawAxisLabels(ctx, g, CleanTickLabels(g.yLabels), L"y轴上刻度标注", [&](const TickLabel& l) {
      const float w = PlainWidth(l.text);
      return LabelPlace{yLeft ? g.OriginX - 15.0 - (w - kPlainSide) : g.OriginX + 2.0, g.PageY(l.value) - 6, w};
    });
  } catch (const std::exception& e) {
    ShowErrLong(ctx, e, L"DrawZBBZ_Word", L"modGraph", __LINE__);
  }
}

}  // namespace plx::graph
