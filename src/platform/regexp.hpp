#pragma once
// The regular-expression object the add-in's text rules use: Pattern,
// Global, IgnoreCase, MultiLine; Test, Execute and Replace with "$1"
// references. Patterns follow the script-engine dialect ("\u4e00" escapes,
// lazy quantifiers, full-width characters in classes) and run on PCRE2's
// 32-bit library directly over std::wstring. A bad pattern raises error 5
// with the engine's message.
#include <memory>
#include <string>
#include <vector>

namespace plx {

struct RegexMatch {
  size_t FirstIndex = 0;  // 0-based position in the searched text
  size_t Length = 0;
  std::wstring Value;
  std::vector<std::wstring> SubMatches;  // a group that did not take part is empty
};

class RegExp {
 public:
  RegExp();
  ~RegExp();
  RegExp(const RegExp&) = delete;
  RegExp& operator=(const RegExp&) = delete;

  std::wstring Pattern;
  bool Global = false;
  bool IgnoreCase = false;
  bool MultiLine = false;

  bool Test(const std::wstring& text);
  // All matches when Global, else at most the first.
  std::vector<RegexMatch> Execute(const std::wstring& text);
  // Replaces the matches (all when Global); the replacement understands
  // "$1".."$99", "$&", "$`", "$'" and "$$".
  std::wstring Replace(const std::wstring& text, const std::wstring& replacement);

 private:
  struct Compiled;
  Compiled& Compile();
  std::unique_ptr<Compiled> compiled_;
};

}  // namespace plx
