// EQ switches as linear-format constructs. The EQ code is read by the
// model's EQ reader; each switch becomes the construct it draws:
//   \F(a,b)               〖(a)/(b)〗 (grouped, so that neighbours stay outside)
//   \S\UP(x), \S(x)       ^(x) on the element before; \S\DO(x) _(x)
//   \R(x), \R(n,x)        √(x), √(n&x)
//   \O(\S\UP(→),AB)       (AB)⃗ and the other accents; ⌒ stands above: 〖AB〗┴(⌒)
//   \O(lim,\S\DO(x→0))    lim┬(x→0)⁡ taking what follows as its operand
//   \O\AL(\S\UP(n),\S\DO(m))  _(m)^(n) on the element before
//   \B\LC\{ \RC\} \BC\|   a bracket pair, ├ and ┤ for a missing side; a left
//                         ∫ or ∑ is a large operator whose \A(upper,lower)
//                         gives its limits
//   \A\COn(…) \A\AL(…)    ■(…&…@…) a matrix; one left-aligned column █(&…@&…)
//   \I\SU(a,b,f)          ∑┬(a)┴(b)▒〖f〗, ∫_(a)^(b)▒〖f〗 without \SU
//   \X\TO(x) \X\BO(x)     ¯(x), ▁(x)
//   \L(a,b)               a,b
// A "\S" that is the whole argument of \R, \A, \I or \O only places its
// text, so its text stands there without a script.
#include "docif/ooxml/eq_linear.hpp"

#include <span>
#include <vector>

#include "common/text.hpp"
#include "docif/model/eq_code.hpp"
#include "docif/ooxml/omml.hpp"
#include "docif/ooxml/omml_tree.hpp"

namespace plx::docif::ooxml {
namespace {

using model::EqItem;
using model::EqOption;
using model::EqSequence;
using Items = std::span<const EqItem>;

// A script with nothing before it in its row stands on an invisible base.
const std::wstring kInvisibleBase = L"\u200B";
// An operand that shows nothing: an empty one would show a placeholder.
const std::wstring kBlankOperand = L"〖 〗";
constexpr wchar_t kFunctionApply = 0x2061;

// Characters the linear format reads as structure: text holding one would
// be built into something the code does not say.
bool IsStructureCharacter(wchar_t c) {
  static const std::wstring kStructure = L"^_&@√■█▒┬┴〖〗├┤¯▁\u2061";
  return kStructure.find(c) != std::wstring::npos || (c >= 0x0300 && c <= 0x036F) || (c >= 0x20D0 && c <= 0x20EF) ||
         c == 0x23DC;
}

bool IsOpener(wchar_t c) { return c == L'(' || c == L'[' || c == L'{' || c == L'〖' || c == L'├'; }
bool IsCloser(wchar_t c) { return c == L')' || c == L']' || c == L'}' || c == L'〗' || c == L'┤'; }

// Whether every bracket pairs within the text, so that the text stays one
// piece wherever it is put.
bool Balanced(const std::wstring& s) {
  std::vector<wchar_t> open;
  for (wchar_t c : s) {
    if (IsOpener(c)) {
      open.push_back(c);
    } else if (IsCloser(c)) {
      if (open.empty() || (open.back() == L'〖') != (c == L'〗')) return false;
      open.pop_back();
    }
  }
  return open.empty();
}

bool IsIntegral(wchar_t c) { return c >= 0x222B && c <= 0x2233; }
bool IsLargeOperator(wchar_t c) {
  return IsIntegral(c) || c == 0x2211 || c == 0x220F || c == 0x2210 || (c >= 0x22C0 && c <= 0x22C3);
}

bool IsLimitWord(const std::wstring& w) {
  return w == L"lim" || w == L"max" || w == L"min" || w == L"sup" || w == L"inf";
}

wchar_t ClosingOf(wchar_t c) {
  switch (c) {
    case L'(': return L')';
    case L'[': return L']';
    case L'{': return L'}';
    case L'<': return L'>';
    case 0x27E8: return 0x27E9;
    default: return c;
  }
}

// The accent a mark raised over text stands for (0 for none); an overbar
// is a bar, not an accent.
wchar_t AccentOf(wchar_t mark) {
  switch (mark) {
    case 0x2192: return 0x20D7;  // → vector
    case 0x2190: return 0x20D6;
    case 0x2194: return 0x20E1;
    case 0x02D9: case 0x00B7: case 0x2022: case 0x2219: case 0x22C5: case L'.': return 0x0307;  // dot
    case 0x00A8: return 0x0308;
    case L'^': case 0x02C6: return 0x0302;
    case L'~': case 0x02DC: case 0xFF5E: return 0x0303;
    case 0x02C7: return 0x030C;
    default: return 0;
  }
}

bool IsBarMark(wchar_t mark) {
  return mark == 0x00AF || mark == 0x203E || mark == 0x02C9 || mark == L'-' || mark == 0x2212 || mark == 0x2014;
}

const EqOption* Find(const EqItem& item, const wchar_t* name) {
  for (const EqOption& o : item.options)
    if (o.name == name) return &o;
  return nullptr;
}

class Converter {
 public:
  bool ok = true;

