#include "graph/expr/normalise.hpp"

#include <string_view>
#include <vector>

#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::graph {
namespace {

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsOpening(wchar_t c) { return c == L'(' || c == L'[' || c == L'{'; }
bool IsClosing(wchar_t c) { return c == L')' || c == L']' || c == L'}'; }
bool IsOperator(wchar_t c) { return c == L'+' || c == L'-' || c == L'*' || c == L'/'; }

// The evaluator's function names, as the normaliser writes them.
constexpr const wchar_t* kFunctionNames[] = {L"sqr", L"log", L"sin", L"cos", L"tan",
                                             L"atn", L"exp", L"abs", L"sgn"};

// Marks the characters of s that belong to a function name, so that the "x" of "exp" is not
// taken for the variable.
std::vector<bool> FunctionNameLetters(const std::wstring& s) {
  std::vector<bool> marked(s.size(), false);
  for (const wchar_t* name : kFunctionNames) {
    std::wstring_view n(name);
    for (size_t at = s.find(n); at != std::wstring::npos; at = s.find(n, at + 1))
      for (size_t k = 0; k < n.size(); ++k) marked[at + k] = true;
  }
  return marked;
}

// Step 3: the walk over the characters (see the header).
std::wstring InsertOperatorsAndBrackets(const std::wstring& s) {
  const std::vector<bool> inName = FunctionNameLetters(s);
  std::wstring out;
  out.reserve(s.size() * 2);
  // Brackets in `out`, kept as counts so the walk stays linear on long text.
  size_t opens = 0, closes = 0;
  auto count = [](const std::wstring& piece, size_t& o, size_t& c) {
    for (wchar_t ch : piece) {
      if (ch == L'(') ++o;
      else if (ch == L')') ++c;
    }
  };
  bool autoOpened = false;  // a bracket opened after a function name is still to be closed
  const size_t n = s.size();
  for (size_t i = 0; i < n; ++i) {
    const wchar_t c = s[i];
    const wchar_t p = i > 0 ? s[i - 1] : L'\0';
    const wchar_t q = i + 1 < n ? s[i + 1] : L'\0';
    std::wstring piece;
    if (i == 0 && c == L'-' && IsLetter(q)) {
      piece = L"-1*";
    } else if (IsDigit(c) || c == L'.' || (c == L'x' && !inName[i]) || IsClosing(c)) {
      if (IsLetter(p) && p != L'x') {
        piece += L'(';
        autoOpened = true;
      }
      piece += IsClosing(c) ? L')' : c;
      size_t o = opens, cl = closes;
      count(piece, o, cl);
      if (i + 1 == n) {
        if (o > cl) piece += L')';
      } else if (IsLetter(q) || IsOpening(q)) {
        piece += L'*';
      } else if (IsOperator(q) && autoOpened) {
        if (o > cl) piece += L')';
        autoOpened = false;
      }
    } else if (IsOpening(c)) {
      piece = L"(";
    } else {
      piece = std::wstring(1, c);
    }
    if (IsClosing(c)) {
      // A closing bracket also closes an automatic bracket left open inside it.
      size_t o = opens, cl = closes;
      count(piece, o, cl);
      if (o > cl + 1) piece += L')';
    }
    piece = Trim(piece);
    count(piece, opens, closes);
    out += piece;
  }
  return out;
}

// Step 4's constant e: only an "e" standing on its own, not a letter of a word.
std::wstring ReplaceLoneE(const std::wstring& s) {
  std::wstring out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    bool lone = s[i] == L'e' && (i == 0 || !IsLetter(s[i - 1])) &&
                (i + 1 == s.size() || !IsLetter(s[i + 1]));
    if (lone) out += L"2.71828";
    else out += s[i];
  }
  return out;
}

// The digits and signs written raised: "x²" is x^2.
constexpr std::wstring_view kSuperscripts = L"⁰¹²³⁴⁵⁶⁷⁸⁹⁻⁺";
constexpr std::wstring_view kSuperscriptPlain = L"0123456789-+";

// Function names a teacher may leave a blank after ("sin x").
constexpr const wchar_t* kTypedFunctionNames[] = {L"sqrt", L"sqr", L"sin", L"cos", L"tan", L"cot", L"atn",
                                                  L"exp", L"log", L"abs", L"sgn", L"ln", L"gh"};

// Length of the function name that ends just before pos, 0 when none.
size_t NameEndingAt(const std::wstring& s, size_t pos) {
  for (const wchar_t* name : kTypedFunctionNames) {
    const std::wstring_view n(name);
    if (pos >= n.size() && std::wstring_view(s).substr(pos - n.size(), n.size()) == n &&
        (pos == n.size() || !IsLetter(s[pos - n.size() - 1])))
      return n.size();
  }
  return 0;
}

