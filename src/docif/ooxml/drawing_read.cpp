#include "docif/ooxml/drawing_read.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <sstream>

#include "common/text.hpp"
#include "docif/model/shape_geometry.hpp"
#include "docif/ooxml/drawing_xml.hpp"
#include "docif/ooxml/xml_text.hpp"
#include "docif/ooxml/picture_adjust.hpp"

namespace plx::docif::ooxml {
namespace {

using model::Box;
using model::KeptDrawing;
using model::ShapeData;
using model::ShapeDataPtr;

constexpr double kEmuPerPoint = 12700;
// The host's number for an auto shape of a kind it has no number for here.
constexpr int kAutoShapeNotPrimitive = 138;

// EMU to points; what is no number counts as 0.
double Points(const pugi::xml_attribute& a) {
  double v = a.as_double() / kEmuPerPoint;
  return std::isfinite(v) ? v : 0;
}

bool Is(const pugi::xml_node& n, const char* name) { return std::strcmp(n.name(), name) == 0; }

constexpr wchar_t kItemNames[] = L"plendrix-items:";

// Maps a group's child coordinates (EMU) to page points.
struct ChildMap {
  double ox = 0, oy = 0, sx = 1 / kEmuPerPoint, sy = 1 / kEmuPerPoint;
  Box Place(const pugi::xml_node& xfrm) const {
    pugi::xml_node off = xfrm.child("a:off"), ext = xfrm.child("a:ext");
    return {ox + off.attribute("x").as_double() * sx, oy + off.attribute("y").as_double() * sy,
            ext.attribute("cx").as_double() * sx, ext.attribute("cy").as_double() * sy};
  }
};

// ---- colours ----

uint32_t Rgb(int r, int g, int b) {
  auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return c(r) | c(g) << 8 | c(b) << 16;
}

// Luminance modulation and offset work in HSL, as the format defines them.
uint32_t ModulateLuminance(uint32_t rgb, double mod, double off) {
  double r = (rgb & 0xFF) / 255.0, g = (rgb >> 8 & 0xFF) / 255.0, b = (rgb >> 16 & 0xFF) / 255.0;
  double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  double l = (mx + mn) / 2, h = 0, s = 0;
  if (mx > mn) {
    double d = mx - mn;
    s = l > 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    h = mx == r ? (g - b) / d + (g < b ? 6 : 0) : mx == g ? (b - r) / d + 2 : (r - g) / d + 4;
    h /= 6;
  }
  l = std::clamp(l * mod + off, 0.0, 1.0);
  auto hue = [](double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
  };
  if (s == 0) return Rgb(static_cast<int>(std::lround(l * 255)), static_cast<int>(std::lround(l * 255)),
                         static_cast<int>(std::lround(l * 255)));
  double q = l < 0.5 ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
  return Rgb(static_cast<int>(std::lround(hue(p, q, h + 1.0 / 3) * 255)),
             static_cast<int>(std::lround(hue(p, q, h) * 255)),
             static_cast<int>(std::lround(hue(p, q, h - 1.0 / 3) * 255)));
}

struct Colour {
  uint32_t rgb = 0;
  double alpha = 1;
};

// The colour of a fill or outline element's colour child, with its
// modifiers applied.
std::optional<Colour> ReadColour(const pugi::xml_node& parent, const DrawingSource& src) {
  for (pugi::xml_node c : parent.children()) {
    std::optional<uint32_t> base;
    std::string val = c.attribute("val").as_string();
    if (Is(c, "a:srgbClr")) {
      uint32_t rgb;
      if (ParseHexColor(val, rgb)) base = rgb;
    } else if (Is(c, "a:sysClr")) {
      uint32_t rgb;
      if (ParseHexColor(c.attribute("lastClr").as_string(), rgb)) base = rgb;
      else base = val == "window" ? 0xFFFFFF : 0;
    } else if (Is(c, "a:schemeClr")) {
      static const std::map<std::string, std::string> kAliases = {
          {"bg1", "lt1"}, {"tx1", "dk1"}, {"bg2", "lt2"}, {"tx2", "dk2"}};
      if (auto a = kAliases.find(val); a != kAliases.end()) val = a->second;
      auto it = src.themeColours.find(val);
      base = it != src.themeColours.end() ? it->second : 0;
    } else if (Is(c, "a:prstClr")) {
      uint32_t rgb;
      base = ParseColour(val, rgb) ? rgb : 0;
    } else {
      continue;
    }
    if (!base) return std::nullopt;
    Colour out{*base, 1};
    double mod = 1, off = 0;
    for (pugi::xml_node m : c.children()) {
      double v = m.attribute("val").as_double() / 100000;
      if (Is(m, "a:lumMod")) mod = v;
      else if (Is(m, "a:lumOff")) off = v;
      else if (Is(m, "a:alpha")) out.alpha = v;
      else if (Is(m, "a:shade")) mod *= v;
      else if (Is(m, "a:tint")) off += (1 - v) * (1 - off);
    }
    if (mod != 1 || off != 0) out.rgb = ModulateLuminance(out.rgb, mod, off);
    return out;
  }
  return std::nullopt;
}

// ---- outline and fill ----

int DashStyle(const std::string& name) {
  static const std::map<std::string, int> kDashes = {
      {"solid", 1},         {"sysDot", 2}, {"dot", 2},          {"sysDash", 3},
      {"dash", 4},          {"dashDot", 5}, {"sysDashDot", 5},  {"lgDashDotDot", 6},
      {"sysDashDotDot", 6}, {"lgDash", 7}, {"lgDashDot", 8}};
  auto it = kDashes.find(name);
  return it == kDashes.end() ? 1 : it->second;
}

void ReadArrow(const pugi::xml_node& end, std::optional<int>& style, std::optional<int>& length,
               std::optional<int>& width) {
  static const std::map<std::string, int> kTypes = {
      {"none", 1}, {"triangle", 2}, {"arrow", 3}, {"stealth", 4}, {"diamond", 5}, {"oval", 6}};
  auto size = [](const char* s) { return std::strcmp(s, "sm") == 0 ? 1 : std::strcmp(s, "lg") == 0 ? 3 : 2; };
  auto it = kTypes.find(end.attribute("type").as_string("none"));
  style = it == kTypes.end() ? 1 : it->second;
  length = size(end.attribute("len").as_string("med"));
  width = size(end.attribute("w").as_string("med"));
}

LineFormat ReadLine(const pugi::xml_node& ln, const DrawingSource& src) {
  LineFormat f{.Visible = true, .Weight = 0.75, .ForeColor = 0, .DashStyle = 1,
               .BeginArrowheadStyle = 1, .BeginArrowheadLength = 2, .BeginArrowheadWidth = 2,
               .EndArrowheadStyle = 1, .EndArrowheadLength = 2, .EndArrowheadWidth = 2};
  if (pugi::xml_attribute w = ln.attribute("w")) f.Weight = Points(w);
  if (ln.child("a:noFill")) f.Visible = false;
  if (pugi::xml_node solid = ln.child("a:solidFill"))
    if (auto c = ReadColour(solid, src)) f.ForeColor = c->rgb;
  if (pugi::xml_node dash = ln.child("a:prstDash")) f.DashStyle = DashStyle(dash.attribute("val").as_string());
  if (pugi::xml_node head = ln.child("a:headEnd"))
    ReadArrow(head, f.BeginArrowheadStyle, f.BeginArrowheadLength, f.BeginArrowheadWidth);
  if (pugi::xml_node tail = ln.child("a:tailEnd"))
    ReadArrow(tail, f.EndArrowheadStyle, f.EndArrowheadLength, f.EndArrowheadWidth);
  return f;
}

// The fill element of a shape's properties, or none.
pugi::xml_node FillElement(const pugi::xml_node& spPr) {
  for (pugi::xml_node c : spPr.children())
    if (Is(c, "a:noFill") || Is(c, "a:solidFill") || Is(c, "a:gradFill") || Is(c, "a:pattFill") ||
        Is(c, "a:blipFill") || Is(c, "a:grpFill"))
      return c;
  return {};
}

FillFormat ReadFill(const pugi::xml_node& fill, const DrawingSource& src) {
  FillFormat f{.Visible = true, .ForeColor = 0xFFFFFF, .BackColor = 0xFFFFFF, .Transparency = 0.0,
               .Pattern = 0, .PictureFile = std::nullopt};
  if (!fill || Is(fill, "a:noFill")) {
    f.Visible = false;
  } else if (Is(fill, "a:pattFill")) {
    f.Pattern = PatternNumber(fill.attribute("prst").as_string());
    if (auto c = ReadColour(fill.child("a:fgClr"), src)) f.ForeColor = c->rgb;
    if (auto c = ReadColour(fill.child("a:bgClr"), src)) f.BackColor = c->rgb;
  } else {
    // A gradient shows as its first stop; the kept XML draws it whole.
    pugi::xml_node colourOf = Is(fill, "a:gradFill") ? fill.child("a:gsLst").child("a:gs") : fill;
    if (auto c = ReadColour(colourOf, src)) {
      f.ForeColor = c->rgb;
      f.Transparency = std::clamp(1 - c->alpha, 0.0, 1.0);
    }
  }
  return f;
}

// The theme reference of a shape's style for its outline or fill
// (a:lnRef, a:fillRef): used where the shape properties name none.
pugi::xml_node StyleRef(const pugi::xml_node& style, const char* ref) {
  pugi::xml_node r = style.child(ref);
  return r && r.attribute("idx").as_int() > 0 ? r : pugi::xml_node();
}

// ---- geometry ----

int PresetAutoShape(const std::string& prst) {
  static const std::map<std::string, int> kPresets = {
      {"rect", kAutoShapeRectangle},
      {"ellipse", kAutoShapeOval},
      {"flowChartProcess", kAutoShapeFlowchartProcess},
      {"flowChartDecision", kAutoShapeFlowchartDecision},
      {"flowChartInputOutput", kAutoShapeFlowchartData},
      {"flowChartTerminator", kAutoShapeFlowchartTerminator}};
  auto it = kPresets.find(prst);
  return it == kPresets.end() ? 0 : it->second;
}

// The two ends of a line drawn across its box; flips swap them.
void LineFromBox(ShapeData& s, const Box& b) {
  float x0 = NodeCoordinate(b.left), y0 = NodeCoordinate(b.top);
  float x1 = NodeCoordinate(b.left + b.width), y1 = NodeCoordinate(b.top + b.height);
  if (s.flipH) std::swap(x0, x1);
  if (s.flipV) std::swap(y0, y1);
  s.points = {{x0, y0}, {x1, y1}};
  s.flipH = s.flipV = false;
}

// A custom geometry of one path of straight and Bézier segments as page
// nodes: a Bézier list when it has curves (straight and quadratic segments
// become the cubic segments that draw them), else a polyline. Flips are
// applied to the nodes. False for geometry the nodes cannot express.
bool CustomNodes(const pugi::xml_node& custGeom, const Box& b, ShapeData& s) {
  pugi::xml_node pathLst = custGeom.child("a:pathLst");
  pugi::xml_node path = pathLst.child("a:path");
  if (!path || path.next_sibling("a:path")) return false;
  if (!path.attribute("stroke").as_bool(true)) return false;
  double w = path.attribute("w").as_double(), h = path.attribute("h").as_double();
  double pw = w > 0 ? b.width / w : 1 / kEmuPerPoint, ph = h > 0 ? b.height / h : 1 / kEmuPerPoint;
  auto page = [&](const pugi::xml_node& pt) {
    double x = pt.attribute("x").as_double() * pw, y = pt.attribute("y").as_double() * ph;
    if (s.flipH) x = b.width - x;
    if (s.flipV) y = b.height - y;
    return PointF{NodeCoordinate(b.left + x), NodeCoordinate(b.top + y)};
  };
  struct Segment {
    std::vector<PointF> pts;  // 1 for a line, 3 for a cubic, 2 for a quadratic
  };
  std::vector<Segment> segments;
  PointF start{};
  bool started = false, closed = false, curved = false;
  for (pugi::xml_node c : path.children()) {
    if (closed) return false;  // only a final close is a node list
    std::vector<PointF> pts;
    for (pugi::xml_node pt : c.children("a:pt")) pts.push_back(page(pt));
    if (Is(c, "a:moveTo")) {
      if (started || pts.size() != 1) return false;
      start = pts[0];
      started = true;
    } else if (!started) {
      return false;
    } else if (Is(c, "a:lnTo") && pts.size() == 1) {
      segments.push_back({pts});
    } else if ((Is(c, "a:cubicBezTo") && pts.size() == 3) || (Is(c, "a:quadBezTo") && pts.size() == 2)) {
      segments.push_back({pts});
      curved = true;
    } else if (Is(c, "a:close")) {
      closed = true;
    } else {
      return false;
    }
  }
  if (!started || segments.empty()) return false;
  PointF last = segments.back().pts.back();
  if (closed && !(last == start)) segments.push_back({{start}});
  s.points = {start};
  PointF at = start;
  auto lerp = [](PointF a, PointF b, double t) {
    return PointF{NodeCoordinate(a.x + (b.x - a.x) * t), NodeCoordinate(a.y + (b.y - a.y) * t)};
  };
  for (const Segment& seg : segments) {
    if (!curved) {
      s.points.push_back(seg.pts[0]);
      s.segments.push_back(kSegmentLine);
    } else if (seg.pts.size() == 1) {
      s.points.insert(s.points.end(), {lerp(at, seg.pts[0], 1.0 / 3), lerp(at, seg.pts[0], 2.0 / 3), seg.pts[0]});
    } else if (seg.pts.size() == 2) {
      PointF q = seg.pts[0], end = seg.pts[1];
      s.points.insert(s.points.end(), {lerp(at, q, 2.0 / 3), lerp(end, q, 2.0 / 3), end});
    } else {
      s.points.insert(s.points.end(), seg.pts.begin(), seg.pts.end());
    }
    at = s.points.back();
  }
  s.curve = curved;
  s.flipH = s.flipV = false;
  return true;
}

// The shape's kind and nodes from its geometry; geometry the model cannot
// express is kept.
void ReadGeometry(const pugi::xml_node& spPr, const Box& b, bool textBox, ShapeData& s, KeptDrawing& kept) {
  pugi::xml_node prst = spPr.child("a:prstGeom");
  pugi::xml_node cust = spPr.child("a:custGeom");
  s.left = b.left;
  s.top = b.top;
  s.width = b.width;
  s.height = b.height;
  if (prst) {
    std::string name = prst.attribute("prst").as_string();
    if (name == "line" || name == "straightConnector1") {
      s.type = kShapeLine;
      LineFromBox(s, b);
      return;
    }
    int autoShape = PresetAutoShape(name);
    s.type = textBox && name == "rect" ? kShapeTextBox : kShapeAutoShape;
    s.autoShape = autoShape ? autoShape : kAutoShapeNotPrimitive;
    if (!autoShape || prst.child("a:avLst").first_child()) kept.geometry = KeptXml(prst);
    return;
  }
  s.type = textBox ? kShapeTextBox : kShapeFreeform;
  s.autoShape = textBox ? kAutoShapeRectangle : 0;
  if (cust && !textBox && CustomNodes(cust, b, s)) {
    if (!s.curve && s.points.size() == 2) s.type = kShapeLine, s.segments.clear();
    return;
  }
  s.points.clear();
  s.segments.clear();
  if (cust) kept.geometry = KeptXml(cust);
  else if (!textBox) throw UnreadableDrawing("shape without geometry");
}

// ---- text ----

TextFrameFormat ReadBodyPr(const pugi::xml_node& bodyPr) {
  TextFrameFormat f{.MarginLeft = 7.2, .MarginRight = 7.2, .MarginTop = 3.6, .MarginBottom = 3.6,
                    .Orientation = 1};
  auto inset = [&](const char* name, std::optional<double>& slot) {
    if (pugi::xml_attribute a = bodyPr.attribute(name)) slot = Points(a);
  };
  inset("lIns", f.MarginLeft);
  inset("rIns", f.MarginRight);
  inset("tIns", f.MarginTop);
  inset("bIns", f.MarginBottom);
  std::string vert = bodyPr.attribute("vert").as_string("horz");
  f.Orientation = vert == "vert270" ? 2 : vert == "vert" ? 3 : vert == "eaVert" || vert == "wordArtVertRtl" ? 5 : 1;
  return f;
}

// ---- shapes ----

struct ShapeReader {
  const DrawingSource& src;

