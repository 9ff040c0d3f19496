#pragma once
// EQ field codes read into their switches. One reading serves both the
// plain result text a field shows where no formula layout is done
// (EqResultText) and the conversion into the equations' linear format that
// the .docx writer stores as the field's result.
#include <string>
#include <vector>

namespace plx::docif::model {

// One option of a switch: "\up6" is {UP, 6}, "\lc\{" is {LC, none, '{'}.
// An escaped character that follows no option word has an empty name.
struct EqOption {
  std::wstring name;  // upper-cased
  int number = -1;    // -1 when no digits follow
  wchar_t character = 0;
};

struct EqItem;
using EqSequence = std::vector<EqItem>;

// Text, or a switch ("\F", "\S" …) with its options and its argument list.
struct EqItem {
  std::wstring text;  // the characters of a text item, escapes resolved
  std::wstring name;  // the switch, upper-cased; empty for text
  std::vector<EqOption> options;
  std::vector<EqSequence> args;
  bool IsSwitch() const { return !name.empty(); }
};

// Switches nest at most this deep; a deeper switch is kept as its code text.
constexpr int kMaxEqDepth = 32;

struct EqCode {
  EqSequence body;
  bool closed = true;    // every argument list ends with its ")"
  bool tooDeep = false;  // part of the code was nested too deep and kept as text
};

// The body of a field code ("EQ " and a trailing "\* MERGEFORMAT" removed)
// read into items. Nothing is refused: what forms no switch is text. In an
// argument list, "(" and ")" in the text nest, so "\F(f(x,y),2)" has the
// two arguments "f(x,y)" and "2".
EqCode ReadEqCode(const std::wstring& code);

}  // namespace plx::docif::model
