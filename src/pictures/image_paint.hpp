#pragma once
// Pictures embedded in a document drawn with cairo. PNG and JPEG are
// decoded (cairo's PNG reader, libjpeg); any other kind (EMF, WMF, GIF...)
// is drawn as a grey frame of the picture's size, so that the page keeps
// its place and shows that a picture stands there.
#include <cairo.h>

#include "pictures/scene.hpp"

namespace plx::pictures {

void PaintImage(cairo_t* cr, const Image& image);

}  // namespace plx::pictures
