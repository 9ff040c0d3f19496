#include "graph/curves/trig_curves.hpp"

#include <cmath>
#include <numeric>

#include "common/vbnum.hpp"
#include "graph/frame/frame.hpp"

namespace plx::graph {

const wchar_t* const kTrigNames[8] = {L"正弦函数",   L"余弦函数",   L"正切函数",   L"余切函数",
                                      L"反正弦函数", L"反余弦函数", L"反正切函数", L"反余切函数"};

namespace {

const double kPi = 4 * std::atan(1.0);

double ArcSin(double u) {
  if (u > 1 || u < -1 || std::isnan(u)) return NAN;
  if (u == 1) return kPi / 2;
  if (u == -1) return -kPi / 2;
  return std::atan(u / std::sqrt(1 - u * u));
}

// The point where f changes sign between a and b, by halving.
double Bisect(const std::function<double(double)>& f, double a, double b) {
  double fa = f(a);
  for (int i = 0; i < 60; ++i) {
    const double m = (a + b) / 2, fm = f(m);
    if ((fm < 0) == (fa < 0)) { a = m; fa = fm; } else { b = m; }
  }
  return (a + b) / 2;
}

// The extreme point of f in [a, b] (golden-section search; max when `maximum`).
double Extreme(const std::function<double(double)>& f, double a, double b, bool maximum) {
  const double r = (std::sqrt(5.0) - 1) / 2;
  auto better = [&](double u, double v) { return maximum ? f(u) > f(v) : f(u) < f(v); };
  double c = b - r * (b - a), d = a + r * (b - a);
  for (int i = 0; i < 80; ++i) {
    if (better(c, d)) { b = d; } else { a = c; }
    c = b - r * (b - a);
    d = a + r * (b - a);
  }
  return (a + b) / 2;
}

void MarkLines(AddinContext& ctx, GraphContext& g, const SJRecord::Mark& m, const LineAttr& line) {
  LineAttr dashed = line;
  dashed.style = 3;
  dashed.width = 0.5f;
  const auto look = LineLook(dashed);
  const ZBXRecord& f = g.frame;
  if (m.fullHeight) {
    AddFigureLine(ctx, g, m.role + L"竖线", g.PageX(m.x), g.PageY(f.ymin), g.PageX(m.x), g.PageY(f.ymax), look);
    return;
  }
  if (m.y != 0) AddFigureLine(ctx, g, m.role + L"竖线", g.PageX(m.x), g.PageY(m.y), g.PageX(m.x), g.OriginY, look);
  if (m.x != 0 && m.y != 0)
    AddFigureLine(ctx, g, m.role + L"横线", g.PageX(m.x), g.PageY(m.y), g.OriginX, g.PageY(m.y), look);
}

// The preview's labels: multiples of π/2 along the angle axis where the curve
// is drawn (inside the frame), and the values of marked extreme points on the
// y axis.
void RecordLabels(GraphContext& g, const SJRecord& rec) {
  const ZBXRecord& f = g.frame;
  const bool inverse = rec.function >= 4;
  auto& angles = inverse ? g.yLabels : g.xLabels;
  double lo = inverse ? f.ymin : std::max<double>(f.xmin, rec.xmin);
  double hi = inverse ? f.ymax : std::min<double>(f.xmax, rec.xmax);
  // Range ends typed as "2*PI" arrive rounded to three decimals.
  lo -= 0.001;
  hi += 0.001;
  for (int m = static_cast<int>(std::ceil(lo / (kPi / 2))); m * kPi / 2 <= hi; ++m)
    if (m != 0) angles.push_back({static_cast<float>(m * kPi / 2), PiLabel(m, 2), inverse ? L"sj_y" : L"sj_x"});
  if (!rec.drawMarks || inverse) return;
  for (const SJRecord::Mark& mark : rec.marks)
    if (mark.role == L"最值点" && mark.y != 0)
      g.yLabels.push_back({static_cast<float>(mark.y), DecimalText(Round3(mark.y)), L"sj_y"});
}

}  // namespace

double TrigValue(int function, double u) {
  switch (function) {
    case 0: return std::sin(u);
    case 1: return std::cos(u);
    case 2: return std::tan(u);
    case 3: { const double t = std::tan(u); return t == 0 ? NAN : 1 / t; }
    case 4: return ArcSin(u);
    case 5: { const double a = ArcSin(u); return std::isnan(a) ? NAN : kPi / 2 - a; }
    case 6: return std::atan(u);
    case 7: return kPi / 2 - std::atan(u);
  }
  return NAN;
}

double TrigAt(const SJRecord& rec, double x) { return rec.A * TrigValue(rec.function, rec.w * x + rec.phi) + rec.k; }

std::vector<std::pair<double, double>> FindTrigPieces(const ZBXRecord& frame, const std::function<double(double)>& f,
                                                      double xmin, double xmax) {
  std::vector<std::pair<double, double>> pieces;
  const double height = frame.ymax - frame.ymin;
  bool open = false;
  double first = 0, last = 0, lastY = 0;
  // Only probes inside the frame can start or extend a piece: the walk is
  // cut to the frame's x range, and thinned out for a very wide frame.
  const double n = std::floor((xmax - xmin) / 0.01 + 1e-9);
  const double from = std::max(0.0, std::ceil((frame.xmin - xmin) / 0.01 - 1e-9));
  const double to = std::min(n, std::floor((frame.xmax - xmin) / 0.01 + 1e-9));
  const double stride = std::max(1.0, std::ceil((to - from) / kMaxPieceProbes));
  for (double i = from; i <= to; i += stride) {
    const double x = Round3(xmin + i * 0.01);
    const double y = f(x);
    const bool inside = std::isfinite(y) && x >= frame.xmin && x <= frame.xmax && y >= frame.ymin && y <= frame.ymax;
    if (open && (!inside || std::fabs(y - lastY) > height)) {
      pieces.emplace_back(first, last);
      open = false;
    }
    if (inside) {
      if (!open) first = x;
      open = true;
      last = x;
      lastY = y;
    }
  }
  if (open) pieces.emplace_back(first, last);
  return pieces;
}

std::vector<SJRecord::Mark> FindTrigMarks(const SJRecord& rec, const TrigMarkChoice& choice) {
  std::vector<SJRecord::Mark> marks;
  auto f = [&](double x) { return TrigAt(rec, x); };
  const bool periodic = rec.function <= 3;
  for (const auto& [u, v] : rec.pieces) {
    constexpr double kStep = 0.005;
    for (double a = u; a < v; a += kStep) {
      const double b = std::min(a + kStep, v), c = std::min(b + kStep, v);
      const double fa = f(a), fb = f(b), fc = f(c);
      if (choice.zeros && (fa == 0 || (fa < 0) != (fb < 0)) && std::fabs(fb - fa) < 1) {
        const double x = fa == 0 ? a : Bisect(f, a, b);
        marks.push_back({Round3(x), 0, L"零点", false});
      }
      if ((choice.extrema || choice.axes) && periodic && c > b && ((fb > fa && fb >= fc) || (fb < fa && fb <= fc))) {
        const double x = Extreme(f, a, c, fb > fa);
        if (choice.extrema) marks.push_back({Round3(x), Round3(f(x)), L"最值点", false});
        if (choice.axes) marks.push_back({Round3(x), 0, L"对称轴", true});
      }
    }
  }
  if (choice.asymptotes && (rec.function == 2 || rec.function == 3) && rec.w != 0) {
    // tan has its asymptotes where wx + phi = π/2 + nπ, cot where it is nπ.
    const double offset = rec.function == 2 ? kPi / 2 : 0;
    // Asymptotes are marked where the curve is drawn: between its pieces
    // and up to one period beyond them, never across a range wider than that.
    const double period = kPi / std::fabs(rec.w);
    double lo = std::min(rec.xmin, rec.xmax), hi = std::max(rec.xmin, rec.xmax);
    if (!rec.pieces.empty()) {
      lo = std::max(lo, rec.pieces.front().first - period);
      hi = std::min(hi, rec.pieces.back().second + period);
    }
    const double n0 = std::ceil(((rec.w > 0 ? lo : hi) * rec.w + rec.phi - offset) / kPi);
    for (double n = n0;; ++n) {
      const double x = (offset + n * kPi - rec.phi) / rec.w;
      if (x < lo - 1e-9 || x > hi + 1e-9) break;
      marks.push_back({Round3(x), 0, L"渐近线", true});
    }
  }
  return marks;
}

std::wstring PiLabel(int k, int n) {
  const int d = std::gcd(k, n);
  if (d > 1) { k /= d; n /= d; }
  std::wstring text;
  if (n == 1) text = k == 1 ? L"@p" : k == -1 ? L"-@p" : std::to_wstring(k) + L"@p";
  else if (k == 1) text = L"(@p)/(" + std::to_wstring(n) + L")";
  else if (k == -1) text = L"-(@p)/(" + std::to_wstring(n) + L")";
  else text = L"(" + std::to_wstring(k) + L"@p)/(" + std::to_wstring(n) + L")";
  size_t at;
  while ((at = text.find(L"--")) != std::wstring::npos) text.erase(at, 2);
  return text;
}

void DrawTrig(AddinContext& ctx, GraphContext& g, const SJRecord& rec) {
  auto f = [&](double x) { return TrigAt(rec, x); };
  for (const auto& [u, v] : rec.pieces) DrawCurvePiece(ctx, g, u, v, f, kTrigNames[rec.function], rec.line);
  if (rec.drawMarks)
    for (const SJRecord::Mark& m : rec.marks) MarkLines(ctx, g, m, rec.line);
  if (g.preview) RecordLabels(g, rec);
}

}  // namespace plx::graph
