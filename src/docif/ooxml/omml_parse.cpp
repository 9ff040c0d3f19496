// The linear format of equations, parsed into MathNodes. Brackets are
// matched in one pass first, so that an unbalanced bracket is known to be
// plain text before anything is built; groups nest at most kMaxDepth deep
// and nodes at most kMaxMathHeight high, whatever the input.
#include <algorithm>
#include <optional>

#include "docif/ooxml/omml_tree.hpp"

namespace plx::docif::ooxml {
namespace {

using Kind = MathNode::Kind;

constexpr int kMaxDepth = 24;
constexpr size_t kNone = static_cast<size_t>(-1);

constexpr wchar_t kFunctionApply = 0x2061;
constexpr wchar_t kOperandMark = 0x2592;  // ▒ introduces a large operator's operand
constexpr wchar_t kBelow = 0x252C;        // ┬
constexpr wchar_t kAbove = 0x2534;        // ┴
constexpr wchar_t kGroupOpen = 0x3016;    // 〖 and 〗 group without showing
constexpr wchar_t kGroupClose = 0x3017;
constexpr wchar_t kNoOpen = 0x251C;       // ├ and ┤ stand for a missing bracket
constexpr wchar_t kNoClose = 0x2524;
constexpr wchar_t kMatrixMark = 0x25A0;   // ■
constexpr wchar_t kEqArrayMark = 0x2588;  // █
constexpr wchar_t kRoot = 0x221A;         // √
constexpr wchar_t kOverbar = 0x00AF;      // ¯
constexpr wchar_t kUnderbar = 0x2581;     // ▁

bool IsOpener(wchar_t c) { return c == L'(' || c == L'[' || c == L'{' || c == kGroupOpen || c == kNoOpen; }
bool IsCloser(wchar_t c) { return c == L')' || c == L']' || c == L'}' || c == kGroupClose || c == kNoClose; }
// Any bracket closes any other, as in the linear format ("[0,1)"), except
// that the invisible group brackets only pair with each other.
bool Pairs(wchar_t open, wchar_t close) { return (open == kGroupOpen) == (close == kGroupClose); }

bool IsNary(wchar_t c) {
  return (c >= 0x222B && c <= 0x2230) || c == 0x2211 || c == 0x220F || c == 0x2210 || (c >= 0x22C0 && c <= 0x22C3);
}

bool IsAccent(wchar_t c) { return (c >= 0x0300 && c <= 0x036F) || (c >= 0x20D0 && c <= 0x20EF) || c == 0x23DC; }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

bool IsFunctionName(const std::wstring& w) {
  static const wchar_t* const kNames[] = {L"sin", L"cos", L"tan", L"cot", L"sec", L"csc", L"arcsin",
                                          L"arccos", L"arctan", L"sinh", L"cosh", L"tanh", L"log",
                                          L"ln", L"lg", L"exp", L"lim", L"max", L"min", L"sup",
                                          L"inf", L"det", L"gcd"};
  return std::find(std::begin(kNames), std::end(kNames), w) != std::end(kNames);
}

MathNode Text(std::wstring text, bool word = false) {
  MathNode n;
  n.kind = Kind::kText;
  n.text = std::move(text);
  n.word = word;
  return n;
}

MathNode Make(Kind kind, std::vector<MathNode> kids, std::wstring text = {}) {
  MathNode n;
  n.kind = kind;
  n.text = std::move(text);
  n.kids = std::move(kids);
  for (const MathNode& k : n.kids) n.height = std::max(n.height, k.height + 1);
  return n;
}

// Kids moved into place (a braced list would copy them).
template <class... Nodes>
std::vector<MathNode> Kids(Nodes&&... nodes) {
  std::vector<MathNode> kids;
  kids.reserve(sizeof...(nodes));
  (kids.push_back(std::forward<Nodes>(nodes)), ...);
  return kids;
}

MathNode EmptyRow() { return Make(Kind::kRow, {}); }

bool Fits(int height) { return height <= kMaxMathHeight; }

// An element of a row while the row is being read.
struct Item {
  MathNode node;
  bool group = false;  // a bracketed group
  bool paren = false;  // a "( )" group, whose brackets an operand drops
  bool takes = false;  // a large operator or function still waiting for its operand
};

using Items = std::vector<Item>;

bool IsChar(const Item& item, wchar_t c) {
  return item.node.kind == Kind::kText && item.node.text.size() == 1 && item.node.text[0] == c;
}

bool IsBoundary(const Item& item) {
  const MathNode& n = item.node;
  return item.takes || (n.kind == Kind::kText && !n.word && n.text.size() == 1 && IsMathOperator(n.text[0]));
}

// An item as an operand: a "( )" group stands for its content.
int OperandHeight(const Item& item) { return item.paren ? item.node.kids[0].height : item.node.height; }
MathNode TakeOperand(Item& item) { return item.paren ? std::move(item.node.kids[0]) : std::move(item.node); }

int RowHeight(Items::const_iterator from, Items::const_iterator to) {
  int height = 1;
  for (auto it = from; it != to; ++it) height = std::max(height, it->node.height + 1);
  return height;
}

MathNode TakeRow(Items::iterator from, Items::iterator to) {
  std::vector<MathNode> nodes;
  nodes.reserve(static_cast<size_t>(to - from));
  for (auto it = from; it != to; ++it) nodes.push_back(std::move(it->node));
  return Make(Kind::kRow, std::move(nodes));
}

// The items of an operand: one stands for itself, several make a row.
int OperandHeight(Items::const_iterator from, Items::const_iterator to) {
  return to - from == 1 ? OperandHeight(*from) : RowHeight(from, to);
}
MathNode TakeOperand(Items::iterator from, Items::iterator to) {
  return to - from == 1 ? TakeOperand(*from) : TakeRow(from, to);
}

// "a/b": the operands are the items up to the nearest operator on each side.
Items Fractions(Items items) {
  Items out;
  for (size_t k = 0; k < items.size(); ++k) {
    size_t start = out.size(), end = k + 1;
    if (IsChar(items[k], L'/')) {
      while (start > 0 && !IsBoundary(out[start - 1])) --start;
      while (end < items.size() && !IsBoundary(items[end])) ++end;
    }
    auto num = out.begin() + static_cast<long>(start);
    auto den = items.begin() + static_cast<long>(k) + 1, denEnd = items.begin() + static_cast<long>(end);
    if (start == out.size() || end == k + 1 ||
        !Fits(1 + std::max(OperandHeight(num, out.end()), OperandHeight(den, denEnd)))) {
      out.push_back(std::move(items[k]));
      continue;
    }
    MathNode f = Make(Kind::kFrac, Kids(TakeOperand(num, out.end()), TakeOperand(den, denEnd)));
    out.resize(start);
    out.push_back({std::move(f)});
    k = end - 1;
  }
  return out;
}

// Large operators and functions take what follows them: after an optional
// "▒" or blank, one bracketed group or the items up to the next operator.
Items Operands(Items items) {
  Items out;
  for (size_t k = 0; k < items.size(); ++k) {
    out.push_back(std::move(items[k]));
    Item& taker = out.back();
    if (!taker.takes) continue;
    taker.takes = false;
    size_t first = k + 1;
    if (first < items.size() && (IsChar(items[first], kOperandMark) || IsChar(items[first], L' '))) ++first;
    size_t end = first;
    if (end < items.size() && items[end].group) ++end;
    else while (end < items.size() && !IsBoundary(items[end])) ++end;
    auto from = items.begin() + static_cast<long>(first), to = items.begin() + static_cast<long>(end);
    int height = std::max(taker.node.height, RowHeight(from, to) + 1);
    if (end == first || !Fits(height)) continue;
    taker.node.kids.back() = TakeRow(from, to);
    taker.node.height = height;
    k = end - 1;
  }
  return out;
}

class Parser {
 public:
  explicit Parser(const std::wstring& s) : s_(s), match_(s.size(), kNone) {
    std::vector<size_t> open;
    for (size_t i = 0; i < s_.size(); ++i) {
      if (IsOpener(s_[i])) {
        open.push_back(i);
      } else if (IsCloser(s_[i]) && !open.empty() && Pairs(s_[open.back()], s_[i])) {
        match_[open.back()] = i;
        match_[i] = open.back();
        open.pop_back();
      }
    }
  }

