#pragma once
// The rewriting loop shared by the three formula builders. Each pass finds
// the winning keyword (keywords.hpp), hands the case to the builder, and
// applies the rewrite the builder returns; the loop ends when no keyword is
// left. Outputs may contain further keywords, converted in later passes.
//
// The loop always ends: a keyword that is no construct where it stands (a "^"
// at the end, an underscore used as a blank, a "/" the builder leaves as it
// is) is masked for the rest of the loop and restored afterwards; a rewrite
// that changes nothing counts as such a mask; and a text that keeps growing
// or a loop that runs too long stops with FormulaStopped.
#include <string>
#include <string_view>
#include <vector>

#include "common/error.hpp"
#include "formula/brackets.hpp"

namespace plx {

// A formula that cannot be converted; the message says why. Routes show it
// and leave the document as it was.
class FormulaStopped : public VbError {
 public:
  explicit FormulaStopped(std::wstring message) : VbError(err::kInvalidCall, std::move(message)) {}
};

struct CaseInput {
  int caseNumber = 0;
  size_t pos = 0;            // where the keyword starts
  size_t afterName = 0;      // just after its name ("yuan", "gh", "^")
  std::wstring_view text;    // the whole current text
  std::wstring group;        // the bracketed group after the name, or empty
  std::wstring inner;        // the group without its outer brackets
  std::vector<std::wstring> args;  // inner split at the commas outside brackets

  // The keyword's name plus its group: what most cases replace.
  std::wstring Target() const;
  // Argument i (0-based) trimmed; empty when there are fewer.
  std::wstring Arg(size_t i) const;
  // Arguments from i on, joined again with ",": an integrand may hold commas.
  std::wstring ArgsFrom(size_t i) const;
};

struct Rewrite {
  enum class Kind { ReplaceAll, ReplaceAt, NotAConstruct, Finish };
  Kind kind = Kind::NotAConstruct;
  std::wstring target;         // ReplaceAll: every occurrence of this...
  std::wstring output;         // ...(or the span) becomes this
  size_t start = 0, length = 0;  // ReplaceAt: the span

  static Rewrite All(std::wstring target, std::wstring output) {
    return {Kind::ReplaceAll, std::move(target), std::move(output), 0, 0};
  }
  static Rewrite At(size_t start, size_t length, std::wstring output) {
    return {Kind::ReplaceAt, {}, std::move(output), start, length};
  }
  static Rewrite Skip() { return {}; }
  // Ends the loop at once; the builder returns the text as it stands.
  static Rewrite Stop() { return {Kind::Finish, {}, {}, 0, 0}; }
};

class CaseWriter {
 public:
  virtual ~CaseWriter() = default;
  virtual Rewrite Write(const CaseInput& in) = 0;
};

struct LoopResult {
  std::wstring text;
  bool stopped = false;  // a case ended the loop (Rewrite::Stop)
};

// Whether the "_" at pos is a subscript: one followed by nothing, a blank,
// "." or another "_" is part of a blank to fill in and stays as it is.
bool IsSubscriptAt(std::wstring_view text, size_t pos);

LoopResult RunRewriteLoop(std::wstring text, CaseWriter& writer, const FormulaNotice& notice);

// Builders call themselves on arguments (sums, systems of equations); this
// bounds how deep such calls may nest before the formula is refused.
class NestingGuard {
 public:
  explicit NestingGuard(int& depth);
  ~NestingGuard() { --depth_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace plx