  std::wstring Sequence(Items items, int depth) {
    std::wstring out;
    bool waiting = false;  // a limit word still waiting for its operand
    for (const EqItem& item : items) {
      bool takes = false;
      std::wstring piece = item.IsSwitch() ? Switch(item, out.empty(), depth, takes) : Text(item.text);
      if (waiting) {
        piece = LTrim(piece);
        if (piece.empty()) continue;
        if (IsMathOperator(piece[0])) out += kBlankOperand;
        waiting = false;
      }
      out += piece;
      waiting = takes;
    }
    if (waiting) out += kBlankOperand;
    return out;
  }

 private:
  std::wstring Fail() {
    ok = false;
    return {};
  }

  std::wstring Text(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
      if (IsStructureCharacter(c)) return Fail();
      out += c == L'/' ? L'\u2215' : c;  // a slash in text is no fraction
    }
    return out;
  }

  // An argument; its brackets must pair within it.
  std::wstring Arg(const EqSequence& arg, int depth) {
    std::wstring out = Sequence(arg, depth + 1);
    return Balanced(out) ? out : Fail();
  }

  std::vector<std::wstring> Args(const EqItem& item, int depth) {
    std::vector<std::wstring> out;
    for (const EqSequence& a : item.args) out.push_back(Arg(a, depth));
    return out;
  }

  // The "\S(x)" that is a whole argument, if it is one.
  static const EqItem* LoneScript(const EqSequence& arg) {
    return arg.size() == 1 && arg[0].name == L"S" && arg[0].args.size() == 1 ? &arg[0] : nullptr;
  }

  // An argument whose lone "\S" only places its text.
  std::wstring Placed(const EqSequence& arg, int depth) {
    const EqItem* s = LoneScript(arg);
    if (!s) return Arg(arg, depth);
    if (!OptionsAre(*s, {L"UP", L"DO", L"AI", L"DI"})) return Fail();
    return Arg(s->args[0], depth + 1);
  }

  bool OptionsAre(const EqItem& item, std::initializer_list<const wchar_t*> known) {
    for (const EqOption& o : item.options) {
      bool found = false;
      for (const wchar_t* k : known) found = found || o.name == k;
      if (!found) return ok = false;
    }
    return true;
  }

  std::wstring Switch(const EqItem& item, bool atStart, int depth, bool& takes) {
    if (depth >= kMaxEqLinearDepth) return Fail();
    const std::wstring& n = item.name;
    if (n == L"F") return Fraction(item, depth);
    if (n == L"S") return Script(item, atStart, depth);
    if (n == L"R") return Radical(item, depth);
    if (n == L"O") return Overstrike(item, atStart, depth, takes);
    if (n == L"B") return Brackets(item, depth);
    if (n == L"A") return Array(item, depth);
    if (n == L"I") return Integral(item, depth);
    if (n == L"X") return Border(item, depth);
    if (n == L"L" && OptionsAre(item, {})) return Join(Args(item, depth), L",");
    return Fail();
  }

  std::wstring Fraction(const EqItem& item, int depth) {
    if (!OptionsAre(item, {}) || item.args.size() != 2) return Fail();
    return L"〖(" + Arg(item.args[0], depth) + L")/(" + Arg(item.args[1], depth) + L")〗";
  }

