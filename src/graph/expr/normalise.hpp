#pragma once
// Turns what a teacher types into a numeric box or a function box ("2x+1", "sin2x",
// "gh(3)", "2pi", "[x+1]", "e^x") into the plain arithmetic both evaluators read: lower case,
// "*" written out, round brackets only, the evaluator's function names ("log" natural
// logarithm, "sqr" square root, "sin", "cos", "tan", "atn", "exp", "abs", "sgn") and the
// constants written as numbers (pi 3.14159, e 2.71828).
#include <string>

namespace plx::graph {

// The rewrite runs in a fixed order, and later steps see what earlier ones wrote:
//  1. lower case;
//  2. "log" -> "ln", "gh" -> "sqr", "ln" -> "log", "sqrt" -> "sqr";
//  3. one pass over the characters: a leading "-" before a letter becomes "-1*"; a digit,
//     ".", "x" or closing bracket after a letter other than "x" opens a bracket (sin2 ->
//     sin(2), closed again before the next + - * / or at the end); a "*" goes between such a
//     character and a following letter or opening bracket; "[" "{" and "]" "}" become round
//     brackets, and a closing bracket also closes one automatic bracket still open inside
//     it; blanks disappear;
//  4. "pi" -> "3.14159", a lone "e" -> "2.71828", "()" removed.
// The letters of a function name are left alone: the "x" of "exp" is not the variable and
// its "e" is not the constant, so "exp(1)" stays an exp call. Only an "e" with no letter on
// either side is the constant; one inside a word ("sec", "exp") stays as typed.
//
// Before step 1 the text is read the way a teacher types it (TeacherNotation).
std::wstring NormaliseExpression(const std::wstring& text);

// What a teacher types without thinking, written plainly, in lower case:
// full-width characters folded; a leading "y=", "f(x)=", "x=", "r=" (or
// "x(t)=" ...) dropped; raised digits as powers ("x²" is x^2); "|x|" as
// abs(x); "×" "·" "÷" "π" "√" as * * / pi sqr; a blank after a function name
// dropped ("sin x" is sin of x); a number in exponent form ("1e3") kept a
// number, written (1*10^(3)).
std::wstring TeacherNotation(const std::wstring& text);

// Writes the decimal text of `value` for every variable letter `name` (either case) of a
// normalised expression, leaving the letters of words such as "exp" alone. A negative value
// is put in brackets so that "x^2" at -0.5 reads "(-0.5)^2", not "-0.5^2" (which is -0.25).
std::wstring SubstituteVariable(const std::wstring& expression, wchar_t name, double value);

}  // namespace plx::graph
