#pragma once
// The settings of the "mhgsconfig" group that the embellishment reads.
#include <string>
#include <vector>

#include "docif/formats.hpp"

namespace plx {

class AddinContext;

struct EmbellishSettings {
  int noSelection = 0;  // an empty selection means 0 the document, 1 the page, 2 nothing
  std::wstring ReplaceRull = L">=,≥|<=,≤|<>,≠";
  std::wstring FontName = L"Times New Roman";
  bool blItalic = true, blBold = false;
  std::wstring FontName_Num = L"Times New Roman";
  bool blItalic_Num = false, blBold_Num = false;
  std::wstring sxbFontSize = L"小五";
  std::wstring FuncList = L"sin,cos,tan,cot,sec,csc,arcsin,arccos,arctan,log,lg,ln,lim,max,min,exp";

  // Loads the group; keys it lacks keep the values above.
  static EmbellishSettings Load(AddinContext& ctx);

  // The font, italic and bold of letters and of digits; bold is set only
  // when asked for, and text already bold stays bold.
  docif::FontFormat LetterFont() const;
  docif::FontFormat DigitFont() const;
  // The function names to set upright, trimmed, without empty ones.
  std::vector<std::wstring> Functions() const;
  // The size of raised and lowered parts of field codes in text of
  // `textSize` points: sxbFontSize as a type size name or points, never
  // above the text's size; when it names no size, two thirds of the text's
  // size, rounded to half points.
  double ScriptSize(double textSize) const;
};

}  // namespace plx