  // Name and alternative text from wp:docPr or a cNvPr.
  static void Names(const pugi::xml_node& pr, ShapeData& s) {
    s.name = Utf8ToWide(pr.attribute("name").as_string());
    s.altText = Utf8ToWide(pr.attribute("descr").as_string());
  }

  static void Transform(const pugi::xml_node& xfrm, ShapeData& s) {
    s.rotation = std::fmod(xfrm.attribute("rot").as_double() / 60000, 360.0);
    if (!std::isfinite(s.rotation)) s.rotation = 0;
    if (s.rotation < 0) s.rotation += 360;
    s.flipH = xfrm.attribute("flipH").as_bool();
    s.flipV = xfrm.attribute("flipV").as_bool();
  }

  // The shape properties the model reads, and the rest kept.
  void Look(const pugi::xml_node& spPr, const pugi::xml_node& style, ShapeData& s, KeptDrawing& kept) const {
    pugi::xml_node fill = FillElement(spPr);
    if (fill) {
      s.fill = ReadFill(fill, src);
      kept.fill = KeptXml(fill);
    } else if (pugi::xml_node ref = StyleRef(style, "a:fillRef")) {
      s.fill = ReadFill(ref, src);  // the reference holds its colour as a solid fill does
      s.fill.Visible = true;
    } else {
      s.fill = ReadFill({}, src);
    }
    kept.fillAsRead = s.fill;
    pugi::xml_node ln = spPr.child("a:ln");
    if (ln) {
      s.line = ReadLine(ln, src);
      kept.line = KeptXml(ln);
    } else if (pugi::xml_node ref = StyleRef(style, "a:lnRef")) {
      s.line = ReadLine({}, src);
      if (auto c = ReadColour(ref, src)) s.line.ForeColor = c->rgb;
    } else {
      s.line = ReadLine({}, src);
      s.line.Visible = false;
    }
    kept.lineAsRead = s.line;
    // Effects, 3-D and extensions: everything after the outline.
    for (pugi::xml_node c : spPr.children())
      if (c != ln && c != fill && !Is(c, "a:xfrm") && !Is(c, "a:prstGeom") && !Is(c, "a:custGeom"))
        kept.effects += KeptXml(c);
    if (style) kept.style = KeptXml(style);
  }

