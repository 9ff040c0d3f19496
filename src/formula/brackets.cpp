#include "formula/brackets.hpp"

#include <algorithm>
#include <array>

#include "common/text.hpp"

namespace plx {
namespace {

constexpr std::wstring_view kOpen = L"([{";
constexpr std::wstring_view kClose = L")]}";

bool IsBracket(wchar_t c) { return IsOpeningBracket(c) || IsClosingBracket(c); }
bool IsDigitChar(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Opening minus closing count of each kind.
struct Balance {
  std::array<long, 3> depth{};
  void Count(wchar_t c, int sign) {
    if (size_t k = kOpen.find(c); k != std::wstring_view::npos) depth[k] += sign;
    else if (size_t k2 = kClose.find(c); k2 != std::wstring_view::npos) depth[k2] -= sign;
  }
  bool Even() const { return depth[0] == 0 && depth[1] == 0 && depth[2] == 0; }
};

std::wstring GroupForward(std::wstring_view text, size_t pos) {
  const wchar_t closer = kClose[kOpen.find(text[pos])];
  Balance b;
  b.Count(text[pos], 1);
  for (size_t i = pos + 1; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size() && IsBracket(text[i + 1])) {
      ++i;  // an escaped bracket counts for nothing
      continue;
    }
    b.Count(text[i], 1);
    if (text[i] == closer && b.Even()) return std::wstring(text.substr(pos, i - pos + 1));
  }
  return {};
}

std::wstring GroupBackward(std::wstring_view text, size_t pos) {
  const wchar_t opener = kOpen[kClose.find(text[pos])];
  Balance b;
  b.Count(text[pos], 1);
  for (size_t i = pos; i-- > 0;) {
    // Reaching a backslash before a counted bracket turns that bracket into an escape.
    if (text[i] == L'\\' && IsBracket(text[i + 1])) b.Count(text[i + 1], -1);
    else b.Count(text[i], 1);
    if (text[i] == opener && b.Even()) return std::wstring(text.substr(i, pos - i + 1));
  }
  return {};
}

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Just after the run of letters starting at pos.
size_t NameEnd(std::wstring_view text, size_t pos) {
  while (pos < text.size() && IsAsciiLetter(text[pos])) ++pos;
  return pos;
}

bool IsAsciiAlnum(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// Where the switches written just before `start` begin: a group that is the
// argument list of a construct built earlier ("\R(,x)", "\S\UP6(n)") is one
// operand with its construct.
size_t ConstructStart(std::wstring_view text, size_t start) {
  for (;;) {
    size_t s = start;
    while (s > 0 && IsAsciiAlnum(text[s - 1])) --s;
    if (s < start && s > 0 && text[s - 1] == L'\\') {
      start = s - 1;  // "\R", "\UP6"
    } else if (start >= 2 && text[start - 2] == L'\\' && !IsAsciiAlnum(text[start - 1])) {
      start -= 2;  // an escaped character such as "\{" in "\lc\{("
    } else {
      return start;
    }
  }
}

// The end of the construct that starts at `pos` with switches: the switches,
// then the bracket groups that follow them.
size_t ConstructEnd(std::wstring_view text, size_t pos, const FormulaNotice& notice) {
  size_t end = pos;
  while (end + 1 < text.size() && text[end] == L'\\') {
    ++end;
    if (IsAsciiAlnum(text[end])) {
      while (end < text.size() && IsAsciiAlnum(text[end])) ++end;
    } else {
      ++end;
    }
  }
  while (end < text.size() && IsOpeningBracket(text[end])) {
    const std::wstring group = GetBracketGroup(text, end, notice);
    if (group.empty()) break;
    end += group.size();
  }
  return end;
}

// Whether a script switch ("\\S", "\\s") starts at pos.
bool IsScriptSwitch(std::wstring_view text, size_t pos) {
  return pos + 1 < text.size() && text[pos] == L'\\' && (text[pos + 1] == L'S' || text[pos + 1] == L's');
}

size_t DigitRunStart(std::wstring_view text, size_t end) {
  size_t start = end;
  while (start > 0 && IsDigitChar(text[start - 1])) --start;
  return start;
}

}  // namespace

bool IsOpeningBracket(wchar_t c) { return kOpen.find(c) != std::wstring_view::npos; }
bool IsClosingBracket(wchar_t c) { return kClose.find(c) != std::wstring_view::npos; }

bool IsBracketBalanced(std::wstring_view text) {
  Balance b;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size() && IsBracket(text[i + 1])) {
      ++i;
      continue;
    }
    b.Count(text[i], 1);
  }
  return b.Even();
}

