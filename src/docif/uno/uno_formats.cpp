#include "docif/uno/uno_formats.hpp"

#include <cmath>
#include <map>

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>

#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;
using css::uno::Reference;

namespace {

// Superscript and subscript as Writer writes them: raised or lowered by a
// third of the size, at 58 % of it.
constexpr sal_Int16 kEscapement = 33;
constexpr sal_Int8 kEscapementHeight = 58;

// The values of some properties at once; an ambiguous one is left out.
std::map<rtl::OUString, uno::Any> Values(const Reference<beans::XPropertySet>& properties,
                                         std::initializer_list<const char*> names) {
  uno::Sequence<rtl::OUString> wanted(static_cast<sal_Int32>(names.size()));
  sal_Int32 i = 0;
  for (const char* n : names) wanted.getArray()[i++] = rtl::OUString::createFromAscii(n);
  Reference<beans::XMultiPropertySet> multi(properties, uno::UNO_QUERY_THROW);
  const auto values = multi->getPropertyValues(wanted);
  Reference<beans::XPropertyState> state(properties, uno::UNO_QUERY);
  uno::Sequence<beans::PropertyState> states;
  if (state.is()) states = state->getPropertyStates(wanted);
  std::map<rtl::OUString, uno::Any> out;
  for (i = 0; i < wanted.getLength(); ++i)
    if (i >= states.getLength() || states[i] != beans::PropertyState_AMBIGUOUS_VALUE) out[wanted[i]] = values[i];
  return out;
}

template <class T>
std::optional<T> Get(const std::map<rtl::OUString, uno::Any>& values, const char* name) {
  auto it = values.find(rtl::OUString::createFromAscii(name));
  T value{};
  if (it == values.end() || !(it->second >>= value)) return std::nullopt;
  return value;
}

// Property changes gathered and made in one call: each call crosses to
// the office's process when it runs outside it. A later value for the same
// property replaces an earlier one.
class Changes {
 public:
  void Set(const char* name, const uno::Any& value) { values_[rtl::OUString::createFromAscii(name)] = value; }
  void Apply(const Reference<beans::XPropertySet>& properties) const {
    if (values_.empty()) return;
    uno::Sequence<rtl::OUString> names(static_cast<sal_Int32>(values_.size()));
    uno::Sequence<uno::Any> values(static_cast<sal_Int32>(values_.size()));
    sal_Int32 i = 0;
    for (const auto& [name, value] : values_) {  // sorted by name, as the call asks
      names.getArray()[i] = name;
      values.getArray()[i++] = value;
    }
    Reference<beans::XMultiPropertySet>(properties, uno::UNO_QUERY_THROW)->setPropertyValues(names, values);
  }

 private:
  std::map<rtl::OUString, uno::Any> values_;
};

// Writer's colour is 0xRRGGBB (-1 automatic); the surface's has red in the
// low byte, and automatic is the host's 0xFF000000.
constexpr uint32_t kAutomaticColor = 0xFF000000;
uint32_t FromWriterColor(sal_Int32 color) {
  if (color < 0) return kAutomaticColor;
  const uint32_t c = static_cast<uint32_t>(color);
  return ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16);
}
sal_Int32 ToWriterColor(uint32_t rgb) {
  if (rgb == kAutomaticColor) return -1;
  return static_cast<sal_Int32>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

}  // namespace

FontFormat ReadFont(const Reference<beans::XPropertySet>& properties) {
  const auto v = Values(properties, {"CharFontName", "CharFontNameAsian", "CharHeight", "CharWeight", "CharPosture",
                                     "CharUnderline", "CharColor", "CharEscapement", "CharEscapementHeight",
                                     "CharHidden"});
  FontFormat f;
  if (auto name = Get<rtl::OUString>(v, "CharFontName")) f.Name = f.NameAscii = FromOUString(*name);
  if (auto name = Get<rtl::OUString>(v, "CharFontNameAsian")) f.NameFarEast = FromOUString(*name);
  if (auto size = Get<float>(v, "CharHeight")) f.Size = std::round(*size * 100) / 100;
  if (auto weight = Get<float>(v, "CharWeight")) f.Bold = *weight >= awt::FontWeight::SEMIBOLD;
  if (auto posture = Get<awt::FontSlant>(v, "CharPosture")) f.Italic = *posture != awt::FontSlant_NONE;
  if (auto underline = Get<sal_Int16>(v, "CharUnderline")) f.Underline = *underline == 0 ? 0 : 1;
  if (auto color = Get<sal_Int32>(v, "CharColor")) f.Color = FromWriterColor(*color);
  if (auto hidden = Get<bool>(v, "CharHidden")) f.Hidden = *hidden;
  auto escapement = Get<sal_Int16>(v, "CharEscapement");
  auto height = Get<sal_Int8>(v, "CharEscapementHeight");
  if (escapement && height) {
    const bool small = *height < 100 && *escapement != 0;
    f.Superscript = small && *escapement > 0;
    f.Subscript = small && *escapement < 0;
    f.Position = !small && f.Size ? *escapement * *f.Size / 100.0 : 0.0;
  }
  return f;
}

