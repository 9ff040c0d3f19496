#include "figures/inequality.hpp"

#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/script_engine.hpp"
#include "platform/regexp.hpp"

namespace plx::figures {
namespace {

size_t CountOf(const std::wstring& text, wchar_t c) {
  size_t n = 0;
  for (wchar_t t : text) n += t == c;
  return n;
}

std::vector<RegexMatch> Matches(const std::wstring& pattern, const std::wstring& text) {
  RegExp re;
  re.Pattern = pattern;
  re.IgnoreCase = true;
  re.Global = true;
  return re.Execute(text);
}

// The kinds of a pattern family, from its value and relation groups.
enum class Family { XGreater, GreaterX, XLess, LessX };

TypedInterval SingleEnded(Family family, const std::wstring& relation, const std::wstring& value) {
  const bool strict = relation == L">" || relation == L"<";
  switch (family) {
    case Family::XGreater: case Family::LessX: return {strict ? L"BigThanA" : L"NoLessThanA", value, L""};
    case Family::GreaterX: case Family::XLess: return {strict ? L"LessThanA" : L"NoBigThanA", value, L""};
  }
  return {};
}

std::optional<std::vector<TypedInterval>> SingleSign(const std::wstring& e, wchar_t sign) {
  const std::wstring s(1, sign);
  const bool greater = sign == L'>';
  std::vector<TypedInterval> out;
  for (const auto& m : Matches(L"x(" + s + L"[=]*)(.*)", e))
    out.push_back(SingleEnded(greater ? Family::XGreater : Family::XLess, m.SubMatches[0], m.SubMatches[1]));
  if (out.empty())
    for (const auto& m : Matches(L"(.*?)(" + s + L"[=]*)x", e))
      out.push_back(SingleEnded(greater ? Family::GreaterX : Family::LessX, m.SubMatches[1], m.SubMatches[0]));
  if (out.empty()) return std::nullopt;
  return out;
}

std::optional<std::vector<TypedInterval>> TwoSided(const std::wstring& e, bool greater) {
  std::vector<TypedInterval> out;
  const std::wstring pattern = greater ? L"(.*?)(>[=]*)x(>[=]*)(.*)" : L"(.*?)(<[=]*)x(<[=]*)(.*)";
  for (const auto& m : Matches(pattern, e)) {
    const auto& g = m.SubMatches;
    TypedInterval interval;
    if (greater) {
      // b > x > a: a is the last group and its relation the second.
      interval.kind = std::wstring(g[2] == L">=" ? L"NLTa" : L"BTa") + (g[1] == L">=" ? L"NBTb" : L"LTb");
      interval.a = g[3];
      interval.b = g[0];
    } else {
      interval.kind = std::wstring(g[1] == L"<=" ? L"NLTa" : L"BTa") + (g[2] == L"<=" ? L"NBTb" : L"LTb");
      interval.a = g[0];
      interval.b = g[3];
    }
    out.push_back(interval);
  }
  if (out.empty()) return std::nullopt;
  return out;
}

}  // namespace

bool IsTwoEnded(const std::wstring& kind) { return Contains(kind, L"Tb"); }
bool EndAClosed(const std::wstring& kind) { return IsTwoEnded(kind) ? Contains(kind, L"NLTa") : Contains(kind, L"No"); }
bool EndBClosed(const std::wstring& kind) { return Contains(kind, L"NBTb"); }
bool RunsRight(const std::wstring& kind) { return kind == L"BigThanA" || kind == L"NoLessThanA"; }

std::wstring PlainRelations(const std::wstring& text) {
  return Replace(Replace(Replace(NumberText(text), L"≥", L">="), L"≤", L"<="), L"≠", L"<>");
}

bool NeedsSolver(const std::wstring& element) {
  const std::wstring e = LCase(Trim(element));
  const size_t xs = CountOf(e, L'x');
  if (xs > 1 || (xs == 1 && Contains(e, L"<>"))) return true;  // the patterns have no "not equal"
  if (xs == 0 || CountOf(e, L'>') + CountOf(e, L'<') != 1) return false;
  // One relation: x must stand alone on its side ("x>=3", "3>x").
  RegExp re;
  re.Pattern = L"^x[<>]|[<>]=*x$";
  return !re.Test(e);
}

std::optional<std::vector<TypedInterval>> ReadInequality(const std::wstring& element) {
  const size_t greater = CountOf(element, L'>'), less = CountOf(element, L'<');
  if (greater == 1) return SingleSign(element, L'>');
  if (less == 1) return SingleSign(element, L'<');
  return TwoSided(element, greater == 2);
}

std::optional<LinearSolution> SolveLinearInequality(graph::ScriptEngine& engine, const std::wstring& text) {
  std::wstring relation;
  size_t at = std::wstring::npos;
  for (const wchar_t* r : {L">=", L"<=", L"<>", L">", L"<"}) {
    at = text.find(r);
    if (at != std::wstring::npos) {
      relation = r;
      break;
    }
  }
  if (relation.empty()) return std::nullopt;
  const std::wstring left = text.substr(0, at), right = text.substr(at + relation.size());
  const std::wstring f = graph::NormaliseExpression(L"(" + left + L")-(" + right + L")");
  engine.Language = L"VBScript";
  const double c = graph::EvalAt(engine, 0, f);
  const double k = graph::EvalAt(engine, 1, f) - c;
  LinearSolution s;
  if (k == 0) {
    // c REL 0 holds for every x or for none.
    const bool holds = relation == L">=" ? c >= 0 : relation == L"<=" ? c <= 0 : relation == L"<>" ? c != 0
                       : relation == L">" ? c > 0 : c < 0;
    s.kind = holds ? LinearSolution::Kind::AllNumbers : LinearSolution::Kind::Empty;
    return s;
  }
  // k·x + c REL 0: x REL −c/k, the relation reversed when k < 0.
  s.relation = relation;
  if (k < 0) {
    if (relation == L">") s.relation = L"<";
    else if (relation == L"<") s.relation = L">";
    else if (relation == L">=") s.relation = L"<=";
    else if (relation == L"<=") s.relation = L">=";
  }
  double boundary = -c / k;
  if (boundary == 0) boundary = 0;  // no "-0.00"
  s.boundary = Format(boundary, L"0.00");
  return s;
}

std::vector<TypedInterval> SolutionIntervals(const LinearSolution& s) {
  if (s.kind != LinearSolution::Kind::Bounded) return {};
  if (s.relation == L">") return {{L"BigThanA", s.boundary, L""}};
  if (s.relation == L">=") return {{L"NoLessThanA", s.boundary, L""}};
  if (s.relation == L"<") return {{L"LessThanA", s.boundary, L""}};
  if (s.relation == L"<=") return {{L"NoBigThanA", s.boundary, L""}};
  return {{L"LessThanA", s.boundary, L""}, {L"BigThanA", s.boundary, L""}};
}

}  // namespace plx::figures