  ShapeDataPtr Wsp(const pugi::xml_node& wsp, const Box& b, const pugi::xml_node& pr) const {
    auto s = std::make_shared<ShapeData>();
    KeptDrawing kept;
    Names(pr ? pr : wsp.child("wps:cNvPr"), *s);
    pugi::xml_node spPr = wsp.child("wps:spPr");
    Transform(spPr.child("a:xfrm"), *s);
    pugi::xml_node txbx = wsp.child("wps:txbx");
    bool textBox = wsp.child("wps:cNvSpPr").attribute("txBox").as_bool() && txbx;
    ReadGeometry(spPr, b, textBox, *s, kept);
    Look(spPr, wsp.child("wps:style"), *s, kept);
    if (s->type == kShapeLine) s->fill.Visible = false;
    pugi::xml_node bodyPr = wsp.child("wps:bodyPr");
    if (txbx) {
      s->text = ReadTextBox(txbx.child("w:txbxContent"), src);
      s->frame = ReadBodyPr(bodyPr);
      kept.frameAsRead = s->frame;
      kept.bodyPr = KeptXml(bodyPr);
    } else if (s->type == kShapeAutoShape) {
      s->text = std::make_shared<model::Story>();  // an auto shape can take text later
      s->frame = ReadBodyPr(bodyPr);
      kept.frameAsRead = s->frame;
    }
    s->kept = std::make_shared<KeptDrawing>(std::move(kept));
    return s;
  }

