#pragma once
// The toolbar and menu pictures: each button bitmap the ribbon uses, as
// PNG at the office's small (16 px) and large (26 px) toolbar sizes.
#include <string>
#include <vector>

#include "ribbon_tree.hpp"

namespace plx::oxt {

inline constexpr int kIconSizes[] = {16, 26};

// The picture's file name in icons/ at a size. Characters other than ASCII
// letters, digits and "_" are written as "_u", their hex code and "_", so
// "(1)" at 16 px is "_u28_1_u29__16.png": the name stands in a URL and a
// zip entry.
std::string IconFile(const std::wstring& image, int pixels);

// Writes DIR/IconFile(image, size) for every picture the buttons use, read
// from IMG/<image>.bmp. The bitmaps are black ink on white; the ink keeps
// its coverage as opacity over a transparent ground, so the icons sit on
// any toolbar colour. Coloured pixels stay opaque.
void WriteIcons(const std::vector<RibbonButton>& buttons, const std::string& imgDir, const std::string& outDir);

}  // namespace plx::oxt
