#pragma once
// Lines up multiple-choice options typed as text ("A．…  B．…  C．…  D．…"):
// the blanks before each later label become one tab, and tab stops put the
// labels in columns, four or two to a line. Options too wide for their
// column move to a line of their own pair (or their own line), so that the
// labels still stand in columns.
#include <string>

namespace plx {

class AddinContext;

// How a paragraph's text reads as an option line.
enum class OptionLine { None, Four, Two, SecondPair };

// Recognises a paragraph's text (ending in its paragraph mark): four options
// A to D, two options A and B, or, right after a two-option line, the pair
// C and D.
OptionLine ClassifyOptionLine(const std::wstring& paragraphText, OptionLine previous);

// Aligns every option paragraph of the selection, or of the whole document
// when nothing is selected. Returns the number of paragraphs aligned.
int AlignOptions(AddinContext& ctx);

// Estimated width in points of a text at a font size: CJK and full-width
// characters one em, others half an em.
double TextWidth(const std::wstring& text, double size);

}  // namespace plx
