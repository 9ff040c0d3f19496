#pragma once
// A story's equations and EQ fields drawn typeset in place of their text.
#include <vector>

#include "docif/range.hpp"
#include "pictures/scene.hpp"

namespace plx::pictures {

// Typesets every built-up equation and every EQ field (showing its result)
// in `story` whose characters are among `pieces`, at the place of its first
// character, moved by (dx, dy); the pieces of those characters are taken
// out of `pieces`, so that the caller draws only the remaining text.
void AddTypesetMath(Scene& scene, docif::Range& story, std::vector<docif::LaidText>& pieces, double dx, double dy);

}  // namespace plx::pictures