void WriteFont(const Reference<beans::XPropertySet>& p, const FontFormat& f) {
  Changes changes;
  if (f.Name) {
    changes.Set("CharFontName", uno::Any(ToOUString(*f.Name)));
    if (IsChineseFontName(*f.Name)) changes.Set("CharFontNameAsian", uno::Any(ToOUString(*f.Name)));
  }
  if (f.NameAscii) changes.Set("CharFontName", uno::Any(ToOUString(*f.NameAscii)));
  if (f.NameFarEast) changes.Set("CharFontNameAsian", uno::Any(ToOUString(*f.NameFarEast)));
  if (f.Size) {
    changes.Set("CharHeight", uno::Any(static_cast<float>(*f.Size)));
    changes.Set("CharHeightAsian", uno::Any(static_cast<float>(*f.Size)));
  }
  if (f.Bold) {
    const float weight = *f.Bold ? awt::FontWeight::BOLD : awt::FontWeight::NORMAL;
    changes.Set("CharWeight", uno::Any(weight));
    changes.Set("CharWeightAsian", uno::Any(weight));
  }
  if (f.Italic) {
    const auto posture = *f.Italic ? awt::FontSlant_ITALIC : awt::FontSlant_NONE;
    changes.Set("CharPosture", uno::Any(posture));
    changes.Set("CharPostureAsian", uno::Any(posture));
  }
  if (f.Underline) changes.Set("CharUnderline", uno::Any(static_cast<sal_Int16>(*f.Underline == 0 ? 0 : 1)));
  if (f.Color) changes.Set("CharColor", uno::Any(ToWriterColor(*f.Color)));
  if (f.Hidden) changes.Set("CharHidden", uno::Any(*f.Hidden));
  auto escape = [&](sal_Int16 escapement, sal_Int8 height) {
    changes.Set("CharEscapement", uno::Any(escapement));
    changes.Set("CharEscapementHeight", uno::Any(height));
  };
  const FontFormat now = (f.Superscript || f.Subscript || f.Position) ? ReadFont(p) : FontFormat{};
  if (f.Superscript && (*f.Superscript || now.Superscript.value_or(false)))
    escape(*f.Superscript ? kEscapement : 0, *f.Superscript ? kEscapementHeight : 100);
  if (f.Subscript && (*f.Subscript || now.Subscript.value_or(false)))
    escape(*f.Subscript ? -kEscapement : 0, *f.Subscript ? kEscapementHeight : 100);
  if (f.Position) {
    const double size = f.Size.value_or(now.Size.value_or(10.5));
    escape(static_cast<sal_Int16>(std::lround(*f.Position / size * 100)), 100);
  }
  changes.Apply(p);
}

ParagraphFormat ReadParagraphFormat(const Reference<beans::XPropertySet>& properties) {
  const auto v = Values(properties, {"ParaAdjust", "ParaLastLineAdjust", "ParaLineSpacing", "ParaFirstLineIndent",
                                     "ParaLeftMargin", "ParaRightMargin", "ParaTopMargin", "ParaBottomMargin",
                                     "ParaVertAlignment", "OutlineLevel"});
  ParagraphFormat f;
  if (auto adjust = Get<sal_Int16>(v, "ParaAdjust")) {
    switch (static_cast<style::ParagraphAdjust>(*adjust)) {
      case style::ParagraphAdjust_RIGHT: f.Alignment = kAlignRight; break;
      case style::ParagraphAdjust_CENTER: f.Alignment = kAlignCenter; break;
      case style::ParagraphAdjust_BLOCK: {
        auto last = Get<sal_Int16>(v, "ParaLastLineAdjust");
        f.Alignment = last && *last == style::ParagraphAdjust_BLOCK ? kAlignDistribute : kAlignJustify;
        break;
      }
      default: f.Alignment = kAlignLeft;
    }
  }
  if (auto spacing = Get<style::LineSpacing>(v, "ParaLineSpacing")) {
    if (spacing->Mode == style::LineSpacingMode::PROP) {
      f.LineSpacingRule = spacing->Height == 100 ? kSpaceSingle
                          : spacing->Height == 150 ? kSpace1pt5
                          : spacing->Height == 200 ? kSpaceDouble
                                                   : kSpaceMultiple;
      f.LineSpacing = spacing->Height * 12.0 / 100.0;
    } else {
      f.LineSpacingRule = spacing->Mode == style::LineSpacingMode::FIX ? kSpaceExactly : kSpaceAtLeast;
      f.LineSpacing = FromMm100(spacing->Height);
    }
  }
  auto points = [&](const char* name) -> std::optional<double> {
    if (auto mm100 = Get<sal_Int32>(v, name)) return FromMm100(*mm100);
    return std::nullopt;
  };
  f.FirstLineIndent = points("ParaFirstLineIndent");
  f.LeftIndent = points("ParaLeftMargin");
  f.RightIndent = points("ParaRightMargin");
  f.SpaceBefore = points("ParaTopMargin");
  f.SpaceAfter = points("ParaBottomMargin");
  if (auto align = Get<sal_Int16>(v, "ParaVertAlignment")) {
    // Writer: 0 automatic, 1 baseline, 2 top, 3 centre, 4 bottom.
    static constexpr int kFromWriter[] = {kBaselineAuto, kBaselineBaseline, kBaselineTop, kBaselineCenter,
                                          kBaselineFarEast50};
    if (*align >= 0 && *align <= 4) f.BaseLineAlignment = kFromWriter[*align];
  }
  if (auto level = Get<sal_Int16>(v, "OutlineLevel")) f.OutlineLevel = *level == 0 ? 10 : *level;
  return f;
}

