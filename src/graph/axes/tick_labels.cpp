#include "graph/axes/tick_labels.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <string_view>
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

// How much room a label's text takes along its axis, in points, at size 10:
// digits 5, a minus 3.4, a point 2.5, anything else (letters, π, √) 5.5; a
// formula's fraction is as wide as its wider part and about twice as tall.
double TextWidth(std::wstring_view text) {
  double w = 0;
  for (wchar_t c : text) w += (c >= L'0' && c <= L'9') ? 5 : c == L'-' ? 3.4 : c == L'.' ? 2.5 : 5.5;
  return w;
}

double VisibleWidth(const TickLabel& l, bool formula) {
  if (!formula) return TextWidth(l.text) + 1;
  std::wstring shown = Replace(Replace(Replace(l.text, L"@p", L"π"), L"pi", L"π"), L"gh", L"√");
  std::erase_if(shown, [](wchar_t c) { return c == L'(' || c == L')'; });
  const size_t slash = shown.find(L'/');
  if (slash == std::wstring::npos) return TextWidth(shown) + 1;
  return std::max(TextWidth(std::wstring_view(shown).substr(0, slash)),
                  TextWidth(std::wstring_view(shown).substr(slash + 1))) + 1;
}

double VisibleHeight(const TickLabel& l, bool formula) { return formula && Contains(l.text, L"/") ? 22 : 12; }

// The labels of one axis that are drawn. One rule: no two labels overlap, with
// kLabelGap points at least between their texts. Formula labels (multiples of
// π, coordinates typed as fractions or roots) are placed first, then plain
// numbers; within each kind in order of value, each kept when it clears every
// label kept before it. So π/2, π, 2π win over the integers beside them, and
// of integers too close to each other every other one stays.
template <class Place, class Span>
void KeepApart(CleanLabels& labels, Place place, Span span) {
  constexpr double kLabelGap = 2;
  std::map<double, double> placed;  // start -> end of the kept texts, apart from each other
  auto clears = [&](double a, double b) {
    auto next = placed.lower_bound(a);
    if (next != placed.end() && next->first < b + kLabelGap) return false;
    return next == placed.begin() || std::prev(next)->second + kLabelGap <= a;
  };
  for (bool formula : {true, false}) {
    std::vector<TickLabel>& list = formula ? labels.formula : labels.plain;
    std::vector<size_t> order(list.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return list[a].value < list[b].value; });
    std::vector<bool> keep(list.size(), false);
    for (size_t i : order) {
      const auto [a, b] = span(place(list[i]), list[i], formula);
      if (clears(a, b)) {
        placed.emplace(a, b);
        keep[i] = true;
      }
    }
    std::vector<TickLabel> kept;
    for (size_t i = 0; i < list.size(); ++i)
      if (keep[i]) kept.push_back(std::move(list[i]));
    list = std::move(kept);
  }
}

// One axis: plain labels first, then formula labels, numbered on from 1.
template <class Place, class Span>
void DrawAxisLabels(AddinContext& ctx, GraphContext& g, CleanLabels labels, const std::wstring& role, Place place,
                    Span span) {
  KeepApart(labels, place, span);
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
    // The texts start one point (the box's margin) inside their boxes. In
    // the preview, sizes are in canvas units, which the same rule serves.
    DrawAxisLabels(
        ctx, g, CleanTickLabels(g.xLabels), L"x轴上刻度标注",
        [&](const TickLabel& l) {
          const float w = PlainWidth(l.text);
          return LabelPlace{g.PageX(l.value) - 4 - (w - kPlainSide) / 2, xUp ? g.OriginY - 15.0 : g.OriginY, w};
        },
        [](const LabelPlace& at, const TickLabel& l, bool formula) {
          return std::pair{at.left + 1, at.left + 1 + VisibleWidth(l, formula)};
        });
    DrawAxisLabels(
        ctx, g, CleanTickLabels(g.yLabels), L"y轴上刻度标注",
        [&](const TickLabel& l) {
          const float w = PlainWidth(l.text);
          return LabelPlace{yLeft ? g.OriginX - 15.0 - (w - kPlainSide) : g.OriginX + 2.0, g.PageY(l.value) - 6, w};
        },
        [](const LabelPlace& at, const TickLabel& l, bool formula) {
          return std::pair{at.top + 1, at.top + 1 + VisibleHeight(l, formula)};
        });
  } catch (const std::exception& e) {
    ShowErrLong(ctx, e, L"DrawZBBZ_Word", L"modGraph", __LINE__);
  }
}

}  // namespace plx::graph
