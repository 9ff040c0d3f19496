#include "icons.hpp"

#include <cairo.h>

#include <cstdio>
#include <memory>
#include <set>
#include <stdexcept>

#include "bmp_image.hpp"
#include "common/text.hpp"

namespace plx::oxt {
namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// The bitmap on a transparent ground: grey pixels become black ink whose
// opacity is their darkness (premultiplied, so the colour bytes are 0).
Surface InkSurface(const RgbImage& image) {
  Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height), cairo_surface_destroy);
  cairo_surface_flush(s.get());
  unsigned char* data = cairo_image_surface_get_data(s.get());
  const int stride = cairo_image_surface_get_stride(s.get());
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
      uint32_t pixel = 0xFF000000u | static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
      if (p[0] == p[1] && p[1] == p[2]) pixel = static_cast<uint32_t>(255 - p[0]) << 24;
      *reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4) = pixel;
    }
  cairo_surface_mark_dirty(s.get());
  return s;
}

void WritePng(cairo_surface_t* source, int sourceWidth, int sourceHeight, int pixels, const std::string& path) {
  Surface out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels), cairo_surface_destroy);
  cairo_t* cr = cairo_create(out.get());
  cairo_scale(cr, static_cast<double>(pixels) / sourceWidth, static_cast<double>(pixels) / sourceHeight);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
  cairo_paint(cr);
  const cairo_status_t drawn = cairo_status(cr);
  cairo_destroy(cr);
  if (drawn != CAIRO_STATUS_SUCCESS || cairo_surface_write_to_png(out.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
}

}  // namespace

std::string IconFile(const std::wstring& image, int pixels) {
  std::string name;
  for (wchar_t c : image) {
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_') {
      name += static_cast<char>(c);
    } else {
      char hex[16];
      std::snprintf(hex, sizeof hex, "_u%X_", static_cast<unsigned>(c));
      name += hex;
    }
  }
  return name + "_" + std::to_string(pixels) + ".png";
}

void WriteIcons(const std::vector<RibbonButton>& buttons, const std::string& imgDir, const std::string& outDir) {
  std::set<std::wstring> done;
  for (const auto& b : buttons) {
    if (b.image.empty() || !done.insert(b.image).second) continue;
    const RgbImage bitmap = ReadBmp(imgDir + "/" + WideToUtf8(b.image) + ".bmp");
    Surface ink = InkSurface(bitmap);
    for (int pixels : kIconSizes)
      WritePng(ink.get(), bitmap.width, bitmap.height, pixels, outDir + "/" + IconFile(b.image, pixels));
  }
}

}  // namespace plx::oxt
