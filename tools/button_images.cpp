#include "button_images.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "common/text.hpp"

namespace plx::tools {
namespace {

constexpr int kSize = 32;

class Fonts {
 public:
  explicit Fonts(const std::vector<std::string>& files) {
    if (FT_Init_FreeType(&lib_)) throw std::runtime_error("FreeType does not start");
    for (const auto& f : files) {
      FT_Face face;
      if (!f.empty() && FT_New_Face(lib_, f.c_str(), 0, &face) == 0) faces_.push_back(face);
    }
    if (faces_.empty()) throw std::runtime_error("no usable font for the button images (install fonts-noto-cjk)");
  }
  ~Fonts() {
    for (auto f : faces_) FT_Done_Face(f);
    FT_Done_FreeType(lib_);
  }
  FT_Face For(const std::wstring& text) {
    for (auto f : faces_) {
      bool all = true;
      for (wchar_t c : text) all &= FT_Get_Char_Index(f, static_cast<FT_ULong>(c)) != 0;
      if (all) return f;
    }
    return nullptr;
  }

 private:
  FT_Library lib_ = nullptr;
  std::vector<FT_Face> faces_;
};

void WriteBmp(const std::string& path, const std::vector<unsigned char>& grey) {
  int rowBytes = kSize * 3;  // 96, already a multiple of 4
  int dataSize = rowBytes * kSize;
  std::string b;
  auto u16 = [&](unsigned v) { b += static_cast<char>(v & 0xFF); b += static_cast<char>((v >> 8) & 0xFF); };
  auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
  b += "BM";
  u32(54 + dataSize); u32(0); u32(54);
  u32(40); u32(kSize); u32(kSize); u16(1); u16(24); u32(0); u32(dataSize); u32(2835); u32(2835); u32(0); u32(0);
  for (int y = kSize - 1; y >= 0; --y)
    for (int x = 0; x < kSize; ++x) {
      unsigned char v = static_cast<unsigned char>(255 - grey[y * kSize + x]);
      b += static_cast<char>(v); b += static_cast<char>(v); b += static_cast<char>(v);
    }
  std::ofstream out(path, std::ios::binary);
  out.write(b.data(), static_cast<std::streamsize>(b.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

// Coverage (0 white .. 255 black) of the text centred on the image.
std::vector<unsigned char> Draw(FT_Face face, const std::wstring& text) {
  int pixels = text.size() == 1 ? 26 : text.size() == 2 ? 15 : 11;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
  // Measure, then draw with the ink box centred.
  int penX = 0, minX = 1 << 20, maxX = -(1 << 20), minY = 1 << 20, maxY = -(1 << 20);
  for (wchar_t c : text) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER)) continue;
    FT_GlyphSlot g = face->glyph;
    minX = std::min(minX, penX + g->bitmap_left);
    maxX = std::max(maxX, penX + g->bitmap_left + static_cast<int>(g->bitmap.width));
    minY = std::min(minY, -g->bitmap_top);
    maxY = std::max(maxY, -g->bitmap_top + static_cast<int>(g->bitmap.rows));
    penX += static_cast<int>(g->advance.x >> 6);
  }
  std::vector<unsigned char> grey(kSize * kSize, 0);
  if (maxX < minX) return grey;
  int offX = (kSize - (maxX - minX)) / 2 - minX;
  int offY = (kSize - (maxY - minY)) / 2 - minY;
  penX = 0;
  for (wchar_t c : text) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER)) continue;
    FT_GlyphSlot g = face->glyph;
    for (unsigned r = 0; r < g->bitmap.rows; ++r)
      for (unsigned col = 0; col < g->bitmap.width; ++col) {
        int x = offX + penX + g->bitmap_left + static_cast<int>(col);
        int y = offY - g->bitmap_top + static_cast<int>(r);
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) continue;
        unsigned char v = g->bitmap.buffer[r * g->bitmap.pitch + col];
        grey[y * kSize + x] = std::max(grey[y * kSize + x], v);
      }
    penX += static_cast<int>(g->advance.x >> 6);
  }
  return grey;
}

}  // namespace

void MakeButtonImages(const std::string& list, const std::string& dir, const std::vector<std::string>& fonts) {
  std::ifstream in(list);
  if (!in) throw std::runtime_error("cannot read " + list);
  Fonts faces(fonts);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    if (tab == std::string::npos) throw std::runtime_error("bad line in " + list + ": " + line);
    std::wstring text = Utf8ToWide(line.substr(tab + 1));
    FT_Face face = faces.For(text);
    if (!face) throw std::runtime_error("no font has the characters of \"" + line.substr(tab + 1) + "\"");
    WriteBmp(dir + "/" + line.substr(0, tab) + ".bmp", Draw(face, text));
  }
}

}  // namespace plx::tools
