#include "docif/model/picture_info.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace plx::docif::model {
namespace {

uint32_t Be(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

uint32_t Le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

PictureInfo Sized(const wchar_t* type, double w, double h) {
  return {type, w * 0.75, h * 0.75};
}

}  // namespace

PictureInfo ReadPictureInfo(const std::string& b) {
  if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
    return Sized(L"image/png", Be(b, 16, 4), Be(b, 20, 4));
  if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0))
    return Sized(L"image/gif", Le(b, 6, 2), Le(b, 8, 2));
  if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
    int32_t h = static_cast<int32_t>(Le(b, 22, 4));
    return Sized(L"image/bmp", Le(b, 18, 4), h < 0 ? -h : h);
  }
  if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8) {
    // Walk the markers to the first start-of-frame, which holds the size.
    size_t i = 2;
    while (i + 9 < b.size()) {
      if (static_cast<unsigned char>(b[i]) != 0xFF) return {L"image/jpeg", 75, 75};
      unsigned char marker = static_cast<unsigned char>(b[i + 1]);
      uint32_t length = Be(b, i + 2, 2);
      bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
      if (sof) return Sized(L"image/jpeg", Be(b, i + 7, 2), Be(b, i + 5, 2));
      if (length < 2) break;
      i += 2 + length;
    }
    return {L"image/jpeg", 75, 75};
  }
  return {};
}

double VmlCropFraction(const std::string& text) {
  if (text.empty()) return 0;
  double v = std::strtod(text.c_str(), nullptr);
  if (text.back() == 'f') v /= 65536;
  return std::isfinite(v) ? std::clamp(v, -1.0, 1.0) : 0;
}

PictureData PictureDataOf(const std::string& bytes, const std::wstring& contentType, const std::string& markup) {
  PictureData out{bytes, contentType};
  const bool vml = markup.find("srcRect") == std::string::npos;
  const size_t at = markup.find(vml ? "v:imagedata" : "srcRect");
  if (at == std::string::npos) return out;
  const size_t end = markup.find('>', at);
  const std::string element = markup.substr(at, end == std::string::npos ? std::string::npos : end - at);
  // The attribute's text, in DrawingML's l, t, r, b or VML's crop sides.
  auto share = [&](const char* drawingMl, const char* vmlName) {
    const std::string key = std::string(" ") + (vml ? vmlName : drawingMl) + "=\"";
    const size_t p = element.find(key);
    if (p == std::string::npos) return 0.0;
    const size_t from = p + key.size();
    const std::string text = element.substr(from, element.find('"', from) - from);
    return vml ? VmlCropFraction(text) : std::clamp(std::strtod(text.c_str(), nullptr) / 100000.0, -1.0, 1.0);
  };
  out.cropLeft = share("l", "cropleft");
  out.cropTop = share("t", "croptop");
  out.cropRight = share("r", "cropright");
  out.cropBottom = share("b", "cropbottom");
  return out;
}

}  // namespace plx::docif::model
