#include "docif/find_pattern.hpp"

#include <algorithm>
#include <cstdint>

#include "common/error.hpp"

namespace plx::docif {
namespace {

[[noreturn]] void BadPattern() {
  Raise(kBadFindPattern, L"“查找内容”框中的模式匹配表达式无效。");
}

// Pieces of pattern shared by both dialects.
const std::wstring kAnyChar = L"[\\s\\S]";  // "." would stop at the paragraph mark
const std::wstring kDigit = L"[0-9]";
const std::wstring kLetter = L"\\p{L}";
const std::wstring kWhiteChars = L" \t\u00A0\u3000";
const std::wstring kWordStart = L"(?<![\\p{L}\\p{N}_])(?=[\\p{L}\\p{N}_])";
const std::wstring kWordEnd = L"(?<=[\\p{L}\\p{N}_])(?![\\p{L}\\p{N}_])";

// Limits that keep every pattern within what the engine compiles quickly: it copies a group
// once per repetition, so nested counted groups multiply, and it refuses deep nesting.
constexpr size_t kMaxCost = size_t{1} << 20;
constexpr size_t kMaxDepth = 200;
constexpr int kMaxGroups = 65535;

bool ValidCodePoint(uint32_t u) { return u <= 0x10FFFF && (u < 0xD800 || u > 0xDFFF); }

// What a "^" code stands for.
struct CaretCode {
  enum class Kind { Unknown, Char, Digit, Letter, AnyChar, White };
  Kind kind = Kind::Unknown;
  wchar_t ch = 0;
  size_t length = 0;  // characters after the "^"
};

// Reads the code after the "^" at s[pos - 1]. A number takes as many digits (at most five) as
// keep it within 1..65535.
CaretCode ReadCaretCode(const std::wstring& s, size_t pos) {
  CaretCode code;
  if (pos >= s.size()) return code;
  wchar_t c = s[pos];
  if (c >= L'0' && c <= L'9') {
    uint32_t value = 0;
    size_t n = 0;
    while (pos + n < s.size() && n < 5 && s[pos + n] >= L'0' && s[pos + n] <= L'9') {
      uint32_t next = value * 10 + static_cast<uint32_t>(s[pos + n] - L'0');
      if (next > 65535) break;
      value = next;
      ++n;
    }
    if (value == 0) return code;
    code.kind = CaretCode::Kind::Char;
    code.ch = static_cast<wchar_t>(value);
    code.length = n;
    return code;
  }
  code.length = 1;
  code.kind = CaretCode::Kind::Char;
  switch (c) {
    case L'p': code.ch = L'\r'; break;
    case L't': code.ch = L'\t'; break;
    case L'l': code.ch = L'\v'; break;
    case L'm': code.ch = L'\f'; break;
    case L's': code.ch = L'\u00A0'; break;
    case L'^': code.ch = L'^'; break;
    case L'~': code.ch = L'\u2011'; break;
    case L'-': code.ch = L'\u00AD'; break;
    case L'#': code.kind = CaretCode::Kind::Digit; break;
    case L'$': code.kind = CaretCode::Kind::Letter; break;
    case L'?': code.kind = CaretCode::Kind::AnyChar; break;
    case L'w': code.kind = CaretCode::Kind::White; break;
    default: return CaretCode{};
  }
  return code;
}

// Appends one character so that it matches only itself, outside or inside a class. ASCII
// punctuation is escaped (a backslash before it is always literal); a code the engine refuses
// (a lone surrogate) becomes U+FFFD, which is what the searched text holds in its place.
void AppendLiteral(std::wstring& out, wchar_t c) {
  auto u = static_cast<uint32_t>(c);
  if (!ValidCodePoint(u)) {
    out += L'\uFFFD';
    return;
  }
  bool alnum = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
  if (u > 0x20 && u < 0x7F && !alnum) out += L'\\';
  out += c;
}

// Plain find text: everything literal except "^" codes.
std::wstring TranslatePlain(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'^') {
      AppendLiteral(out, text[i]);
      continue;
    }
    CaretCode code = ReadCaretCode(text, i + 1);
    switch (code.kind) {
      case CaretCode::Kind::Unknown: AppendLiteral(out, L'^'); continue;
      case CaretCode::Kind::Char: AppendLiteral(out, code.ch); break;
      case CaretCode::Kind::Digit: out += kDigit; break;
      case CaretCode::Kind::Letter: out += kLetter; break;
      case CaretCode::Kind::AnyChar: out += kAnyChar; break;
      case CaretCode::Kind::White: out += L"[" + kWhiteChars + L"]+"; break;
    }
    i += code.length;
  }
  return out;
}

