#pragma once
// Small pieces of WordprocessingML text: escaping and unit conversions.
#include <cstdint>
#include <string>

namespace plx::docif::ooxml {

// Text made safe for XML content and attribute values.
std::string XmlEscape(const std::wstring& text);
std::string XmlEscape(const std::string& utf8);
// Points to English Metric Units (12,700 per point), rounded; a value that
// is not a number becomes 0 and huge values are clamped, so a broken
// coordinate moves a shape instead of making the file unreadable.
int64_t Emu(double points);
// Degrees clockwise to the 60,000ths of a degree of a:xfrm rot, within one
// turn (a value that is not a number is no rotation).
int64_t Rot(double degrees);
// Points to twentieths of a point, rounded.
long Twips(double points);
// A colour with red in the low byte as "RRGGBB".
std::string HexColor(uint32_t rgb);
// "RRGGBB" back to red-in-the-low-byte; nothing for "auto" or bad text.
bool ParseHexColor(const std::string& hex, uint32_t& rgb);
// A number as XML writes it ("10.5", "21").
std::string Num(double value);

}  // namespace plx::docif::ooxml
