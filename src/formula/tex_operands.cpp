#include "formula/tex_operands.hpp"

#include <algorithm>

#include "formula/brackets.hpp"

namespace plx {
namespace {

constexpr size_t kNone = std::wstring_view::npos;

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigitChar(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Groups are only read at a bracket here, so nothing is ever reported.
const FormulaNotice& Quiet() {
  static const FormulaNotice quiet = [](const std::wstring&) {};
  return quiet;
}

// Whether the command word `name` stands at pos as a whole word; a key may
// follow it directly ("\int" + the key of "_").
bool WordAt(std::wstring_view text, size_t pos, std::wstring_view name) {
  const size_t after = pos + name.size();
  return text.substr(pos, name.size()) == name &&
         (after >= text.size() || !IsAsciiLetter(text[after]) || text.substr(after, 6) == L"MyRStr");
}

// The length of the delimiter after "\left" or "\right" at pos: "(", "|", ".", or "\{".
size_t DelimiterLength(std::wstring_view text, size_t pos) {
  if (pos >= text.size()) return 0;
  return text[pos] == L'\\' && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace

TeXReader::TeXReader(std::wstring_view text, const TeXPieces& pieces, bool digitRuns)
    : text_(text), digitRuns_(digitRuns) {
  // A key is the longest stored key at an occurrence of "MyRStr": with keys 1
  // to 3, "MyRStr12" is key 1 followed by the digit 2 (as in x^2).
  for (size_t at = text.find(L"MyRStr"); at != kNone; at = text.find(L"MyRStr", at + 1)) {
    size_t best = 0;
    bool script = false;
    for (size_t i = 0; i < pieces.keys.size() && i < pieces.pieces.size(); ++i) {
      const std::wstring& k = pieces.keys[i];
      if (k.size() > best && text.substr(at, k.size()) == k) {
        best = k.size();
        script = pieces.pieces[i] == L"^" || pieces.pieces[i] == L"_";
      }
    }
    if (best > 0) keys_.push_back({at, at + best, script});
  }
}

std::optional<TeXReader::Key> TeXReader::KeyStartingAt(size_t pos) const {
  for (const Key& k : keys_)
    if (k.start == pos) return k;
  return std::nullopt;
}

std::optional<TeXReader::Key> TeXReader::KeyEndingAt(size_t pos) const {
  for (const Key& k : keys_)
    if (k.end == pos) return k;
  return std::nullopt;
}

std::optional<TeXReader::Key> TeXReader::KeyCovering(size_t pos) const {
  for (const Key& k : keys_)
    if (k.start <= pos && pos < k.end) return k;
  return std::nullopt;
}

size_t TeXReader::GroupEnd(size_t open) const {
  const std::wstring g = GetBracketGroup(text_, open, Quiet());
  return g.empty() ? kNone : open + g.size();
}

size_t TeXReader::GroupStart(size_t close) const {
  const std::wstring g = GetBracketGroup(text_, close, Quiet());
  return g.empty() ? kNone : close + 1 - g.size();
}

// A command word ("\frac") whose letters end at pos; its backslash must not be
// the second half of a "\\" row break.
size_t TeXReader::ControlWordEndingAt(size_t pos) const {
  size_t s = pos;
  while (s > 0 && IsAsciiLetter(text_[s - 1])) --s;
  if (s == pos || s == 0) return kNone;
  size_t slashes = 0;
  while (slashes < s && text_[s - 1 - slashes] == L'\\') ++slashes;
  return slashes % 2 == 1 ? s - 1 : kNone;
}

// The key or command whose groups begin at pos; one blank may stand between
// them ("\sqrt [3]{x}", "\widehat {t}").
size_t TeXReader::HeadEndingAt(size_t pos) const {
  for (size_t at : {pos, pos > 0 && text_[pos - 1] == L' ' ? pos - 1 : kNone}) {
    if (at == kNone) continue;
    if (auto k = KeyEndingAt(at)) return k->start;
    if (size_t w = ControlWordEndingAt(at); w != kNone) return w;
  }
  return kNone;
}

// When the text before `end` ends with "\right" and its delimiter, the "\left" it closes.
size_t TeXReader::LeftOfRightEndingAt(size_t end) const {
  size_t right = kNone;
  for (size_t len : {1, 2}) {
    if (end < 6 + len) continue;
    const size_t at = end - len - 6;
    if (text_.substr(at, 6) == L"\\right" && DelimiterLength(text_, at + 6) == len) right = at;
  }
  if (right == kNone) return kNone;
  int depth = 1;
  for (size_t j = right; j-- > 0;) {
    if (WordAt(text_, j, L"\\right")) ++depth;
    else if (WordAt(text_, j, L"\\left") && --depth == 0) return j;
  }
  return kNone;
}

// The end of "\left" ... "\right" with its delimiter, for the "\left" at begin.
size_t TeXReader::RightOfLeftAt(size_t begin) const {
  int depth = 1;
  for (size_t j = begin + 5; j < text_.size(); ++j) {
    if (WordAt(text_, j, L"\\left")) ++depth;
    else if (WordAt(text_, j, L"\\right") && --depth == 0)
      return std::min(text_.size(), j + 6 + DelimiterLength(text_, j + 6));
  }
  return kNone;
}

size_t TeXReader::ScriptEnd(size_t pos) const {
  if (pos >= text_.size()) return pos;
  if (text_[pos] == L'{') {
    const size_t g = GroupEnd(pos);
    return g == kNone ? pos + 1 : g;
  }
  return text_[pos] == L'@' && pos + 1 < text_.size() ? pos + 2 : pos + 1;
}

// What belongs to a command or key after its name: its groups, "\limits",
// and the scripts on it ("\int_{0}^{1}{f}").
size_t TeXReader::ArgumentsAfter(size_t end) const {
  for (;;) {
    size_t at = end;
    if (at + 1 < text_.size() && text_[at] == L' ' && (text_[at + 1] == L'{' || text_[at + 1] == L'[')) ++at;
    if (at < text_.size() && (text_[at] == L'{' || text_[at] == L'[')) {
      const size_t g = GroupEnd(at);
      if (g == kNone) return end;
      end = g;
    } else if (WordAt(text_, end, L"\\limits")) {
      end += 7;
    } else if (WordAt(text_, end, L"\\nolimits")) {
      end += 9;
    } else if (auto k = KeyStartingAt(end); k && k->script) {
      end = ScriptEnd(k->end);
    } else {
      return end;
    }
  }
}

size_t TeXReader::AtomAfter(size_t begin) const {
  if (begin >= text_.size()) return begin;
  if (auto k = KeyStartingAt(begin)) return ArgumentsAfter(k->end);
  const wchar_t c = text_[begin];
  if (IsOpeningBracket(c)) {
    const size_t g = GroupEnd(begin);
    return g == kNone ? begin + 1 : g;
  }
  if (c == L'\\') {
    if (begin + 1 >= text_.size() || !IsAsciiLetter(text_[begin + 1])) return std::min(begin + 2, text_.size());
    size_t e = begin + 1;
    while (e < text_.size() && IsAsciiLetter(text_[e]) && !KeyStartingAt(e)) ++e;
    if (WordAt(text_, begin, L"\\left")) {
      const size_t r = RightOfLeftAt(begin);
      return r == kNone ? e : r;
    }
    return ArgumentsAfter(e);
  }
  if (IsAsciiLetter(c)) {
    // A function or keyword name of two letters or more with its group
    // ("1/sin(x)", "1/PLC(5,2)").
    size_t name = begin;
    while (name < text_.size() && IsAsciiLetter(text_[name]) && !KeyStartingAt(name)) ++name;
    if (name >= begin + 2 && name < text_.size() && text_[name] == L'(') {
      const size_t g = GroupEnd(name);
      if (g != kNone) return g;
    }
  }
  if (IsDigitChar(c) && digitRuns_) {
    size_t e = begin + 1;
    while (e < text_.size() && IsDigitChar(text_[e])) ++e;
    return e;
  }
  return c == L'@' && begin + 1 < text_.size() ? begin + 2 : begin + 1;
}

size_t TeXReader::OperandAfter(size_t begin) const {
  size_t end = AtomAfter(begin);
  while (end > begin) {
    auto k = KeyStartingAt(end);
    if (!k || !k->script) break;
    end = ScriptEnd(k->end);
  }
  return end;
}

size_t TeXReader::AtomBefore(size_t end) const {
  if (end == 0) return 0;
  if (auto k = KeyCovering(end - 1)) return k->start;
  if (size_t left = LeftOfRightEndingAt(end); left != kNone) return left;
  const wchar_t c = text_[end - 1];
  if (IsClosingBracket(c)) {
    const size_t group = GroupStart(end - 1);
    if (group == kNone) return end - 1;
    // Groups that follow each other belong together only under a command
    // ("\frac{a}{b}"); "(a)(b)" gives the last group alone.
    for (size_t cur = group;;) {
      if (size_t head = HeadEndingAt(cur); head != kNone) return head;
      if (cur == 0 || (text_[cur - 1] != L'}' && text_[cur - 1] != L']')) break;
      const size_t before = GroupStart(cur - 1);
      if (before == kNone) break;
      cur = before;
    }
    // A round group with a name before it is a function or keyword applied
    // to it ("f(x)/2", "PLA(5,2)/2"): the name belongs to the operand.
    size_t named = group;
    if (text_[group] == L'(')
      while (named > 0 && IsAsciiLetter(text_[named - 1]) && !KeyCovering(named - 1)) --named;
    // A Greek letter, still written "@" + letter here, is a name of its own ("@f(x)/2").
    if (named > 0 && named < group && text_[named - 1] == L'@') --named;
    return named;
  }
  if (IsAsciiLetter(c)) {
    if (size_t w = ControlWordEndingAt(end); w != kNone) {
      // "\limits" belongs to the operator before it ("\sum\limits").
      const bool limits = WordAt(text_, w, L"\\limits") || WordAt(text_, w, L"\\nolimits");
      const size_t op = limits ? ControlWordEndingAt(w) : kNone;
      return op != kNone ? op : w;
    }
  }
  if (IsDigitChar(c) && digitRuns_) {
    size_t s = end - 1;
    while (s > 0 && IsDigitChar(text_[s - 1]) && !KeyCovering(s - 1)) --s;
    return s;
  }
  return end >= 2 && text_[end - 2] == L'@' ? end - 2 : end - 1;
}

size_t TeXReader::OperandBefore(size_t end) const {
  size_t atomEnd = end;
  size_t start = AtomBefore(atomEnd);
  while (start > 0 && start < atomEnd) {
    if (auto k = KeyStartingAt(start); k && k->script) {
      // The operand is a script: its base comes with it.
      atomEnd = start;
      start = AtomBefore(atomEnd);
      continue;
    }
    if (auto k = KeyEndingAt(start); k && k->script) {
      // Right after a script key the first symbol is the script ("x^2" then
      // "3" in x^23); a longer run of digits leaves the script behind.
      const size_t scriptEnd = ScriptEnd(k->end);
      if (scriptEnd >= atomEnd) {
        start = k->start;
        continue;
      }
      start = scriptEnd;
    }
    break;
  }
  return start;
}

}  // namespace plx