// Whether a "|" at pos opens an absolute value: at the start, or after an
// operator, an opening bracket or another opening bar.
bool OpensAbsolute(const std::wstring& out) {
  if (out.empty()) return true;
  const wchar_t p = out.back();
  return IsOperator(p) || p == L'^' || IsOpening(p) || p == L'=' || p == L',';
}

// "1e3", "2.5E-4": a number in exponent form becomes (m*10^(k)), so that its
// "e" is not taken for the constant.
std::wstring ExponentNumbers(const std::wstring& s) {
  std::wstring out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const bool starts = (IsDigit(s[i]) || s[i] == L'.') && (i == 0 || (!IsLetter(s[i - 1]) && !IsDigit(s[i - 1]) &&
                                                                       s[i - 1] != L'.'));
    if (starts) {
      size_t m = i;
      while (m < s.size() && (IsDigit(s[m]) || s[m] == L'.')) ++m;
      size_t k = m + 1;
      if (k < s.size() && (s[k] == L'+' || s[k] == L'-')) ++k;
      size_t end = k;
      while (end < s.size() && IsDigit(s[end])) ++end;
      if (m < s.size() && (s[m] == L'e' || s[m] == L'E') && end > k && (end == s.size() || !IsLetter(s[end]))) {
        out += L"(" + s.substr(i, m - i) + L"*10^(" + s.substr(m + 1, end - m - 1) + L"))";
        i = end;
        continue;
      }
      out += s.substr(i, m - i);
      i = m;
      continue;
    }
    out += s[i++];
  }
  return out;
}

}  // namespace

std::wstring TeacherNotation(const std::wstring& text) {
  std::wstring s = LCase(Trim(ToHalfWidth(text)));
  // "y=x^2", "f(x)=2x", "r=2t": the box holds only the right-hand side.
  static const std::wstring_view kHeads[] = {L"y=", L"x=", L"r=", L"f(x)=", L"y(x)=", L"x(t)=", L"y(t)=", L"r(t)="};
  for (std::wstring_view head : kHeads) {
    std::wstring compact;
    size_t at = 0;
    while (at < s.size() && compact.size() < head.size()) {
      if (s[at] != L' ') compact += s[at];
      ++at;
    }
    if (compact == head) {
      s = Trim(s.substr(at));
      break;
    }
  }
  std::wstring out;
  out.reserve(s.size() + 8);
  int openBars = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const wchar_t c = s[i];
    if (size_t k = kSuperscripts.find(c); k != std::wstring_view::npos) {
      // A run of raised characters is one exponent.
      std::wstring power;
      while (i < s.size() && (k = kSuperscripts.find(s[i])) != std::wstring_view::npos) power += kSuperscriptPlain[k], ++i;
      --i;
      out += power.size() == 1 ? L"^" + power : L"^(" + power + L")";
    } else if (c == L'|') {
      if (openBars > 0 && !OpensAbsolute(out)) {
        out += L')';
        --openBars;
      } else {
        out += L"abs(";
        ++openBars;
      }
    } else if (c == L'×' || c == L'·') {
      out += L'*';
    } else if (c == L'÷') {
      out += L'/';
    } else if (c == L'π') {
      out += L"pi";
    } else if (c == L'√') {
      out += L"sqr";
    } else if (c == L' ' && NameEndingAt(out, out.size()) > 0) {
      // "sin x": the blank after a function name joins it to its argument.
    } else {
      out += c;
    }
  }
  return ExponentNumbers(out);
}

std::wstring NormaliseExpression(const std::wstring& text) {
  std::wstring s = TeacherNotation(text);
  s = Replace(s, L"log", L"ln");
  s = Replace(s, L"gh", L"sqr");
  s = Replace(s, L"ln", L"log");
  s = Replace(s, L"sqrt", L"sqr");
  s = InsertOperatorsAndBrackets(s);
  s = Replace(s, L"pi", L"3.14159");
  s = ReplaceLoneE(s);
  return Replace(s, L"()", L"");
}

std::wstring SubstituteVariable(const std::wstring& expression, wchar_t name, double value) {
  std::wstring number = DecimalText(value);
  if (value < 0) number = L"(" + number + L")";
  const wchar_t lower = LCase(std::wstring(1, name))[0];
  const wchar_t upper = UCase(std::wstring(1, name))[0];
  std::wstring out;
  for (size_t i = 0; i < expression.size(); ++i) {
    wchar_t c = expression[i];
    bool variable = (c == lower || c == upper) && (i == 0 || !IsLetter(expression[i - 1])) &&
                    (i + 1 == expression.size() || !IsLetter(expression[i + 1]));
    if (variable) out += number;
    else out += c;
  }
  return out;
}

}  // namespace plx::graph