  MathNode Parse() { return Row(0, s_.size(), 0); }

 private:
  bool IsGroupAt(size_t i) const { return IsOpener(s_[i]) && match_[i] != kNone; }

  MathNode Row(size_t from, size_t to, int depth) {
    Items items;
    size_t i = from;
    while (i < to) i = Step(i, to, depth, items);
    Items built = Operands(Fractions(std::move(items)));
    return TakeRow(built.begin(), built.end());
  }

  // Reads the element at i; returns where the next one starts.
  size_t Step(size_t i, size_t to, int depth, Items& items) {
    wchar_t c = s_[i];
    std::optional<size_t> next;
    if (IsGroupAt(i)) next = Group(i, depth, items);
    else if (c == L'^' || c == L'_' || c == kBelow || c == kAbove) next = Script(i, to, depth, items);
    else if (c == kRoot) next = Root(i, to, depth, items);
    else if (c == kMatrixMark || c == kEqArrayMark) next = Array(i, to, depth, items);
    else if (c == L'|') next = BarredMatrix(i, to, depth, items);
    else if (c == kOverbar || c == kUnderbar) next = Bar(i, to, depth, items);
    else if (IsAccent(c)) next = Accent(i, items);
    else if (c == kFunctionApply) next = Function(i, items);
    if (next) return *next;
    if (IsNary(c)) {
      items.push_back({Make(Kind::kNary, Kids(EmptyRow(), EmptyRow(), EmptyRow()), std::wstring(1, c)), false,
                       false, true});
      return i + 1;
    }
    size_t end = i + 1;
    if (IsLetter(c)) {  // a function name, or letters each on its own
      while (end < to && IsLetter(s_[end])) ++end;
      std::wstring word = s_.substr(i, end - i);
      if (IsFunctionName(word)) items.push_back({Text(word, true)});
      else for (wchar_t letter : word) items.push_back({Text(std::wstring(1, letter))});
      return end;
    }
    items.push_back({Atom(i, to, end)});
    return end;
  }

