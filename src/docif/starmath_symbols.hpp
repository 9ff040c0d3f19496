#pragma once
// The text of formulas in LibreOffice Math's language: the characters of
// a math run as Math's tokens, and a row of them joined so that Math reads
// every operator with its operands.
#include <string>
#include <vector>

namespace plx::docif::starmath {

enum class Role {
  kOperand,  // a term: a letter, a number, a structure, quoted text
  kInfix,    // a relation or binary operator: a term on both sides
  kSign,     // + - ±: a term after it, maybe one before
  kPrefix,   // a function name: a term after it
};

struct Piece {
  std::wstring text;
  Role role = Role::kOperand;
};

// The pieces of a math run's text; `upright` marks a function name.
void AppendText(const std::wstring& text, bool upright, std::vector<Piece>& pieces);

// The pieces as one row, with an empty group where an operator lacks a term.
std::wstring Join(const std::vector<Piece>& pieces);

// Text set as it is, in quotes (Math has no escape for a quote inside
// them: a straight double quote becomes the closing curly one).
std::wstring Quoted(const std::wstring& text);

// Math's limit operators, which take what lies below as "from".
bool IsLimitOperator(const std::wstring& word);

// Math's large operator for the character of a markup n-ary ("sum", "int").
std::wstring NaryOperator(const std::wstring& chr);

}  // namespace plx::docif::starmath
