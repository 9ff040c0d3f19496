#include "formula/eq_builder.hpp"

#include "common/text.hpp"
#include "formula/case_parts.hpp"
#include "formula/keywords.hpp"
#include "formula/rewrite_engine.hpp"

namespace plx {
namespace {

class EqWriter : public CaseWriter {
 public:
  EqWriter(const FormulaSettings& s, const FormulaNotice& n, int& depth)
      : settings_(s), notice_(n), depth_(depth) {}

  std::wstring Build(const std::wstring& text);
  Rewrite Write(const CaseInput& in) override;

 private:
  std::wstring Circle(const CaseInput& in) const;
  std::wstring Conic(const CaseInput& in, bool hyperbola) const;
  std::wstring Integral(const CaseInput& in) const;
  Rewrite Root(const CaseInput& in) const;
  Rewrite Superscript(const CaseInput& in) const;
  Rewrite Subscript(const CaseInput& in) const;
  Rewrite System(const CaseInput& in);

  const FormulaSettings& settings_;
  const FormulaNotice& notice_;
  int& depth_;
};

std::wstring EqWriter::Build(const std::wstring& text) {
  if (text.empty() || text == L"________" || text.back() == L'(') return text;
  NestingGuard guard(depth_);
  std::wstring t = Replace(Replace(text, L"sqrt", L"sqr"), L"sqr", L"gh");
  t = ChangeXLZM(ReplacePi(std::move(t)));
  LoopResult r = RunRewriteLoop(std::move(t), *this, notice_);
  if (r.stopped) return r.text;
  t = LiftSuperscripts(std::move(r.text));
  if (settings_.blChangeKH) t = StretchBrackets(std::move(t));
  if (settings_.blSymbolReplace) t = ReplaceSymbols(std::move(t), settings_.txtSymbolReplace);
  return t;
}

Rewrite EqWriter::Write(const CaseInput& in) {
  switch (in.caseNumber) {
    case kw::Circle: return Rewrite::All(in.Target(), Circle(in));
    case kw::Ellipse: return Rewrite::All(in.Target(), Conic(in, false));
    case kw::Hyperbola: return Rewrite::All(in.Target(), Conic(in, true));
    case kw::Limit:
      // jx(v,a,f): the function follows the limit, as in the other routes.
      return Rewrite::All(in.Target(),
                          L"\\o\\ac(lim,\\S\\DO7(" + in.Arg(0) + L"→" + in.Arg(1) + L"))" + in.ArgsFrom(2));
    case kw::Integral: return Rewrite::All(in.Target(), Integral(in));
    case kw::Sum:
      return Rewrite::All(in.Target(), L"\\i\\su(\\S(" + Build(in.Arg(0)) + L"),\\S(" + Build(in.Arg(1)) +
                                           L")," + Build(in.ArgsFrom(2)) + L")");
    case kw::Matrix: return Rewrite::All(in.Target(), MatrixEQ(in.group, false));
    case kw::Determinant: return Rewrite::All(in.Target(), MatrixEQ(in.group, true));
    case kw::Root: return Root(in);
    case kw::Superscript: return Superscript(in);
    case kw::Subscript: return Subscript(in);
    case kw::Fraction: {
      // In place: replacing every copy of "2/3" would also cut into "12/35".
      FractionParts f = ReadFraction(in, settings_.blLXNumber, notice_);
      return Rewrite::At(in.pos - f.numeratorText.size(), f.target.size(),
                         L"\\F(" + f.numerator + L"," + f.denominator + L")");
    }
    case kw::Arrangement: case kw::Permutation: case kw::Combination: case kw::Indices: {
      static const wchar_t* const kLetters[] = {L"A", L"P", L"C", L""};
      auto [upper, lower] = StackedIndices(in, settings_.blPLZH);
      return Rewrite::All(in.Target(), std::wstring(kLetters[in.caseNumber - kw::Arrangement]) +
                                           L"\\o\\al(\\S\\UP5(" + upper + L"),\\S\\DO3(" + lower + L"))");
    }
    case kw::Arc: return Rewrite::All(in.Target(), L"\\o\\ac(\\S\\UP7(⌒)," + Trim(in.inner) + L")");
    case kw::Vector: return Rewrite::All(in.Target(), L"\\o\\ac(\\S\\UP7(→)," + Trim(in.inner) + L")");
    case kw::System: return System(in);
    case kw::Bar: return Rewrite::All(in.Target(), L"\\x\\to(" + Trim(in.inner) + L")");
    case kw::Underline: return Rewrite::All(in.Target(), L"\\x\\bo(" + in.inner + L")");
  }
  return Rewrite::Skip();
}

std::wstring EqWriter::Circle(const CaseInput& in) const {
  const CircleParts c = ReadCircle(in);
  const std::wstring r = c.radiusSquared.empty() ? c.radiusBase + L"\\S(2)" : c.radiusSquared;
  if (c.centred) return L"x^2+y^2=" + r;
  return c.xBase + L"\\S(2)+" + c.yBase + L"\\S(2)" + (c.yAtZero ? L"=" : L"＝") + r;
}

std::wstring EqWriter::Conic(const CaseInput& in, bool hyperbola) const {
  const ConicArgs c = ReadConicArgs(in, hyperbola);
  const std::wstring xOver = L"\\F(x\\S(2)," + c.a + L")", yOver = L"\\F(y\\S(2)," + c.b + L")";
  if (!hyperbola) {
    if (c.a.empty()) return L"x\\S(2)+" + yOver + L"＝1";
    if (c.b.empty()) return xOver + L"+y\\S(2)=1";
    return xOver + L"+" + yOver + L"＝1";
  }
  if (c.yFirst) {
    if (c.a.empty()) return yOver + L"-x\\S(2)＝1";
    if (c.b.empty()) return L"y\\S(2)-" + xOver + L"＝1";
    return yOver + L"-" + xOver + L"＝1";
  }
  if (c.a.empty()) return L"x\\S(2)-" + yOver + L"＝1";
  if (c.b.empty()) return xOver + L"-y\\S(2)＝1";
  return xOver + L"-" + yOver + L"＝1";
}

std::wstring EqWriter::Integral(const CaseInput& in) const {
  if (in.args.size() <= 1) return L"\\b\\lc\\∫" + in.group;
  const std::wstring limits = L"\\b\\lc\\∫(\\a(\\S\\UP2(" + in.Arg(1) + L"),\\S\\DO2(" + in.Arg(0) + L"))";
  if (in.args.size() == 2) return limits + L")";
  return limits + in.ArgsFrom(2) + L")";
}

Rewrite EqWriter::Root(const CaseInput& in) const {
  const wchar_t c = in.text[in.afterName];
  if (c != L'(') {
    const size_t n = (c == L'@' && in.afterName + 1 < in.text.size()) ? 2 : 1;
    const std::wstring radicand(in.text.substr(in.afterName, n));
    return Rewrite::All(L"gh" + radicand, L"\\R(," + radicand + L")");
  }
  const size_t whole = 2 + in.group.size();
  if (std::count(in.group.begin(), in.group.end(), L'(') >= 2) return Rewrite::At(in.pos, whole, L"\\R" + in.group);
  if (in.args.size() >= 2)
    return Rewrite::At(in.pos, whole, L"\\R(\\S\\DO(" + in.Arg(0) + L")," + in.ArgsFrom(1) + L")");
  return Rewrite::At(in.pos, 3, L"\\R(,");
}

Rewrite EqWriter::Superscript(const CaseInput& in) const {
  const wchar_t c = in.text[in.afterName];
  if (c != L'(') return Rewrite::All(L"^" + std::wstring(1, c), L"\\S(" + std::wstring(1, c) + L")");
  const bool tall = Contains(in.group, L"\\F") || Contains(in.group, L"/");
  return Rewrite::At(in.pos, 2, tall ? L"\\S\\UP8(" : L"\\S\\UP6(");
}

Rewrite EqWriter::Subscript(const CaseInput& in) const {
  const wchar_t c = in.text[in.afterName];
  if (c == L'(') return Rewrite::At(in.pos, 2, L"\\S\\DO(");
  size_t end = in.afterName;
  while (end < in.text.size() && in.text[end] >= L'0' && in.text[end] <= L'9') ++end;
  if (end == in.afterName) end = in.afterName + 1;  // one character that is no digit
  // In place: "_1" is also the start of "_12" elsewhere in the text.
  const std::wstring script(in.text.substr(in.afterName, end - in.afterName));
  return Rewrite::At(in.pos, 1 + script.size(), L"\\S\\DO(" + script + L")");
}

Rewrite EqWriter::System(const CaseInput& in) {
  const std::vector<std::wstring>& equations = in.args;
  if (equations.size() < 2) return Rewrite::Stop();
  std::vector<std::wstring> built;
  for (const std::wstring& e : equations) built.push_back(Build(e));
  return Rewrite::All(in.Target(), L"\\B\\lc\\{(\\a\\al(" + Join(built, L",") + L"))");
}

}  // namespace

std::wstring SetEQ(const std::wstring& text, const FormulaSettings& settings, const FormulaNotice& notice) {
  int depth = 0;
  return EqWriter(settings, notice, depth).Build(text);
}

}  // namespace plx
