#include "pictures/text_layout.hpp"

#include <pango/pangocairo.h>

#include <string>

#include "common/text.hpp"

namespace plx::pictures {

PangoLayout* NewTextLayout(PangoContext* context, const Text& t) {
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* desc = pango_font_description_new();
  const std::string families = WideToUtf8(t.font.latin) + "," + WideToUtf8(t.font.eastAsian) + ",Noto Serif CJK SC";
  pango_font_description_set_family(desc, families.c_str());
  pango_font_description_set_absolute_size(desc, t.font.size * PANGO_SCALE);
  pango_font_description_set_weight(desc, t.font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc, t.font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  const std::string utf8 = WideToUtf8(t.text);
  pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
  if (t.font.underline) {
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
  }
  return layout;
}

TextMeasure::TextMeasure() : context_(pango_font_map_create_context(pango_cairo_font_map_get_default())) {
  pango_cairo_context_set_resolution(context_, 72);
}

TextMeasure::~TextMeasure() { g_object_unref(context_); }

TextExtent TextMeasure::Measure(const Text& text) const {
  PangoLayout* layout = NewTextLayout(context_, text);
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout, &ink, &logical);
  const double baseline = pango_layout_get_baseline(layout);
  g_object_unref(layout);
  TextExtent e;
  e.width = logical.width / static_cast<double>(PANGO_SCALE);
  if (ink.height > 0) {
    e.inkAscent = (baseline - ink.y) / PANGO_SCALE;
    e.inkDescent = (ink.y + ink.height - baseline) / PANGO_SCALE;
    e.inkLeft = ink.x / static_cast<double>(PANGO_SCALE);
    e.inkWidth = ink.width / static_cast<double>(PANGO_SCALE);
  }
  return e;
}

std::vector<double> TextMeasure::CharacterStarts(const Text& text) const {
  PangoLayout* layout = NewTextLayout(context_, text);
  std::vector<double> starts;
  starts.reserve(text.text.size() + 1);
  int byte = 0;
  for (wchar_t c : text.text) {
    PangoRectangle at;
    pango_layout_index_to_pos(layout, byte, &at);
    starts.push_back(at.x / static_cast<double>(PANGO_SCALE));
    byte += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;  // the character's UTF-8 length
  }
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  starts.push_back(logical.width / static_cast<double>(PANGO_SCALE));
  g_object_unref(layout);
  return starts;
}

}  // namespace plx::pictures