// Translates wildcard text. Each group level keeps its own output and remembers the last item,
// so that a repetition can be applied to it (or refused when there is nothing to repeat).
class WildcardTranslator {
 public:
  explicit WildcardTranslator(const std::wstring& text) : text_(text) {}

  std::wstring Run() {
    levels_.emplace_back();
    while (pos_ < text_.size()) Step();
    if (levels_.size() != 1) BadPattern();  // a "(" never closed
    return levels_.back().out;
  }

 private:
  enum class Last {
    None,   // nothing to repeat: start of the text or of a group
    Atom,   // one character or class; a quantifier follows it directly
    Run,    // "^w", itself repeated; wrapped before another quantifier
    Group,  // a group; the engine copies it for each counted repetition
    Fixed,  // an assertion, "*", or an item already repeated
  };
  struct Level {
    std::wstring out;
    size_t cost = 0;  // rough size of the compiled pattern
    Last last = Last::None;
    size_t lastStart = 0;
    size_t lastCost = 0;
    int group = 0;
  };

  void Step() {
    wchar_t c = text_[pos_++];
    switch (c) {
      case L'?': Add(kAnyChar, Last::Atom, 1); break;
      case L'*': Add(kAnyChar + L"*?", Last::Fixed, 2); break;
      case L'<': Add(kWordStart, Last::Fixed, 4); break;
      case L'>': Add(kWordEnd, Last::Fixed, 4); break;
      case L'@': Repeat(L"+", 1); break;
      case L'{': Braces(); break;
      case L'[': Class(); break;
      case L'(': Open(); break;
      case L')': Close(); break;
      case L']':
      case L'}': BadPattern();
      case L'\\': Escape(); break;
      case L'^': Caret(); break;
      default: {
        std::wstring literal;
        AppendLiteral(literal, c);
        Add(literal, Last::Atom, 1);
      }
    }
  }

  void Add(const std::wstring& piece, Last kind, size_t cost) {
    Level& level = levels_.back();
    level.lastStart = level.out.size();
    level.out += piece;
    level.last = kind;
    level.lastCost = cost;
    Grow(level, cost);
  }

  static void Grow(Level& level, size_t cost) {
    level.cost += cost;
    if (level.cost > kMaxCost) BadPattern();
  }

  // Applies a quantifier to the last item; `copies` is how many times the engine lays out a
  // repeated group.
  void Repeat(const std::wstring& quantifier, size_t copies) {
    Level& level = levels_.back();
    switch (level.last) {
      case Last::None:
      case Last::Fixed: BadPattern();
      case Last::Atom: Grow(level, 1); break;
      case Last::Run:
        level.out.insert(level.lastStart, L"(?:");
        level.out += L")";
        [[fallthrough]];
      case Last::Group: Grow(level, level.lastCost * (copies - 1) + 1); break;
    }
    level.out += quantifier;
    level.last = Last::Fixed;
  }

  // "{n}", "{n,}", "{n,m}" or "{,m}", numbers 0..255.
  void Braces() {
    auto number = [&](int& value) {
      bool any = false;
      value = 0;
      while (pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9') {
        value = value * 10 + (text_[pos_++] - L'0');
        if (value > 255) BadPattern();
        any = true;
      }
      return any;
    };
    int low = 0, high = 0;
    bool hasLow = number(low);
    bool comma = pos_ < text_.size() && text_[pos_] == L',';
    if (comma) ++pos_;
    bool hasHigh = comma && number(high);
    if (pos_ >= text_.size() || text_[pos_] != L'}') BadPattern();
    ++pos_;
    if (!hasLow && !hasHigh) BadPattern();  // "{}" or "{,}"
    if (!comma) {
      Repeat(L"{" + std::to_wstring(low) + L"}", static_cast<size_t>(std::max(low, 1)));
    } else if (!hasHigh) {
      Repeat(L"{" + std::to_wstring(low) + L",}", static_cast<size_t>(low) + 1);
    } else {
      if (low > high) BadPattern();
      Repeat(L"{" + std::to_wstring(low) + L"," + std::to_wstring(high) + L"}",
             static_cast<size_t>(std::max(high, 1)));
    }
  }

