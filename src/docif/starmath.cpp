// Office Math Markup, as the add-in writes it, turned into LibreOffice
// Math's formula language. Every structure is put in braces, so the
// formula reads as the markup nests whatever the precedence of Math's
// operators; signs Math has a command for are written as that command (so
// Math spaces them as operators), an operator with nothing on one side gets
// an empty group there (Math refuses "= 3"), and text Math would read as
// syntax or set in its formula font is quoted.
#include "docif/starmath.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/text.hpp"
#include "docif/office_math.hpp"
#include "docif/starmath_symbols.hpp"

namespace plx::docif {
namespace {

using starmath::Piece;
using starmath::Role;

bool Named(const pugi::xml_node& n, const char* name) { return std::strcmp(n.name(), name) == 0; }

// A property's m:val ("" when the property is absent).
std::wstring Prop(const pugi::xml_node& element, const char* pr, const char* name) {
  return Utf8ToWide(element.child(pr).child(name).attribute("m:val").value());
}
bool HasProp(const pugi::xml_node& element, const char* pr, const char* name) {
  return element.child(pr).child(name) != nullptr;
}
bool On(const pugi::xml_node& element, const char* pr, const char* name) {
  const std::wstring v = Prop(element, pr, name);
  return HasProp(element, pr, name) && (v.empty() || v == L"1" || v == L"on" || v == L"true");
}

std::wstring RunText(const pugi::xml_node& run) {
  std::string text;
  for (const auto& t : run.children("m:t")) text += t.text().get();
  return Utf8ToWide(text);
}

// The bracket Math stretches for a character of the markup ("none" for
// no bracket, empty for a character Math has no such bracket for).
std::wstring Bracket(const std::wstring& c, bool open) {
  if (c.empty()) return L"none";
  switch (c[0]) {
    case L'(': case L')': case L'[': case L']': return c;
    case L'{': return L"lbrace";
    case L'}': return L"rbrace";
    case L'|': return open ? L"lline" : L"rline";
    case 0x2016: return open ? L"ldline" : L"rdline";
    case 0x230A: return L"lfloor";
    case 0x230B: return L"rfloor";
    case 0x2308: return L"lceil";
    case 0x2309: return L"rceil";
    case 0x27E8: case 0x2329: case 0x3008: return L"langle";
    case 0x27E9: case 0x232A: case 0x3009: return L"rangle";
    case 0x27E6: return L"ldbracket";
    case 0x27E7: return L"rdbracket";
    default: return L"";  // none Math stretches
  }
}

class Writer {
 public:
  // The children of an element in a row (properties left out), in braces.
  std::wstring Arg(const pugi::xml_node& parent) { return L"{" + Row(parent) + L"}"; }

  std::wstring Row(const pugi::xml_node& parent) {
    std::vector<Piece> pieces;
    for (const auto& kid : parent.children()) {
      if (kid.type() != pugi::node_element) continue;
      const std::string name = kid.name();
      if (name.size() > 2 && name.compare(name.size() - 2, 2, "Pr") == 0) continue;
      if (Named(kid, "m:r")) {
        starmath::AppendText(RunText(kid), HasUprightStyle(kid), pieces);
      } else if (Named(kid, "w:r") || Named(kid, "w:rPr")) {
        continue;
      } else {
        pieces.push_back({Node(kid), Role::kOperand});
      }
    }
    return starmath::Join(pieces);
  }

 private:
  static bool HasUprightStyle(const pugi::xml_node& run) {
    const std::wstring sty = Prop(run, "m:rPr", "m:sty");
    return sty == L"p" || On(run, "m:rPr", "m:nor");
  }

  std::wstring Node(const pugi::xml_node& n) {
    const std::string name = n.name();
    if (name == "m:f") return L"{" + Arg(n.child("m:num")) + L" over " + Arg(n.child("m:den")) + L"}";
    if (name == "m:sSup") return L"{" + Arg(n.child("m:e")) + L"^" + Arg(n.child("m:sup")) + L"}";
    if (name == "m:sSub") return L"{" + Arg(n.child("m:e")) + L"_" + Arg(n.child("m:sub")) + L"}";
    if (name == "m:sSubSup")
      return L"{" + Arg(n.child("m:e")) + L"_" + Arg(n.child("m:sub")) + L"^" + Arg(n.child("m:sup")) + L"}";
    if (name == "m:sPre")
      return L"{" + Arg(n.child("m:e")) + L" lsub " + Arg(n.child("m:sub")) + L" lsup " + Arg(n.child("m:sup")) + L"}";
    if (name == "m:rad") return Radical(n);
    if (name == "m:d") return Delimiter(n);
    if (name == "m:m") return Matrix(n);
    if (name == "m:eqArr") return EquationArray(n);
    if (name == "m:func") return Function(n);
    if (name == "m:limLow") return Limit(n, L"");
    if (name == "m:limUpp") return L"{" + Arg(n.child("m:e")) + L" csup " + Arg(n.child("m:lim")) + L"}";
    if (name == "m:nary") return Nary(n);
    if (name == "m:acc") return Accent(n);
    if (name == "m:bar")
      return L"{" + std::wstring(Prop(n, "m:barPr", "m:pos") == L"top" ? L"overline " : L"underline ") +
             Arg(n.child("m:e")) + L"}";
    if (name == "m:groupChr") {
      const bool over = Prop(n, "m:groupChrPr", "m:pos") == L"top";
      return L"{" + Arg(n.child("m:e")) + (over ? L" overbrace {}" : L" underbrace {}") + L"}";
    }
    // Boxes, phantoms and whatever else hold their content as it is.
    if (n.child("m:e")) return Arg(n.child("m:e"));
    return Arg(n);
  }

