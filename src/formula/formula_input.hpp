#pragma once
// The formula command: the selection (or a typed text) becomes a formula by
// the route iMathType chooses.
#include <string>

namespace plx {

class AddinContext;
namespace docif { class Range; }

// The formula command on the selection; with nothing selected it asks for a text.
void GS_Main(AddinContext& ctx);

// Takes a formula text (asks for one when `text` is empty; "help" opens the
// guide document), folds its width, and sends it to the route of iMathType.
void InputGS(AddinContext& ctx, const std::wstring& text);

// Writes the range's superscript and subscript runs in the formula language
// ("^(" + run + ")", "_(" + run + ")") and returns the range's new text.
std::wstring ChangeSXb(docif::Range& range);

// The guide to the formula language, in the install folder.
extern const wchar_t* const kFormulaGuideName;

}  // namespace plx
