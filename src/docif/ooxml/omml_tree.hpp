#pragma once
// The structure of an equation's linear format (the UnicodeMath-like text
// the host's equations hold), as the parser finds it and the OMML writer
// writes it.
#include <string>
#include <vector>

namespace plx::docif::ooxml {

struct MathNode {
  enum class Kind {
    kText,    // text: one character, a run of digits or a function name
    kRow,     // kids in sequence
    kFrac,    // numerator, denominator
    kSup,     // base, superscript
    kSub,     // base, subscript
    kSubSup,  // base, subscript, superscript
    kRad,     // degree (empty: none), radicand
    kDelim,   // content between open and close ("" shows no bracket)
    kMatrix,  // rows, each a row of cells
    kEqArr,   // rows
    kFunc,    // function name, argument
    kLimLow,  // base, limit below
    kLimUpp,  // base, limit above
    kNary,    // text is the operator; lower limit, upper limit, operand
    kAcc,     // text is the accent; base
    kBar,     // base; text is "top" or "bot"
  };
  Kind kind = Kind::kRow;
  std::wstring text;
  std::wstring open, close;
  bool word = false;    // kText: a function name, set upright
  bool undOvr = false;  // kNary: limits below and above instead of as scripts
  int height = 1;       // levels of nodes from here down, the writer's recursion depth
  std::vector<MathNode> kids;
};

// Nodes never nest deeper than this: deeper input stays plain text.
constexpr int kMaxMathHeight = 64;

// The structure of a linear-format text, always a kRow. Nothing is
// refused: what does not form a construct stays text, character for
// character.
MathNode ParseLinear(const std::wstring& text);

// Characters that end the operand of a fraction or a large operator.
bool IsMathOperator(wchar_t c);

}  // namespace plx::docif::ooxml
