#pragma once
// The teacher's own formula rules, kept in "config/zdygz.txt" beside the
// add-in as XML: under `root`, every element with an `org` child (a call
// pattern such as f(a,b)) and a `res` child (its rewriting, such as
// (a)/(b)) is a rule. Typed formulas are rewritten by them before
// conversion when blZDYGZ is on.
#include <string>
#include <vector>

namespace plx {

class AddinContext;

struct CustomRule {
  std::wstring org;
  std::wstring res;
};

// Rewrites every call of each rule in turn: f(x+1,2) with the rule above
// becomes (x+1)/(2). Arguments are split at the commas outside brackets and
// put in for the parameter names in one pass, so an argument that happens to
// spell another parameter's name stays as it is. A call whose argument count
// differs from the rule's, or whose bracket never closes, is left alone; a
// rule that keeps producing its own calls stops after a bounded number of
// rewritings.
std::wstring ApplyRules(const std::wstring& text, const std::vector<CustomRule>& rules);

// Reads the rules file and applies it; when the file cannot be read, says so
// and returns the text unchanged.
std::wstring ApplyZDYGZ(AddinContext& ctx, const std::wstring& text);

// The rules file's path in the install folder.
extern const wchar_t* const kCustomRulesFile;

}  // namespace plx
