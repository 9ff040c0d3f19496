#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "common/text.hpp"
#include "docif/model/eq_code.hpp"
#include "docif/model/model_collections.hpp"

namespace plx::docif::model {
namespace {

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Reads an EQ body: text, and switches "\X" with options ("\up6",
// "\lc\{") followed by a bracketed argument list. Switches nest at most
// kMaxEqDepth deep, so the recursion is bounded whatever the code.
class EqReader {
 public:
  explicit EqReader(const std::wstring& s) : s_(s) {}

  EqCode Read() {
    EqCode code;
    code.body = Sequence(false, 0);
    code.closed = closed_;
    code.tooDeep = tooDeep_;
    return code;
  }

 private:
  static void AddText(EqSequence& out, std::wstring_view text) {
    if (text.empty()) return;
    if (out.empty() || out.back().IsSwitch()) out.emplace_back();
    out.back().text += text;
  }

  // Items up to the end or, in an argument list, up to the "," ";" or ")"
  // that ends the argument; brackets in the argument's text nest.
  EqSequence Sequence(bool inArgs, int depth) {
    EqSequence out;
    int parens = 0;
    while (pos_ < s_.size()) {
      wchar_t c = s_[pos_];
      if (inArgs && parens == 0 && (c == L',' || c == L')' || c == L';')) break;
      if (c == L'\\') {
        Switch(out, depth);
        continue;
      }
      if (inArgs && c == L'(') ++parens;
      if (inArgs && c == L')') --parens;
      AddText(out, std::wstring_view(&s_[pos_], 1));
      ++pos_;
    }
    return out;
  }

  void Switch(EqSequence& out, int depth) {
    size_t start = pos_++;  // the backslash
    if (pos_ >= s_.size()) return;
    if (!IsLetter(s_[pos_])) {  // an escaped character: "\," "\(" "\\"
      AddText(out, std::wstring_view(&s_[pos_++], 1));
      return;
    }
    if (depth >= kMaxEqDepth) {
      tooDeep_ = true;
      SkipSwitch();
      AddText(out, std::wstring_view(s_).substr(start, pos_ - start));
      return;
    }
    EqItem item;
    while (pos_ < s_.size() && IsLetter(s_[pos_])) item.name += static_cast<wchar_t>(std::towupper(s_[pos_++]));
    Options(item.options);
    if (pos_ < s_.size() && s_[pos_] == L'(') {
      ++pos_;
      while (true) {
        item.args.push_back(Sequence(true, depth + 1));
        if (pos_ >= s_.size()) {
          closed_ = false;
          break;
        }
        if (s_[pos_++] == L')') break;
      }
    }
    out.push_back(std::move(item));
  }

  // Options before the arguments: words with digits, and escaped
  // characters, which belong to the word before them ("\lc\{").
  void Options(std::vector<EqOption>& options) {
    while (pos_ < s_.size() && s_[pos_] != L'(') {
      if (s_[pos_] == L'\\' && pos_ + 1 < s_.size()) {
        ++pos_;
        if (!IsLetter(s_[pos_])) {
          wchar_t c = s_[pos_++];
          if (!options.empty() && !options.back().name.empty() && options.back().character == 0)
            options.back().character = c;
          else
            options.push_back({L"", -1, c});
        }
        if (pos_ < s_.size() && IsLetter(s_[pos_])) {
          EqOption o;
          while (pos_ < s_.size() && IsLetter(s_[pos_])) o.name += static_cast<wchar_t>(std::towupper(s_[pos_++]));
          options.push_back(std::move(o));
        }
      } else if (IsDigit(s_[pos_])) {
        int n = 0;
        while (pos_ < s_.size() && IsDigit(s_[pos_])) n = std::min(n * 10 + (s_[pos_++] - L'0'), 9999);
        if (!options.empty() && !options.back().name.empty() && options.back().number < 0) options.back().number = n;
      } else if (s_[pos_] == L' ') {
        ++pos_;
      } else {
        break;
      }
    }
  }

  // Passes over a switch too deep to read: its name, options and its
  // argument list up to the matching ")", escapes included.
  void SkipSwitch() {
    while (pos_ < s_.size() && s_[pos_] != L'(') {
      if (s_[pos_] == L'\\' && pos_ + 1 < s_.size()) ++pos_;
      else if (!IsLetter(s_[pos_]) && !IsDigit(s_[pos_]) && s_[pos_] != L' ') return;
      ++pos_;
    }
    if (pos_ >= s_.size() || s_[pos_] != L'(') return;
    int open = 0;
    while (pos_ < s_.size()) {
      wchar_t c = s_[pos_++];
      if (c == L'\\' && pos_ < s_.size()) ++pos_;
      else if (c == L'(') ++open;
      else if (c == L')' && --open == 0) return;
    }
    closed_ = false;
  }

  const std::wstring& s_;
  size_t pos_ = 0;
  bool closed_ = true;
  bool tooDeep_ = false;
};

// ---- the plain result ----

std::wstring Wrap(const std::wstring& t) { return t.size() <= 1 ? t : L"(" + t + L")"; }

// The options as one lower-case word, "\lc\{\rc\}" as "lc{rc}".
std::wstring OptionWord(const std::vector<EqOption>& options) {
  std::wstring word;
  for (const EqOption& o : options) {
    word += LCase(o.name);
    if (o.character) word += o.character;
  }
  return word;
}

std::wstring Render(const std::wstring& name, const std::wstring& options, const std::vector<std::wstring>& a) {
  auto arg = [&](size_t i) { return i < a.size() ? a[i] : std::wstring(); };
  if (name == L"F") return Wrap(arg(0)) + L"/" + Wrap(arg(1));
  if (name == L"R") return a.size() >= 2 ? arg(0) + L"√" + Wrap(arg(1)) : L"√" + Wrap(arg(0));
  if (name == L"S") {
    std::wstring t = Join(a, L"");
    if (Contains(options, L"up")) return L"^" + Wrap(t);
    if (Contains(options, L"do")) return L"_" + Wrap(t);
    return t;
  }
  if (name == L"O") {  // overstrike: the marks stand over the text, not as powers
    std::wstring t;
    for (const auto& part : a) t += StartsWith(part, L"^") ? part.substr(1) : part;
    return t;
  }
  if (name == L"B") {
    // "\bc" sets both brackets; "\lc" or "\rc" alone sets that side only (a
    // system of equations has just its left brace); no option means ( ).
    auto closing = [](wchar_t c) { return c == L'{' ? L'}' : c == L'[' ? L']' : c == L'(' ? L')' : c; };
    auto after = [&](const wchar_t* word) -> std::optional<wchar_t> {
      size_t at = options.find(word);
      if (at == std::wstring::npos || at + 2 >= options.size()) return std::nullopt;
      return options[at + 2];
    };
    std::wstring left = L"(", right = L")";
    if (auto both = after(L"bc")) {
      left = std::wstring(1, *both);
      right = std::wstring(1, closing(*both));
    } else if (after(L"lc") || after(L"rc")) {
      left = after(L"lc") ? std::wstring(1, *after(L"lc")) : L"";
      right = after(L"rc") ? std::wstring(1, *after(L"rc")) : L"";
    }
    return left + Join(a, L",") + right;
  }
  if (name == L"A") return Join(a, L"  ");
  if (name == L"L") return Join(a, L",");
  if (name == L"I") return (Contains(options, L"su") ? L"∑" : Contains(options, L"pr") ? L"∏" : L"∫") + Join(a, L" ");
  return Join(a, L"");
}

std::wstring Plain(const EqSequence& items) {
  std::wstring out;
  for (const EqItem& item : items) {
    if (!item.IsSwitch()) {
      out += item.text;
      continue;
    }
    std::vector<std::wstring> args;
    for (const EqSequence& a : item.args) args.push_back(Plain(a));
    out += Render(item.name, OptionWord(item.options), args);
  }
  return out;
}

}  // namespace

EqCode ReadEqCode(const std::wstring& code) {
  std::wstring body = Trim(code);
  if (UCase(Left(body, 2)) == L"EQ") body = Trim(body.substr(2));
  size_t merge = body.find(L"\\* MERGEFORMAT");
  if (merge != std::wstring::npos) body = Trim(body.substr(0, merge));
  return EqReader(body).Read();
}

std::wstring EqResultText(const std::wstring& code) { return Plain(ReadEqCode(code).body); }

}  // namespace plx::docif::model