  // One character, or a run of digits (with decimal points) as one.
  MathNode Atom(size_t i, size_t to, size_t& end) const {
    end = i + 1;
    if (IsDigit(s_[i]))
      while (end < to && (IsDigit(s_[end]) || (s_[end] == L'.' && end + 1 < to && IsDigit(s_[end + 1])))) ++end;
    return Text(s_.substr(i, end - i));
  }

  // A bracketed group; nested too deep, it stays text.
  size_t Group(size_t i, int depth, Items& items) {
    size_t close = match_[i];
    Item item{Text(s_.substr(i, close - i + 1))};
    if (depth < kMaxDepth) {
      MathNode inner = Row(i + 1, close, depth + 1);
      wchar_t o = s_[i], c = s_[close];
      if (o == kGroupOpen) {
        item = {std::move(inner), true};
      } else if (Fits(inner.height + 1)) {
        MathNode d = Make(Kind::kDelim, Kids(std::move(inner)));
        d.open = o == kNoOpen ? L"" : std::wstring(1, o);
        d.close = c == kNoClose ? L"" : std::wstring(1, c);
        item = {std::move(d), true, o == L'(' && c == L')'};
      }
    }
    items.push_back(std::move(item));
    return close + 1;
  }

  // The operand of a script or root: a group (without its round brackets),
  // an atom, or a sign and an atom.
  std::optional<MathNode> ScriptOperand(size_t j, size_t to, int depth, size_t& end) {
    if (j >= to || s_[j] == L' ') return std::nullopt;
    if (IsGroupAt(j)) {
      Items one;
      end = Group(j, depth, one);
      return TakeOperand(one[0]);
    }
    bool sign = (s_[j] == L'-' || s_[j] == 0x2212 || s_[j] == L'+') && j + 1 < to && s_[j + 1] != L' ' &&
                !IsGroupAt(j + 1);
    if (!sign) return Atom(j, to, end);
    MathNode atom = Atom(j + 1, to, end);
    return Make(Kind::kRow, Kids(Text(std::wstring(1, s_[j])), std::move(atom)));
  }

