#pragma once
// The font families installed on this machine: their names, as a font
// chooser lists them, and how tall a line of one is.
#include <string>
#include <vector>

namespace plx {

// Family names from fontconfig, sorted and without duplicates; empty when
// fontconfig cannot be initialised.
std::vector<std::wstring> InstalledFontFamilies();

// The height of a line of text in `family`, in ems: the ascent and descent
// of the installed font fontconfig gives for the family (for Chinese text
// when `chinese`), which the word processor on this machine sets lines by
// (Noto Serif CJK, standing in for 宋体, is 1.44; DejaVu Serif 1.16). 1.2
// when no scalable font is found. Known families are looked up once.
double LineHeightEm(const std::wstring& family, bool chinese);

}  // namespace plx
