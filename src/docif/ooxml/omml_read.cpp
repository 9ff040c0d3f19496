// OMML back to the linear format. What the writer makes comes back as the
// text it was made from, in the form the formula engine writes: fractions
// "(num)/(den)", scripts bare when they are one character or a run of
// digits and bracketed otherwise. Groups "〖〗" are added where the text
// would otherwise read differently. Unknown elements give their text.
#include <pugixml.hpp>

#include "common/text.hpp"
#include "docif/ooxml/omml.hpp"
#include "docif/ooxml/omml_tree.hpp"

namespace plx::docif::ooxml {
namespace {

using Kind = MathNode::Kind;

// Each level of structure is two elements (m:sSup, m:e): what the writer
// makes is read whole, and only deeper input falls back to its text.
constexpr int kMaxReadDepth = 3 * kMaxMathHeight;
const std::wstring kGroupOpen = L"\u3016", kGroupClose = L"\u3017";

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Every m:t and w:t below a node, without recursion.
std::wstring TextContent(const pugi::xml_node& n) {
  struct Walker : pugi::xml_tree_walker {
    std::wstring text;
    bool for_each(pugi::xml_node& node) override {
      std::string parent = node.parent().name();
      if (node.type() == pugi::node_pcdata && (parent == "m:t" || parent == "w:t")) text += Utf8ToWide(node.value());
      return true;
    }
  } walker;
  pugi::xml_node copy = n;
  copy.traverse(walker);
  return walker.text;
}

// Whether a script's operand can stand bare: one character, or a run of
// digits, which the parser reads as one.
bool IsAtom(const std::wstring& s) {
  static const std::wstring kNotBare = L" ([{\u3016\u251C)]}\u3017\u2524-+\u2212";
  bool digits = !s.empty() && IsDigit(s.front()) && IsDigit(s.back()) &&
                s.find_first_not_of(L"0123456789.") == std::wstring::npos && s.find(L"..") == std::wstring::npos;
  return digits || (s.size() == 1 && kNotBare.find(s[0]) == std::wstring::npos);
}

std::wstring Script(const std::wstring& s) { return IsAtom(s) ? s : L"(" + s + L")"; }

// Whether the text reads as one element that takes no neighbour in.
bool IsOneElement(const std::wstring& s, bool fractionAllowed) {
  MathNode row = ParseLinear(s);
  if (row.kids.size() != 1) return false;
  Kind k = row.kids[0].kind;
  return k != Kind::kFunc && k != Kind::kNary && (fractionAllowed || k != Kind::kFrac);
}

std::wstring Base(const std::wstring& s) { return IsOneElement(s, false) ? s : kGroupOpen + s + kGroupClose; }

// Whether an element's text would join its neighbours when read again: a
// fraction's operands and a large operator's operand reach to the next
// operator (unless the operand is a group), and runs of digits run together.
bool Joins(const std::string& name, const std::wstring& text, wchar_t before, wchar_t after) {
  auto open = [](wchar_t c) { return c != 0 && !IsMathOperator(c); };
  if (name == "m:f") return open(before) || open(after);
  if (name == "m:nary") return open(after) && !text.ends_with(kGroupClose);
  if (name == "m:sSup" || name == "m:sSub" || name == "m:sSubSup" || name == "m:limLow" || name == "m:limUpp")
    return (IsDigit(before) && IsDigit(text.front())) || (IsDigit(text.back()) && IsDigit(after));
  return false;
}

class OmmlReader {
 public:
  std::wstring Children(const pugi::xml_node& n, int depth) const {
    std::vector<std::pair<std::string, std::wstring>> parts;
    for (pugi::xml_node c : n.children()) {
      if (c.type() != pugi::node_element) continue;
      std::wstring t = Node(c, depth + 1);
      if (!t.empty()) parts.emplace_back(c.name(), std::move(t));
    }
    std::wstring out;
    for (size_t i = 0; i < parts.size(); ++i) {
      const auto& [name, text] = parts[i];
      wchar_t after = i + 1 < parts.size() ? parts[i + 1].second.front() : 0;
      out += Joins(name, text, out.empty() ? 0 : out.back(), after) ? kGroupOpen + text + kGroupClose : text;
    }
    return out;
  }

 private:
  std::wstring Kid(const pugi::xml_node& n, const char* name, int depth) const {
    return Children(n.child(name), depth + 1);
  }

  static std::wstring Prop(const pugi::xml_node& pr, const char* name, const std::wstring& absent) {
    pugi::xml_node p = pr.child(name);
    return p ? Utf8ToWide(p.attribute("m:val").as_string()) : absent;
  }

  static bool On(const pugi::xml_node& pr, const char* name) {
    pugi::xml_node p = pr.child(name);
    std::string v = p.attribute("m:val").as_string("1");
    return p && v != "0" && v != "off" && v != "false";
  }