std::wstring GetBracketGroup(std::wstring_view text, size_t pos, const FormulaNotice& notice) {
  if (pos < text.size() && IsOpeningBracket(text[pos])) return GroupForward(text, pos);
  if (pos < text.size() && IsClosingBracket(text[pos])) return GroupBackward(text, pos);
  notice(L"您提供的字符串开始字符不是括号的一部分");
  return {};
}

std::wstring strGetFZ(std::wstring_view text, size_t pos, bool digitRuns, const FormulaNotice& notice) {
  if (pos == 0) return {};
  const wchar_t c = text[pos - 1];
  if (IsClosingBracket(c)) {
    const std::wstring group = GetBracketGroup(text, pos - 1, notice);
    if (group.empty()) return group;
    size_t start = ConstructStart(text, pos - group.size());
    // A round group with a name before it is a function or keyword applied to
    // it ("f(x)/2", "PLA(5,2)/2"): the name belongs to the operand.
    if (start == pos - group.size() && group.front() == L'(')
      while (start > 0 && IsAsciiLetter(text[start - 1])) --start;
    // A script ("\\S\\DO(n)") belongs to the character or group it is attached
    // to, and that base may carry a script of its own (x_1^2 is x with "1"
    // below and "2" above): walk back over every script to the first base.
    while (start > 0 && start + 1 < pos && IsScriptSwitch(text, start)) {
      const std::wstring base = IsClosingBracket(text[start - 1]) ? GetBracketGroup(text, start - 1, notice) : L"";
      if (base.empty()) {
        --start;
        break;
      }
      start = ConstructStart(text, start - base.size());
    }
    return std::wstring(text.substr(start, pos - start));
  }
  if (IsDigitChar(c) && digitRuns) {
    size_t start = DigitRunStart(text, pos);
    return std::wstring(text.substr(start, pos - start));
  }
  if (pos >= 2 && text[pos - 2] == L'@') return std::wstring(text.substr(pos - 2, 2));
  return std::wstring(1, c);
}

std::wstring strGetFM(std::wstring_view text, size_t pos, bool digitRuns, const FormulaNotice& notice) {
  if (pos + 1 >= text.size()) return {};
  const wchar_t c = text[pos + 1];
  size_t end = pos + 2;
  if (IsOpeningBracket(c)) {
    const std::wstring group = GetBracketGroup(text, pos + 1, notice);
    if (group.empty()) return group;
    end = pos + 1 + group.size();
  } else if (c == L'\\') {
    end = ConstructEnd(text, pos + 1, notice);
  } else if (size_t name = NameEnd(text, pos + 1); name >= pos + 3 && name < text.size() && text[name] == L'(') {
    // A function or keyword name of two letters or more with its group ("1/sin(x)").
    const std::wstring group = GetBracketGroup(text, name, notice);
    end = group.empty() ? pos + 2 : name + group.size();
  } else if (IsDigitChar(c) && digitRuns) {
    while (end < text.size() && IsDigitChar(text[end])) ++end;
  } else if (c == L'@' && end < text.size()) {
    ++end;  // a Greek letter "@p" is one operand on this side too ("1/@p")
  }
  // Scripts built on the operand ("a\\S\\DO(n)") stay with it.
  while (IsScriptSwitch(text, end)) end = ConstructEnd(text, end, notice);
  return std::wstring(text.substr(pos + 1, end - pos - 1));
}

std::vector<std::wstring> SplitOutsideBrackets(const std::wstring& text) {
  std::vector<std::wstring> out;
  std::wstring pending;
  bool open = false;
  for (const std::wstring& piece : Split(text, L",")) {
    pending = open ? pending + L"," + piece : piece;
    open = !IsBracketBalanced(pending);
    if (!open) out.push_back(pending);
  }
  if (open) out.push_back(pending);
  return out;
}

std::wstring ReplacePi(std::wstring text) {
  for (const wchar_t* pi : {L"pi", L"pI", L"Pi", L"PI"}) text = Replace(text, pi, L"@p");
  return text;
}

}  // namespace plx
