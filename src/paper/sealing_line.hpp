#pragma once
// The sealing line of an exam paper: a text box at the page edge holding the
// candidate's information (configured text "txtMFX"), a ruled line and the
// dotted line with 密 封 线, the information always outside the line.
namespace plx {

class AddinContext;

enum class SealingSide { Left = 0, Right = 1, Top = 2 };

// Adds the box; returns nothing, errors end it (what was added stays).
void SealingLine(AddinContext& ctx, SealingSide side);

}  // namespace plx