  // "^" and "_" make scripts, "┬" and "┴" limits below and above; a large
  // operator takes either as its limits.
  std::optional<size_t> Script(size_t i, size_t to, int depth, Items& items) {
    size_t end;
    if (items.empty()) return std::nullopt;
    std::optional<MathNode> operand = ScriptOperand(i + 1, to, depth, end);
    if (!operand) return std::nullopt;
    wchar_t c = s_[i];
    bool limits = c == kBelow || c == kAbove, upper = c == L'^' || c == kAbove;
    Item& base = items.back();
    if (base.takes && base.node.kind == Kind::kNary) return Limit(base.node, upper, limits, std::move(*operand), end);
    // "(∑┬(a))┴(b)": limits above a bracketed operator with limits below.
    if (c == kAbove && base.paren && base.node.kids[0].kids.size() == 1) {
      const MathNode& inside = base.node.kids[0].kids[0];
      if (inside.kind == Kind::kNary && inside.undOvr && inside.kids[2].kids.empty()) {
        MathNode nary = inside;
        std::optional<size_t> next = Limit(nary, upper, limits, std::move(*operand), end);
        if (next) base = {std::move(nary), false, false, true};
        return next;
      }
    }
    MathNode& b = base.node;
    bool joins = (c == L'^' && b.kind == Kind::kSub) || (c == L'_' && b.kind == Kind::kSup);
    int baseHeight = joins ? std::max(b.kids[0].height, b.kids[1].height) : b.height;
    if (!Fits(1 + std::max(baseHeight, operand->height))) return std::nullopt;
    if (joins) {
      std::vector<MathNode> kids = std::move(b.kids);
      kids.insert(c == L'^' ? kids.end() : kids.begin() + 1, std::move(*operand));
      base = {Make(Kind::kSubSup, std::move(kids))};
    } else {
      Kind kind = c == L'^' ? Kind::kSup : c == L'_' ? Kind::kSub : c == kBelow ? Kind::kLimLow : Kind::kLimUpp;
      base = {Make(kind, Kids(std::move(b), std::move(*operand)))};
    }
    return end;
  }

  // Sets a large operator's lower or upper limit when it has none yet.
  static std::optional<size_t> Limit(MathNode& nary, bool upper, bool limits, MathNode operand, size_t end) {
    MathNode& slot = nary.kids[upper ? 1 : 0];
    int height = std::max(nary.height, operand.height + 2);
    if (!slot.kids.empty() || !Fits(height)) return std::nullopt;
    slot = Make(Kind::kRow, Kids(std::move(operand)));
    nary.height = height;
    nary.undOvr = nary.undOvr || limits;
    return end;
  }

  // Spans of [from, to) between separators that stand outside groups.
  std::vector<std::pair<size_t, size_t>> Split(size_t from, size_t to, wchar_t sep) const {
    std::vector<std::pair<size_t, size_t>> out;
    size_t start = from;
    for (size_t k = from; k < to; ++k) {
      if (IsGroupAt(k)) k = match_[k];
      else if (s_[k] == sep) out.emplace_back(start, k), start = k + 1;
    }
    out.emplace_back(start, to);
    return out;
  }

  // "√(x)", "√(n&x)", "√x".
  std::optional<size_t> Root(size_t i, size_t to, int depth, Items& items) {
    size_t j = i + 1, end;
    MathNode rad;
    if (j < to && IsGroupAt(j) && depth < kMaxDepth) {
      auto parts = Split(j + 1, match_[j], L'&');
      MathNode degree = parts.size() > 1 ? Row(parts[0].first, parts[0].second, depth + 1) : EmptyRow();
      size_t bodyFrom = parts.size() > 1 ? parts[0].second + 1 : j + 1;
      rad = Make(Kind::kRad, Kids(std::move(degree), Row(bodyFrom, match_[j], depth + 1)));
      end = match_[j] + 1;
    } else {
      std::optional<MathNode> operand = ScriptOperand(j, to, depth, end);
      if (!operand) return std::nullopt;
      rad = Make(Kind::kRad, Kids(EmptyRow(), Make(Kind::kRow, Kids(std::move(*operand)))));
    }
    if (!Fits(rad.height)) return std::nullopt;
    items.push_back({std::move(rad)});
    return end;
  }