  ShapeDataPtr Pic(const pugi::xml_node& pic, const Box& b, const pugi::xml_node& pr) const {
    auto s = std::make_shared<ShapeData>();
    KeptDrawing kept;
    Names(pr ? pr : pic.child("pic:nvPicPr").child("pic:cNvPr"), *s);
    pugi::xml_node blipFill = pic.child("pic:blipFill");
    std::string relId = blipFill.child("a:blip").attribute("r:embed").as_string();
    std::optional<model::InlineObject> picture = src.picture(relId);
    if (!picture) throw UnreadableDrawing("picture without data");
    picture->width = b.width;
    picture->height = b.height;
    picture->altText = s->altText;
    s->picture = std::move(picture);
    s->effects = ReadPictureEffects(blipFill.child("a:blip"));
    s->type = kShapePicture;
    s->left = b.left;
    s->top = b.top;
    s->width = b.width;
    s->height = b.height;
    pugi::xml_node spPr = pic.child("pic:spPr");
    Transform(spPr.child("a:xfrm"), *s);
    Look(spPr, {}, *s, kept);
    s->fill.Visible = false;
    kept.fill.clear();
    kept.fillAsRead = s->fill;
    kept.blipFill = KeptXml(blipFill);
    s->kept = std::make_shared<KeptDrawing>(std::move(kept));
    return s;
  }

