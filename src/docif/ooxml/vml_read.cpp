#include "docif/ooxml/vml_read.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "common/text.hpp"
#include "docif/model/picture_info.hpp"
#include "docif/model/shape_geometry.hpp"

namespace plx::docif::ooxml {
namespace {

using model::Box;
using model::ShapeData;
using model::ShapeDataPtr;

bool Is(const pugi::xml_node& n, const char* name) { return std::strcmp(n.name(), name) == 0; }

// "position:absolute;margin-left:10pt" as a map.
std::map<std::string, std::string> Style(const pugi::xml_node& n) {
  std::map<std::string, std::string> out;
  std::string style = n.attribute("style").as_string();
  size_t at = 0;
  while (at < style.size()) {
    size_t end = style.find(';', at);
    if (end == std::string::npos) end = style.size();
    std::string item = style.substr(at, end - at);
    size_t colon = item.find(':');
    auto trim = [](std::string s) {
      size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
      return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
    };
    if (colon != std::string::npos) out[trim(item.substr(0, colon))] = trim(item.substr(colon + 1));
    at = end + 1;
  }
  return out;
}

// A length in points; a bare number counts in `bare` points per unit.
double Length(const std::string& text, double bare) {
  if (text.empty()) return 0;
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (!std::isfinite(v)) return 0;
  std::string unit(end);
  if (unit == "pt") return v;
  if (unit == "in") return v * 72;
  if (unit == "cm") return v * 72 / 2.54;
  if (unit == "mm") return v * 72 / 25.4;
  if (unit == "px") return v * 0.75;
  if (unit == "pc") return v * 12;
  if (unit == "emu") return v / 12700;
  return v * bare;
}

std::string Get(const std::map<std::string, std::string>& m, const char* key) {
  auto it = m.find(key);
  return it == m.end() ? std::string() : it->second;
}

// Two numbers of a "x,y" attribute, each missing one taken as `fallback`.
std::pair<double, double> Pair(const pugi::xml_node& n, const char* name, double fallback) {
  std::string text = n.attribute(name).as_string();
  if (text.empty()) return {fallback, fallback};
  size_t comma = text.find(',');
  std::string a = text.substr(0, comma), b = comma == std::string::npos ? "" : text.substr(comma + 1);
  return {a.empty() ? fallback : std::atof(a.c_str()), b.empty() ? fallback : std::atof(b.c_str())};
}

bool Off(const pugi::xml_attribute& a) {
  std::string v = a.as_string();
  return v == "f" || v == "false" || v == "0";
}

// Maps a group's coordinate space to page points.
struct Space {
  double ox = 0, oy = 0, sx = 1, sy = 1;
  bool top = true;  // top level: lengths carry units
};

struct VmlReader {
  const DrawingSource& src;
  Placement& where;

  // The box of a shape in page points (top level: relative to its
  // reference area, resolved by the caller's Placement).
  Box Place(const std::map<std::string, std::string>& st, const Space& sp) const {
    if (sp.top) {
      const PageSetup& p = src.page;
      double w = Length(Get(st, "width"), 0.75), h = Length(Get(st, "height"), 0.75);
      double x = Length(Get(st, "margin-left"), 0.75) + Length(Get(st, "left"), 0.75);
      double y = Length(Get(st, "margin-top"), 0.75) + Length(Get(st, "top"), 0.75);
      std::string hRel = Get(st, "mso-position-horizontal-relative");
      std::string vRel = Get(st, "mso-position-vertical-relative");
      double hStart = hRel == "page" ? 0 : hRel == "left-margin-area" ? 0
                    : hRel == "right-margin-area" ? p.PageWidth - p.RightMargin : p.LeftMargin;
      double hLength = hRel == "page" ? p.PageWidth : p.PageWidth - p.LeftMargin - p.RightMargin;
      double vStart = vRel == "page" ? 0 : vRel == "top-margin-area" ? 0
                    : vRel == "bottom-margin-area" ? p.PageHeight - p.BottomMargin : p.TopMargin;
      double vLength = vRel == "page" ? p.PageHeight : p.PageHeight - p.TopMargin - p.BottomMargin;
      if (hRel == "char") where.xFromAnchor = true, hStart = 0;
      if (vRel.empty() || vRel == "text") where.yFromAnchor = true, vStart = 0;
      if (vRel == "line") where.yFromLine = true, vStart = 0;
      std::string hAlign = Get(st, "mso-position-horizontal"), vAlign = Get(st, "mso-position-vertical");
      if (hAlign == "center") x = hStart + (hLength - w) / 2;
      else if (hAlign == "right" || hAlign == "outside") x = hStart + hLength - w;
      else if (hAlign == "left" || hAlign == "inside") x = hStart;
      else x += hStart;
      if (!where.yFromAnchor && !where.yFromLine && vAlign == "center") y = vStart + (vLength - h) / 2;
      else if (!where.yFromAnchor && !where.yFromLine && vAlign == "bottom") y = vStart + vLength - h;
      else if (!where.yFromAnchor && !where.yFromLine && vAlign == "top") y = vStart;
      else y += vStart;
      return {x, y, w, h};
    }
    double x = std::atof(Get(st, "left").c_str()), y = std::atof(Get(st, "top").c_str());
    double w = std::atof(Get(st, "width").c_str()), h = std::atof(Get(st, "height").c_str());
    return {sp.ox + x * sp.sx, sp.oy + y * sp.sy, w * sp.sx, h * sp.sy};
  }

