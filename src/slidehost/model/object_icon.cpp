#include "slidehost/model/object_icon.hpp"

#include <cairo.h>

#include <memory>

namespace plx::slides::model {

namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

ObjectIcon DocumentIcon() {
  constexpr int w = 64, h = 80;
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), cairo_surface_destroy);
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
  cairo_t* c = cr.get();
  // The page, its folded corner and a few grey lines of text.
  cairo_move_to(c, 6, 4);
  cairo_line_to(c, 44, 4);
  cairo_line_to(c, 58, 18);
  cairo_line_to(c, 58, 76);
  cairo_line_to(c, 6, 76);
  cairo_close_path(c);
  cairo_set_source_rgb(c, 1, 1, 1);
  cairo_fill_preserve(c);
  cairo_set_source_rgb(c, 0.17, 0.34, 0.6);
  cairo_set_line_width(c, 2);
  cairo_stroke(c);
  cairo_move_to(c, 44, 4);
  cairo_line_to(c, 44, 18);
  cairo_line_to(c, 58, 18);
  cairo_stroke(c);
  cairo_set_source_rgb(c, 0.6, 0.6, 0.6);
  for (int y = 28; y <= 68; y += 8) {
    cairo_move_to(c, 14, y);
    cairo_line_to(c, 50, y);
  }
  cairo_stroke(c);
  ObjectIcon icon;
  cairo_surface_write_to_png_stream(surface.get(), Append, &icon.png);
  icon.width = w;
  icon.height = h;
  return icon;
}

}  // namespace plx::slides::model
