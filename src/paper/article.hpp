#pragma once
// One-click formats for the parts of a short article for a teaching
// journal, each bound to a paragraph style whose name ends in "_Plendrix".
#include <string>

namespace plx {

class AddinContext;

// Creates each of the six "_Plendrix" styles the active document lacks.
void PaiBan_StyleCheck(AddinContext& ctx);
// Leading blanks of the paragraphs removed; the whole document in "正文",
// "宋体" 10.5 pt, 1.5 lines, first lines indented two characters.
void PaiBan_YuChuLi(AddinContext& ctx);
void Del_Front_Space(AddinContext& ctx);
void PaiBan_ZhengBiaoTi(AddinContext& ctx);
void PaiBan_FuBiaoTi(AddinContext& ctx);
// The author style, then the name in "宋体" and the unit in brackets in the
// style's "楷体".
void PaiBan_ZuoZhe(AddinContext& ctx);
// "摘要", "关键词" or "参考文献": the style, and the label itself in "黑体";
// a paragraph without the label gets the not-found message and keeps its text.
void SetPaiBan_Other(AddinContext& ctx, const std::wstring& label);
// A continuous section break at the insertion point (replacing a selection).
void InsertContinuousSectionBreak(AddinContext& ctx);

}  // namespace plx
