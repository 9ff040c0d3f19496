#pragma once
// The three ways a formula text reaches the document: an EQ field, TeX handed
// to the equation editor add-in, or the host's own equation object. Each one
// prepares the text (formula_prep.hpp), builds it and places the result at
// the selection; failures are shown to the user and change nothing.
#include <string>

#include "formula/formula_settings.hpp"

namespace plx {

class AddinContext;

// The gsconfig settings of the loaded configuration.
FormulaSettings LoadFormulaSettings(AddinContext& ctx);

// Whether an EQ body holds a field switch with an argument list (otherwise it
// is plain text and is typed as such).
bool HasFieldSwitch(const std::wstring& body);

void OutPutFldGS(AddinContext& ctx, const std::wstring& text);
void My_TeXToggle(AddinContext& ctx, const std::wstring& text);
void OutPutOmathGS(AddinContext& ctx, const std::wstring& text);

// The equation converter's entries: interval rule and builder, inserted at the
// selection without the bracket dialogue.
void AddFldGS(AddinContext& ctx, const std::wstring& text);
void AddOmathGS(AddinContext& ctx, const std::wstring& text);

// Sends a formula text to the route chosen by iMathType.
void OutputByMathType(AddinContext& ctx, const std::wstring& text);

}  // namespace plx
