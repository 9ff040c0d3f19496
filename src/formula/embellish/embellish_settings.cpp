#include "formula/embellish/embellish_settings.hpp"

#include <algorithm>
#include <cmath>

#include "addin/config_dictionary.hpp"
#include "common/text.hpp"
#include "common/units.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"

namespace plx {
namespace {

// Bold is given, never taken: letters and digits of a bold heading stay
// bold when the settings ask for plain formulas.
docif::FontFormat Font(const std::wstring& name, bool italic, bool bold) {
  docif::FontFormat f;
  f.Name = name;
  f.Italic = italic;
  if (bold) f.Bold = true;
  return f;
}

}  // namespace

EmbellishSettings EmbellishSettings::Load(AddinContext& ctx) {
  const ConfigDictionary& group = ConfigGroup(ctx, L"mhgsconfig");
  EmbellishSettings s;
  auto text = [&](const wchar_t* key, std::wstring& into) {
    if (group.Exists(key)) into = group.Text(key);
  };
  auto flag = [&](const wchar_t* key, bool& into) {
    if (group.Exists(key)) into = CBool(group.Text(key));
  };
  if (group.Exists(L"noSelection")) s.noSelection = static_cast<int>(Val(group.Text(L"noSelection")));
  text(L"ReplaceRull", s.ReplaceRull);
  text(L"FontName", s.FontName);
  flag(L"blItalic", s.blItalic);
  flag(L"blBold", s.blBold);
  text(L"FontName_Num", s.FontName_Num);
  flag(L"blItalic_Num", s.blItalic_Num);
  flag(L"blBold_Num", s.blBold_Num);
  text(L"sxbFontSize", s.sxbFontSize);
  text(L"FuncList", s.FuncList);
  return s;
}

docif::FontFormat EmbellishSettings::LetterFont() const { return Font(FontName, blItalic, blBold); }

docif::FontFormat EmbellishSettings::DigitFont() const { return Font(FontName_Num, blItalic_Num, blBold_Num); }

std::vector<std::wstring> EmbellishSettings::Functions() const {
  std::vector<std::wstring> names;
  for (const std::wstring& n : Split(FuncList, L","))
    if (!Trim(n).empty()) names.push_back(Trim(n));
  return names;
}

double EmbellishSettings::ScriptSize(double textSize) const {
  const double named = FontSizeFromName(Trim(sxbFontSize));
  if (named > 0) return std::min(named, textSize);
  return std::round(textSize * 2 / 3 * 2) / 2;
}

}  // namespace plx
