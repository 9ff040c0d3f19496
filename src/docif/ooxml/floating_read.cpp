#include "docif/ooxml/floating_read.hpp"

#include <algorithm>
#include <cstring>
#include <set>

#include "docif/model/layout.hpp"
#include "docif/model/shape_geometry.hpp"
#include "docif/ooxml/vml_read.hpp"
#include "common/text.hpp"
#include "docif/ooxml/xml_text.hpp"

namespace plx::docif::ooxml {
namespace {

bool Is(const pugi::xml_node& n, const char* name) { return std::strcmp(n.name(), name) == 0; }

// The number a name ends with ("Line 12" → 12), 0 for none.
int TrailingNumber(const std::wstring& name) {
  size_t digits = name.find_last_not_of(L"0123456789");
  if (digits == std::wstring::npos || digits + 1 >= name.size() || name.size() - digits > 8) return 0;
  return std::stoi(name.substr(digits + 1));
}

// Gives every shape of the tree a name no other shape has.
void NameUniquely(model::ShapeData& s, std::set<std::wstring>& used, int& next) {
  if (s.name.empty() || used.count(s.name)) s.name = model::DefaultNameOf(s) + L" " + std::to_wstring(next++);
  used.insert(s.name);
  for (auto& c : s.children) NameUniquely(*c, used, next);
}

void Numbers(const model::ShapeData& s, int& highest) {
  highest = std::max(highest, TrailingNumber(s.name));
  for (const auto& c : s.children) Numbers(*c, highest);
}

// The kind of shape a VML element or a model shape is, for pairing them.
std::string Kind(const pugi::xml_node& vml) {
  std::string name = vml.name();
  if (name == "v:roundrect") return "v:rect";
  return name;
}

std::string Kind(const model::ShapeData& s) {
  if (s.type == kShapeGroup) return "v:group";
  if (s.type == kShapeLine) return "v:line";
  if (s.type == kShapeAutoShape && s.autoShape == kAutoShapeOval) return "v:oval";
  if (s.type == kShapeTextBox || (s.type == kShapeAutoShape && s.autoShape == kAutoShapeRectangle)) return "v:rect";
  return "v:shape";
}

// Names for the unnamed items of a group read from a DrawingML choice,
// from the VML fallback (LibreOffice names group items only there, and
// leaves some items out of it): items pair up in order by kind.
void NamesFromFallback(model::ShapeData& s, const pugi::xml_node& vml) {
  if (s.name.empty()) s.name = Utf8ToWide(vml.attribute("ID").as_string(vml.attribute("id").as_string()));
  std::vector<pugi::xml_node> items;
  for (pugi::xml_node c : vml.children()) {
    std::string kind = Kind(c);
    if (kind == "v:rect" || kind == "v:oval" || kind == "v:line" || kind == "v:group" || kind == "v:shape")
      items.push_back(c);
  }
  size_t next = 0;
  for (auto& child : s.children) {
    std::string kind = Kind(*child);
    size_t at = next;
    while (at < items.size() && Kind(items[at]) != kind) ++at;
    if (at == items.size()) continue;
    NamesFromFallback(*child, items[at]);
    next = at + 1;
  }
}

}  // namespace

std::map<std::string, uint32_t> ThemeColours(const std::string& themeXml) {
  std::map<std::string, uint32_t> out;
  pugi::xml_document theme;
  if (!theme.load_buffer(themeXml.data(), themeXml.size())) return out;
  pugi::xml_node scheme = theme.select_node("//a:clrScheme").node();
  for (pugi::xml_node c : scheme.children()) {
    std::string key = c.name();
    if (key.starts_with("a:")) key = key.substr(2);
    uint32_t rgb;
    pugi::xml_node value = c.first_child();
    std::string hex = Is(value, "a:sysClr") ? value.attribute("lastClr").as_string() : value.attribute("val").as_string();
    if (ParseHexColor(hex, rgb)) out[key] = rgb;
  }
  return out;
}

bool FloatingShapes::Read(const pugi::xml_node& node, long at) {
  if (reading_) return false;
  pugi::xml_node anchor, pict;
  if (Is(node, "w:drawing")) {
    anchor = node.child("wp:anchor");
  } else if (Is(node, "w:pict")) {
    pict = node;
  } else if (Is(node, "mc:AlternateContent")) {
    for (pugi::xml_node choice : node.children("mc:Choice"))
      if ((anchor = choice.child("w:drawing").child("wp:anchor"))) break;
    pict = node.child("mc:Fallback").child("w:pict");
  }
  if (!anchor && !pict) return false;
  Placement where;
  model::ShapeDataPtr shape;
  reading_ = true;
  // The DrawingML choice; VML only where there is none. A choice that
  // cannot be read (a chart) is not replaced by its fallback picture: the
  // first change would write the picture and lose the chart.
  bool fromChoice = false;
  try {
    if (anchor) shape = ReadAnchorDrawing(anchor, src_, where), fromChoice = true;
  } catch (const UnreadableDrawing&) {
    shape = nullptr;
  }
  if (!anchor && pict) {
    where = {};
    try {
      shape = ReadVmlDrawing(pict, src_, where);
    } catch (const UnreadableDrawing&) {
      shape = nullptr;
    }
  }
  reading_ = false;
  if (!shape) return false;
  if (fromChoice && pict) {
    for (pugi::xml_node c : pict.children())
      if (std::string(c.name()).starts_with("v:") && !Is(c, "v:shapetype")) {
        NamesFromFallback(*shape, c);
        break;
      }
  }
  pending_.push_back({shape, at, where, KeptXml(node)});
  return true;
}

void FloatingShapes::Finish(model::DocData& doc) {
  model::Story& main = *doc.main;
  // Positions relative to the anchor's text, the text laid out once.
  std::vector<model::PagePlace> places;
  auto position = [&](long pos, int type) {
    if (places.empty()) places = model::LayoutPlaces(doc, main);
    const model::PagePlace& p = places[std::clamp(pos, 0L, static_cast<long>(places.size()) - 1)];
    return type == kHorizontalPositionRelativeToPage ? p.x : p.y;
  };
  for (Pending& p : pending_) {
    long at = std::clamp(p.at, 0L, main.Length() - 1);
    long paragraph = main.ParagraphAt(at).first;
    double dx = p.where.xFromAnchor ? position(at, kHorizontalPositionRelativeToPage) : 0;
    double dy = p.where.yFromAnchor ? position(paragraph, kVerticalPositionRelativeToPage)
              : p.where.yFromLine ? position(at, kVerticalPositionRelativeToPage) : 0;
    model::ShapeData& s = *p.shape;
    if (dx != 0 || dy != 0) model::Translate(s, dx, dy);
    s.anchor = main.MakeParagraphAnchor(paragraph);
    // A shape placed against its paragraph or a line of it moves with that
    // paragraph; written anew, it is placed against the paragraph.
    s.paragraphRelative = p.where.yFromAnchor || p.where.yFromLine;
    s.paragraphTop = s.paragraphRelative ? position(paragraph, kVerticalPositionRelativeToPage) : 0;
    // Taken before names are made unique: a shape renamed here is written
    // anew, so that the file gets the name the document shows.
    s.source = std::make_shared<model::ReadDrawing>(model::ReadDrawing{std::move(p.xml), model::Fingerprint(s)});
  }
  // Names in text order (the first shape keeps a name used twice), then
  // the stacking order.
  std::set<std::wstring> used;
  int highest = 0;
  for (const auto& s : model::AllShapes(doc)) used.insert(s->name), highest = std::max(highest, TrailingNumber(s->name));
  for (const Pending& p : pending_) Numbers(*p.shape, highest);
  int next = std::max(doc.nextShapeNumber, highest + 1);
  for (Pending& p : pending_) NameUniquely(*p.shape, used, next);
  std::stable_sort(pending_.begin(), pending_.end(),
                   [](const Pending& a, const Pending& b) { return a.where.z < b.where.z; });
  for (Pending& p : pending_) doc.shapes.push_back(p.shape);
  doc.nextShapeNumber = next;
  pending_.clear();
}

}  // namespace plx::docif::ooxml
