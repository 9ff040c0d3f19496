#include "pictures/picture_file.hpp"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <filesystem>

#include "common/text.hpp"
#include "pictures/cairo_paint.hpp"
#include "pictures/metafile.hpp"
#include "pictures/raster_files.hpp"

namespace plx::pictures {
namespace {

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

bool DrawVector(const Scene& scene, PictureFormat format, const std::string& file) {
  const double w = std::max(scene.width, 1.0), h = std::max(scene.height, 1.0);
  cairo_surface_t* surface = format == PictureFormat::Pdf ? cairo_pdf_surface_create(file.c_str(), w, h)
                                                          : cairo_svg_surface_create(file.c_str(), w, h);
  if (format == PictureFormat::Svg) cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PT);
  cairo_t* cr = cairo_create(surface);
  Paint(cr, scene);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

cairo_surface_t* DrawRaster(const Scene& scene, double dpi) {
  const double scale = dpi / 72;
  const int w = std::max(1, static_cast<int>(std::ceil(scene.width * scale)));
  const int h = std::max(1, static_cast<int>(std::ceil(scene.height * scale)));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  Paint(cr, scene);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string SvgText(const Scene& scene) {
  std::string out;
  cairo_surface_t* surface =
      cairo_svg_surface_create_for_stream(&Append, &out, std::max(scene.width, 1.0), std::max(scene.height, 1.0));
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PT);
  cairo_t* cr = cairo_create(surface);
  Paint(cr, scene);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  cairo_surface_destroy(surface);
  return out;
}

std::optional<PictureFormat> FormatNamed(const std::wstring& name) {
  const std::wstring n = Lower(name);
  if (n == L"svg") return PictureFormat::Svg;
  if (n == L"png") return PictureFormat::Png;
  if (n == L"pdf") return PictureFormat::Pdf;
  if (n == L"jpg" || n == L"jpeg") return PictureFormat::Jpeg;
  if (n == L"bmp") return PictureFormat::Bmp;
  if (n == L"emf") return PictureFormat::Emf;
  if (n == L"wmf") return PictureFormat::Wmf;
  return std::nullopt;
}

std::optional<PictureFormat> FormatOfFile(const std::wstring& file) {
  const size_t dot = file.rfind(L'.');
  if (dot == std::wstring::npos || file.find_first_of(L"/\\", dot) != std::wstring::npos) return std::nullopt;
  return FormatNamed(file.substr(dot + 1));
}

std::wstring FormatExtension(PictureFormat format) {
  switch (format) {
    case PictureFormat::Svg: return L"svg";
    case PictureFormat::Png: return L"png";
    case PictureFormat::Pdf: return L"pdf";
    case PictureFormat::Jpeg: return L"jpg";
    case PictureFormat::Bmp: return L"bmp";
    case PictureFormat::Emf: return L"emf";
    case PictureFormat::Wmf: return L"wmf";
  }
  return L"png";
}

Raster Rasterize(const Scene& scene, double dpi) {
  cairo_surface_t* surface = DrawRaster(scene, dpi);
  Raster out;
  out.width = cairo_image_surface_get_width(surface);
  out.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
  for (int y = 0; y < out.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    uint8_t* dst = out.rgb.data() + static_cast<size_t>(y) * out.width * 3;
    for (int x = 0; x < out.width; ++x) {
      dst[x * 3] = static_cast<uint8_t>(row[x] >> 16);
      dst[x * 3 + 1] = static_cast<uint8_t>(row[x] >> 8);
      dst[x * 3 + 2] = static_cast<uint8_t>(row[x]);
    }
  }
  cairo_surface_destroy(surface);
  return out;
}

std::wstring WritePicture(const Scene& scene, PictureFormat format, double dpi, const std::string& file) {
  const std::wstring name = Utf8ToWide(file);
  const std::filesystem::path folder = std::filesystem::absolute(file).parent_path();
  if (access(folder.c_str(), W_OK) != 0) return L"无法写入“" + name + L"”：文件夹不存在或不可写。";
  const bool raster = format == PictureFormat::Png || format == PictureFormat::Jpeg || format == PictureFormat::Bmp;
  if (raster) {
    if (!(dpi >= kMinDpi && dpi <= kMaxDpi)) return L"分辨率应在 24 到 1200 dpi 之间。";
    const double width = scene.width * dpi / 72, height = scene.height * dpi / 72;
    if (std::max(width, height) > kMaxPixels || width * height > kMaxArea) return L"图片太大：请降低分辨率。";
  }
  bool ok = false;
  switch (format) {
    case PictureFormat::Svg:
    case PictureFormat::Pdf: ok = DrawVector(scene, format, file); break;
    case PictureFormat::Png: {
      cairo_surface_t* surface = DrawRaster(scene, dpi);
      ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
      cairo_surface_destroy(surface);
      break;
    }
    case PictureFormat::Jpeg: ok = WriteJpeg(Rasterize(scene, dpi), dpi, file); break;
    case PictureFormat::Bmp: ok = WriteBmp(Rasterize(scene, dpi), dpi, file); break;
    case PictureFormat::Emf:
    case PictureFormat::Wmf: {
      const std::wstring error = format == PictureFormat::Emf ? WriteEmf(scene, file) : WriteWmf(scene, file);
      if (!error.empty()) return error;
      ok = true;
      break;
    }
  }
  return ok ? std::wstring() : L"无法写入“" + name + L"”。";
}

}  // namespace plx::pictures
