#pragma once
// The TeX builder: a formula text becomes TeX for the equation editor add-in.
// While the rewriting loop runs, every "\sqrt", "^" and "_" the builder writes
// stands in the text as a key ("MyRStr" + index) so that later passes cannot
// take it for a keyword; the route restores the keys once the text is built.
#include <string>
#include <vector>

#include "formula/brackets.hpp"
#include "formula/formula_settings.hpp"

namespace plx {

struct TeXPieces {            // emptied at the start of each TeX conversion by the route
  std::vector<std::wstring> keys, pieces;
  // Stores the piece and returns its key; a piece stored before keeps its key,
  // so a conversion uses a handful of keys however long the formula is.
  std::wstring Add(const std::wstring& piece);
  void Clear();
};

std::wstring SetTeXEq(const std::wstring& text, const FormulaSettings& settings, const FormulaNotice& notice,
                      TeXPieces& pieces);

// Every key replaced by its piece, the highest index first ("MyRStr1" is the
// beginning of "MyRStr10").
std::wstring RestoreTeXPieces(const std::wstring& text, const TeXPieces& pieces);

// "@" + a letter of either case becomes the TeX Greek letter, with a blank on
// both sides; "@" before anything else stays.
std::wstring ChangeXLZM_Tex(const std::wstring& text);

// The words that are symbols in TeX (">=", "wqd", "du", "jiao", ...), replaced
// after the loop. A word that begins with the letter of a Greek "@" pair is no
// word there ("@du" is delta followed by u).
std::wstring ReplaceTeXWords(const std::wstring& text);

}  // namespace plx
