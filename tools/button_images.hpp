#pragma once
// Drawing the button images: short texts centred on 32 x 32 bitmaps.
#include <string>
#include <vector>

namespace plx::tools {

// Writes DIR/NAME.bmp for every "NAME<tab>TEXT" line of the list, drawing
// with the first of the fonts that has every character of the text.
// Throws with a clear message when no font has a character.
void MakeButtonImages(const std::string& list, const std::string& dir, const std::vector<std::string>& fonts);

}  // namespace plx::tools
