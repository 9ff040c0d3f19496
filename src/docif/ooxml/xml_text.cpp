#include "docif/ooxml/xml_text.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/text.hpp"

namespace plx::docif::ooxml {

// Markup characters become entities; tab and line breaks become character
// references so attribute normalisation keeps them; characters XML 1.0
// cannot carry (other controls, lone surrogates) are dropped.
std::string XmlEscape(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    auto c = static_cast<char32_t>(wc);
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'\t': out += L"&#9;"; break;
      case L'\n': out += L"&#10;"; break;
      case L'\r': out += L"&#13;"; break;
      default:
        if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF || c > 0x10FFFF) break;
        out += wc;
    }
  }
  return WideToUtf8(out);
}

std::string XmlEscape(const std::string& utf8) { return XmlEscape(Utf8ToWide(utf8)); }

int64_t Rot(double degrees) {
  if (!std::isfinite(degrees)) return 0;
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360;
  int64_t r = std::llround(d * 60000);
  return r >= 21600000 ? 0 : r;
}

int64_t Emu(double points) {
  if (!std::isfinite(points)) return 0;
  // Offsets are xsd:int in the file format; nothing on a page comes near this.
  constexpr double kMaxEmu = 2147483647;
  return static_cast<int64_t>(std::clamp(std::round(points * 12700.0), -kMaxEmu, kMaxEmu));
}

long Twips(double points) {
  if (!std::isfinite(points)) return 0;
  // Twips are xsd:int measures in the file format, as offsets in EMU are.
  constexpr double kMaxTwips = 2147483647;
  return static_cast<long>(std::clamp(std::round(points * 20.0), -kMaxTwips, kMaxTwips));
}

std::string HexColor(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return buf;
}

bool ParseHexColor(const std::string& hex, uint32_t& rgb) {
  if (hex.size() != 6) return false;
  unsigned v = 0;
  for (char c : hex) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * 16 + static_cast<unsigned>(d);
  }
  rgb = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
  return true;
}

std::string Num(double value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", value);
  return buf;
}

}  // namespace plx::docif::ooxml
