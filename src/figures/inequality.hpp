#pragma once
// Reading the inequalities typed into the number-line dialog: the simple
// forms ("x>=3", "3>x", "-1<x<=2", "2>=x>-1") by their patterns, and
// linear inequalities ("2x+1>x-3", "2x>4") by solving them.
#include <optional>
#include <string>
#include <vector>

namespace plx::graph {
class ScriptEngine;
}

namespace plx::figures {

// One solution set: its kind ("BigThanA", "NoLessThanA", "LessThanA",
// "NoBigThanA", "BTaLTb", "NLTaLTb", "BTaNBTb", "NLTaNBTb") and the endpoint
// texts as typed (b empty for a single-ended kind).
struct TypedInterval {
  std::wstring kind;
  std::wstring a, b;
};

bool IsTwoEnded(const std::wstring& kind);
// Whether endpoint a (or b) belongs to the set: a filled dot.
bool EndAClosed(const std::wstring& kind);
bool EndBClosed(const std::wstring& kind);
// Whether a single-ended set runs to the right of a.
bool RunsRight(const std::wstring& kind);

// What a teacher types for a relation, written with the ASCII signs the
// patterns read: full-width characters folded, the minus sign U+2212 of a
// copied text "-", "≥" ">=", "≤" "<=", "≠" "<>".
std::wstring PlainRelations(const std::wstring& text);

// Whether the element is solved as a linear inequality rather than read by
// the patterns: "x" occurs more than once, or it has one relation sign and
// "x" is not alone on one side of it ("2x>4", "x+1>3"), or it says "<>".
bool NeedsSolver(const std::wstring& element);

// The solution sets the patterns read from one element (each match of the
// chosen pattern is one set); nothing when no pattern matches.
std::optional<std::vector<TypedInterval>> ReadInequality(const std::wstring& element);

// A linear inequality f(x) REL g(x) solved for x.
struct LinearSolution {
  enum class Kind { Bounded, AllNumbers, Empty };
  Kind kind = Kind::Bounded;
  std::wstring relation;  // of x to the boundary: ">", ">=", "<", "<=" or "<>"
  std::wstring boundary;  // formatted "0.00"
};
// Nothing when the text has no relation sign; raises VbError when a side
// cannot be evaluated.
std::optional<LinearSolution> SolveLinearInequality(graph::ScriptEngine& engine, const std::wstring& text);

// The sets that draw a solved inequality: the single-ended kind its
// relation names ("<>" as the two rays on either side of the boundary).
std::vector<TypedInterval> SolutionIntervals(const LinearSolution& solution);

}  // namespace plx::figures