  std::wstring Radical(const pugi::xml_node& n) {
    const pugi::xml_node degree = n.child("m:deg");
    if (On(n, "m:radPr", "m:degHide") || Row(degree).empty()) return L"{sqrt" + Arg(n.child("m:e")) + L"}";
    return L"{nroot" + Arg(degree) + Arg(n.child("m:e")) + L"}";
  }

  // Brackets; the markup's defaults are round ones, and several arguments
  // stand apart by a bar.
  std::wstring Delimiter(const pugi::xml_node& n) {
    const std::wstring open = HasProp(n, "m:dPr", "m:begChr") ? Prop(n, "m:dPr", "m:begChr") : L"(";
    const std::wstring close = HasProp(n, "m:dPr", "m:endChr") ? Prop(n, "m:dPr", "m:endChr") : L")";
    std::wstring inside;
    for (const auto& e : n.children("m:e")) inside += (inside.empty() ? L"" : L" mline ") + Arg(e);
    if (inside.empty()) inside = L"{}";
    // A bracket Math cannot stretch stands beside the stretched group as it is.
    const std::wstring left = Bracket(open, true), right = Bracket(close, false);
    return L"{" + (left.empty() ? starmath::Quoted(open) + L" " : L"") + L"left " + (left.empty() ? L"none" : left) +
           L" " + inside + L" right " + (right.empty() ? L"none" : right) +
           (right.empty() ? L" " + starmath::Quoted(close) : L"") + L"}";
  }

  std::wstring Matrix(const pugi::xml_node& n) {
    std::wstring out;
    for (const auto& row : n.children("m:mr")) {
      if (!out.empty()) out += L" ## ";
      std::wstring cells;
      for (const auto& cell : row.children("m:e")) cells += (cells.empty() ? L"" : L" # ") + Arg(cell);
      out += cells.empty() ? L"{}" : cells;
    }
    return L"{matrix{" + (out.empty() ? L"{}" : out) + L"}}";
  }

  // The rows of a system. A row's alignment mark (the run that carries it)
  // splits it: rows aligned at their start are set flush left one under
  // another, rows aligned inside become two columns meeting at the mark.
  std::wstring EquationArray(const pugi::xml_node& n) {
    struct Split {
      std::wstring before, after;
      bool marked = false;
    };
    std::vector<Split> rows;
    bool inside = false;
    for (const auto& e : n.children("m:e")) {
      Split split;
      pugi::xml_document left, right;
      pugi::xml_node l = left.append_child("m:e"), r = right.append_child("m:e");
      for (const auto& kid : e.children()) {
        if (Named(kid, "m:r") && HasProp(kid, "m:rPr", "m:aln") && !split.marked) split.marked = true;
        (split.marked ? r : l).append_copy(kid);
      }
      split.before = Row(l);
      split.after = Row(r);
      inside = inside || (split.marked && !split.before.empty());
      rows.push_back(std::move(split));
    }
    std::wstring out;
    if (inside) {
      for (const Split& row : rows)
        out += std::wstring(out.empty() ? L"" : L" ## ") + L"alignr {" + row.before + L"} # alignl {" + row.after + L"}";
      return L"{matrix{" + out + L"}}";
    }
    bool flushLeft = std::any_of(rows.begin(), rows.end(), [](const Split& s) { return s.marked; });
    for (const Split& row : rows)
      out += std::wstring(out.empty() ? L"" : L" # ") + (flushLeft ? L"alignl {" : L"{") + row.before + row.after + L"}";
    return L"{stack{" + (out.empty() ? L"{}" : out) + L"}}";
  }

