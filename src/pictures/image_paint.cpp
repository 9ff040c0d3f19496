#include "pictures/image_paint.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <csetjmp>

// libjpeg's header needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace plx::pictures {
namespace {

struct PngSource {
  const std::string* bytes;
  size_t at = 0;
};

cairo_status_t ReadPng(void* closure, unsigned char* data, unsigned int length) {
  auto* source = static_cast<PngSource*>(closure);
  if (source->bytes->size() - source->at < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, source->bytes->data() + source->at, length);
  source->at += length;
  return CAIRO_STATUS_SUCCESS;
}

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// A broken JPEG ends the decoding, not the program.
void JpegFailed(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

cairo_surface_t* DecodeJpeg(const std::string& bytes) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JpegFailed;
  cairo_surface_t* surface = nullptr;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    if (surface) cairo_surface_destroy(surface);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int w = static_cast<int>(info.output_width), h = static_cast<int>(info.output_height);
  surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  // The row buffer belongs to the decoder, so that a failure jumping out
  // of it leaves nothing behind.
  JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              static_cast<JDIMENSION>(w) * 3, 1);
  const unsigned char* row = rows[0];
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, rows, 1);
    auto* out = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) out[x] = 0xFF000000u | row[x * 3] << 16 | row[x * 3 + 1] << 8 | row[x * 3 + 2];
  }
  cairo_surface_mark_dirty(surface);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return surface;
}

bool StartsWith(const std::string& bytes, const char* magic, size_t n) {
  return bytes.size() >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

// The decoded image, or none for data that is no PNG or JPEG or is broken.
cairo_surface_t* Decode(const std::string& bytes) {
  if (StartsWith(bytes, "\x89PNG", 4)) {
    PngSource source{&bytes};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadPng, &source);
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) return s;
    cairo_surface_destroy(s);
    return nullptr;
  }
  if (StartsWith(bytes, "\xFF\xD8", 2)) return DecodeJpeg(bytes);
  return nullptr;
}

void Placeholder(cairo_t* cr, const Image& image) {
  cairo_rectangle(cr, image.left, image.top, image.width, image.height);
  cairo_set_source_rgb(cr, 0.92, 0.92, 0.92);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
  cairo_set_line_width(cr, 0.75);
  cairo_stroke(cr);
}

}  // namespace

void PaintImage(cairo_t* cr, const Image& image) {
  if (image.width <= 0 || image.height <= 0) return;
  cairo_surface_t* surface = image.bytes ? Decode(*image.bytes) : nullptr;
  if (!surface) {
    Placeholder(cr, image);
    return;
  }
  const double w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  // The part of the image left after the crop fills the box.
  const double keptW = w * std::max(0.01, 1 - image.cropLeft - image.cropRight);
  const double keptH = h * std::max(0.01, 1 - image.cropTop - image.cropBottom);
  cairo_save(cr);
  cairo_rectangle(cr, image.left, image.top, image.width, image.height);
  cairo_clip(cr);
  cairo_translate(cr, image.left, image.top);
  cairo_scale(cr, image.width / keptW, image.height / keptH);
  cairo_set_source_surface(cr, surface, -w * image.cropLeft, -h * image.cropTop);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(surface);
}

}  // namespace plx::pictures