  void Open() {
    if (levels_.size() > kMaxDepth || groups_ >= kMaxGroups) BadPattern();
    levels_.emplace_back();
    levels_.back().group = ++groups_;
    closed_.push_back(false);
  }

  void Close() {
    if (levels_.size() == 1) BadPattern();  // a ")" with no "("
    Level inner = std::move(levels_.back());
    levels_.pop_back();
    closed_[inner.group - 1] = true;
    Add(L"(" + inner.out + L")", Last::Group, inner.cost + 2);
  }

  // "\" + digit 1..9 refers back to a finished group; "\" + anything else is that character.
  void Escape() {
    if (pos_ >= text_.size()) BadPattern();
    wchar_t c = text_[pos_++];
    if (c >= L'1' && c <= L'9') {
      int n = c - L'0';
      if (n > groups_ || !closed_[n - 1]) BadPattern();
      Add(L"\\g{" + std::to_wstring(n) + L"}", Last::Atom, 2);
      return;
    }
    std::wstring literal;
    AppendLiteral(literal, c);
    Add(literal, Last::Atom, 1);
  }

  void Caret() {
    CaretCode code = ReadCaretCode(text_, pos_);
    pos_ += code.length;
    switch (code.kind) {
      case CaretCode::Kind::Unknown: BadPattern();
      case CaretCode::Kind::Char: {
        std::wstring literal;
        AppendLiteral(literal, code.ch);
        Add(literal, Last::Atom, 1);
        break;
      }
      case CaretCode::Kind::Digit: Add(kDigit, Last::Atom, 1); break;
      case CaretCode::Kind::Letter: Add(kLetter, Last::Atom, 1); break;
      case CaretCode::Kind::AnyChar: Add(kAnyChar, Last::Atom, 1); break;
      case CaretCode::Kind::White: Add(L"[" + kWhiteChars + L"]+", Last::Run, 2); break;
    }
  }

  // One member of a class: a character (which may start a range) or a set such as "^#".
  struct Member {
    bool single = true;
    uint32_t ch = 0;
    std::wstring set;
  };

  Member ClassMember() {
    if (pos_ >= text_.size()) BadPattern();
    wchar_t c = text_[pos_++];
    Member m;
    if (c == L'\\') {
      if (pos_ >= text_.size()) BadPattern();
      m.ch = static_cast<uint32_t>(text_[pos_++]);
    } else if (c == L'^') {
      CaretCode code = ReadCaretCode(text_, pos_);
      pos_ += code.length;
      m.single = false;
      switch (code.kind) {
        case CaretCode::Kind::Unknown:
        case CaretCode::Kind::AnyChar: BadPattern();
        case CaretCode::Kind::Char: m.single = true; m.ch = static_cast<uint32_t>(code.ch); break;
        case CaretCode::Kind::Digit: m.set = L"0-9"; break;
        case CaretCode::Kind::Letter: m.set = kLetter; break;
        case CaretCode::Kind::White: m.set = kWhiteChars; break;
      }
    } else {
      m.ch = static_cast<uint32_t>(c);
    }
    return m;
  }