  // A group's items placed on the page through the group's child extent.
  ShapeDataPtr Group(const pugi::xml_node& grp, const Box& b, const pugi::xml_node& pr, int depth) const {
    if (depth > 32) throw UnreadableDrawing("groups nested too deep");
    auto g = std::make_shared<ShapeData>();
    g->type = kShapeGroup;
    Names(pr ? pr : grp.child("wpg:cNvPr"), *g);
    pugi::xml_node xfrm = grp.child("wpg:grpSpPr").child("a:xfrm");
    Transform(xfrm, *g);
    ChildMap map;
    double chx = xfrm.child("a:chOff").attribute("x").as_double();
    double chy = xfrm.child("a:chOff").attribute("y").as_double();
    double chw = xfrm.child("a:chExt").attribute("cx").as_double();
    double chh = xfrm.child("a:chExt").attribute("cy").as_double();
    map.sx = chw > 0 ? b.width / chw : 1 / kEmuPerPoint;
    map.sy = chh > 0 ? b.height / chh : 1 / kEmuPerPoint;
    map.ox = b.left - chx * map.sx;
    map.oy = b.top - chy * map.sy;
    for (pugi::xml_node c : grp.children()) {
      ShapeDataPtr item;
      if (Is(c, "wps:wsp")) item = Wsp(c, map.Place(c.child("wps:spPr").child("a:xfrm")), {});
      else if (Is(c, "pic:pic")) item = Pic(c, map.Place(c.child("pic:spPr").child("a:xfrm")), {});
      else if (Is(c, "wpg:grpSp"))
        item = Group(c, map.Place(c.child("wpg:grpSpPr").child("a:xfrm")), {}, depth + 1);
      else if (Is(c, "wpg:graphicFrame") || Is(c, "mc:AlternateContent") || Is(c, "w14:contentPart"))
        throw UnreadableDrawing("group item the model has no shape for");
      else
        continue;
      item->parent = g.get();
      g->children.push_back(item);
    }
    if (g->children.empty()) throw UnreadableDrawing("empty group");
    if (pr) ItemNamesFromTitle(pr, *g);
    return g;
  }