  void Look(const pugi::xml_node& n, ShapeData& s) const {
    s.line = {.Visible = !Off(n.attribute("stroked")), .Weight = 0.75, .ForeColor = 0, .DashStyle = 1,
              .BeginArrowheadStyle = 1, .BeginArrowheadLength = 2, .BeginArrowheadWidth = 2,
              .EndArrowheadStyle = 1, .EndArrowheadLength = 2, .EndArrowheadWidth = 2};
    uint32_t rgb;
    if (ParseColour(n.attribute("strokecolor").as_string(), rgb)) s.line.ForeColor = rgb;
    if (pugi::xml_attribute w = n.attribute("strokeweight")) s.line.Weight = Length(w.as_string(), 1 / 12700.0);
    if (pugi::xml_node stroke = n.child("v:stroke")) {
      if (Off(stroke.attribute("on"))) s.line.Visible = false;
      if (ParseColour(stroke.attribute("color").as_string(), rgb)) s.line.ForeColor = rgb;
      if (pugi::xml_attribute w = stroke.attribute("weight")) s.line.Weight = Length(w.as_string(), 1 / 12700.0);
      static const std::map<std::string, int> kDashes = {
          {"solid", 1}, {"shortdot", 2}, {"1 1", 2}, {"dot", 3}, {"shortdash", 3}, {"dash", 4},
          {"dashdot", 5}, {"shortdashdot", 5}, {"longdashdotdot", 6}, {"shortdashdotdot", 6},
          {"longdash", 7}, {"longdashdot", 8}};
      if (auto it = kDashes.find(stroke.attribute("dashstyle").as_string("solid")); it != kDashes.end())
        s.line.DashStyle = it->second;
      static const std::map<std::string, int> kArrows = {
          {"none", 1}, {"block", 2}, {"open", 3}, {"classic", 4}, {"diamond", 5}, {"oval", 6}};
      auto size = [](const char* v, const char* small, const char* large) {
        return std::strcmp(v, small) == 0 ? 1 : std::strcmp(v, large) == 0 ? 3 : 2;
      };
      auto arrow = [&](const char* end, std::optional<int>& style, std::optional<int>& length,
                       std::optional<int>& width) {
        std::string name = end;
        auto it = kArrows.find(stroke.attribute((name + "arrow").c_str()).as_string("none"));
        style = it == kArrows.end() ? 1 : it->second;
        length = size(stroke.attribute((name + "arrowlength").c_str()).as_string(), "short", "long");
        width = size(stroke.attribute((name + "arrowwidth").c_str()).as_string(), "narrow", "wide");
      };
      arrow("start", s.line.BeginArrowheadStyle, s.line.BeginArrowheadLength, s.line.BeginArrowheadWidth);
      arrow("end", s.line.EndArrowheadStyle, s.line.EndArrowheadLength, s.line.EndArrowheadWidth);
    }
    s.fill = {.Visible = !Off(n.attribute("filled")), .ForeColor = 0xFFFFFF, .BackColor = 0xFFFFFF,
              .Transparency = 0.0, .Pattern = 0, .PictureFile = std::nullopt};
    if (ParseColour(n.attribute("fillcolor").as_string(), rgb)) s.fill.ForeColor = rgb;
    if (pugi::xml_node fill = n.child("v:fill")) {
      if (Off(fill.attribute("on"))) s.fill.Visible = false;
      if (ParseColour(fill.attribute("color").as_string(), rgb)) s.fill.ForeColor = rgb;
      if (pugi::xml_attribute o = fill.attribute("opacity")) {
        std::string v = o.as_string();
        double opacity = v.ends_with("f") ? std::atof(v.c_str()) / 65536 : std::atof(v.c_str());
        s.fill.Transparency = std::clamp(1 - opacity, 0.0, 1.0);
      }
    }
  }