  // "[...]" or "[!...]". A "-" between two characters makes a range; first or last it is a
  // plain "-".
  void Class() {
    bool negated = pos_ < text_.size() && text_[pos_] == L'!';
    if (negated) ++pos_;
    std::wstring body;
    size_t members = 0;
    for (;;) {
      if (pos_ >= text_.size()) BadPattern();  // no closing "]"
      if (text_[pos_] == L']') break;
      Member first = ClassMember();
      ++members;
      bool range = first.single && pos_ + 1 < text_.size() && text_[pos_] == L'-' &&
                   text_[pos_ + 1] != L']';
      if (!range) {
        if (first.single) AppendLiteral(body, static_cast<wchar_t>(first.ch));
        else body += first.set;
        continue;
      }
      ++pos_;
      Member last = ClassMember();
      if (!last.single || last.ch < first.ch) BadPattern();
      AppendRange(body, first.ch, last.ch);
    }
    ++pos_;
    if (members == 0) BadPattern();  // "[]" or "[!]"
    // Only ranges lying wholly outside Unicode leave the body empty: such a class matches
    // nothing, its negation anything.
    if (body.empty()) {
      Add(negated ? kAnyChar : L"[^\\s\\S]", Last::Atom, 1);
      return;
    }
    Add(L"[" + std::wstring(negated ? L"^" : L"") + body + L"]", Last::Atom, 1);
  }

  // A range whose ends the engine would refuse is trimmed to the valid codes it covers.
  static void AppendRange(std::wstring& body, uint32_t low, uint32_t high) {
    if (high > 0x10FFFF) high = 0x10FFFF;
    if (low >= 0xD800 && low <= 0xDFFF) low = 0xE000;
    if (high >= 0xD800 && high <= 0xDFFF) high = 0xD7FF;
    if (low > high) return;
    AppendLiteral(body, static_cast<wchar_t>(low));
    body += L'-';
    AppendLiteral(body, static_cast<wchar_t>(high));
  }

  const std::wstring& text_;
  size_t pos_ = 0;
  std::vector<Level> levels_;
  int groups_ = 0;
  std::vector<bool> closed_;
};

}  // namespace

CompiledFind TranslateFind(const FindSpec& request) {
  CompiledFind result;
  if (request.matchWildcards) {
    result.pattern = WildcardTranslator(request.text).Run();
    return result;
  }
  result.pattern = TranslatePlain(request.text);
  result.ignoreCase = !request.matchCase;
  if (request.matchWholeWord)
    result.pattern = L"(?<![\\p{L}\\p{N}])(?:" + result.pattern + L")(?![\\p{L}\\p{N}])";
  return result;
}

std::vector<ReplacementPart> ParseReplacement(const std::wstring& replacement, bool wildcards) {
  std::vector<ReplacementPart> parts;
  auto text = [&](wchar_t c) {
    if (parts.empty() || parts.back().kind != ReplacementPart::Kind::Text) parts.emplace_back();
    parts.back().text += c;
  };
  for (size_t i = 0; i < replacement.size(); ++i) {
    wchar_t c = replacement[i];
    if (c == L'^' && i + 1 < replacement.size() && replacement[i + 1] == L'&') {
      parts.push_back({ReplacementPart::Kind::Whole, L"", 0});
      ++i;
    } else if (c == L'^') {
      // Only codes naming one character mean anything here; "^#" and the like stay as typed.
      CaretCode code = ReadCaretCode(replacement, i + 1);
      if (code.kind == CaretCode::Kind::Char) {
        text(code.ch);
        i += code.length;
      } else {
        text(L'^');
      }
    } else if (c == L'\\' && wildcards && i + 1 < replacement.size()) {
      wchar_t next = replacement[++i];
      if (next >= L'1' && next <= L'9')
        parts.push_back({ReplacementPart::Kind::Group, L"", next - L'0'});
      else
        text(next);
    } else {
      text(c);
    }
  }
  return parts;
}

std::wstring ExpandReplacement(const std::vector<ReplacementPart>& parts,
                               const RegexMatch& match) {
  std::wstring out;
  for (const auto& part : parts) {
    switch (part.kind) {
      case ReplacementPart::Kind::Text: out += part.text; break;
      case ReplacementPart::Kind::Whole: out += match.Value; break;
      case ReplacementPart::Kind::Group:
        if (part.group >= 1 && static_cast<size_t>(part.group) <= match.SubMatches.size())
          out += match.SubMatches[part.group - 1];
        break;
    }
  }
  return out;
}

}  // namespace plx::docif
