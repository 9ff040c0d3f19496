#pragma once
// One-key repairs of pasted material. The picture, border, table and
// baseline commands work on the selection, or on the whole document when
// the selection is only an insertion point; the numbering and spacing
// commands on the paragraphs of the selection.
#include <string>

namespace plx {

class AddinContext;

// Black light-downward-diagonal hatching on the selected shapes, or none.
void HatchSelectedShapes(AddinContext& ctx, bool on);
// Single borders round the inline pictures, or none.
void PictureBorders(AddinContext& ctx, bool on);
// Removes the borders of the tables.
void RemoveTableBorders(AddinContext& ctx);
// Centres the paragraphs' characters on the text line (formulas and
// pictures stand in the middle of the line).
void CentreOnLine(AddinContext& ctx);

// A typed question number at the start of a paragraph ("12．", "3.",
// "1、"): its length, or 0 when the text does not begin with one.
size_t TypedQuestionNumber(const std::wstring& paragraphText);
// Whether the paragraph heads a paper's separate answer part: "答案", a
// text that starts with "参考答案" (or "数学答案", "标准答案", "试卷答案"),
// or a title that ends with "参考答案".
bool IsAnswerHeading(const std::wstring& paragraphText);
// Typed question numbers become automatic ones ("%1．"), continuing
// through the questions; the answer part after its heading is numbered on
// its own from 1, and an answer whose typed number is not the one that list
// gives keeps it. Returns how many paragraphs were renumbered.
int Renumber(AddinContext& ctx);
// Automatic numbers become typed text; without any, renumbers.
void SwitchNumbering(AddinContext& ctx);
// Line spacing of the selected paragraphs one point more (or less; never
// below one point).
void ChangeLineSpacing(AddinContext& ctx, double points);

}  // namespace plx
