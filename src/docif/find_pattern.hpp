#pragma once
// The word processor's Find syntax turned into patterns for plx::RegExp.
// Find text comes in two dialects: plain text with "^" codes ("^p", "^t",
// "^#", "^13"...), and wildcards ("?", "*", "@", "{n,m}", "[...]", "(...)",
// "<", ">", "\" escapes). Replacement text has its own small syntax ("^&",
// "^p", "\1".."\9"), parsed once and expanded for each match.
#include <string>
#include <vector>

#include "platform/regexp.hpp"

namespace plx::docif {

// Error raised for a wildcard find text that cannot be understood.
constexpr int kBadFindPattern = 5560;

struct FindSpec {
  std::wstring text;
  bool matchWildcards = false;
  bool matchCase = false;
  bool matchWholeWord = false;
};

struct CompiledFind {
  std::wstring pattern;     // for RegExp.Pattern
  bool ignoreCase = false;  // for RegExp.IgnoreCase
};

// Raises VbError(5560, L"“查找内容”框中的模式匹配表达式无效。") for a malformed wildcard text
// (unbalanced brackets/parentheses/braces, an empty class, a reversed range like [z-a], a
// repetition with nothing before it, {n,m} with n > m or numbers above 255, a \N back
// reference to a group that does not exist yet) — never crash, never produce a pattern PCRE2
// rejects. Wildcard matching is always case-sensitive and ignores matchWholeWord.
CompiledFind TranslateFind(const FindSpec& request);

struct ReplacementPart {
  enum class Kind { Text, Group, Whole };
  Kind kind = Kind::Text;
  std::wstring text;  // for Text
  int group = 0;      // for Group, 1..9
};

// Never fails: whatever is not a known code stays literal text. Adjacent text merges into one
// Text part.
std::vector<ReplacementPart> ParseReplacement(const std::wstring& replacement, bool wildcards);

// The replacement text for one match (a group that did not take part gives empty text).
std::wstring ExpandReplacement(const std::vector<ReplacementPart>& parts,
                               const RegexMatch& match);

}  // namespace plx::docif
