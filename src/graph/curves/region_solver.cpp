#include "graph/curves/region_solver.hpp"

#include <algorithm>
#include <cmath>
#include <set>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/normalise.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

// The value of a normalised side at (x, y); false when it cannot be evaluated.
bool SideAt(MathPlugin& math, const std::wstring& side, double x, double y, double& value) {
  bool error = false;
  math.MathExpression(SubstituteVariable(SubstituteVariable(side, L'x', x), L'y', y), error, value);
  return !error && std::isfinite(value);
}

// left - right of a constraint whose sides are normalised.
bool DifferenceAt(MathPlugin& math, const std::wstring& left, const std::wstring& right, double x, double y,
                  double& value) {
  double l, r;
  if (!SideAt(math, left, x, y, l) || !SideAt(math, right, x, y, r)) return false;
  value = l - r;
  return std::isfinite(value);
}

// Sets the script engine's language for one task and puts the old one back:
// the same engine evaluates curve expressions in VBScript, where "^" is a power.
class LanguageScope {
 public:
  LanguageScope(ScriptEngine& engine, const std::wstring& language) : engine_(engine), saved_(engine.Language) {
    engine_.Language = language;
  }
  ~LanguageScope() { engine_.Language = saved_; }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;

 private:
  ScriptEngine& engine_;
  std::wstring saved_;
};

// A coordinate as "0.000" text, without a separate "-0.000".
std::wstring Key3(double v) {
  double r = Val(Format(v, L"0.000"));
  if (r == 0) r = 0;
  return Format(r, L"0.000");
}

}  // namespace

std::wstring FoldRelations(const std::wstring& text) {
  std::wstring out;
  for (wchar_t ch : text) {
    switch (ch) {
      case L'≤': case L'≦': case L'⩽': out += L"<="; break;
      case L'≥': case L'≧': case L'⩾': out += L">="; break;
      case L'＜': case L'〈': out += L'<'; break;
      case L'＞': case L'〉': out += L'>'; break;
      default: out += ch;
    }
  }
  return ToHalfWidth(out);
}

bool ReadConstraintLines(const std::wstring& text, std::vector<Constraint>& out, std::wstring& badLine) {
  out.clear();
  // One constraint per line; a comma, a semicolon or "、" between
  // constraints typed on one line separates them too (no side of a linear
  // constraint contains one).
  std::wstring unified = ToHalfWidth(text);
  for (const wchar_t* separator : {L"\r\n", L"\r", L",", L";", L"、"}) unified = Replace(unified, separator, L"\n");
  for (const std::wstring& raw : Split(unified, L"\n")) {
    const std::wstring line = Trim(raw);
    if (line.empty()) continue;
    Constraint first;
    if (!ParseConstraint(line, first) || first.left.empty() || first.right.empty()) {
      badLine = line;
      return false;
    }
    // A chain "0<=x<=4": the right side holds further relations, each of
    // which starts a constraint whose left side is the previous middle term.
    std::vector<Constraint> chain{first};
    Constraint next;
    while (ParseConstraint(chain.back().right, next)) {
      if (next.left.empty() || next.right.empty()) {
        badLine = line;
        return false;
      }
      chain.back().right = next.left;
      chain.push_back(next);
    }
    out.insert(out.end(), chain.begin(), chain.end());
  }
  return true;
}

bool BoundaryOf(MathPlugin& math, const Constraint& constraint, BoundaryLine& line, std::wstring& message) {
  const std::wstring left = NormaliseExpression(constraint.left), right = NormaliseExpression(constraint.right);
  const std::wstring shown = constraint.left + constraint.relation + constraint.right;
  double f00, f10, f01;
  if (!DifferenceAt(math, left, right, 0, 0, f00) || !DifferenceAt(math, left, right, 1, 0, f10) ||
      !DifferenceAt(math, left, right, 0, 1, f01)) {
    const std::wstring why = math.LastError();
    message = L"约束条件“" + shown + L"”中的表达式有误，请检查您的输入！" + (why.empty() ? L"" : L"\r\n" + why);
    return false;
  }
  line = {f10 - f00, f01 - f00, -f00};
  // A side such as x*y, abs(x) or 1/x is not a straight boundary: its values
  // elsewhere do not follow the plane through the three points.
  for (auto [x, y] : {std::pair{2.0, 3.0}, {-3.0, -2.0}, {-1.5, 2.5}}) {
    double f;
    const double expected = line.a * x + line.b * y - line.c;
    if (!DifferenceAt(math, left, right, x, y, f) || std::fabs(f - expected) > 1e-6 * (1 + std::fabs(f))) {
      message = L"约束条件“" + shown + L"”不是关于x、y的一次不等式，请检查您的输入！";
      return false;
    }
  }
  return true;
}

PointList BoundaryCorners(const std::vector<BoundaryLine>& lines) {
  PointList corners;
  std::set<std::wstring> seen;
  for (size_t i = 0; i < lines.size(); ++i) {
    for (size_t j = i + 1; j < lines.size(); ++j) {
      const BoundaryLine& p = lines[i];
      const BoundaryLine& q = lines[j];
      const double det = p.a * q.b - q.a * p.b;
      // Parallel (or repeated) boundaries never meet in one point.
      if (std::fabs(det) <= 1e-12 * (std::fabs(p.a * q.b) + std::fabs(q.a * p.b)) || det == 0) continue;
      const double x = (p.c * q.b - q.c * p.b) / det;
      const double y = (p.a * q.c - q.a * p.c) / det;
      if (!std::isfinite(x) || !std::isfinite(y)) continue;
      if (seen.insert(Key3(x) + L"," + Key3(y)).second) corners.emplace_back(x, y);
    }
  }
  return corners;
}

