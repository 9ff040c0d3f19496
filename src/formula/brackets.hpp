#pragma once
// Bracket groups and fraction operands of the formula language. Brackets are
// "()", "[]" and "{}"; a backslash before one ("\(") makes it no bracket.
// Positions are 0-based.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plx {

// Shows a message to the user (the builders' only kind of box).
using FormulaNotice = std::function<void(const std::wstring&)>;

// Whether the three kinds of bracket each open as often as they close; their
// order does not matter (")(" is balanced).
bool IsBracketBalanced(std::wstring_view text);

// The bracketed group that starts at pos (an opening bracket: up to the first
// closing bracket of its kind where the group is balanced) or ends at pos (a
// closing bracket: back to the nearest such opening bracket). Empty when there
// is none; a character that is no bracket is reported through `notice`.
std::wstring GetBracketGroup(std::wstring_view text, size_t pos, const FormulaNotice& notice);

// Operands of the operator at pos: the one ending just before it (a bracket
// group, a run of digits when `digitRuns`, "@" with its letter, or one
// character) and the one starting just after it (a group, a run of digits
// when `digitRuns`, "@" with its letter, or one character). Empty at either end.
std::wstring strGetFZ(std::wstring_view text, size_t pos, bool digitRuns, const FormulaNotice& notice);
std::wstring strGetFM(std::wstring_view text, size_t pos, bool digitRuns, const FormulaNotice& notice);

// The text split at every "," that lies outside brackets: a piece that is
// not balanced is joined again to the next one, the comma restored, so
// "f(x,y)=0,x=1" has two pieces.
std::vector<std::wstring> SplitOutsideBrackets(const std::wstring& text);

// "pi", "pI", "Pi" and "PI" become "@p".
std::wstring ReplacePi(std::wstring text);

bool IsOpeningBracket(wchar_t c);
bool IsClosingBracket(wchar_t c);

}  // namespace plx
