#pragma once
// Draws a scene with cairo: outlines with dashes and arrowheads, solid and
// pattern fills, text through pango with the installed fonts (fontconfig
// picks the nearest installed family for a font the machine lacks).
#include <cairo.h>

#include "pictures/scene.hpp"

namespace plx::pictures {

// Draws the scene onto `cr`, whose user space is in points.
void Paint(cairo_t* cr, const Scene& scene);

}  // namespace plx::pictures
