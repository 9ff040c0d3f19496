#pragma once
// Reading whole operands in TeX that is being built: the text holds keys of
// finished pieces (TeXPieces) next to TeX commands with their groups. A
// fraction takes a script together with its base ("x^2/3" is x squared over
// 3), a command together with its groups ("\frac{a}{b}", "\sqrt [3]{x}",
// "\int_{0}^{1}{f}") and "\left" ... "\right" as one whole.
#include <optional>
#include <string_view>
#include <vector>

#include "formula/tex_builder.hpp"

namespace plx {

class TeXReader {
 public:
  TeXReader(std::wstring_view text, const TeXPieces& pieces, bool digitRuns);

  // Where the operand that ends at `end` begins (left of an operator).
  size_t OperandBefore(size_t end) const;
  // Where the operand that begins at `begin` ends, scripts on it included.
  size_t OperandAfter(size_t begin) const;
  // Where the single element at `begin` ends: a key or a command with its
  // groups, a group, a run of digits, "@" and its letter, or one character.
  size_t AtomAfter(size_t begin) const;

 private:
  struct Key {
    size_t start, end;
    bool script;  // the piece is "^" or "_"
  };
  std::optional<Key> KeyStartingAt(size_t pos) const;
  std::optional<Key> KeyEndingAt(size_t pos) const;
  std::optional<Key> KeyCovering(size_t pos) const;

  size_t AtomBefore(size_t end) const;
  size_t HeadEndingAt(size_t pos) const;
  size_t ControlWordEndingAt(size_t pos) const;
  size_t LeftOfRightEndingAt(size_t end) const;
  size_t RightOfLeftAt(size_t begin) const;
  size_t ArgumentsAfter(size_t end) const;
  size_t ScriptEnd(size_t pos) const;
  size_t GroupEnd(size_t open) const;
  size_t GroupStart(size_t close) const;

  std::wstring_view text_;
  std::vector<Key> keys_;
  bool digitRuns_;
};

}  // namespace plx
