#include "graph/curves/elementary_curves.hpp"

#include <cmath>
#include <numeric>

#include "graph/frame/frame.hpp"

namespace plx::graph {
namespace {

bool InFrame(const ZBXRecord& f, double x, double y) {
  return std::isfinite(y) && x >= f.xmin && x <= f.xmax && y >= f.ymin && y <= f.ymax;
}

// Draws [u, v] of f, or the two pieces left and right of a pole at 0 with
// the gap e on each side when the range holds the pole.
void AroundPole(AddinContext& ctx, GraphContext& g, double u, double v, double e,
                const std::function<double(double)>& f, const std::wstring& role, const std::wstring& left,
                const std::wstring& right, const LineAttr& line) {
  if (!(u < 0 && v > 0)) return DrawCurvePiece(ctx, g, u, v, f, role, line);
  if (u < -e) DrawCurvePiece(ctx, g, u, -e, f, left, line);
  if (e < v) DrawCurvePiece(ctx, g, e, v, f, right, line);
}

}  // namespace

double PowerValue(double x, int p, int q) {
  if (q == 0) return NAN;
  if (q < 0) { p = -p; q = -q; }
  const int d = std::gcd(p, q);
  if (d > 1) { p /= d; q /= d; }
  if (x >= 0) return std::pow(x, static_cast<double>(p) / q);
  if (q % 2 == 0) return NAN;  // an even root of a negative number is not real
  const double magnitude = std::pow(-x, static_cast<double>(p) / q);
  return p % 2 == 0 ? magnitude : -magnitude;
}

double PoleGap(const ZBXRecord& frame, const std::function<double(double)>& f) {
  // The gap is found right of the pole, where the right branch enters the
  // frame. The search stops at the frame's edge; only a frame with no room
  // on that side (or a branch that never enters it) searches the left side.
  for (const int side : {1, -1}) {
    const int last = std::max(0, side * (side > 0 ? frame.xmax : frame.xmin)) * 100;
    for (int i = 1; i <= last; ++i) {
      const double x = side * (i / 100.0);  // no summed rounding errors
      if (InFrame(frame, x, f(x))) return i / 100.0;
    }
  }
  return 0;
}

void ZX_Word(AddinContext& ctx, GraphContext& g, const ZXRecord& rec) {
  AddFigureLine(ctx, g, L"直线", g.PageX(rec.x1), g.PageY(rec.y1), g.PageX(rec.x2), g.PageY(rec.y2), LineLook(rec.line));
}

void DrawExponential(AddinContext& ctx, GraphContext& g, const AXRecord& rec) {
  DrawCurvePiece(ctx, g, rec.xmin, rec.xmax, [&](double x) { return std::pow(rec.a, x + rec.h) + rec.k; },
                 L"指数函数", rec.line);
}

void DrawLogarithm(AddinContext& ctx, GraphContext& g, const LogXRecord& rec) {
  const double lnA = std::log(rec.a);
  auto log = [&](double u) { return std::log(u) / lnA; };
  const double pole = -rec.h;
  if (rec.variant == 1) {
    // log|x + h|: two pieces stopping 0.1 short of the asymptote x = -h.
    auto f = [&](double x) { return log(std::fabs(x + rec.h)) + rec.k; };
    if (rec.xmin < pole && rec.xmax > pole) {
      if (rec.xmin < pole - 0.1) DrawCurvePiece(ctx, g, rec.xmin, pole - 0.1, f, L"对数函数", rec.line);
      if (pole + 0.1 < rec.xmax) DrawCurvePiece(ctx, g, pole + 0.1, rec.xmax, f, L"对数函数", rec.line);
    } else {
      DrawCurvePiece(ctx, g, rec.xmin, rec.xmax, f, L"对数函数", rec.line);
    }
    return;
  }
  // log(x + h) and |log(x + h)| exist right of the asymptote only.
  const double from = std::max(rec.xmin, pole + 0.01);
  if (from >= rec.xmax) return;
  if (rec.variant == 2)
    DrawCurvePiece(ctx, g, from, rec.xmax, [&](double x) { return std::fabs(log(x + rec.h)) + rec.k; }, L"对数函数",
                   rec.line);
  else
    DrawCurvePiece(ctx, g, from, rec.xmax, [&](double x) { return log(x + rec.h) + rec.k; }, L"对数函数", rec.line);
}

void DrawPower(AddinContext& ctx, GraphContext& g, const MIRecord& rec) {
  const int q = rec.variant == 0 ? 1 : rec.q;
  auto f = [&](double x) { return PowerValue(x, rec.p, q); };
  double from = rec.xmin;
  if (from < 0 && std::isnan(f(-1))) from = 0;  // no real values left of 0
  if (from >= rec.xmax) return;
  if (rec.p < 0) {
    // A negative exponent has a pole at 0: leave the gap where the curve leaves the frame.
    const double e = std::max(PoleGap(g.frame, f), 0.01);
    if (from == 0) from = e;
    AroundPole(ctx, g, from, rec.xmax, e, f, L"幂函数", L"幂函数", L"幂函数", rec.line);
    return;
  }
  DrawCurvePiece(ctx, g, from, rec.xmax, f, L"幂函数", rec.line);
}

void FBLHS_Word(AddinContext& ctx, GraphContext& g, const FBLHSRecord& rec) {
  AroundPole(ctx, g, rec.xmin, rec.xmax, rec.e, [&](double x) { return rec.k / x; }, L"反比例函数", L"反比例函数左支",
             L"反比例函数右支", rec.line);
}

}  // namespace plx::graph
