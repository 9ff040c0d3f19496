#include "slide_backgrounds.hpp"

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "pictures/picture_file.hpp"
#include "pictures/raster_files.hpp"

namespace plx::tools {

namespace {

// 4:3 like a new presentation's slides, at 96 dpi.
constexpr int kWidth = 960, kHeight = 720;

struct Rgb {
  double r, g, b;
};

// Pale colours: every background stays near white so that black text
// reads on it from the back of a classroom.
constexpr Rgb kPastels[] = {
    {0.93, 0.96, 1.00}, {0.99, 0.97, 0.91}, {0.93, 0.98, 0.94}, {0.99, 0.94, 0.94}, {0.96, 0.94, 0.99},
    {0.94, 0.98, 0.99}, {1.00, 0.97, 0.93}, {0.95, 0.97, 0.92}, {0.97, 0.95, 0.97}, {0.92, 0.95, 0.98},
    {0.98, 0.98, 0.93}, {0.94, 0.96, 0.96},
};
constexpr int kPastelCount = sizeof kPastels / sizeof kPastels[0];

// A small deterministic generator, so the pictures are the same every build.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }

 private:
  uint32_t state_;
};

void Gradient(cairo_t* c, int n) {
  const Rgb a = kPastels[n % kPastelCount], b = kPastels[(n * 5 + 3) % kPastelCount];
  const double angle = (n % 4) * M_PI / 4;
  const double dx = std::cos(angle) * kWidth, dy = std::sin(angle) * kHeight;
  std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)> p(
      cairo_pattern_create_linear(kWidth / 2.0 - dx / 2, kHeight / 2.0 - dy / 2, kWidth / 2.0 + dx / 2,
                                  kHeight / 2.0 + dy / 2),
      cairo_pattern_destroy);
  cairo_pattern_add_color_stop_rgb(p.get(), 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(p.get(), 1, b.r, b.g, b.b);
  cairo_set_source(c, p.get());
  cairo_paint(c);
}

void Paper(cairo_t* c, int n) {
  const Rgb base = kPastels[(n * 7) % kPastelCount];
  cairo_set_source_rgb(c, (base.r + 1) / 2, (base.g + 1) / 2 - 0.01, (base.b + 1) / 2 - 0.03);
  cairo_paint(c);
  Noise noise(static_cast<uint32_t>(n));
  // Fibres: short faint strokes in every direction.
  cairo_set_line_width(c, 0.8);
  for (int i = 0; i < 1400; ++i) {
    const double x = noise.Next() * kWidth, y = noise.Next() * kHeight;
    const double a = noise.Next() * 2 * M_PI, len = 4 + noise.Next() * 14;
    const double shade = noise.Next() < 0.5 ? 0.0 : 1.0;
    cairo_set_source_rgba(c, shade * 0.9, shade * 0.85, shade * 0.75, 0.05 + noise.Next() * 0.05);
    cairo_move_to(c, x, y);
    cairo_line_to(c, x + std::cos(a) * len, y + std::sin(a) * len);
    cairo_stroke(c);
  }
}

void Ruled(cairo_t* c, int n) {
  const Rgb base = kPastels[(n * 3) % kPastelCount];
  cairo_set_source_rgb(c, base.r, base.g, base.b);
  cairo_paint(c);
  const bool grid = n % 2 == 0;
  const double step = grid ? 24 : 36;
  cairo_set_line_width(c, 1);
  cairo_set_source_rgba(c, 0.35, 0.55, 0.8, 0.16);
  for (double y = step; y < kHeight; y += step) {
    cairo_move_to(c, 0, y + 0.5);
    cairo_line_to(c, kWidth, y + 0.5);
  }
  if (grid)
    for (double x = step; x < kWidth; x += step) {
      cairo_move_to(c, x + 0.5, 0);
      cairo_line_to(c, x + 0.5, kHeight);
    }
  cairo_stroke(c);
  if (!grid) {  // the margin line of an exercise book
    cairo_set_source_rgba(c, 0.85, 0.3, 0.3, 0.22);
    cairo_move_to(c, 72.5, 0);
    cairo_line_to(c, 72.5, kHeight);
    cairo_stroke(c);
  }
}

void Vignette(cairo_t* c, int n) {
  const Rgb edge = kPastels[(n * 11 + 1) % kPastelCount];
  std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)> p(
      cairo_pattern_create_radial(kWidth * 0.4, kHeight * 0.4, 60, kWidth / 2.0, kHeight / 2.0, kWidth * 0.75),
      cairo_pattern_destroy);
  cairo_pattern_add_color_stop_rgb(p.get(), 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(p.get(), 1, edge.r - 0.04, edge.g - 0.04, edge.b - 0.02);
  cairo_set_source(c, p.get());
  cairo_paint(c);
  // A soft band along the bottom edge.
  cairo_set_source_rgba(c, edge.r - 0.25, edge.g - 0.2, edge.b - 0.1, 0.12);
  cairo_move_to(c, 0, kHeight * 0.86);
  for (int x = 0; x <= kWidth; x += 8)
    cairo_line_to(c, x, kHeight * (0.86 + 0.03 * std::sin(x / 150.0 + n)));
  cairo_line_to(c, kWidth, kHeight);
  cairo_line_to(c, 0, kHeight);
  cairo_close_path(c);
  cairo_fill(c);
}

}  // namespace

void MakeSlideBackgrounds(const std::string& folder) {
  for (int n = 1; n <= 36; ++n) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    const int kind = (n - 1) / 9, index = (n - 1) % 9;
    if (kind == 0) Gradient(cr.get(), index);
    else if (kind == 1) Paper(cr.get(), index);
    else if (kind == 2) Ruled(cr.get(), index);
    else Vignette(cr.get(), index);
    cairo_surface_flush(surface.get());
    pictures::Raster raster{kWidth, kHeight, {}};
    raster.rgb.reserve(static_cast<size_t>(kWidth) * kHeight * 3);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < kHeight; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
      for (int x = 0; x < kWidth; ++x) {
        raster.rgb.push_back(static_cast<uint8_t>(row[x] >> 16));
        raster.rgb.push_back(static_cast<uint8_t>(row[x] >> 8));
        raster.rgb.push_back(static_cast<uint8_t>(row[x]));
      }
    }
    char name[16];
    std::snprintf(name, sizeof name, "b%03d.jpg", n);
    if (!pictures::WriteJpeg(raster, 96, folder + "/" + name)) throw std::runtime_error(std::string("cannot write ") + name);
  }
}

}  // namespace plx::tools
