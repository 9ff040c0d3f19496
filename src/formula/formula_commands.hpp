#pragma once
// The direct formula commands of the ribbon: fraction, radical, system of
// equations, recurring decimal, arc and vector. With a selection they build
// the field around the selected text, keeping its formatting; with nothing
// selected they ask for the text (or open the fraction or radical dialog).
namespace plx {

class AddinContext;

void GS_FenShu(AddinContext& ctx);
void GS(AddinContext& ctx);
void GS_FCZ(AddinContext& ctx);
void GS_XHXS(AddinContext& ctx);
void GS_Hu(AddinContext& ctx);
void GS_XL(AddinContext& ctx);

}  // namespace plx
