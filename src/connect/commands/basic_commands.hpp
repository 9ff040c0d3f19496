#pragma once
// Commands the command table runs directly: the two mode toggles, the About
// commands, the drawing tools that insert one shape, the equation object,
// refreshing the screen and the web resource commands.
#include <string>

namespace plx {

class AddinContext;

void ToggleDrawMode(AddinContext& ctx);
void ToggleFormulaMode(AddinContext& ctx);

void ShowVersion(AddinContext& ctx);
void OpenAddress(AddinContext& ctx, const std::wstring& address);
void ShowAuthor(AddinContext& ctx);
void SearchAnswer(AddinContext& ctx);

// zt1: a circle 80 × 80 at (200, 200); zt2: a square 80 × 80 at (100, 100);
// no fill, black line, selected.
void InsertCircle(AddinContext& ctx);
void InsertSquare(AddinContext& ctx);

// An embedded "Equation.3" object at the selection.
void InsertEquationObject(AddinContext& ctx);
void RefreshScreen(AddinContext& ctx);

}  // namespace plx
