#include <cwctype>
#include <string>
#include <tuple>
#include <vector>

#include "common/text.hpp"
#include "docif/model/model_collections.hpp"

namespace plx::docif::model {
namespace {

// A small reader of EQ field bodies: text, and commands "\X" with options
// ("\up6", "\lc\{") followed by a bracketed argument list.
class EqReader {
 public:
  explicit EqReader(const std::wstring& s) : s_(s) {}

  std::wstring Sequence(bool inArgs) {
    std::wstring out;
    while (pos_ < s_.size()) {
      wchar_t c = s_[pos_];
      if (inArgs && (c == L',' || c == L')' || c == L';')) break;
      if (c == L'\\') {
        out += Command();
      } else {
        out += c;
        ++pos_;
      }
    }
    return out;
  }

 private:
  std::wstring Command() {
    ++pos_;  // backslash
    if (pos_ >= s_.size()) return {};
    wchar_t c = s_[pos_];
    if (!std::iswalpha(c)) {  // an escaped character: "\," "\(" "\\"
      ++pos_;
      return std::wstring(1, c);
    }
    std::wstring name;
    while (pos_ < s_.size() && std::iswalpha(s_[pos_])) name += static_cast<wchar_t>(std::towupper(s_[pos_++]));
    // Options: more switches with digits or an escaped bracket, before the arguments.
    // Option words and escaped characters run together: "\lc\{" gives "lc{".
    std::wstring options;
    while (pos_ < s_.size() && s_[pos_] != L'(') {
      if (s_[pos_] == L'\\' && pos_ + 1 < s_.size()) {
        ++pos_;
        if (!std::iswalpha(s_[pos_])) options += s_[pos_++];
        while (pos_ < s_.size() && std::iswalpha(s_[pos_])) options += s_[pos_++];
      } else if (std::iswdigit(s_[pos_]) || s_[pos_] == L' ') {
        ++pos_;
      } else {
        break;
      }
    }
    std::vector<std::wstring> args;
    if (pos_ < s_.size() && s_[pos_] == L'(') {
      ++pos_;
      while (true) {
        args.push_back(Sequence(true));
        if (pos_ >= s_.size()) break;
        wchar_t sep = s_[pos_++];
        if (sep == L')') break;
      }
    }
    return Render(name, LCase(options), args);
  }

  static std::wstring Wrap(const std::wstring& t) {
    return t.size() <= 1 ? t : L"(" + t + L")";
  }

  static std::wstring Render(const std::wstring& name, const std::wstring& options,
                             const std::vector<std::wstring>& a) {
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
      std::wstring left = L"(", right = L")";
      for (const auto& [mark, open, close] : {std::tuple{L'{', L"{", L"}"}, std::tuple{L'[', L"[", L"]"},
                                              std::tuple{L'|', L"|", L"|"}}) {
        if (Contains(options, std::wstring(L"lc") + mark)) left = open;
        if (Contains(options, std::wstring(L"rc") + (mark == L'{' ? L'}' : mark == L'[' ? L']' : mark))) right = close;
      }
      if (Contains(options, L"bc")) left = right = L"";
      return left + Join(a, L",") + right;
    }
    if (name == L"A") return Join(a, L"  ");
    if (name == L"I") return L"∫" + Join(a, L" ");
    return Join(a, L"");
  }

  const std::wstring& s_;
  size_t pos_ = 0;
};

}  // namespace

std::wstring EqResultText(const std::wstring& code) {
  std::wstring body = Trim(code);
  if (UCase(Left(body, 2)) == L"EQ") body = Trim(body.substr(2));
  size_t merge = body.find(L"\\* MERGEFORMAT");
  if (merge != std::wstring::npos) body = Trim(body.substr(0, merge));
  EqReader reader(body);
  return reader.Sequence(false);
}

}  // namespace plx::docif::model
