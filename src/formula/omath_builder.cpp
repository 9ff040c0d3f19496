#include "formula/omath_builder.hpp"

#include <string_view>
#include <vector>

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "formula/case_parts.hpp"
#include "formula/eq_builder.hpp"
#include "formula/keywords.hpp"
#include "formula/rewrite_engine.hpp"
#include "formula/tex_omath_parts.hpp"

namespace plx {
namespace {

// Operators and marks of the linear format.
constexpr const wchar_t* kIntegral = L"\u222B";
constexpr const wchar_t* kOperandMark = L"\u2592";  // ▒ before an integrand
constexpr const wchar_t* kApply = L"\u2061";        // function application after lim
constexpr const wchar_t* kBelow = L"\u252C";        // ┬
constexpr const wchar_t* kAbove = L"\u2534";        // ┴
constexpr const wchar_t* kArcAccent = L"\u23DC";
constexpr const wchar_t* kArrowAccent = L"\u20D7";
constexpr const wchar_t* kOverbar = L"\u00AF";
constexpr const wchar_t* kUnderbar = L"\u2581";

// Whether c can start the function a limit applies to: not an operator, a
// separator or a closing bracket.
bool StartsOperand(wchar_t c) {
  return std::wstring_view(L" +-*=<>,;:/)]}|＝＋－，").find(c) == std::wstring_view::npos;
}

// A limit of an integral as a script: one symbol or a number as it is, anything
// longer in round brackets ("∫_(a+1)^b"), which the host drops when it builds up.
std::wstring ScriptOperand(const std::wstring& s) {
  return s.size() <= 1 || IsNumeric(s) ? s : L"(" + s + L")";
}

class OMathWriter : public CaseWriter {
 public:
  OMathWriter(const FormulaSettings& s, const FormulaNotice& n) : settings_(s), notice_(n) {}

  std::wstring Build(const std::wstring& text);
  Rewrite Write(const CaseInput& in) override;

 private:
  static std::wstring Circle(const CaseInput& in);
  static std::wstring Conic(const CaseInput& in, bool hyperbola);
  static std::wstring Limit(const CaseInput& in);
  static std::wstring Integral(const CaseInput& in);
  static Rewrite Root(const CaseInput& in);
  static std::wstring System(const CaseInput& in);

