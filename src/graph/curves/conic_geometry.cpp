#include "graph/curves/conic_geometry.hpp"

#include <algorithm>
#include <cmath>

#include "common/error.hpp"

namespace plx::graph {
namespace {

// The parabola's form read as its kind and direction; error 5 for a form
// the tab never stores.
struct ParabolaForm {
  bool alongY = false;  // y² = ±2p(x − x0): x is a function of y
  bool quadratic = false;
  bool moved = false;
  double sign = 1;
};

ParabolaForm ReadForm(const std::wstring& form) {
  if (form == L"ax2") return {.quadratic = true};
  for (bool moved : {false, true})
    for (double sign : {1.0, -1.0})
      for (bool alongY : {true, false}) {
        std::wstring tag = std::wstring(sign < 0 ? L"-" : L"") + (alongY ? L"2px" : L"2py") + (moved ? L"0" : L"");
        if (form == tag) return {.alongY = alongY, .moved = moved, .sign = sign};
      }
  Raise(err::kInvalidCall, L"未知的抛物线方程类型“" + form + L"”。");
}

}  // namespace

CircleParts ReduceCircle(double D, double E, double F) {
  return {-D / 2, -E / 2, (D * D + E * E) / 4 - F};
}

CompletedSquare CompleteSquare(double A, double B, double C, double D, double E) {
  const double x0 = -C / (2 * A), y0 = -D / (2 * B);
  return {x0, y0, A * x0 * x0 + B * y0 * y0 - E};
}

Reduction ReduceGeneralEllipse(double A, double B, double C, double D, double E, ConicRecord& rec) {
  if (!(A * B > 0) || A == B) return Reduction::WrongSigns;
  const CompletedSquare s = CompleteSquare(A, B, C, D, E);
  const double dx = s.K / A, dy = s.K / B;  // the squared half-axes along x and y
  if (!(dx > 0) || !std::isfinite(dx) || !std::isfinite(dy)) return Reduction::NoCurve;
  rec.x0 = s.x0;
  rec.y0 = s.y0;
  rec.fociOnY = dy > dx;
  rec.a2 = std::max(dx, dy);
  rec.b2 = std::min(dx, dy);
  return Reduction::Ok;
}

Reduction ReduceGeneralHyperbola(double A, double B, double C, double D, double E, ConicRecord& rec) {
  if (!(A * B < 0)) return Reduction::WrongSigns;
  const CompletedSquare s = CompleteSquare(A, B, C, D, E);
  if (s.K == 0 || !std::isfinite(s.K)) return Reduction::NoCurve;  // a pair of crossing lines
  rec.x0 = s.x0;
  rec.y0 = s.y0;
  // The positive term carries the focal axis.
  rec.fociOnY = s.K / A < 0;
  rec.a2 = rec.fociOnY ? s.K / B : s.K / A;
  rec.b2 = rec.fociOnY ? -s.K / A : -s.K / B;
  return Reduction::Ok;
}

bool ParabolaAlongY(const PWXRecord& rec) { return ReadForm(rec.form).alongY; }

ParabolaParts ParabolaGeometry(const PWXRecord& rec) {
  const ParabolaForm f = ReadForm(rec.form);
  if (f.quadratic) {
    // y = a(x + b/2a)² + c − b²/4a, so (x − h)² = (1/a)(y − k) and 2p = 1/a.
    if (rec.a == 0) Raise(err::kDivisionByZero);
    return {-rec.b / (2 * rec.a), rec.c - rec.b * rec.b / (4 * rec.a), false, 1 / (4 * rec.a)};
  }
  if (rec.p == 0) Raise(err::kDivisionByZero);
  return {f.moved ? rec.x0 : 0, f.moved ? rec.y0 : 0, f.alongY, f.sign * rec.p / 2};
}

std::pair<double, double> ParabolaPoint(const PWXRecord& rec, double t) {
  const ParabolaForm f = ReadForm(rec.form);
  if (f.quadratic) return {t, (rec.a * t + rec.b) * t + rec.c};
  const ParabolaParts v = ParabolaGeometry(rec);
  // y² = 2p x becomes x = y²/(2p) = y²/(4 · focal), and likewise along x.
  if (f.alongY) return {v.vx + (t - v.vy) * (t - v.vy) / (4 * v.focal), t};
  return {t, v.vy + (t - v.vx) * (t - v.vx) / (4 * v.focal)};
}

double EllipseC(const ConicRecord& rec) { return std::sqrt(std::max(rec.a2 - rec.b2, 0.0)); }
double HyperbolaC(const ConicRecord& rec) { return std::sqrt(rec.a2 + rec.b2); }

std::pair<double, double> HyperbolaPoint(const ConicRecord& rec, double t, int sign) {
  const double centreAcross = rec.fociOnY ? rec.x0 : rec.y0;
  const double centreAlong = rec.fociOnY ? rec.y0 : rec.x0;
  const double d = t - centreAcross;
  const double along = centreAlong + sign * std::sqrt(rec.a2 * (d * d + rec.b2) / rec.b2);
  return rec.fociOnY ? std::pair{t, along} : std::pair{along, t};
}

std::pair<double, double> FrameSpan(const ZBXRecord& frame, bool alongY) {
  return alongY ? std::pair<double, double>{frame.ymin, frame.ymax} : std::pair<double, double>{frame.xmin, frame.xmax};
}

bool InFrame(const ZBXRecord& f, double x, double y) {
  return std::isfinite(x) && std::isfinite(y) && x >= f.xmin && x <= f.xmax && y >= f.ymin && y <= f.ymax;
}

std::optional<std::pair<double, double>> InsideSpan(double lo, double hi, const std::function<bool(double)>& inside) {
  std::optional<std::pair<double, double>> span;
  const long n = std::lround(std::floor((hi - lo) * 100 + 1e-9));
  for (long i = 0; i <= n; ++i) {
    const double t = (std::round(lo * 100) + static_cast<double>(i)) / 100;  // no summed rounding errors
    if (t < lo || t > hi || !inside(t)) continue;
    if (!span) span = std::pair{t, t};
    span->second = t;
  }
  return span;
}

std::optional<std::pair<std::pair<double, double>, std::pair<double, double>>> ClipToFrame(const ZBXRecord& f,
                                                                                          double x0, double y0,
                                                                                          double m) {
  // The line is (x, y0 + m(x − x0)); keep the x where both coordinates lie in the frame.
  double lo = f.xmin, hi = f.xmax;
  if (m != 0) {
    double a = x0 + (f.ymin - y0) / m, b = x0 + (f.ymax - y0) / m;
    if (a > b) std::swap(a, b);
    lo = std::max(lo, a);
    hi = std::min(hi, b);
  } else if (y0 < f.ymin || y0 > f.ymax) {
    return std::nullopt;
  }
  if (!(lo < hi)) return std::nullopt;
  auto at = [&](double x) { return std::pair{x, y0 + m * (x - x0)}; };
  return std::pair{at(lo), at(hi)};
}

}  // namespace plx::graph