  std::wstring Script(const EqItem& item, bool atStart, int depth) {
    if (!OptionsAre(item, {L"UP", L"DO", L"AI", L"DI"})) return {};
    bool up = Find(item, L"UP"), down = Find(item, L"DO");
    if (up && down) return Fail();
    std::vector<std::wstring> args = Args(item, depth);
    if (args.empty()) return {};
    // Several elements stand one above the other.
    std::wstring content = args.size() == 1 ? args[0] : L"■(" + Join(args, L"@") + L")";
    if (!up && !down && args.size() > 1) return content;
    return (atStart ? kInvisibleBase : L"") + (down ? L"_(" : L"^(") + content + L")";
  }

  std::wstring Radical(const EqItem& item, int depth) {
    if (!OptionsAre(item, {}) || item.args.empty() || item.args.size() > 2) return Fail();
    if (item.args.size() == 1) return L"√(" + Arg(item.args[0], depth) + L")";
    std::wstring degree = Placed(item.args[0], depth);
    std::wstring radicand = Arg(item.args[1], depth);
    return L"√(" + (degree.empty() ? L"" : degree + L"&") + radicand + L")";
  }

  // Overstrike: marks raised over text are accents, text lowered under a
  // limit word is the limit, raised and lowered text alone are scripts.
  std::wstring Overstrike(const EqItem& item, bool atStart, int depth, bool& takes) {
    if (!OptionsAre(item, {L"AL", L"AC", L"AR"})) return {};
    std::wstring base, up, down;
    int bases = 0, ups = 0, downs = 0;
    for (const EqSequence& arg : item.args) {
      const EqItem* s = LoneScript(arg);
      if (!s) {
        ++bases;
        base = Arg(arg, depth);
      } else if (Find(*s, L"DO")) {
        ++downs;
        down = Placed(arg, depth);
      } else {
        ++ups;
        up = Placed(arg, depth);
      }
    }
    if (bases > 1 || ups > 1 || downs > 1) return Fail();
    if (bases == 0) {
      if (ups + downs == 0) return {};
      return (atStart ? kInvisibleBase : L"") + (downs ? L"_(" + down + L")" : L"") + (ups ? L"^(" + up + L")" : L"");
    }
    if (ups == 0 && downs == 0) return base;
    std::wstring mark = Trim(up);
    if (downs == 0 && mark.size() == 1) {
      if (wchar_t accent = AccentOf(mark[0])) return L"(" + base + L")" + accent;
      if (IsBarMark(mark[0])) return L"¯(" + base + L")";
    }
    if (ups == 0 && IsLimitWord(Trim(base))) {
      takes = true;
      return Trim(base) + L"┬(" + down + L")" + kFunctionApply;
    }
    return L"〖" + base + L"〗" + (downs ? L"┬(" + down + L")" : L"") + (ups ? L"┴(" + up + L")" : L"");
  }

  std::wstring Brackets(const EqItem& item, int depth) {
    if (!OptionsAre(item, {L"LC", L"RC", L"BC"})) return {};
    wchar_t left = L'(', right = L')';
    bool lc = false, rc = false;
    for (const EqOption& o : item.options) {
      if (o.character == 0) return Fail();
      wchar_t c = o.character == L' ' ? 0 : o.character;
      if (o.name == L"LC") left = c, lc = true;
      if (o.name == L"RC") right = c, rc = true;
      if (o.name == L"BC") left = c, right = ClosingOf(c), lc = rc = true;
    }
    if (lc && !rc) right = 0;  // one side given: the other shows nothing
    if (rc && !lc) left = 0;
    if (IsLargeOperator(left) && right == 0 && item.args.size() == 1) return LargeOperator(left, item.args[0], depth);
    std::wstring content = Join(Args(item, depth), L",");
    bool matrix = item.args.size() == 1 && item.args[0].size() == 1 && item.args[0][0].name == L"A" &&
                  StartsWith(content, L"■(");
    if (left == L'|' && right == L'|' && matrix) return L"|" + content + L"|";
    auto opens = [](wchar_t c) { return c == 0 || c == L'(' || c == L'[' || c == L'{'; };
    auto closes = [](wchar_t c) { return c == 0 || c == L')' || c == L']' || c == L'}'; };
    if (opens(left) && closes(right))
      return (left ? std::wstring(1, left) : L"├") + content + (right ? std::wstring(1, right) : L"┤");
    // Brackets the linear format has no pair for are shown as characters.
    if (opens(left) || closes(right) || IsStructureCharacter(left) || IsStructureCharacter(right)) return Fail();
    return (left ? std::wstring(1, left) : L"") + content + (right ? std::wstring(1, right) : L"");
  }