void WriteParagraphFormat(const Reference<beans::XPropertySet>& p, const ParagraphFormat& f) {
  Changes changes;
  if (f.Alignment) {
    style::ParagraphAdjust adjust = style::ParagraphAdjust_LEFT;
    if (*f.Alignment == kAlignCenter) adjust = style::ParagraphAdjust_CENTER;
    if (*f.Alignment == kAlignRight) adjust = style::ParagraphAdjust_RIGHT;
    if (*f.Alignment == kAlignJustify || *f.Alignment == kAlignDistribute) adjust = style::ParagraphAdjust_BLOCK;
    changes.Set("ParaAdjust", uno::Any(static_cast<sal_Int16>(adjust)));
    changes.Set("ParaLastLineAdjust", uno::Any(static_cast<sal_Int16>(
                                     *f.Alignment == kAlignDistribute ? style::ParagraphAdjust_BLOCK
                                                                      : style::ParagraphAdjust_LEFT)));
  }
  if (f.LineSpacingRule || f.LineSpacing) {
    const ParagraphFormat now = ReadParagraphFormat(p);
    const int rule = f.LineSpacingRule.value_or(now.LineSpacingRule.value_or(kSpaceSingle));
    const double value = f.LineSpacing.value_or(now.LineSpacing.value_or(12));
    style::LineSpacing spacing;
    switch (rule) {
      case kSpaceSingle: spacing = {style::LineSpacingMode::PROP, 100}; break;
      case kSpace1pt5: spacing = {style::LineSpacingMode::PROP, 150}; break;
      case kSpaceDouble: spacing = {style::LineSpacingMode::PROP, 200}; break;
      case kSpaceMultiple:
        spacing = {style::LineSpacingMode::PROP, static_cast<sal_Int16>(std::lround(value / 12 * 100))};
        break;
      case kSpaceExactly: spacing = {style::LineSpacingMode::FIX, static_cast<sal_Int16>(ToMm100(value))}; break;
      default: spacing = {style::LineSpacingMode::MINIMUM, static_cast<sal_Int16>(ToMm100(value))};
    }
    changes.Set("ParaLineSpacing", uno::Any(spacing));
  }
  if (f.CharacterUnitFirstLineIndent) {
    // Writer 7.4 has no indent in characters: the characters of the
    // paragraph's East Asian font size.
    float size = 10.5f;
    p->getPropertyValue("CharHeightAsian") >>= size;
    changes.Set("ParaFirstLineIndent", uno::Any(static_cast<sal_Int32>(ToMm100(*f.CharacterUnitFirstLineIndent * size))));
  }
  auto mm100 = [&](const char* name, const std::optional<double>& points) {
    if (points) changes.Set(name, uno::Any(static_cast<sal_Int32>(ToMm100(*points))));
  };
  mm100("ParaFirstLineIndent", f.FirstLineIndent);
  mm100("ParaLeftMargin", f.LeftIndent);
  mm100("ParaRightMargin", f.RightIndent);
  mm100("ParaTopMargin", f.SpaceBefore);
  mm100("ParaBottomMargin", f.SpaceAfter);
  if (f.BaseLineAlignment) {
    static constexpr sal_Int16 kToWriter[] = {2, 3, 1, 4, 0};  // top, centre, baseline, far east 50, auto
    if (*f.BaseLineAlignment >= 0 && *f.BaseLineAlignment <= 4)
      changes.Set("ParaVertAlignment", uno::Any(kToWriter[*f.BaseLineAlignment]));
  }
  if (f.OutlineLevel) changes.Set("OutlineLevel", uno::Any(static_cast<sal_Int16>(*f.OutlineLevel >= 10 ? 0 : *f.OutlineLevel)));
  changes.Apply(p);
}

}  // namespace plx::docif::lo
