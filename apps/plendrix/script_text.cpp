#include "script_text.hpp"

#include "common/text.hpp"
#include "platform/codepage.hpp"

namespace plx::cli {

bool IsUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    size_t extra;
    char32_t cp, least;
    if (b < 0x80) { ++i; continue; }
    if ((b & 0xE0) == 0xC0) { extra = 1; cp = b & 0x1F; least = 0x80; }
    else if ((b & 0xF0) == 0xE0) { extra = 2; cp = b & 0x0F; least = 0x800; }
    else if ((b & 0xF8) == 0xF0) { extra = 3; cp = b & 0x07; least = 0x10000; }
    else return false;
    if (i + extra >= bytes.size()) return false;  // cut short at the end
    for (size_t k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

ScriptText DecodeScript(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (IsUtf8(bytes)) return {Utf8ToWide(bytes), false};
  return {DecodeCodePage(bytes, "GB18030"), true};
}

}  // namespace plx::cli