  // A word Math knows as a function stays itself; another word is made a
  // function name with "func"; a name with structure is set as it is.
  std::wstring FunctionName(const pugi::xml_node& fName) {
    std::vector<pugi::xml_node> kids;
    for (const auto& kid : fName.children())
      if (kid.type() == pugi::node_element) kids.push_back(kid);
    if (kids.size() == 1 && Named(kids[0], "m:r")) {
      std::vector<Piece> pieces;
      starmath::AppendText(RunText(kids[0]), true, pieces);
      if (pieces.size() == 1 && pieces[0].role == Role::kPrefix) return pieces[0].text;
    }
    return Arg(fName);
  }

  std::wstring Function(const pugi::xml_node& n) {
    const pugi::xml_node fName = n.child("m:fName");
    const std::wstring argument = Arg(n.child("m:e"));
    // "lim" with what it goes to below takes the argument as its operand.
    std::vector<pugi::xml_node> kids;
    for (const auto& kid : fName.children())
      if (kid.type() == pugi::node_element) kids.push_back(kid);
    if (kids.size() == 1 && Named(kids[0], "m:limLow")) return Limit(kids[0], argument);
    return L"{" + FunctionName(fName) + L" " + argument + L"}";
  }

  // A limit below: Math's limit operators ("lim", "liminf", "limsup") take
  // it as "from" and the operand after (an empty one when nothing
  // follows); anything else has it set centred under, then its operand.
  std::wstring Limit(const pugi::xml_node& n, const std::wstring& operand) {
    const pugi::xml_node base = n.child("m:e");
    const pugi::xml_node run = base.child("m:r");
    const std::wstring word = run ? RunText(run) : L"";
    if (run && !run.next_sibling() && starmath::IsLimitOperator(word))
      return L"{" + word + L" from" + Arg(n.child("m:lim")) + L" " + (operand.empty() ? L"{}" : operand) + L"}";
    return L"{{" + Arg(base) + L" csub " + Arg(n.child("m:lim")) + L"}" + (operand.empty() ? L"" : L" " + operand) +
           L"}";
  }

  std::wstring Nary(const pugi::xml_node& n) {
    const std::wstring chr = Prop(n, "m:naryPr", "m:chr");
    // Limits as "from" and "to" wherever the markup places them: Math sets
    // them below and above, and writes only these back into a .docx (as
    // scripts, "int_{0}^{1}" is saved without its limits).
    std::wstring out = L"{" + starmath::NaryOperator(chr.empty() ? L"\u222B" : chr);
    if (!On(n, "m:naryPr", "m:subHide")) out += L" from" + Arg(n.child("m:sub"));
    if (!On(n, "m:naryPr", "m:supHide")) out += L" to" + Arg(n.child("m:sup"));
    return out + L" " + Arg(n.child("m:e")) + L"}";
  }

  std::wstring Accent(const pugi::xml_node& n) {
    const std::wstring chr = HasProp(n, "m:accPr", "m:chr") ? Prop(n, "m:accPr", "m:chr") : L"\u0302";
    const std::wstring base = Arg(n.child("m:e"));
    // One letter takes the narrow accent, more the wide one.
    const bool wide = Row(n.child("m:e")).size() > 1;
    switch (chr.empty() ? 0 : chr[0]) {
      case 0x20D7: case 0x2192: return L"{" + std::wstring(wide ? L"widevec " : L"vec ") + base + L"}";
      case 0x0302: case 0x005E: return L"{" + std::wstring(wide ? L"widehat " : L"hat ") + base + L"}";
      case 0x0303: case 0x007E: return L"{" + std::wstring(wide ? L"widetilde " : L"tilde ") + base + L"}";
      case 0x0305: case 0x00AF: case 0x0304: return L"{overline " + base + L"}";
      case 0x0307: return L"{dot " + base + L"}";
      case 0x0308: return L"{ddot " + base + L"}";
      case 0x20DB: return L"{dddot " + base + L"}";
      case 0x030C: return L"{check " + base + L"}";
      case 0x0301: return L"{acute " + base + L"}";
      case 0x0300: return L"{grave " + base + L"}";
      case 0x0306: return L"{breve " + base + L"}";
      case 0x030A: return L"{circle " + base + L"}";
      // An arc over points (and any other mark) is set centred above them.
      case 0x23DC: case 0x2312: return L"{" + base + L" csup {size *2 \"\u2312\"}}";
      default: return L"{" + base + L" csup {" + starmath::Quoted(chr) + L"}}";
    }
  }
};

}  // namespace

std::wstring StarMathOfOfficeMath(const std::string& oMathXml) {
  pugi::xml_document doc;
  if (!doc.load_buffer(oMathXml.data(), oMathXml.size(), pugi::parse_default | pugi::parse_ws_pcdata)) return L"";
  pugi::xml_node math = doc.child("m:oMath");
  if (!math) return L"";
  return Writer().Row(math);
}

std::wstring StarMathOfEquation(const std::wstring& linear) {
  return StarMathOfOfficeMath(OfficeMathOfEquation(linear, true));
}

}  // namespace plx::docif
