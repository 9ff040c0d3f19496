#pragma once
// The guide to the formula language ("公式录入说明.doc", opened by typing
// "help" in the formula box), made from a readable source text.
#include <string>

namespace plx::tools {

// Reads the guide's source (UTF-8, one item a line) and writes the guide as a
// .docx package to `out`, each example shown with the formula the field-code
// builder makes of it. Lines:
//   = TEXT                      the document title
//   # TEXT, ## TEXT             a heading, a sub-heading
//   - TEXT                      a bulleted paragraph
//   例 FORMULA                  an example: the typed text and the formula it becomes
//   例 FORMULA —— NOTE          the same with a short remark
//   例[KEY=VALUE;...] FORMULA   the same with formula settings changed for it
//   表 CELL | CELL | ...         a row of a plain table (the first row is its header)
//   // TEXT                     a comment
//   anything else               a paragraph; a blank line ends a table
// Text between back quotes (`yuan(r)`) is set in the typing font. Consecutive
// examples form one table. A malformed line, or an example the builder
// cannot convert, throws std::runtime_error naming the line.
void MakeFormulaGuide(const std::string& out, const std::string& source);

}  // namespace plx::tools