  std::wstring Node(const pugi::xml_node& n, int depth) const {
    if (depth > kMaxReadDepth) return TextContent(n);
    std::string name = n.name();
    if (name == "m:t" || name == "w:t") return Utf8ToWide(n.child_value());
    if (name == "m:r") return (n.child("m:rPr").child("m:aln") ? L"&" : L"") + Children(n, depth);
    if (name == "m:f") return L"(" + Kid(n, "m:num", depth) + L")/(" + Kid(n, "m:den", depth) + L")";
    if (name == "m:sSup") return Base(Kid(n, "m:e", depth)) + L"^" + Script(Kid(n, "m:sup", depth));
    if (name == "m:sSub") return Base(Kid(n, "m:e", depth)) + L"_" + Script(Kid(n, "m:sub", depth));
    if (name == "m:sSubSup")
      return Base(Kid(n, "m:e", depth)) + L"_" + Script(Kid(n, "m:sub", depth)) + L"^" +
             Script(Kid(n, "m:sup", depth));
    if (name == "m:rad") {
      std::wstring degree = On(n.child("m:radPr"), "m:degHide") ? L"" : Kid(n, "m:deg", depth);
      return L"√(" + (degree.empty() ? L"" : degree + L"&") + Kid(n, "m:e", depth) + L")";
    }
    if (name == "m:d") return Delimiter(n, depth);
    if (name == "m:m") return Matrix(n, depth);
    if (name == "m:eqArr") {
      std::vector<std::wstring> rows;
      for (pugi::xml_node e : n.children("m:e")) rows.push_back(Children(e, depth + 1));
      return L"█(" + Join(rows, L"@") + L")";
    }
    if (name == "m:func") return Kid(n, "m:fName", depth) + L"\u2061" + kGroupOpen + Kid(n, "m:e", depth) + kGroupClose;
    if (name == "m:limLow") return Base(Kid(n, "m:e", depth)) + L"┬(" + Kid(n, "m:lim", depth) + L")";
    if (name == "m:limUpp") return Base(Kid(n, "m:e", depth)) + L"┴(" + Kid(n, "m:lim", depth) + L")";
    if (name == "m:nary") return Nary(n, depth);
    if (name == "m:acc")
      return L"(" + Kid(n, "m:e", depth) + L")" + Prop(n.child("m:accPr"), "m:chr", L"\u0302");
    if (name == "m:bar") {
      std::wstring base = Kid(n, "m:e", depth);
      std::wstring mark = Prop(n.child("m:barPr"), "m:pos", L"bot") == L"top" ? L"¯" : L"▁";
      return mark + (IsAtom(base) ? base : L"(" + base + L")");
    }
    return Children(n, depth);
  }

  std::wstring Delimiter(const pugi::xml_node& n, int depth) const {
    pugi::xml_node pr = n.child("m:dPr");
    std::wstring open = Prop(pr, "m:begChr", L"("), close = Prop(pr, "m:endChr", L")");
    std::vector<std::wstring> parts;
    for (pugi::xml_node e : n.children("m:e")) parts.push_back(Children(e, depth + 1));
    return (open.empty() ? L"├" : open) + Join(parts, Prop(pr, "m:sepChr", L"|")) + (close.empty() ? L"┤" : close);
  }

  std::wstring Matrix(const pugi::xml_node& n, int depth) const {
    std::vector<std::wstring> rows;
    for (pugi::xml_node r : n.children("m:mr")) {
      std::vector<std::wstring> cells;
      for (pugi::xml_node e : r.children("m:e")) cells.push_back(Children(e, depth + 2));
      rows.push_back(Join(cells, L"&"));
    }
    return L"■(" + Join(rows, L"@") + L")";
  }

  // Limits below and above: "(∑┬(a))┴(b) f"; as scripts: "∫_a^b▒〖f〗".
  std::wstring Nary(const pugi::xml_node& n, int depth) const {
    pugi::xml_node pr = n.child("m:naryPr");
    std::wstring op = Prop(pr, "m:chr", L"∫");
    bool integral = !op.empty() && op[0] >= 0x222B && op[0] <= 0x2233;
    bool undOvr = Prop(pr, "m:limLoc", integral ? L"subSup" : L"undOvr") == L"undOvr";
    std::wstring sub = On(pr, "m:subHide") ? L"" : Kid(n, "m:sub", depth);
    std::wstring sup = On(pr, "m:supHide") ? L"" : Kid(n, "m:sup", depth);
    std::wstring body = Kid(n, "m:e", depth);
    if (!undOvr) {
      std::wstring out = op + (sub.empty() ? L"" : L"_" + Script(sub)) + (sup.empty() ? L"" : L"^" + Script(sup));
      return body.empty() ? out : out + L"▒" + kGroupOpen + body + kGroupClose;
    }
    std::wstring out = op;
    if (!sub.empty()) out += L"┬(" + sub + L")";
    if (!sup.empty()) out = (sub.empty() ? out : L"(" + out + L")") + L"┴(" + sup + L")";
    if (body.empty()) return out;
    return out + L" " + (IsOneElement(body, true) ? body : kGroupOpen + body + kGroupClose);
  }
};

}  // namespace

std::wstring LinearFromOMath(const pugi::xml_node& oMath) { return OmmlReader().Children(oMath, 0); }

}  // namespace plx::docif::ooxml
