#include "docif/model/json_dump.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cwchar>

#include "common/text.hpp"
#include "docif/model/anchored_shapes.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/shape_geometry.hpp"
#include "docif/model/symbol_fonts.hpp"

namespace plx::docif::model {
namespace {

using nlohmann::ordered_json;

std::string U8(const std::wstring& s) { return WideToUtf8(s); }

template <class T>
void Put(ordered_json& j, const char* key, const std::optional<T>& v) {
  if (!v) return;
  if constexpr (std::is_same_v<T, std::wstring>) j[key] = U8(*v);
  else j[key] = *v;
}

ordered_json Font(const CharFormat& f) {
  ordered_json j;
  j["font"] = U8(f.ascii);
  j["fontFarEast"] = U8(f.farEast);
  j["size"] = f.size;
  if (f.bold) j["bold"] = true;
  if (f.italic) j["italic"] = true;
  if (f.superscript) j["superscript"] = true;
  if (f.subscript) j["subscript"] = true;
  if (f.hidden) j["hidden"] = true;
  if (f.underline) j["underline"] = f.underline;
  if (f.color != kAutoColor) j["color"] = f.color;
  if (f.position != 0) j["position"] = f.position;
  return j;
}

// A run's text with each symbol-font sign replaced by the character its font
// draws; nothing when the run holds no private-use character.
std::optional<std::wstring> SymbolsShown(const std::wstring& text, const CharFormat& f) {
  if (std::none_of(text.begin(), text.end(), IsPrivateUse)) return std::nullopt;
  std::wstring shown;
  for (wchar_t c : text) {
    auto drawn = IsPrivateUse(c) ? SymbolFontCharacter(f.ascii, c) : std::nullopt;
    if (!drawn && IsPrivateUse(c)) drawn = SymbolFontCharacter(f.farEast, c);
    shown += drawn ? *drawn : c;
  }
  return shown;
}

// Private-use characters show as nothing on a console: the dump writes them
// as JSON escapes (U+F0A5 as backslash, "uf0a5"), the code point the text holds.
std::string EscapePrivateUse(const std::string& json) {
  std::wstring out;
  for (wchar_t c : Utf8ToWide(json)) {
    if (!IsPrivateUse(c)) {
      out += c;
      continue;
    }
    wchar_t hex[8];
    std::swprintf(hex, 8, L"\\u%04x", static_cast<unsigned>(c));
    out += hex;
  }
  return WideToUtf8(out);
}

ordered_json Paragraphs(const DocData& doc, const Story& story) {
  ordered_json out = ordered_json::array();
  std::vector<long> positions;
  for (auto [s, e] : story.ParagraphsIn(0, story.Length())) {
    const ParaFormat& p = doc.paraFormats[story.Cell(e - 1).paragraph];
    ordered_json j;
    std::wstring shown = story.Visible(s, e, doc.showFieldCodes, &positions);
    j["text"] = U8(shown);
    // Document positions, as ranges and selections count them: the text
    // shown may be longer (a cell end reads as two characters) or shorter
    // (a field shows its result, not its code).
    j["start"] = s;
    j["end"] = e;
    j["style"] = U8(p.style);
    j["alignment"] = p.alignment;
    if (p.lineSpacingRule != kSpaceSingle) {
      j["lineSpacingRule"] = p.lineSpacingRule;
      j["lineSpacing"] = p.lineSpacing;
    }
    if (p.charIndent) j["firstLineIndentChars"] = p.charIndent;
    if (p.firstIndent) j["firstLineIndent"] = p.firstIndent;
    if (p.leftIndent) j["leftIndent"] = p.leftIndent;
    if (p.outlineLevel != 10) j["outlineLevel"] = p.outlineLevel;
    if (p.baseline != kBaselineAuto) j["baseLineAlignment"] = p.baseline;
    if (!p.tabs.empty()) {
      j["tabStops"] = ordered_json::array();
      for (const auto& t : p.tabs) j["tabStops"].push_back({{"position", t.Position}, {"alignment", t.Alignment}});
    }
    if (p.list) j["list"] = U8(ListNumberText(doc, story, e));
    if (story.Cell(e - 1).table) j["table"] = story.Cell(e - 1).table;
    ordered_json runs = ordered_json::array();
    std::wstring text;
    uint32_t format = UINT32_MAX;
    auto flush = [&] {
      if (text.empty()) return;
      const CharFormat& f = doc.charFormats[format];
      ordered_json run = Font(f);
      run["text"] = U8(text);
      if (auto shown = SymbolsShown(text, f)) run["shown"] = U8(*shown);
      runs.push_back(run);
      text.clear();
    };
    for (size_t i = 0; i + 1 < positions.size(); ++i) {
      uint32_t f = story.Cell(positions[i]).format;
      if (f != format) {
        flush();
        format = f;
      }
      text += shown[i];
    }
    flush();
    j["runs"] = runs;
    out.push_back(j);
  }
  return out;
}

ordered_json ShapeJson(const DocData& doc, const ShapeData& s) {
  ordered_json j;
  j["name"] = U8(s.name);
  j["type"] = s.type;
  if (s.autoShape) j["autoShapeType"] = s.autoShape;
  Box b = Bounds(s);
  j["left"] = b.left;
  j["top"] = b.top;
  j["width"] = b.width;
  j["height"] = b.height;
  if (s.rotation) j["rotation"] = s.rotation;
  if (!s.points.empty()) {
    j["points"] = ordered_json::array();
    for (const auto& p : s.points) j["points"].push_back({p.x, p.y});
    if (s.curve) j["curve"] = true;
  }
  if (s.type != kShapeGroup) {
    ordered_json line, fill;
    Put(line, "visible", s.line.Visible);
    Put(line, "weight", s.line.Weight);
    Put(line, "color", s.line.ForeColor);
    Put(line, "dashStyle", s.line.DashStyle);
    Put(line, "beginArrowhead", s.line.BeginArrowheadStyle);
    Put(line, "endArrowhead", s.line.EndArrowheadStyle);
    Put(fill, "visible", s.fill.Visible);
    Put(fill, "color", s.fill.ForeColor);
    Put(fill, "transparency", s.fill.Transparency);
    Put(fill, "pattern", s.fill.Pattern);
    Put(fill, "picture", s.fill.PictureFile);
    j["line"] = line;
    j["fill"] = fill;
  }
  ordered_json wrap;
  Put(wrap, "allowOverlap", s.wrap.AllowOverlap);
  Put(wrap, "type", s.wrap.Type);
  j["wrap"] = wrap;
  if (!s.altText.empty()) j["alternativeText"] = U8(s.altText);
  if (s.picture) j["picture"] = U8(s.picture->contentType);
  if (!s.effects.empty()) {
    j["pictureEffects"] = ordered_json::array();
    for (auto [type, value] : s.effects) j["pictureEffects"].push_back({type, value});
  }
  if (s.text) {
    Put(j["textFrame"], "orientation", s.frame.Orientation);
    j["text"] = Paragraphs(doc, *s.text);
  }
  if (!s.children.empty()) {
    j["items"] = ordered_json::array();
    for (const auto& c : s.children) j["items"].push_back(ShapeJson(doc, *c));
  }
  return j;
}

}  // namespace

std::string DumpJson(const DocData& doc, int indent) {
  ordered_json j;
  j["fullName"] = U8(doc.fullName);
  j["page"] = {{"width", doc.page.PageWidth}, {"height", doc.page.PageHeight},
               {"top", doc.page.TopMargin}, {"bottom", doc.page.BottomMargin},
               {"left", doc.page.LeftMargin}, {"right", doc.page.RightMargin}};
  j["settings"] = {{"snapToGrid", doc.snapToGrid}, {"snapToShapes", doc.snapToShapes},
                   {"embedTrueTypeFonts", doc.embedFonts}, {"saveSubsetFonts", doc.subsetFonts},
                   {"doNotEmbedSystemFonts", doc.noSystemFonts}, {"saved", doc.saved}};
  if (doc.readOnly) j["settings"]["readOnly"] = true;
  j["paragraphs"] = Paragraphs(doc, *doc.main);
  ordered_json fields = ordered_json::array();
  const Story& main = *doc.main;
  for (const auto& f : main.FieldsIn(0, main.Length())) {
    std::wstring code = main.Text().substr(f.begin + 1, f.separator - f.begin - 1);
    std::wstring result = f.separator < f.end ? main.Visible(f.separator + 1, f.end, false, nullptr) : L"";
    fields.push_back({{"code", U8(code)}, {"result", U8(result)}, {"type", FieldTypeOfCode(code)},
                      {"showCodes", main.Cell(f.begin).showCodes}});
  }
  j["fields"] = fields;
  ordered_json equations = ordered_json::array();
  for (const auto& eq : doc.EquationsIn(main, 0, main.Length())) {
    long s = eq->anchor->start, e = eq->anchor->end;
    equations.push_back({{"start", s}, {"end", e}, {"text", U8(main.Visible(s, e, false, nullptr))},
                         {"builtUp", eq->builtUp}, {"font", U8(doc.charFormats[main.Cell(s).format].ascii)}});
  }
  j["equations"] = equations;
  ordered_json inlines = ordered_json::array();
  for (long i = 0; i < main.Length(); ++i) {
    if (main.Text()[i] != kInlineObject) continue;
    auto it = doc.objects.find(main.Cell(i).object);
    if (it == doc.objects.end()) continue;
    const InlineObject& o = it->second;
    ordered_json io{{"position", i}, {"type", o.type}, {"width", o.width}, {"height", o.height}};
    if (!o.contentType.empty()) io["contentType"] = U8(o.contentType);
    if (!o.oleClass.empty()) io["class"] = U8(o.oleClass);
    if (o.rotation != 0) io["rotation"] = o.rotation;
    if (o.borders) io["borders"] = true;
    if (!o.altText.empty()) io["alternativeText"] = U8(o.altText);
    inlines.push_back(io);
  }
  j["inlineShapes"] = inlines;
  ordered_json tables = ordered_json::array();
  for (const auto& [id, info] : doc.tables) {
    ordered_json rows = ordered_json::array();
    for (const auto& row : TableCellSpans(doc.tables, main, id)) {
      ordered_json cells = ordered_json::array();
      for (auto [s, e] : row) cells.push_back(U8(main.Visible(s, e, doc.showFieldCodes, nullptr)));
      rows.push_back(cells);
    }
    if (rows.empty()) continue;
    ordered_json table{{"id", id}, {"borders", info.borders}, {"style", U8(info.style)}, {"rows", rows}};
    if (info.parent) table["inTable"] = info.parent;
    tables.push_back(table);
  }
  j["tables"] = tables;
  ordered_json shapes = ordered_json::array();
  FollowParagraphs(doc);
  for (const auto& s : doc.shapes) {
    ordered_json shape = ShapeJson(doc, *s);
    // Where it is anchored, and a shape kept against its paragraph: how far
    // below the paragraph's top it stands.
    if (s->anchor) shape["anchor"] = main.ParagraphAt(std::min(s->anchor->start, main.Length() - 1)).first;
    if (s->paragraphRelative && s->anchor) shape["belowParagraph"] = Bounds(*s).top - s->paragraphTop;
    shapes.push_back(shape);
  }
  j["shapes"] = shapes;
  ordered_json bookmarks = ordered_json::object();
  for (const auto& [name, a] : doc.bookmarks) bookmarks[U8(name)] = {a->start, a->end};
  j["bookmarks"] = bookmarks;
  return EscapePrivateUse(j.dump(indent));
}

}  // namespace plx::docif::model