  // "■(a&b@c&d)" (rows at "@", cells at "&") and "█(e1@e2)".
  std::optional<size_t> Array(size_t i, size_t to, int depth, Items& items) {
    size_t j = i + 1;
    if (j >= to || !IsGroupAt(j) || depth + 1 >= kMaxDepth) return std::nullopt;
    bool matrix = s_[i] == kMatrixMark;
    std::vector<MathNode> rows;
    for (auto [from, end] : Split(j + 1, match_[j], L'@')) {
      if (!matrix) {
        rows.push_back(Row(from, end, depth + 1));
        continue;
      }
      std::vector<MathNode> cells;
      for (auto [cellFrom, cellEnd] : Split(from, end, L'&')) cells.push_back(Row(cellFrom, cellEnd, depth + 2));
      rows.push_back(Make(Kind::kRow, std::move(cells)));
    }
    MathNode array = Make(matrix ? Kind::kMatrix : Kind::kEqArr, std::move(rows));
    if (!Fits(array.height)) return std::nullopt;
    items.push_back({std::move(array)});
    return match_[j] + 1;
  }

  // "|■(...)|": a determinant.
  std::optional<size_t> BarredMatrix(size_t i, size_t to, int depth, Items& items) {
    if (i + 2 >= to || s_[i + 1] != kMatrixMark || !IsGroupAt(i + 2)) return std::nullopt;
    size_t bar = match_[i + 2] + 1;
    if (bar >= to || s_[bar] != L'|') return std::nullopt;
    Items inner;
    if (!Array(i + 1, to, depth, inner) || !Fits(inner[0].node.height + 2)) return std::nullopt;
    MathNode d = Make(Kind::kDelim, Kids(Make(Kind::kRow, Kids(std::move(inner[0].node)))));
    d.open = d.close = L"|";
    items.push_back({std::move(d), true});
    return bar + 1;
  }

  // An accent over the element before it.
  std::optional<size_t> Accent(size_t i, Items& items) {
    if (items.empty() || IsBoundary(items.back()) || !Fits(OperandHeight(items.back()) + 1)) return std::nullopt;
    items.back() = {Make(Kind::kAcc, Kids(TakeOperand(items.back())), std::wstring(1, s_[i]))};
    return i + 1;
  }

  // A bar over ("¯") or under ("▁") the element after it: "¯(AB)", "▁x".
  std::optional<size_t> Bar(size_t i, size_t to, int depth, Items& items) {
    size_t end;
    std::optional<MathNode> operand = ScriptOperand(i + 1, to, depth, end);
    if (!operand || !Fits(operand->height + 1)) return std::nullopt;
    items.push_back({Make(Kind::kBar, Kids(std::move(*operand)), s_[i] == kOverbar ? L"top" : L"bot")});
    return end;
  }

  // "name⁡arg": the element before is the function's name.
  std::optional<size_t> Function(size_t i, Items& items) {
    if (items.empty() || IsBoundary(items.back()) || !Fits(items.back().node.height + 1)) return std::nullopt;
    items.back() = {Make(Kind::kFunc, Kids(std::move(items.back().node), EmptyRow())), false, false, true};
    return i + 1;
  }

  const std::wstring& s_;
  std::vector<size_t> match_;  // the matching bracket of each bracket, kNone for plain text
};

}  // namespace

bool IsMathOperator(wchar_t c) {
  static const std::wstring kOperators =
      L" \t+-=<>/,;:\u2212\u00B1\u2213\u00D7\u00F7\u00B7\u22C5\u2260\u2264\u2265\u2248\u2261\u221D"
      L"\u2208\u2209\u2282\u2283\u2286\u2287\u222A\u2229\u2192\u2190\u2194\u21D2\u21D0\u21D4\u2225\u22A5"
      L"\u2234\u2235\uFF0B\uFF0D\uFF1D\uFF1C\uFF1E\uFF0C\uFF1B\uFF1A";
  return kOperators.find(c) != std::wstring::npos;
}

MathNode ParseLinear(const std::wstring& text) { return Parser(text).Parse(); }

}  // namespace plx::docif::ooxml