  void Text(const pugi::xml_node& textbox, ShapeData& s) const {
    s.text = ReadTextBox(textbox.child("w:txbxContent"), src);
    s.frame = {.MarginLeft = 7.2, .MarginRight = 7.2, .MarginTop = 3.6, .MarginBottom = 3.6, .Orientation = 1};
    std::string inset = textbox.attribute("inset").as_string();
    std::optional<double>* sides[] = {&s.frame.MarginLeft, &s.frame.MarginTop, &s.frame.MarginRight,
                                      &s.frame.MarginBottom};
    size_t at = 0;
    for (auto* side : sides) {
      if (at > inset.size()) break;
      size_t comma = inset.find(',', at);
      std::string part = inset.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
      if (!part.empty()) *side = Length(part, 1 / 12700.0);
      at = comma == std::string::npos ? inset.size() + 1 : comma + 1;
    }
    auto st = Style(textbox);
    std::string flow = Get(st, "layout-flow"), alt = Get(st, "mso-layout-flow-alt");
    if (alt == "bottom-to-top") s.frame.Orientation = 2;
    else if (flow == "vertical") s.frame.Orientation = alt == "top-to-bottom" ? 3 : 5;
    else if (flow == "vertical-ideographic") s.frame.Orientation = 5;
  }

  // A VML path of moves, lines, Bézier curves and a final close as page
  // nodes; false for other commands or several subpaths.
  static bool PathNodes(const std::string& path, const Box& b, const pugi::xml_node& n, ShapeData& s) {
    // Plain variables, not structured bindings: lambdas below capture them.
    const auto size = Pair(n, "coordsize", 1000), origin = Pair(n, "coordorigin", 0);
    const double cw = size.first, ch = size.second, cx = origin.first, cy = origin.second;
    if (cw <= 0 || ch <= 0) return false;
    auto page = [&](double x, double y) {
      return PointF{NodeCoordinate(b.left + (x - cx) * b.width / cw),
                    NodeCoordinate(b.top + (y - cy) * b.height / ch)};
    };
    // Commands and their numbers; a number left empty next to a comma is
    // 0, as in "m,l10,".
    std::vector<std::pair<char, std::vector<double>>> commands;
    bool haveNumber = false, afterComma = false;
    auto endOfNumbers = [&] {
      if (afterComma && !haveNumber && !commands.empty()) commands.back().second.push_back(0);
      haveNumber = afterComma = false;
    };
    size_t i = 0;
    while (i < path.size()) {
      char c = path[i];
      if (std::isalpha(static_cast<unsigned char>(c))) {
        endOfNumbers();
        std::string name(1, c);
        while (i + 1 < path.size() && std::isalpha(static_cast<unsigned char>(path[i + 1]))) name += path[++i];
        ++i;
        if (name == "nf" || name == "ns") continue;
        // Commands without numbers run together ("xe").
        if (name.find_first_not_of("mlcxe") != std::string::npos) return false;
        for (char command : name) commands.push_back({command, {}});
      } else if (c == ',') {
        if (commands.empty()) return false;
        if (!haveNumber) commands.back().second.push_back(0);
        haveNumber = false;
        afterComma = true;
        ++i;
      } else if (c == ' ') {
        ++i;
      } else {
        char* end = nullptr;
        double v = std::strtod(path.c_str() + i, &end);
        if (end == path.c_str() + i || commands.empty() || !std::isfinite(v)) return false;
        commands.back().second.push_back(v);
        haveNumber = true;
        afterComma = false;
        i = static_cast<size_t>(end - path.c_str());
      }
    }
    endOfNumbers();
    bool curved = false, started = false, closed = false;
    std::vector<PointF> pts;
    for (auto& [c, v] : commands) {
      if (c == 'e') break;
      if (closed) return false;
      if (c == 'm') {
        if (started || v.size() != 2) return false;
        pts.push_back(page(v[0], v[1]));
        started = true;
      } else if (!started) {
        return false;
      } else if (c == 'l' && v.size() % 2 == 0 && !v.empty()) {
        for (size_t k = 0; k < v.size(); k += 2) pts.push_back(page(v[k], v[k + 1])), s.segments.push_back(kSegmentLine);
      } else if (c == 'c' && v.size() % 6 == 0 && !v.empty()) {
        curved = true;
        for (size_t k = 0; k < v.size(); k += 2) pts.push_back(page(v[k], v[k + 1]));
        for (size_t k = 0; k < v.size(); k += 6) s.segments.push_back(kSegmentCurve);
      } else if (c == 'x') {
        closed = true;
      } else {
        return false;
      }
    }
    if (pts.size() < 2) return false;
    if (closed && !(pts.back() == pts.front())) pts.push_back(pts.front()), s.segments.push_back(kSegmentLine);
    if (curved) {
      // Straight pieces become the cubic segments that draw them.
      std::vector<PointF> cubic = {pts[0]};
      size_t at = 1;
      for (int seg : s.segments) {
        if (seg == kSegmentCurve) {
          cubic.insert(cubic.end(), {pts[at], pts[at + 1], pts[at + 2]});
          at += 3;
          continue;
        }
        PointF a = cubic.back(), e = pts[at++];
        auto lerp = [&](double t) {
          return PointF{NodeCoordinate(a.x + (e.x - a.x) * t), NodeCoordinate(a.y + (e.y - a.y) * t)};
        };
        cubic.insert(cubic.end(), {lerp(1.0 / 3), lerp(2.0 / 3), e});
      }
      if (at != pts.size()) return false;
      pts = std::move(cubic);
      s.segments.clear();
    }
    s.points = std::move(pts);
    s.curve = curved;
    return true;
  }

