#include "formula/tex_builder.hpp"

#include "common/text.hpp"
#include "formula/case_parts.hpp"
#include "formula/keywords.hpp"
#include "formula/rewrite_engine.hpp"
#include "formula/tex_omath_parts.hpp"
#include "formula/tex_operands.hpp"

namespace plx {
namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// "@" + letter is a Greek letter, converted only after the loop here: a
// keyword that begins with that letter ("@gh2", "@xl(a)") is no keyword.
bool FollowsGreekMark(const CaseInput& in) {
  return in.pos > 0 && in.text[in.pos - 1] == L'@' && IsAsciiLetter(in.text[in.pos]);
}

class TeXWriter : public CaseWriter {
 public:
  TeXWriter(const FormulaSettings& s, const FormulaNotice& n, TeXPieces& p, int& depth)
      : settings_(s), notice_(n), pieces_(p), depth_(depth) {}

  std::wstring Build(const std::wstring& text);
  Rewrite Write(const CaseInput& in) override;

 private:
  std::wstring Up() { return pieces_.Add(L"^"); }
  std::wstring Down() { return pieces_.Add(L"_"); }
  // "{{v}^{2}}": the square as the equation editor writes it.
  std::wstring Square(const std::wstring& base) { return L"{{" + base + L"}" + Up() + L"{2}}"; }
  std::wstring Limits(const std::wstring& lower, const std::wstring& upper) {
    return Down() + L"{" + lower + L"}" + Up() + L"{" + upper + L"}";
  }

  std::wstring Circle(const CaseInput& in);
  std::wstring Conic(const CaseInput& in, bool hyperbola);
  std::wstring Limit(const CaseInput& in) const;
  std::wstring Integral(const CaseInput& in);
  Rewrite Root(const CaseInput& in);
  Rewrite Script(const CaseInput& in, const wchar_t* piece);
  Rewrite Fraction(const CaseInput& in) const;
  std::wstring System(const CaseInput& in);

