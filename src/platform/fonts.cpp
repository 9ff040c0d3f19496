#include "platform/fonts.hpp"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <optional>
#include <mutex>
#include <utility>

#include "common/text.hpp"

namespace plx {

std::vector<std::wstring> InstalledFontFamilies() {
  std::vector<std::wstring> names;
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return names;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* properties = FcObjectSetBuild(FC_FAMILY, nullptr);
  if (FcFontSet* fonts = FcFontList(config, pattern, properties)) {
    for (int i = 0; i < fonts->nfont; ++i) {
      // A family may carry several names (an English and a localised one).
      FcChar8* family = nullptr;
      for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
        names.push_back(Utf8ToWide(reinterpret_cast<const char*>(family)));
    }
    FcFontSetDestroy(fonts);
  }
  FcObjectSetDestroy(properties);
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

namespace {

constexpr double kNoFont = 1.2;

// The font file fontconfig matches for the family, and its face index.
std::optional<std::pair<std::string, int>> MatchedFile(const std::wstring& family, bool chinese) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(WideToUtf8(family).c_str()));
  if (chinese) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::optional<std::pair<std::string, int>> out;
  FcChar8* file = nullptr;
  int index = 0;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    out.emplace(reinterpret_cast<const char*>(file), index);
  }
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return out;
}

double MeasuredLineHeight(const std::wstring& family, bool chinese) {
  const auto file = MatchedFile(family, chinese);
  if (!file) return kNoFont;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return kNoFont;
  double em = kNoFont;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file->first.c_str(), file->second, &face) == 0) {
    if (FT_IS_SCALABLE(face) && face->units_per_EM > 0 && face->ascender > face->descender)
      em = static_cast<double>(face->ascender - face->descender) / face->units_per_EM;
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return em;
}

}  // namespace

double LineHeightEm(const std::wstring& family, bool chinese) {
  static std::mutex guard;
  static std::map<std::pair<std::wstring, bool>, double> known;
  const std::lock_guard<std::mutex> lock(guard);
  auto it = known.find({family, chinese});
  if (it == known.end()) it = known.emplace(std::pair{family, chinese}, MeasuredLineHeight(family, chinese)).first;
  return it->second;
}

}  // namespace plx