  // "\b\lc\∫(\a(\S\UP(b),\S\DO(a))f)": the operator, limits from the array
  // that opens the content, and the rest as its operand.
  std::wstring LargeOperator(wchar_t op, const EqSequence& content, int depth) {
    std::wstring lower, upper;
    Items rest = content;
    if (!content.empty() && content[0].name == L"A" && content[0].args.size() == 2) {
      if (!OptionsAre(content[0], {L"CO", L"VS", L"HS", L"AL", L"AC", L"AR"})) return {};
      upper = Placed(content[0].args[0], depth + 1);
      lower = Placed(content[0].args[1], depth + 1);
      rest = rest.subspan(1);
    }
    std::wstring operand = Sequence(rest, depth + 1);
    if (!Balanced(operand)) return Fail();
    return Limits(op, lower, upper, !IsIntegral(op)) + L"▒〖" + (operand.empty() ? L" " : operand) + L"〗";
  }

  static std::wstring Limits(wchar_t op, const std::wstring& lower, const std::wstring& upper, bool belowAbove) {
    std::wstring out(1, op);
    if (!lower.empty()) out += (belowAbove ? L"┬(" : L"_(") + lower + L")";
    if (!upper.empty()) out += (belowAbove ? L"┴(" : L"^(") + upper + L")";
    return out;
  }

  std::wstring Array(const EqItem& item, int depth) {
    if (!OptionsAre(item, {L"CO", L"VS", L"HS", L"AL", L"AC", L"AR"})) return {};
    std::vector<std::wstring> cells;
    for (const EqSequence& arg : item.args) cells.push_back(Placed(arg, depth));
    const EqOption* co = Find(item, L"CO");
    size_t columns = co && co->number > 1 ? static_cast<size_t>(co->number) : 1;
    if (columns == 1 && Find(item, L"AL")) {  // one left-aligned column: the rows align at their start
      for (std::wstring& c : cells) c = L"&" + c;
      return L"█(" + Join(cells, L"@") + L")";
    }
    std::wstring out = L"■(";
    for (size_t i = 0; i < cells.size(); ++i)
      out += (i == 0 ? L"" : i % columns == 0 ? L"@" : L"&") + cells[i];
    return out + L")";
  }

  std::wstring Integral(const EqItem& item, int depth) {
    if (!OptionsAre(item, {L"SU", L"PR", L"IN", L"FC", L"VC"}) || item.args.size() != 3) return Fail();
    wchar_t op = 0x222B;
    if (Find(item, L"SU")) op = 0x2211;
    if (Find(item, L"PR")) op = 0x220F;
    for (const wchar_t* custom : {L"FC", L"VC"})
      if (const EqOption* o = Find(item, custom)) op = o->character;
    if (!IsLargeOperator(op)) return Fail();
    std::wstring lower = Placed(item.args[0], depth), upper = Placed(item.args[1], depth);
    std::wstring operand = Arg(item.args[2], depth);
    bool belowAbove = !IsIntegral(op) && !Find(item, L"IN");
    return Limits(op, lower, upper, belowAbove) + L"▒〖" + (operand.empty() ? L" " : operand) + L"〗";
  }

  // Borders above and below; a box or side borders have no construct.
  std::wstring Border(const EqItem& item, int depth) {
    if (!OptionsAre(item, {L"TO", L"BO"}) || item.options.empty()) return Fail();
    std::wstring content = Join(Args(item, depth), L",");
    if (Find(item, L"BO")) content = L"▁(" + content + L")";
    if (Find(item, L"TO")) content = L"¯(" + content + L")";
    return content;
  }
};

}  // namespace

std::optional<std::wstring> EqLinearText(const std::wstring& code) {
  model::EqCode eq = model::ReadEqCode(code);
  if (!eq.closed || eq.tooDeep) return std::nullopt;
  Converter converter;
  std::wstring linear = converter.Sequence(eq.body, 0);
  if (!converter.ok || !HasStructure(linear)) return std::nullopt;
  return linear;
}

}  // namespace plx::docif::ooxml
