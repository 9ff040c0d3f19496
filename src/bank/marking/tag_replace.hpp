#pragma once
// One marking rule run over a part of the document: every match of the
// wildcard find text becomes the replacement text. Only the tag the
// replacement adds is written, in bold and the given colour; the paragraph
// mark and the marked text it puts back keep their own formatting, so
// removing the tag gives the text back as it was. Rules written to find a
// paragraph start ("^13" first) would miss
// a paragraph with no mark before it: the first of the part, one right
// after a table (its row ends with a cell mark). Those starts are tried
// too, with the same rule less its "^13".
#include <cstdint>
#include <string>

#include "docif/document.hpp"

namespace plx::bank {

struct TagRule {
  std::wstring find, replace;
  uint32_t colour = 0;
};

// Runs the rule over [part.Start(), part.End()) and returns how many tags it wrote.
int ApplyTagRule(docif::Document& doc, docif::Range& part, const TagRule& rule);
// The rule less its paragraph mark, run only where a match begins a
// paragraph or follows a blank inside one ("1．C　2．B" both) and is not the
// start of a decimal ("2.5", while "6．4" is answer 4 of question 6). For
// answers listed several to a line.
int ApplyTagRuleAfterBlanks(docif::Document& doc, docif::Range& part, const TagRule& rule);

}  // namespace plx::bank