  const FormulaSettings& settings_;
  const FormulaNotice& notice_;
};

std::wstring OMathWriter::Build(const std::wstring& text) {
  if (text.empty()) return text;
  std::wstring t = Replace(Replace(text, L"sqrt", L"sqr"), L"sqr", L"gh");
  t = ChangeXLZM(ReplacePi(std::move(t)));
  LoopResult r = RunRewriteLoop(std::move(t), *this, notice_);
  if (settings_.blSymbolReplace) return ReplaceSymbols(std::move(r.text), settings_.txtSymbolReplace);
  return r.text;
}

Rewrite OMathWriter::Write(const CaseInput& in) {
  switch (in.caseNumber) {
    case kw::Circle: return Rewrite::All(in.Target(), Circle(in));
    case kw::Ellipse: return Rewrite::All(in.Target(), Conic(in, false));
    case kw::Hyperbola: return Rewrite::All(in.Target(), Conic(in, true));
    case kw::Limit: return Rewrite::At(in.pos, in.Target().size(), Limit(in));
    case kw::Integral: return Rewrite::All(in.Target(), Integral(in));
    case kw::Sum:
      return Rewrite::All(in.Target(), L"(∑" + std::wstring(kBelow) + L"(" + in.Arg(0) + L"))" + kAbove + L"(" +
                                           in.Arg(1) + L") " + in.ArgsFrom(2));
    case kw::Matrix: return Rewrite::All(in.Target(), L"(■(" + JoinMatrix(in.inner, L"&", L"@") + L"))");
    case kw::Determinant: return Rewrite::All(in.Target(), L"|■(" + JoinMatrix(in.inner, L"&", L"@") + L")|");
    case kw::Root: return Root(in);
    case kw::Superscript:
    case kw::Subscript:
    case kw::Fraction:
      return Rewrite::Skip();  // the linear format writes x^2, a_n and p/q itself
    case kw::Arrangement: case kw::Permutation: case kw::Combination: case kw::Indices: {
      // PL( has no letter: the indices stand on an empty invisible group.
      static const wchar_t* const kBases[] = {L"A", L"P", L"C", L"〖〗"};
      auto [upper, lower] = StackedIndices(in, settings_.blPLZH);
      return Rewrite::All(in.Target(), std::wstring(kBases[in.caseNumber - kw::Arrangement]) + L"_(" + lower +
                                           L")^(" + upper + L")");
    }
    case kw::Arc: return Rewrite::All(in.Target(), L"(" + Trim(in.inner) + L")" + kArcAccent);
    case kw::Vector: return Rewrite::All(in.Target(), L"(" + Trim(in.inner) + L")" + kArrowAccent);
    case kw::System: return Rewrite::All(in.Target(), System(in));
    // The bars are prefix operators of the linear format, over or under the
    // whole bracketed argument: "¯(AB)" bars A and B.
    case kw::Bar: return Rewrite::All(in.Target(), kOverbar + (L"(" + Trim(in.inner) + L")"));
    // The field code's "\x\bo(" has no meaning in the linear format; its
    // underbar is "▁(" + t + ")". The argument is not trimmed (a blank to fill in).
    case kw::Underline: return Rewrite::All(in.Target(), kUnderbar + (L"(" + in.inner + L")"));
  }
  return Rewrite::Skip();
}

std::wstring OMathWriter::Circle(const CaseInput& in) {
  const CircleParts c = ReadCircle(in);
  const std::wstring r = c.radiusSquared.empty() ? c.radiusBase + L"^2" : c.radiusSquared;
  if (c.centred) return L"x^2+y^2=" + r;
  return c.xBase + L"^2+" + c.yBase + L"^2" + (c.yAtZero ? L"=" : L"＝") + r;
}

std::wstring OMathWriter::Conic(const CaseInput& in, bool hyperbola) {
  const ConicParts c = ReadConic(in, hyperbola);
  auto term = [](wchar_t v, const std::wstring& under) {
    const std::wstring square = std::wstring(1, v) + L"^2";
    return under.empty() ? square : L"(" + square + L")/(" + under + L")";
  };
  return term(c.first, c.firstUnder) + std::wstring(1, c.sign) + term(c.second, c.secondUnder) +
         (c.plainEquals ? L"=1" : L"＝1");
}

// jx(v,a) and jx(v,a,f); jx() alone is the limit that defines e.
std::wstring OMathWriter::Limit(const CaseInput& in) {
  if (Trim(in.inner).empty()) return L"lim┬(n→∞)" + std::wstring(kApply) + L"〖(1+1/n)^n 〗";
  std::wstring under = in.Arg(0);
  if (in.args.size() >= 2) under += L"→" + in.Arg(1);
  std::wstring out = L"lim" + std::wstring(kBelow) + L"(" + under + L")";
  if (in.args.size() >= 3) return out + kApply + (L"〖" + in.ArgsFrom(2) + L"〗");
  // jx(x,0)(sinx)/x: what follows the limit is its function, so "/" builds
  // the fraction after the limit, not over it. Rewritten in place: each
  // occurrence has its own follower.
  const size_t after = in.pos + in.Target().size();
  if (after < in.text.size() && StartsOperand(in.text[after])) out += kApply;
  return out;
}

std::wstring OMathWriter::Integral(const CaseInput& in) {
  if (in.args.size() <= 1) return kIntegral + Trim(in.inner);
  std::wstring out = kIntegral + (L"_" + ScriptOperand(in.Arg(0))) + L"^" + ScriptOperand(in.Arg(1));
  if (in.args.size() >= 3) out += kOperandMark + (L"〖" + in.ArgsFrom(2) + L"〗");
  return out;
}

Rewrite OMathWriter::Root(const CaseInput& in) {
  const RootParts r = ReadRoot(in);
  const std::wstring body = r.hasIndex ? r.index + L"&" + r.radicand : r.radicand;
  return Rewrite::At(in.pos, r.end - in.pos, L"√(" + body + L")");
}

std::wstring OMathWriter::System(const CaseInput& in) {
  std::vector<std::wstring> equations;
  for (const std::wstring& e : in.args) equations.push_back(L"&" + Trim(e));
  return L"{█(" + Join(equations, L"@") + L")┤";
}

}  // namespace

std::wstring SetOMathEq(const std::wstring& text, const FormulaSettings& settings, const FormulaNotice& notice) {
  return OMathWriter(settings, notice).Build(text);
}

}  // namespace plx
