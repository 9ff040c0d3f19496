#include "platform/fonts.hpp"

#include <fontconfig/fontconfig.h>

#include <algorithm>

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

}  // namespace plx
