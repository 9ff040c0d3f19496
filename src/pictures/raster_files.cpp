#include "pictures/raster_files.hpp"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>

// libjpeg's header needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace plx::pictures {
namespace {

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

bool WriteBmp(const Raster& raster, double dpi, const std::string& file) {
  // Rows are stored bottom up, blue green red, each padded to 4 bytes.
  const uint32_t stride = (static_cast<uint32_t>(raster.width) * 3 + 3) & ~3u;
  const uint32_t imageSize = stride * static_cast<uint32_t>(raster.height);
  const uint32_t ppm = static_cast<uint32_t>(std::lround(dpi / 0.0254));
  std::string header = "BM";
  Put32(header, 54 + imageSize);
  Put32(header, 0);
  Put32(header, 54);
  Put32(header, 40);
  Put32(header, static_cast<uint32_t>(raster.width));
  Put32(header, static_cast<uint32_t>(raster.height));
  Put16(header, 1);
  Put16(header, 24);
  Put32(header, 0);
  Put32(header, imageSize);
  Put32(header, ppm);
  Put32(header, ppm);
  Put32(header, 0);
  Put32(header, 0);
  std::ofstream out(file, std::ios::binary);
  out << header;
  std::string row(stride, '\0');
  for (int y = raster.height - 1; y >= 0; --y) {
    const uint8_t* src = raster.rgb.data() + static_cast<size_t>(y) * raster.width * 3;
    for (int x = 0; x < raster.width; ++x) {
      row[x * 3] = static_cast<char>(src[x * 3 + 2]);
      row[x * 3 + 1] = static_cast<char>(src[x * 3 + 1]);
      row[x * 3 + 2] = static_cast<char>(src[x * 3]);
    }
    out.write(row.data(), stride);
  }
  out.close();
  return static_cast<bool>(out);
}

bool WriteJpeg(const Raster& raster, double dpi, const std::string& file) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(file.c_str(), "wb"), &std::fclose);
  if (!f) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  // The only failures left once the file is open are out of memory, which
  // libjpeg reports by exiting; the default handler is kept for that.
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, f.get());
  info.image_width = static_cast<JDIMENSION>(raster.width);
  info.image_height = static_cast<JDIMENSION>(raster.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  info.density_unit = 1;
  info.X_density = info.Y_density = static_cast<UINT16>(std::lround(dpi));
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(raster.rgb.data()) + static_cast<size_t>(info.next_scanline) * raster.width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::ferror(f.get()) == 0;
}

}  // namespace plx::pictures
