#pragma once
// Writing a scene as a picture file. Vector formats (SVG, PDF) keep the
// drawing in points; raster formats (PNG, JPEG, BMP) are drawn at the given
// resolution; the metafiles (EMF, WMF) hold the drawing as vector records.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pictures/scene.hpp"

namespace plx::pictures {

enum class PictureFormat { Svg, Png, Pdf, Jpeg, Bmp, Emf, Wmf };

// "svg", "png", "pdf", "jpg"/"jpeg", "bmp", "emf", "wmf" in any case.
std::optional<PictureFormat> FormatNamed(const std::wstring& name);
// The format a file name's extension names.
std::optional<PictureFormat> FormatOfFile(const std::wstring& file);
std::wstring FormatExtension(PictureFormat format);

// A raster of the scene: `width` × `height` pixels, 3 bytes (R, G, B) each,
// rows from the top.
struct Raster {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};
Raster Rasterize(const Scene& scene, double dpi);

// Resolutions a raster may be drawn at, the largest side in pixels, and the
// most pixels altogether (an A4 page at 600 dpi; drawing and encoding take
// about seven bytes a pixel).
constexpr double kMinDpi = 24, kMaxDpi = 1200;
constexpr int kMaxPixels = 20000;
constexpr double kMaxArea = 64e6;

// The scene as an SVG document, for callers that keep it in memory.
std::string SvgText(const Scene& scene);

// Writes the scene to `file` (UTF-8 path). Returns an empty text on
// success, else what went wrong, for a message box.
std::wstring WritePicture(const Scene& scene, PictureFormat format, double dpi, const std::string& file);

}  // namespace plx::pictures
