#pragma once
// The answer to the equation editor's TeX toggle where no equation editor
// is installed: the TeX route leaves "$…$" texts selected and asks the host
// to run that macro; a host without the editor (the model application)
// registers this function as the macro instead.
#include <string>

namespace plx {

class AddinContext;

// The macro the TeX route runs after selecting its "$…$" text.
extern const wchar_t* const kTeXToggleMacro;

// Every "$…$" text of the selection becomes a host equation, built by the
// add-in's own converters (TeX to the formula language, then the linear
// builder). TeX it cannot read stays as it was, and the status bar says how
// many such places there are.
void TeXToggleToEquations(AddinContext& ctx);

}  // namespace plx