  const FormulaSettings& settings_;
  const FormulaNotice& notice_;
  TeXPieces& pieces_;
  int& depth_;
};

std::wstring TeXWriter::Build(const std::wstring& text) {
  if (text.empty()) return text;
  NestingGuard guard(depth_);
  std::wstring t = Replace(Replace(text, L"sqrt", L"sqr"), L"sqr", L"gh");
  LoopResult r = RunRewriteLoop(ReplacePi(std::move(t)), *this, notice_);
  return ChangeXLZM_Tex(ReplaceTeXWords(r.text));
}

Rewrite TeXWriter::Write(const CaseInput& in) {
  if (FollowsGreekMark(in)) return Rewrite::Skip();
  switch (in.caseNumber) {
    case kw::Circle: return Rewrite::All(in.Target(), Circle(in));
    case kw::Ellipse: return Rewrite::All(in.Target(), Conic(in, false));
    case kw::Hyperbola: return Rewrite::All(in.Target(), Conic(in, true));
    case kw::Limit: return Rewrite::All(in.Target(), Limit(in));
    case kw::Integral: return Rewrite::All(in.Target(), Integral(in));
    case kw::Sum:
      return Rewrite::All(in.Target(), L"\\sum\\limits" + Limits(in.Arg(0), in.Arg(1)) + L"{" + in.ArgsFrom(2) + L"}");
    case kw::Matrix:
      return Rewrite::All(in.Target(), L"\\left(\\begin{matrix}" + JoinMatrix(in.inner, L"&", L"\\\\") +
                                           L"\\\\\\end{matrix}\\right)");
    case kw::Determinant:
      return Rewrite::All(in.Target(), L"\\left|\\begin{matrix}" + JoinMatrix(in.inner, L"&", L"\\\\") +
                                           L"\\\\\\end{matrix}\\right|");
    case kw::Root: return Root(in);
    case kw::Superscript: return Script(in, L"^");
    case kw::Subscript: return Script(in, L"_");
    case kw::Fraction: return Fraction(in);
    case kw::Arrangement: case kw::Permutation: case kw::Combination: case kw::Indices: {
      static const wchar_t* const kLetters[] = {L"A", L"P", L"C", L""};
      auto [upper, lower] = StackedIndices(in, settings_.blPLZH);
      return Rewrite::All(in.Target(), std::wstring(kLetters[in.caseNumber - kw::Arrangement]) + Up() + L"{" +
                                           upper + L"}" + Down() + L"{" + lower + L"}");
    }
    case kw::Arc: return Rewrite::All(in.Target(), L"\\widehat {" + Trim(in.inner) + L"}");
    case kw::Vector: return Rewrite::All(in.Target(), L"\\vec{" + Trim(in.inner) + L"}");
    case kw::System: return Rewrite::All(in.Target(), System(in));
    case kw::Bar: return Rewrite::All(in.Target(), L"\\overline{" + Trim(in.inner) + L"}");
    case kw::Underline:
      // The argument is not trimmed: xhx(    ) is a blank to fill in. TeX drops
      // blanks in a formula, so each one is written as a control space.
      return Rewrite::All(in.Target(), L"\\underline{" + Replace(in.inner, L" ", L"\\ ") + L"}");
  }
  return Rewrite::Skip();
}

std::wstring TeXWriter::Circle(const CaseInput& in) {
  const CircleParts c = ReadCircle(in);
  const std::wstring r = c.radiusSquared.empty() ? Square(c.radiusBase) : c.radiusSquared;
  if (c.centred) return Square(L"x") + L"+" + Square(L"y") + L"=" + r;
  return Square(c.xBase) + L"+" + Square(c.yBase) + L"={" + r + L"}";
}

std::wstring TeXWriter::Conic(const CaseInput& in, bool hyperbola) {
  const ConicParts c = ReadConic(in, hyperbola);
  auto term = [this](wchar_t v, const std::wstring& under) {
    const std::wstring square = Square(std::wstring(1, v));
    return under.empty() ? square : L"\\frac{" + square + L"}{" + under + L"}";
  };
  return term(c.first, c.firstUnder) + std::wstring(1, c.sign) + term(c.second, c.secondUnder) + L"=1";
}

std::wstring TeXWriter::Limit(const CaseInput& in) const {
  // "\to " keeps its blank: "\toa" would be a command of its own.
  return L"\\underset{" + in.Arg(0) + L"\\to " + in.Arg(1) + L"}{\\mathop{\\lim}}\\," + in.ArgsFrom(2);
}

std::wstring TeXWriter::Integral(const CaseInput& in) {
  if (in.args.size() <= 1) return L"\\int{" + Trim(in.inner) + L"}";
  const std::wstring limits = L"\\int" + Limits(in.Arg(0), in.Arg(1));
  return in.args.size() == 2 ? limits : limits + L"{" + in.ArgsFrom(2) + L"}";
}

Rewrite TeXWriter::Root(const CaseInput& in) {
  const RootParts r = ReadRoot(in);
  const std::wstring index = r.hasIndex ? L" [" + r.index + L"]" : L"";
  return Rewrite::At(in.pos, r.end - in.pos, pieces_.Add(L"\\sqrt") + index + L"{" + r.radicand + L"}");
}

// "^c" stays a script of one symbol; "^(e)" becomes "^{e}". A subscript that
// is a run of digits is one script, as the formula language reads x_12. A
// script that is a construct (a key or a command) is put in braces whole.
Rewrite TeXWriter::Script(const CaseInput& in, const wchar_t* piece) {
  const std::wstring key = pieces_.Add(piece);
  const size_t at = in.afterName;
  const wchar_t c = in.text[at];
  if (c == L'(' && !in.group.empty()) return Rewrite::At(in.pos, 1 + in.group.size(), key + L"{" + in.inner + L"}");
  size_t end = at + 1;
  bool braces = false;
  if (in.caseNumber == kw::Subscript && c >= L'0' && c <= L'9') {
    while (end < in.text.size() && in.text[end] >= L'0' && in.text[end] <= L'9') ++end;
    braces = end - at > 1;
  } else if (c == L'\\' || in.text.substr(at, 6) == L"MyRStr") {
    end = TeXReader(in.text, pieces_, settings_.blLXNumber).AtomAfter(at);
    braces = true;
  } else if (c == L'@' && end < in.text.size()) {
    ++end;
  }
  const std::wstring script(in.text.substr(at, end - at));
  return Rewrite::At(in.pos, end - in.pos, braces ? key + L"{" + script + L"}" : key + script);
}

// The operands are read as whole TeX constructs and rewritten in place, so
// that 2/3 never reaches into 12/35.
Rewrite TeXWriter::Fraction(const CaseInput& in) const {
  const TeXReader reader(in.text, pieces_, settings_.blLXNumber);
  const size_t start = reader.OperandBefore(in.pos);
  const size_t end = reader.OperandAfter(in.pos + 1);
  const std::wstring p(in.text.substr(start, in.pos - start));
  const std::wstring q(in.text.substr(in.pos + 1, end - in.pos - 1));
  return Rewrite::At(start, end - start, L"\\frac{" + StripRoundGroup(p) + L"}{" + StripRoundGroup(q) + L"}");
}

std::wstring TeXWriter::System(const CaseInput& in) {
  std::wstring out = L"\\left\\{ \\begin{align} ";
  for (const std::wstring& e : in.args) out += Build(Trim(e)) + L" \\\\ ";
  return out + L"\\end{align}\\right.";
}

}  // namespace

std::wstring SetTeXEq(const std::wstring& text, const FormulaSettings& settings, const FormulaNotice& notice,
                      TeXPieces& pieces) {
  int depth = 0;
  return TeXWriter(settings, notice, pieces, depth).Build(text);
}

}  // namespace plx
