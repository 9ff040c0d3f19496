#include "formula/case_parts.hpp"

#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx {
namespace {

// One symbol: a single character or a Greek letter still written "@" + letter.
bool IsOneSymbol(const std::wstring& s) { return s.size() == 1 || (s.size() == 2 && s[0] == L'@'); }

std::wstring CentreBase(const std::wstring& variable, const std::wstring& coordinate) {
  switch (ClassifyCentre(coordinate)) {
    case CentreKind::Zero: return variable;
    case CentreKind::Negative: return L"(" + variable + L"+" + WithoutMinus(coordinate) + L")";
    case CentreKind::Other: break;
  }
  return L"(" + variable + L"-" + coordinate + L")";
}

}  // namespace

std::wstring StripRoundGroup(const std::wstring& operand) {
  if (operand.size() >= 2 && operand.front() == L'(' && operand.back() == L')' &&
      GetBracketGroup(operand, 0, [](const std::wstring&) {}).size() == operand.size())
    return operand.substr(1, operand.size() - 2);
  return operand;
}

CircleParts ReadCircle(const CaseInput& in) {
  CircleParts c;
  std::wstring radius = in.Arg(0);
  if (in.args.size() > 1) {
    c.centred = false;
    c.xBase = CentreBase(L"x", in.Arg(0));
    c.yBase = CentreBase(L"y", in.Arg(1));
    c.yAtZero = ClassifyCentre(in.Arg(1)) == CentreKind::Zero;
    radius = in.Arg(2);
  }
  c.radiusSquared = SquareOfNumber(radius);
  c.radiusBase = radius.empty() || IsOneSymbol(radius) ? radius : L"(" + radius + L")";
  return c;
}

CentreKind ClassifyCentre(const std::wstring& c) {
  if (c == L"0") return CentreKind::Zero;
  // A leading "-" means the centre lies on the negative side, for a number
  // and for a letter alike ("-b" gives y+b, never y--b).
  if (c.size() > 1 && c[0] == L'-' && !(IsNumeric(c) && Val(c) == 0)) return CentreKind::Negative;
  return CentreKind::Other;
}

std::wstring WithoutMinus(const std::wstring& s) { return StartsWith(s, L"-") ? s.substr(1) : s; }

std::wstring SquareOfNumber(const std::wstring& radius) {
  if (!IsNumeric(radius)) return {};
  const double r = Val(radius);
  const double square = r * r;
  return std::isfinite(square) ? DecimalText(square) : std::wstring();
}

ConicArgs ReadConicArgs(const CaseInput& in, bool hyperbola) {
  ConicArgs c{in.Arg(0), in.Arg(1), false};
  if (hyperbola && StartsWith(c.a, L"-")) {
    c.yFirst = true;
    c.a = Trim(c.a.substr(1));
  }
  return c;
}

std::pair<std::wstring, std::wstring> StackedIndices(const CaseInput& in, bool swap) {
  std::wstring n = in.Arg(0), m = in.Arg(1);
  if (swap) std::swap(n, m);
  return {n, m};
}

FractionParts ReadFraction(const CaseInput& in, bool digitRuns, const FormulaNotice& notice) {
  FractionParts f;
  const std::wstring p = strGetFZ(in.text, in.pos, digitRuns, notice);
  const std::wstring q = strGetFM(in.text, in.pos, digitRuns, notice);
  f.target = p + L"/" + q;
  f.numeratorText = p;
  f.numerator = StripRoundGroup(p);
  f.denominator = StripRoundGroup(q);
  return f;
}

std::vector<std::vector<std::wstring>> MatrixRows(const std::wstring& inner) {
  std::vector<std::vector<std::wstring>> rows;
  for (const std::wstring& row : Split(inner, L"|")) rows.push_back(Split(row, L","));
  return rows;
}

int SquareSide(size_t count) {
  int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(count))));
  return count > 0 && static_cast<size_t>(n) * static_cast<size_t>(n) == count ? n : 0;
}

}  // namespace plx