  // A word processor that writes a group's items without names (LibreOffice)
  // keeps the group's title: the LibreOffice host records the items' names
  // there, after kItemNames, in order, each followed by '|'.
  static void ItemNamesFromTitle(const pugi::xml_node& pr, ShapeData& group) {
    const std::wstring title = Utf8ToWide(pr.attribute("title").as_string());
    if (!title.starts_with(kItemNames)) return;
    std::vector<ShapeData*> items;
    std::vector<ShapeData*> pending{&group};
    while (!pending.empty()) {
      ShapeData* s = pending.back();
      pending.pop_back();
      if (s != &group) items.push_back(s);
      for (auto it = s->children.rbegin(); it != s->children.rend(); ++it) pending.push_back(it->get());
    }
    size_t from = std::wcslen(kItemNames);
    for (ShapeData* item : items) {
      const size_t end = title.find(L'|', from);
      if (end == std::wstring::npos) return;
      if (item->name.empty()) item->name = title.substr(from, end - from);
      from = end + 1;
    }
  }
};

// A reference area's start and length on one axis.
struct Span {
  double start, length;
};

// The page coordinate of a shape's near edge from an anchor's position
// element: an offset from, or an alignment in, its reference area.
double Position(const pugi::xml_node& pos, Span area, double size) {
  if (pugi::xml_node offset = pos.child("wp:posOffset"))
    return area.start + std::atof(offset.child_value()) / kEmuPerPoint;
  std::string align = pos.child("wp:align").child_value();
  if (align == "center") return area.start + (area.length - size) / 2;
  if (align == "right" || align == "bottom" || align == "outside") return area.start + area.length - size;
  return area.start;
}

}  // namespace

float NodeCoordinate(double points) {
  constexpr double kFar = 1e6;  // about 350 m of paper
  if (!std::isfinite(points)) return 0;
  return static_cast<float>(std::clamp(points, -kFar, kFar));
}

bool ParseColour(const std::string& text, uint32_t& rgb) {
  static const std::map<std::string, uint32_t> kNames = {
      {"black", 0x000000}, {"white", 0xFFFFFF}, {"red", 0x0000FF},    {"green", 0x008000},
      {"lime", 0x00FF00},  {"blue", 0xFF0000},  {"yellow", 0x00FFFF}, {"gray", 0x808080},
      {"grey", 0x808080},  {"silver", 0xC0C0C0}, {"navy", 0x800000},  {"teal", 0x808000},
      {"maroon", 0x000080}, {"purple", 0x800080}, {"olive", 0x008080}, {"aqua", 0xFFFF00},
      {"fuchsia", 0xFF00FF}, {"cyan", 0xFFFF00}, {"magenta", 0xFF00FF}};
  std::string t = text.substr(0, text.find(' '));  // "#FF0000 [3204]" carries a scheme index
  if (!t.empty() && t[0] == '#') {
    t = t.substr(1);
    if (t.size() == 3) t = {t[0], t[0], t[1], t[1], t[2], t[2]};
    return ParseHexColor(t, rgb);
  }
  if (ParseHexColor(t, rgb)) return true;
  std::transform(t.begin(), t.end(), t.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  auto it = kNames.find(t);
  if (it == kNames.end()) return false;
  rgb = it->second;
  return true;
}

std::shared_ptr<model::Story> ReadTextBox(const pugi::xml_node& content, const DrawingSource& src) {
  if (content.select_node(".//w:bookmarkStart"))
    throw UnreadableDrawing("text box with content only the main text holds");
  return src.textBox(content);
}

std::string KeptXml(const pugi::xml_node& n) {
  pugi::xml_document copy;
  pugi::xml_node c = copy.append_copy(n);
  for (pugi::xml_node a = n.parent(); a && a.parent() && a.parent().type() != pugi::node_document; a = a.parent())
    for (pugi::xml_attribute attr : a.attributes()) {
      std::string name = attr.name();
      if ((name == "xmlns" || name.starts_with("xmlns:")) && !c.attribute(attr.name()))
        c.append_attribute(attr.name()) = attr.value();
    }
  std::ostringstream os;
  c.print(os, "", pugi::format_raw);
  return os.str();
}

model::ShapeDataPtr ReadAnchorDrawing(const pugi::xml_node& anchor, const DrawingSource& src,
                                      Placement& where) {
  const PageSetup& p = src.page;
  pugi::xml_node extent = anchor.child("wp:extent");
  double width = Points(extent.attribute("cx")), height = Points(extent.attribute("cy"));
  double x = 0, y = 0;
  if (anchor.attribute("simplePos").as_bool()) {
    x = Points(anchor.child("wp:simplePos").attribute("x"));
    y = Points(anchor.child("wp:simplePos").attribute("y"));
  } else {
    pugi::xml_node h = anchor.child("wp:positionH"), v = anchor.child("wp:positionV");
    std::string hFrom = h.attribute("relativeFrom").as_string("column");
    std::string vFrom = v.attribute("relativeFrom").as_string("paragraph");
    Span margins{p.LeftMargin, p.PageWidth - p.LeftMargin - p.RightMargin};
    Span hArea = hFrom == "page" ? Span{0, p.PageWidth}
               : hFrom == "leftMargin" || hFrom == "insideMargin" ? Span{0, p.LeftMargin}
               : hFrom == "rightMargin" || hFrom == "outsideMargin" ? Span{p.PageWidth - p.RightMargin, p.RightMargin}
               : margins;
    if (hFrom == "character" && h.child("wp:posOffset")) {
      hArea = {0, 0};
      where.xFromAnchor = true;
    }
    Span vArea = vFrom == "page" ? Span{0, p.PageHeight}
               : vFrom == "topMargin" || vFrom == "insideMargin" ? Span{0, p.TopMargin}
               : vFrom == "bottomMargin" || vFrom == "outsideMargin" ? Span{p.PageHeight - p.BottomMargin, p.BottomMargin}
               : Span{p.TopMargin, p.PageHeight - p.TopMargin - p.BottomMargin};
    if ((vFrom == "paragraph" || vFrom == "line") && v.child("wp:posOffset")) {
      vArea = {0, 0};
      where.yFromAnchor = vFrom == "paragraph";
      where.yFromLine = vFrom == "line";
    }
    x = Position(h, hArea, width);
    y = Position(v, vArea, height);
  }
  where.z = anchor.attribute("relativeHeight").as_llong();

  pugi::xml_node data = anchor.child("a:graphic").child("a:graphicData");
  pugi::xml_node docPr = anchor.child("wp:docPr");
  Box box{x, y, width, height};
  ShapeReader r{src};
  ShapeDataPtr s;
  if (pugi::xml_node wsp = data.child("wps:wsp")) s = r.Wsp(wsp, box, docPr);
  else if (pugi::xml_node wgp = data.child("wpg:wgp")) s = r.Group(wgp, box, docPr, 0);
  else if (pugi::xml_node pic = data.child("pic:pic")) s = r.Pic(pic, box, docPr);
  else throw UnreadableDrawing("drawing the model has no shape for");

  bool behind = anchor.attribute("behindDoc").as_bool();
  int wrap = behind ? 5 : 3;
  if (anchor.child("wp:wrapSquare")) wrap = 0;
  else if (anchor.child("wp:wrapTight")) wrap = 1;
  else if (anchor.child("wp:wrapThrough")) wrap = 2;
  else if (anchor.child("wp:wrapTopAndBottom")) wrap = 4;
  s->wrap = {.AllowOverlap = anchor.attribute("allowOverlap").as_bool(true), .Type = wrap};
  Box b = model::Bounds(*s);
  s->origWidth = b.width;
  s->origHeight = b.height;
  return s;
}

}  // namespace plx::docif::ooxml
