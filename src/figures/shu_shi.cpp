#include "figures/shu_shi.hpp"

#include <cmath>

#include "addin/addin_context.hpp"
#include "addin/product_info.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::figures {
namespace {

// Whole numbers up to nine digits: every product stays exact in 64 bits.
constexpr double kLargestOperand = 999999999;

// One cell: a borderless box, margins 1, 12 points, Times New Roman and 宋体.
void AddCell(AddinContext& ctx, FigureShapes& shapes, int r, int c, const std::wstring& text) {
  auto box = ctx.App->ActiveDocument()->GetShapes()->AddTextbox(
      1, static_cast<float>(c * kCellWidth), static_cast<float>(r * kCellHeight), static_cast<float>(kCellWidth),
      static_cast<float>(kCellHeight));
  shapes.KeepNamed(box, L"ss_(" + std::to_wstring(r) + L"," + std::to_wstring(c) + L")");
  box->SetTextFrame({.MarginLeft = 1, .MarginRight = 1, .MarginTop = 1, .MarginBottom = 1});
  box->SetFill({.Visible = false});
  box->SetLine({.Visible = false});
  box->SetWrap({.AllowOverlap = true, .Type = 3});
  auto range = box->TextRange();
  range->SetText(text);
  box->TextRange()->SetFont({.Name = L"Times New Roman", .NameFarEast = L"宋体", .Size = 12});
  box->TextRange()->SetParagraphFormat({.Alignment = docif::kAlignCenter});
}

// Reads "a OP b" split at the first of + - * /; false when it has no operator.
bool SplitCalculation(const std::wstring& text, wchar_t& op, std::wstring& left, std::wstring& right) {
  for (wchar_t o : {L'+', L'-', L'*', L'/'}) {
    const size_t at = text.find(o);
    if (at == std::wstring::npos) continue;
    op = o;
    left = text.substr(0, at);
    right = text.substr(at + 1);
    return true;
  }
  return false;
}

bool IsPositiveWhole(double v) { return v > 0 && v == std::floor(v) && v <= kLargestOperand; }

}  // namespace

void DrawVerticalLayout(AddinContext& ctx, FigureShapes& shapes, const VerticalLayout& l) {
  for (int r = 1; r <= l.rows; ++r)
    for (int c = 1; c <= l.columns; ++c) AddCell(ctx, shapes, r, c, l.Cell(r, c));
  for (const auto& rule : l.rules)
    shapes.Line(rule.role, rule.from * kCellWidth, rule.row * kCellHeight, (rule.to + 1) * kCellWidth,
                rule.row * kCellHeight);
  if (l.bracketColumn > 0) {
    // The division bracket: a stroke bowing to the right down the left of
    // the dividend, under the rule that runs over it.
    const float x = static_cast<float>(l.bracketColumn * kCellWidth - 2);
    const float top = static_cast<float>(2 * kCellHeight), bottom = static_cast<float>(3 * kCellHeight);
    auto bracket = ctx.App->ActiveDocument()->GetShapes()->AddCurve(
        {{x, top}, {x + 5, top + 6}, {x + 5, bottom - 6}, {x, bottom}});
    shapes.Keep(bracket, L"除法竖式括号");
    bracket->SetLine({.ForeColor = 0});
    bracket->SetFill({.Visible = false});
    bracket->SetWrap({.AllowOverlap = true, .Type = 3});
  }
}

void ShuShi(AddinContext& ctx) {
  FigureShapes shapes(ctx);
  try {
    std::wstring text;
    for (;;) {
      text = ctx.Ui().InputBox(L"请输入正确的四则运算表达式：", std::wstring(L"竖式工具：") + product::kHomePage, L"");
      if (Trim(text).empty()) return;
      text = Replace(Replace(Replace(Replace(Replace(ToHalfWidth(Trim(text)), L"x", L"*"), L"X", L"*"), L"×", L"*"),
                             L"÷", L"/"), L" ", L"");
      if (text.find_first_of(L"+-*/") != std::wstring::npos) break;
    }
    wchar_t op = 0;
    std::wstring left, right;
    SplitCalculation(text, op, left, right);
    const double a = Val(left), b = Val(right);
    if (!IsPositiveWhole(a) || !IsPositiveWhole(b) || !IsNumeric(left) || !IsNumeric(right)) {
      ctx.Ui().MsgBox(L"目前只支持正整数的运算，请检查您输入的数据。", Buttons::OK, L"");
      return;
    }
    const auto x = static_cast<int64_t>(a), y = static_cast<int64_t>(b);
    ctx.App->SetScreenUpdating(false);
    const VerticalLayout layout = op == L'+' ? AdditionLayout(x, y)
                                : op == L'-' ? SubtractionLayout(x, y)
                                : op == L'*' ? MultiplicationLayout(x, y)
                                             : DivisionLayout(x, y);
    DrawVerticalLayout(ctx, shapes, layout);
    shapes.Finish(L"竖式", graph::GetInsertPoint(ctx));
    ctx.App->SetScreenUpdating(true);
  } catch (const std::exception& e) {
    shapes.Discard();
    ctx.App->SetScreenUpdating(true);
    ShowErr(ctx, e, L"ShuShi-->line", __LINE__);
  }
}

}  // namespace plx::figures