PointList KeepFeasible(AddinContext& ctx, GraphContext& g, const std::vector<Constraint>& constraints,
                       const PointList& points, bool& failed) {
  failed = false;
  PointList kept;
  try {
    LanguageScope javascript(g.script, L"JavaScript");
    std::vector<std::pair<std::wstring, std::wstring>> sides;
    for (const Constraint& c : constraints) sides.emplace_back(NormaliseExpression(c.left), NormaliseExpression(c.right));
    for (const auto& [x, y] : points) {
      // The coordinates as four-decimal text, both sides rounded to two: a
      // point on a boundary then satisfies "<=" and ">=".
      const double xs = Val(Format(x, L"0.0000")), ys = Val(Format(y, L"0.0000"));
      bool inside = true;
      for (size_t i = 0; inside && i < constraints.size(); ++i) {
        double l, r;
        if (!SideAt(g.math, sides[i].first, xs, ys, l) || !SideAt(g.math, sides[i].second, xs, ys, r)) {
          inside = false;  // a side undefined at this point: the point is not part of the region
          break;
        }
        inside = g.script.Eval(Format(l, L"0.00") + constraints[i].relation + Format(r, L"0.00")).Truth();
      }
      if (inside) kept.emplace_back(x, y);
    }
  } catch (const std::exception& e) {
    ShowErrLong(ctx, e, L"GetKxyDD", L"modGraph", __LINE__);
    failed = true;
    return {};
  }
  return kept;
}

PointList ConvexOrder(PointList points) {
  if (points.size() < 3) return points;
  double cx = 0, cy = 0, scale = 1;
  for (const auto& [x, y] : points) {
    cx += x;
    cy += y;
    scale = std::max({scale, std::fabs(x), std::fabs(y)});
  }
  cx /= static_cast<double>(points.size());
  cy /= static_cast<double>(points.size());
  // By angle around the centroid; points at the same angle nearest first.
  std::stable_sort(points.begin(), points.end(), [&](const auto& p, const auto& q) {
    const double ap = std::atan2(p.second - cy, p.first - cx), aq = std::atan2(q.second - cy, q.first - cx);
    if (ap != aq) return ap < aq;
    return std::hypot(p.first - cx, p.second - cy) < std::hypot(q.first - cx, q.second - cy);
  });
  // A corner that does not turn left lies on an edge (or inside, within the
  // rounding of the test); dropping such corners until every turn is a left
  // turn leaves a convex polygon that never crosses itself.
  const double eps = 1e-9 * scale * scale;
  bool changed = true;
  while (changed && points.size() >= 3) {
    changed = false;
    for (size_t i = 0; i < points.size() && points.size() >= 3; ++i) {
      const auto& p = points[(i + points.size() - 1) % points.size()];
      const auto& c = points[i];
      const auto& n = points[(i + 1) % points.size()];
      const double cross = (c.first - p.first) * (n.second - c.second) - (c.second - p.second) * (n.first - c.first);
      if (cross <= eps) {
        points.erase(points.begin() + static_cast<long>(i));
        changed = true;
        break;
      }
    }
  }
  if (points.size() < 3) points.clear();
  return points;
}

PointList SolveRegion(AddinContext& ctx, GraphContext& g, const std::vector<Constraint>& constraints,
                      const std::vector<BoundaryLine>& lines, const Bounds& f, bool& failed) {
  // The frame's edges close a region the constraints leave open (y >= 0 alone,
  // or x + y <= 4 alone) and cut a large one where the axes end: the teacher
  // sees the part of the region the figure shows, hatched up to the frame.
  std::vector<Constraint> all = constraints;
  std::vector<BoundaryLine> edges = lines;
  all.push_back({L"x", L">=", DecimalText(f.xmin)});
  all.push_back({L"x", L"<=", DecimalText(f.xmax)});
  all.push_back({L"y", L">=", DecimalText(f.ymin)});
  all.push_back({L"y", L"<=", DecimalText(f.ymax)});
  edges.push_back({1, 0, f.xmin});
  edges.push_back({1, 0, f.xmax});
  edges.push_back({0, 1, f.ymin});
  edges.push_back({0, 1, f.ymax});
  // The region drawn is the closed one: a strict "<" keeps its boundary as
  // the edge of the hatching, so its corners are tested with "<=".
  for (Constraint& c : all)
    if (c.relation == L"<" || c.relation == L">") c.relation += L"=";
  // Corners far outside the frame cannot pass its edges; they are left out
  // before the test.
  PointList candidates;
  for (const auto& p : BoundaryCorners(edges))
    if (p.first >= f.xmin - 1 && p.first <= f.xmax + 1 && p.second >= f.ymin - 1 && p.second <= f.ymax + 1)
      candidates.push_back(p);
  PointList kept = KeepFeasible(ctx, g, all, candidates, failed);
  return failed ? PointList{} : ConvexOrder(kept);
}

}  // namespace plx::graph