  ShapeDataPtr Shape(const pugi::xml_node& n, const Space& sp, int depth) const {
    auto st = Style(n);
    auto s = std::make_shared<ShapeData>();
    std::string id = n.attribute("ID").as_string(n.attribute("id").as_string(n.attribute("o:spid").as_string()));
    s->name = Utf8ToWide(id);
    s->altText = Utf8ToWide(n.attribute("alt").as_string());
    s->rotation = std::fmod(std::atof(Get(st, "rotation").c_str()), 360.0);
    if (!std::isfinite(s->rotation)) s->rotation = 0;
    if (s->rotation < 0) s->rotation += 360;
    std::string flip = Get(st, "flip");
    s->flipH = flip.find('x') != std::string::npos;
    s->flipV = flip.find('y') != std::string::npos;
    if (Is(n, "v:group")) return Group(n, st, sp, s, depth);
    Look(n, *s);
    if (Is(n, "v:line")) {
      // The ends count from where the style places the shape.
      Box origin = Place(st, sp);
      auto end = [&](const char* name) {
        std::string text = n.attribute(name).as_string("0,0");
        size_t comma = text.find(',');
        std::string x = text.substr(0, comma), y = comma == std::string::npos ? "0" : text.substr(comma + 1);
        if (!sp.top)
          return PointF{NodeCoordinate(sp.ox + std::atof(x.c_str()) * sp.sx),
                        NodeCoordinate(sp.oy + std::atof(y.c_str()) * sp.sy)};
        return PointF{NodeCoordinate(origin.left + Length(x, 0.75)), NodeCoordinate(origin.top + Length(y, 0.75))};
      };
      s->type = kShapeLine;
      s->points = {end("from"), end("to")};
      s->fill.Visible = false;
      s->flipH = s->flipV = false;
      return s;
    }
    Box b = Place(st, sp);
    s->left = b.left;
    s->top = b.top;
    s->width = b.width;
    s->height = b.height;
    std::string type = n.attribute("type").as_string();
    std::string spt = n.attribute("o:spt").as_string();
    pugi::xml_node textbox = n.child("v:textbox");
    if (pugi::xml_node image = n.child("v:imagedata")) {
      std::optional<model::InlineObject> picture = src.picture(image.attribute("r:id").as_string());
      if (!picture) throw UnreadableDrawing("picture without data");
      picture->width = b.width;
      picture->height = b.height;
      s->type = kShapePicture;
      s->altText = Utf8ToWide(image.attribute("o:title").as_string(n.attribute("alt").as_string()));
      picture->altText = s->altText;
      s->picture = std::move(picture);
      s->fill.Visible = false;
      return s;
    }
    if (Is(n, "v:rect") || Is(n, "v:roundrect") || type == "#_x0000_t202" || spt == "202" || spt == "1") {
      s->type = textbox && (!Is(n, "v:rect") || type == "#_x0000_t202") ? kShapeTextBox : kShapeAutoShape;
      if (Is(n, "v:rect") && textbox) s->type = kShapeTextBox;
      s->autoShape = kAutoShapeRectangle;
    } else if (Is(n, "v:oval") || spt == "3") {
      s->type = kShapeAutoShape;
      s->autoShape = kAutoShapeOval;
    } else if (Is(n, "v:shape") && (type == "#_x0000_t32" || spt == "32" || spt == "20")) {
      s->type = kShapeLine;
      s->points = {{NodeCoordinate(b.left), NodeCoordinate(b.top)},
                   {NodeCoordinate(b.left + b.width), NodeCoordinate(b.top + b.height)}};
      if (s->flipH) std::swap(s->points[0].x, s->points[1].x);
      if (s->flipV) std::swap(s->points[0].y, s->points[1].y);
      s->flipH = s->flipV = false;
      s->fill.Visible = false;
      return s;
    } else if (Is(n, "v:shape") && n.attribute("path") && type.empty()) {
      if (!PathNodes(n.attribute("path").as_string(), b, n, *s)) throw UnreadableDrawing("VML path");
      s->type = !s->curve && s->points.size() == 2 ? kShapeLine : kShapeFreeform;
      if (s->type == kShapeLine) s->segments.clear(), s->fill.Visible = false;
    } else {
      throw UnreadableDrawing("VML shape the model has no shape for");
    }
    if (textbox) Text(textbox, *s);
    else if (s->type == kShapeAutoShape) s->text = std::make_shared<model::Story>();
    return s;
  }

