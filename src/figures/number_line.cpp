#include "figures/number_line.hpp"

#include <cmath>

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/normalise.hpp"

namespace plx::figures {
namespace {

constexpr double kLabelWidth = 30, kLabelHeight = 20;

bool IsWhole(double v) { return v == std::floor(v); }

}  // namespace

void NumberLine::ReadRange(IntervalState& s, const std::wstring& xmin, const std::wstring& xmax,
                           const std::wstring& lengthCm) {
  s.L = CInt(Val(NumberText(lengthCm)) * 28.4);
  s.xmin = Val(NumberText(xmin));
  s.xmax = CInt(Val(NumberText(xmax)));
}

void NumberLine::ComputeUnit(IntervalState& s) {
  const double span = s.xmax - s.xmin;
  if (span == 0) Raise(err::kDivisionByZero);
  s.u = CInt(Int(s.L / span));
}

double NumberLine::Evaluate(const std::wstring& typed) {
  engine_.Language = L"VBScript";
  return engine_.Eval(graph::NormaliseExpression(typed)).number;
}

void NumberLine::Tick(const IntervalState& s, const std::wstring& role, double v) {
  shapes_.Line(role, s.X(v), s.OY, s.X(v), s.OY - 2);
}

void NumberLine::Label(const std::wstring& role, double left, double top, const std::wstring& text, bool formula) {
  if (!formula) {
    shapes_.TextBox(role, left, top, kLabelWidth, kLabelHeight, Trim(text));
    return;
  }
  // A fraction needs the room of two lines.
  const double height = Contains(text, L"/") ? 2 * kLabelHeight : kLabelHeight;
  shapes_.FormulaBox(role, left, top, kLabelWidth, height, Trim(text));
}

bool NumberLine::Labelled(double v) const {
  for (double t : labelled_)
    if (std::fabs(t - v) < 1e-9) return true;
  return false;
}

void NumberLine::DrawNumberLine(IntervalState& s, const AxisOptions& options) {
  ctx_.App->SetScreenUpdating(false);
  ComputeUnit(s);
  labelled_ = {0, 1};
  const double u = s.u;
  shapes_.Line(L"数轴", u * (s.xmin - 1) + s.OX, s.OY, (s.xmax + 1) * u + s.OX, s.OY,
               {.ForeColor = 0, .BeginArrowheadStyle = 1, .BeginArrowheadLength = 2, .BeginArrowheadWidth = 2,
                .EndArrowheadStyle = 4, .EndArrowheadLength = 2, .EndArrowheadWidth = 1});
  if (!options.noX)
    shapes_.TextBox(L"数轴标识x", (s.xmax + 1) * u - 8 + s.OX, s.OY - 2, kLabelWidth, kLabelHeight, L"x", true);
  shapes_.Line(L"原点", s.OX, s.OY, s.OX, s.OY - 2);
  shapes_.TextBox(L"原点字母O", s.OX - 15, s.OY - 2, kLabelWidth, kLabelHeight, L"0");
  shapes_.Line(L"刻度线1", s.OX + u, s.OY, s.OX + u, s.OY - 2);
  shapes_.TextBox(L"数字1", u - 15 + s.OX, s.OY - 2, kLabelWidth, kLabelHeight, L"1");
  if (options.tickMode == L"define") {
    const std::wstring list = Trim(options.numberList);
    if (!list.empty() && list != kNumberListPlaceholder) {
      for (const std::wstring& part : Split(NumberText(list), L",")) {
        const std::wstring text = Trim(part);
        if (text.empty()) continue;  // "1,2," or "1,,2"
        const double v = Evaluate(text);
        if (v == 0 || v == 1) continue;
        Tick(s, L"刻度" + text, v);
        Label(L"文字" + text, s.X(v) - 15, s.OY - 2, text, IsFormulaText(text));
        labelled_.push_back(v);
      }
    }
  } else {
    for (double v = s.xmin; v <= s.xmax; v += 1) {
      if (v == 0 || v == 1) continue;
      const std::wstring text = DecimalText(v);
      Tick(s, L"刻度" + text, v);
      Label(L"文字" + text, s.X(v) - 15, s.OY - 2, text, false);
      labelled_.push_back(v);
    }
  }
  ctx_.App->SetScreenUpdating(true);
}

bool NumberLine::DrawInterval(const IntervalState& s, const AxisOptions& options, double a, double b, double level,
                              uint32_t colour) {
  try {
    ctx_.App->SetScreenUpdating(false);
    const auto P = [](double x, double y) { return docif::PointF{static_cast<float>(x), static_cast<float>(y)}; };
    const double top = s.OY - level;
    const bool twoEnded = IsTwoEnded(s.kind);
    std::vector<docif::PointF> path{P(s.X(a), s.OY), P(s.X(a), top)};
    if (twoEnded) {
      path.push_back(P(s.X(b), top));
      path.push_back(P(s.X(b), s.OY));
    } else {
      // A ray runs 16 points past the end of the range.
      path.push_back(RunsRight(s.kind) ? P(s.xmax * static_cast<double>(s.u) + 16 + s.OX, top)
                                       : P(s.u * s.xmin - 16 + s.OX, top));
    }
    shapes_.Freeform(L"区间曲线", path, {.ForeColor = colour});
    const auto dot = [&](const std::wstring& role, double v, bool closed) {
      shapes_.Shape(role, docif::kAutoShapeOval, s.X(v) - 2, s.OY - 2, 4, 4, closed ? 0x000000u : 0xFFFFFFu);
    };
    dot(twoEnded ? L"点a" : L"点", a, EndAClosed(s.kind));
    if (twoEnded) dot(L"点b", b, EndBClosed(s.kind));

    const auto label = [&](const std::wstring& role, double v, const std::wstring& typed) {
      // A value the axis already writes under its tick is not written twice
      // (two boxes a point apart make the text look smeared).
      if (Labelled(v)) return;
      if (IsWhole(v)) {
        // Whole endpoints are written only beside automatic ticks.
        if (options.tickMode != L"auto") return;
        Label(role, s.X(v) - 16, s.OY - 2, DecimalText(v), false);
      } else {
        Label(role, s.X(v) - 16, s.OY - 2, typed, IsFormulaText(typed));
      }
    };
    label(twoEnded ? L"文本a" : L"文本" + Trim(s.textA), a, s.textA);
    if (twoEnded) label(L"文本b", b, s.textB);
    ctx_.App->SetScreenUpdating(true);
    return true;
  } catch (const std::exception& e) {
    ctx_.App->SetScreenUpdating(true);
    ShowErr(ctx_, e, L"frmInterval.DrawInterval-->line", __LINE__);
    return false;
  }
}

}  // namespace plx::figures