  ShapeDataPtr Group(const pugi::xml_node& n, const std::map<std::string, std::string>& st, const Space& sp,
                     ShapeDataPtr g, int depth) const {
    if (depth > 32) throw UnreadableDrawing("groups nested too deep");
    g->type = kShapeGroup;
    Box b = Place(st, sp);
    auto [cw, ch] = Pair(n, "coordsize", 1000);
    auto [cx, cy] = Pair(n, "coordorigin", 0);
    Space inner;
    inner.top = false;
    inner.sx = cw > 0 ? b.width / cw : 1;
    inner.sy = ch > 0 ? b.height / ch : 1;
    inner.ox = b.left - cx * inner.sx;
    inner.oy = b.top - cy * inner.sy;
    for (pugi::xml_node c : n.children()) {
      if (!std::string(c.name()).starts_with("v:") || Is(c, "v:shapetype") || Is(c, "v:fill") ||
          Is(c, "v:stroke") || Is(c, "v:path") || Is(c, "v:textbox") || Is(c, "v:shadow"))
        continue;
      ShapeDataPtr item = Shape(c, inner, depth + 1);
      item->parent = g.get();
      g->children.push_back(item);
    }
    if (g->children.empty()) throw UnreadableDrawing("empty group");
    return g;
  }
};

}  // namespace

namespace {

// The one shape of a w:pict (its shape types aside); null when there is
// none. Raises UnreadableDrawing for several.
pugi::xml_node OnlyShape(const pugi::xml_node& pict) {
  pugi::xml_node shape;
  for (pugi::xml_node c : pict.children()) {
    std::string name = c.name();
    if (!name.starts_with("v:") || name == "v:shapetype") continue;
    if (shape) throw UnreadableDrawing("several VML shapes in one run");
    shape = c;
  }
  return shape;
}

}  // namespace

std::array<long, 4> VmlPictureCrop(const pugi::xml_node& imagedata) {
  std::array<long, 4> out{};
  const char* sides[] = {"cropleft", "croptop", "cropright", "cropbottom"};
  for (size_t i = 0; i < out.size(); ++i) out[i] = std::lround(model::VmlCropFraction(imagedata.attribute(sides[i]).as_string()) * 100000);
  return out;
}

bool ReadVmlInlinePicture(const pugi::xml_node& pict, model::InlineObject& o) {
  pugi::xml_node shape;
  try {
    shape = OnlyShape(pict);
  } catch (const UnreadableDrawing&) {
    return false;
  }
  pugi::xml_node image = shape.child("v:imagedata");
  auto st = Style(shape);
  if (!image || shape.child("v:textbox") || Get(st, "position") == "absolute") return false;
  std::string relId = image.attribute("r:id").as_string();
  if (relId.empty()) return false;
  o.type = kInlineShapePicture;
  o.relId = relId;
  o.width = o.readWidth = Length(Get(st, "width"), 0.75);
  o.height = o.readHeight = Length(Get(st, "height"), 0.75);
  std::string rotation = Get(st, "rotation");
  double degrees = std::strtod(rotation.c_str(), nullptr);
  if (!rotation.empty() && rotation.back() == 'd') degrees /= 65536;  // "1966080fd"
  degrees = std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0;
  o.rotation = o.readRotation = degrees < 0 ? degrees + 360 : degrees;
  // A picture's shape type leaves it unstroked; a stroke is switched on on the shape.
  std::string stroked = shape.attribute("stroked").as_string();
  o.borders = o.readBorders = stroked == "t" || stroked == "true" || stroked == "1";
  o.altText = o.readAltText = Utf8ToWide(image.attribute("o:title").as_string(shape.attribute("alt").as_string()));
  return true;
}

model::ShapeDataPtr ReadVmlDrawing(const pugi::xml_node& pict, const DrawingSource& src, Placement& where) {
  pugi::xml_node shape = OnlyShape(pict);
  if (!shape) return nullptr;
  auto st = Style(shape);
  if (Get(st, "position") != "absolute") return nullptr;
  VmlReader r{src, where};
  ShapeDataPtr s = r.Shape(shape, Space{}, 0);
  // Small z-indexes count in the range of DrawingML stacking values; large
  // ones (as word processors write beside a DrawingML choice) are such
  // values already. Negative ones stand behind the text.
  // Read within a bound far past any stacking value, so that neither the
  // depth nor the sum below can overflow whatever the file says.
  constexpr long long kDeepest = 1LL << 53;
  const long long zIndex = std::clamp(std::strtoll(Get(st, "z-index").c_str(), nullptr, 10), -kDeepest, kDeepest);
  const long long depth = zIndex < 0 ? -zIndex : zIndex;
  where.z = depth >= kDrawingStackBase ? depth : kDrawingStackBase + zIndex;
  int wrap = zIndex < 0 ? 5 : 3;
  std::string type = shape.child("w10:wrap").attribute("type").as_string("none");
  if (type == "square") wrap = 0;
  else if (type == "tight") wrap = 1;
  else if (type == "through") wrap = 2;
  else if (type == "topAndBottom") wrap = 4;
  s->wrap = {.AllowOverlap = shape.attribute("o:allowoverlap").as_string("t") != std::string("f"), .Type = wrap};
  Box b = model::Bounds(*s);
  s->origWidth = b.width;
  s->origHeight = b.height;
  return s;
}

}  // namespace plx::docif::ooxml
