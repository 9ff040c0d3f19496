#include "docif/ooxml/drawing_xml.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <sstream>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/shape_geometry.hpp"
#include "docif/ooxml/picture_adjust.hpp"
#include "docif/ooxml/xml_text.hpp"

namespace plx::docif::ooxml {
namespace {

using model::Box;
using model::InlineObject;
using model::KeptDrawing;
using model::ShapeData;

// The host's pattern numbers in order, from 1 (5 %) to 48 (wave).
constexpr const char* kPatternNames[] = {
    "pct5",       "pct10",      "pct20",      "pct25",      "pct30",     "pct40",
    "pct50",      "pct60",      "pct70",      "pct75",      "pct80",     "pct90",
    "dkHorz",     "dkVert",     "dkDnDiag",   "dkUpDiag",   "smCheck",   "trellis",
    "ltHorz",     "ltVert",     "ltDnDiag",   "ltUpDiag",   "smGrid",    "dotDmnd",
    "wdDnDiag",   "wdUpDiag",   "dashUpDiag", "dashDnDiag", "narVert",   "narHorz",
    "dashVert",   "dashHorz",   "lgConfetti", "lgGrid",     "horzBrick", "lgCheck",
    "smConfetti", "zigZag",     "solidDmnd",  "diagBrick",  "openDmnd",  "plaid",
    "sphere",     "weave",      "dotGrid",    "divot",      "shingle",   "wave"};

}  // namespace

const char* PatternName(int pattern) {
  if (pattern >= 1 && pattern <= static_cast<int>(std::size(kPatternNames))) return kPatternNames[pattern - 1];
  return "pct50";
}

int PatternNumber(const std::string& name) {
  for (size_t i = 0; i < std::size(kPatternNames); ++i)
    if (name == kPatternNames[i]) return static_cast<int>(i) + 1;
  return 7;  // an unknown pattern shows as 50 %
}

namespace {

// The widest line the file format accepts (1584 pt).
constexpr int64_t kMaxLineWidth = 20116800;

constexpr const char* kUriShape =
    "http://schemas.microsoft.com/office/word/2010/wordprocessingShape";
constexpr const char* kUriGroup =
    "http://schemas.microsoft.com/office/word/2010/wordprocessingGroup";
constexpr const char* kUriPicture = "http://schemas.openxmlformats.org/drawingml/2006/picture";

// Every prefix the drawing uses except w, declared on <w:drawing> so the
// run content parses whatever the document root declares.
constexpr const char* kNamespaces =
    " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\""
    " xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\""
    " xmlns:wpg=\"http://schemas.microsoft.com/office/word/2010/wordprocessingGroup\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// A size in EMU, never negative. Zero is kept: a vertical or horizontal
// line has one zero side, and readers draw it only when it is written as 0.
int64_t Size(double points) { return std::max<int64_t>(0, Emu(points)); }
// A path's own width and height: never 0, readers divide by them.
int64_t PathSize(double points) { return std::max<int64_t>(1, Emu(points)); }

std::string IntText(int64_t v) { return std::to_string(v); }

// "RRGGBB" from the model's colour, which keeps red in the low byte. The
// automatic colour (and any other value with the high byte set, which is no
// RGB value) becomes the fallback.
std::string Rgb(std::optional<uint32_t> colour, uint32_t fallback) {
  uint32_t c = colour.value_or(fallback);
  return HexColor(c & 0xFF000000u ? fallback : c);
}

std::string SrgbClr(std::optional<uint32_t> colour, uint32_t fallback) {
  return "<a:srgbClr val=\"" + Rgb(colour, fallback) + "\"/>";
}

const char* DashName(int style) {
  switch (style) {
    case 2: return "sysDot";
    case 3: return "sysDash";
    case 4: return "dash";
    case 5: return "dashDot";
    case 6: return "lgDashDotDot";
    case 7: return "lgDash";
    case 8: return "lgDashDot";
    default: return "solid";
  }
}

const char* ArrowType(int style) {
  switch (style) {
    case 2: return "triangle";
    case 3: return "arrow";
    case 4: return "stealth";
    case 5: return "diamond";
    case 6: return "oval";
    default: return nullptr;  // none
  }
}

const char* ArrowSize(std::optional<int> size) {
  switch (size.value_or(2)) {
    case 1: return "sm";
    case 3: return "lg";
    default: return "med";
  }
}

// <a:headEnd> or <a:tailEnd>; nothing for a line end without an arrowhead.
std::string ArrowXml(const char* tag, std::optional<int> style, std::optional<int> length,
                     std::optional<int> width) {
  const char* type = ArrowType(style.value_or(1));
  if (!type) return {};
  return std::string("<a:") + tag + " type=\"" + type + "\" w=\"" + ArrowSize(width) +
         "\" len=\"" + ArrowSize(length) + "\"/>";
}

bool Same(const LineFormat& a, const LineFormat& b) {
  return a.Visible == b.Visible && a.Weight == b.Weight && a.ForeColor == b.ForeColor &&
         a.DashStyle == b.DashStyle && a.BeginArrowheadStyle == b.BeginArrowheadStyle &&
         a.BeginArrowheadLength == b.BeginArrowheadLength && a.BeginArrowheadWidth == b.BeginArrowheadWidth &&
         a.EndArrowheadStyle == b.EndArrowheadStyle && a.EndArrowheadLength == b.EndArrowheadLength &&
         a.EndArrowheadWidth == b.EndArrowheadWidth;
}

bool Same(const FillFormat& a, const FillFormat& b) {
  return a.Visible == b.Visible && a.ForeColor == b.ForeColor && a.BackColor == b.BackColor &&
         a.Transparency == b.Transparency && a.Pattern == b.Pattern && a.PictureFile == b.PictureFile;
}

bool Same(const TextFrameFormat& a, const TextFrameFormat& b) {
  return a.MarginLeft == b.MarginLeft && a.MarginRight == b.MarginRight && a.MarginTop == b.MarginTop &&
         a.MarginBottom == b.MarginBottom && a.Orientation == b.Orientation;
}

}  // namespace

std::string LineXml(const LineFormat& f) {
  if (!f.Visible.value_or(true)) return "<a:ln><a:noFill/></a:ln>";
  double weight = f.Weight.value_or(0.75);
  if (!std::isfinite(weight)) weight = 0.75;
  int64_t w = std::clamp<int64_t>(Emu(weight), 0, kMaxLineWidth);
  return "<a:ln w=\"" + IntText(w) + "\"><a:solidFill>" + SrgbClr(f.ForeColor, 0) +
         "</a:solidFill><a:prstDash val=\"" + DashName(f.DashStyle.value_or(1)) + "\"/>" +
         ArrowXml("headEnd", f.BeginArrowheadStyle, f.BeginArrowheadLength,
                  f.BeginArrowheadWidth) +
         ArrowXml("tailEnd", f.EndArrowheadStyle, f.EndArrowheadLength, f.EndArrowheadWidth) +
         "</a:ln>";
}

namespace {

// The fill; missing members are the defaults (visible, white, opaque).
std::string FillXml(const FillFormat& f) {
  if (!f.Visible.value_or(true)) return "<a:noFill/>";
  int pattern = f.Pattern.value_or(0);
  if (pattern > 0)
    return std::string("<a:pattFill prst=\"") + PatternName(pattern) + "\"><a:fgClr>" +
           SrgbClr(f.ForeColor, 0xFFFFFF) + "</a:fgClr><a:bgClr>" +
           SrgbClr(f.BackColor, 0xFFFFFF) + "</a:bgClr></a:pattFill>";
  double t = f.Transparency.value_or(0);
  if (!std::isfinite(t)) t = 0;
  t = std::clamp(t, 0.0, 1.0);
  std::string colour = "<a:srgbClr val=\"" + Rgb(f.ForeColor, 0xFFFFFF) + "\"";
  if (t > 0)
    colour += "><a:alpha val=\"" + IntText(std::llround((1 - t) * 100000)) + "\"/></a:srgbClr>";
  else
    colour += "/>";
  return "<a:solidFill>" + colour + "</a:solidFill>";
}

// <a:xfrm>. Shapes directly under an anchor sit at 0,0 (the anchor places
// them); shapes in a group use page coordinates.
std::string Xfrm(const ShapeData& s, const Box& box, bool inGroup) {
  std::string attrs;
  if (int64_t rot = Rot(s.rotation)) attrs += " rot=\"" + IntText(rot) + "\"";
  if (s.flipH) attrs += " flipH=\"1\"";
  if (s.flipV) attrs += " flipV=\"1\"";
  return "<a:xfrm" + attrs + "><a:off x=\"" + IntText(inGroup ? Emu(box.left) : 0) + "\" y=\"" +
         IntText(inGroup ? Emu(box.top) : 0) + "\"/><a:ext cx=\"" + IntText(Size(box.width)) +
         "\" cy=\"" + IntText(Size(box.height)) + "\"/></a:xfrm>";
}

std::string PresetGeometry(const char* name) {
  return std::string("<a:prstGeom prst=\"") + name + "\"><a:avLst/></a:prstGeom>";
}

const char* AutoShapeGeometry(int autoShape) {
  switch (autoShape) {
    case kAutoShapeOval: return "ellipse";
    case kAutoShapeFlowchartProcess: return "flowChartProcess";
    case kAutoShapeFlowchartDecision: return "flowChartDecision";
    case kAutoShapeFlowchartData: return "flowChartInputOutput";
    case kAutoShapeFlowchartTerminator: return "flowChartTerminator";
    default: return "rect";
  }
}

// A freeform's own path: the nodes relative to the box's top left, in EMU.
// A Bézier list is a start point and three points per segment; points left
// over by a list of the wrong length are joined by straight lines rather
// than dropped. Straight freeforms write every node as a line (a single
// curve node carries no control points to bend by). A path that ends where
// it began is closed.
std::string CustomGeometry(const ShapeData& s, const Box& box) {
  auto pt = [&](const PointF& p) {
    return "<a:pt x=\"" + IntText(Emu(p.x - box.left)) + "\" y=\"" + IntText(Emu(p.y - box.top)) + "\"/>";
  };
  const auto& p = s.points;
  std::string path = "<a:moveTo>" + pt(p[0]) + "</a:moveTo>";
  size_t i = 1;
  if (s.curve)
    for (; i + 2 < p.size(); i += 3)
      path += "<a:cubicBezTo>" + pt(p[i]) + pt(p[i + 1]) + pt(p[i + 2]) + "</a:cubicBezTo>";
  for (; i < p.size(); ++i) path += "<a:lnTo>" + pt(p[i]) + "</a:lnTo>";
  if (p.size() > 2 && p.front() == p.back()) path += "<a:close/>";
  return "<a:custGeom><a:avLst/><a:gdLst/><a:ahLst/><a:cxnLst/>"
         "<a:rect l=\"l\" t=\"t\" r=\"r\" b=\"b\"/><a:pathLst><a:path w=\"" +
         IntText(PathSize(box.width)) + "\" h=\"" + IntText(PathSize(box.height)) + "\">" + path +
         "</a:path></a:pathLst></a:custGeom>";
}

std::string Geometry(const ShapeData& s, const Box& box) {
  // Geometry read from a file that the model's nodes do not express.
  if (s.kept && !s.kept->geometry.empty() && s.points.empty()) return s.kept->geometry;
  switch (s.type) {
    // A line is a two-node path from its begin to its end, so its direction
    // (and which end has which arrowhead) needs no flips: LibreOffice turns
    // a vertical preset line of zero width into a horizontal one.
    case kShapeLine:
      return s.points.size() < 2 ? PresetGeometry("line") : CustomGeometry(s, box);
    case kShapeFreeform:
      return s.points.empty() ? PresetGeometry("rect") : CustomGeometry(s, box);
    case kShapeAutoShape: return PresetGeometry(AutoShapeGeometry(s.autoShape));
    default: return PresetGeometry("rect");
  }
}

std::string Descr(const std::wstring& altText) {
  return altText.empty() ? std::string() : " descr=\"" + XmlEscape(altText) + "\"";
}

std::string CNvPr(const char* prefix, uint32_t id, const ShapeData& s) {
  return std::string("<") + prefix + ":cNvPr id=\"" + IntText(id) + "\" name=\"" + XmlEscape(s.name) +
         "\"" + Descr(s.altText) + "/>";
}

// A shape's fill and outline: as read from a file while the model still
// has the values they were read as, else the model's.
std::string ShapeFill(const ShapeData& s) {
  if (s.kept && Same(s.fill, s.kept->fillAsRead)) return s.kept->fill;
  return s.type == kShapeLine ? std::string("<a:noFill/>") : FillXml(s.fill);
}

std::string ShapeLine(const ShapeData& s) {
  if (s.kept && Same(s.line, s.kept->lineAsRead)) return s.kept->line;
  return LineXml(s.line);
}

// <wps:bodyPr> of a text box: insets from the frame margins, text direction
// from the orientation, text anchored at the top.
std::string TextBodyPr(const TextFrameFormat& f) {
  auto inset = [](std::optional<double> points, double fallback) {
    return IntText(std::max<int64_t>(0, Emu(points.value_or(fallback))));
  };
  const char* vert = "horz";
  switch (f.Orientation.value_or(1)) {
    case 2: vert = "vert270"; break;
    case 3: vert = "vert"; break;
    case 5: vert = "eaVert"; break;
    default: break;
  }
  return std::string("<wps:bodyPr rot=\"0\" vert=\"") + vert + "\" wrap=\"square\" lIns=\"" +
         inset(f.MarginLeft, 7.2) + "\" tIns=\"" + inset(f.MarginTop, 3.6) + "\" rIns=\"" +
         inset(f.MarginRight, 7.2) + "\" bIns=\"" + inset(f.MarginBottom, 3.6) +
         "\" anchor=\"t\" anchorCtr=\"0\"><a:noAutofit/></wps:bodyPr>";
}

// The paragraphs of a text box; a text box always holds at least one.
std::string TextBoxContent(const ShapeData& s, DrawingContext& ctx) {
  std::string paragraphs;
  if (s.text) {
    if (!ctx.storyXml)
      Raise(err::kInvalidCall, L"无法写入文本框“" + s.name + L"”：没有写入文字的方法。");
    paragraphs = ctx.storyXml(*s.text);
  }
  if (paragraphs.empty()) paragraphs = "<w:p/>";
  return "<wps:txbx><w:txbxContent>" + paragraphs + "</w:txbxContent></wps:txbx>";
}

// A line, auto shape, text box or freeform. In a group it names itself with
// its own cNvPr; at the top the anchor's docPr does that.
std::string WspXml(const ShapeData& s, DrawingContext& ctx, bool inGroup) {
  Box box = model::Bounds(s);
  bool textBox = s.type == kShapeTextBox;
  std::string out = "<wps:wsp>";
  if (inGroup) out += CNvPr("wps", ctx.nextDocPrId++, s);
  out += textBox ? "<wps:cNvSpPr txBox=\"1\"/>" : "<wps:cNvSpPr/>";
  out += "<wps:spPr>" + Xfrm(s, box, inGroup) + Geometry(s, box) + ShapeFill(s) + ShapeLine(s) +
         (s.kept ? s.kept->effects : std::string()) + "</wps:spPr>";
  // Auto shapes carry text too (a flowchart box's label) when they have some.
  out += s.kept ? s.kept->style : std::string();
  bool hasText = textBox || (s.text && s.text->Length() > 1);
  if (hasText) out += TextBoxContent(s, ctx);
  if (s.kept && !s.kept->bodyPr.empty() && Same(s.frame, s.kept->frameAsRead)) out += s.kept->bodyPr;
  else out += hasText ? TextBodyPr(s.frame) : std::string("<wps:bodyPr/>");
  return out + "</wps:wsp>";
}

std::string Embed(const InlineObject& picture, DrawingContext& ctx) {
  if (!ctx.addImage) Raise(err::kInvalidCall, L"无法写入图片：没有把图片加入文档的方法。");
  return XmlEscape(ctx.addImage(picture));
}

// <pic:pic>: the picture stretched over its box.
std::string PicXml(const InlineObject& picture, uint32_t id, const std::wstring& name,
                   const std::wstring& altText, const std::string& xfrm, const std::string& line,
                   const PictureEffectList& effects, DrawingContext& ctx, const KeptDrawing* kept = nullptr) {
  std::string blipFill = kept && !kept->blipFill.empty()
      ? kept->blipFill
      : "<pic:blipFill><a:blip r:embed=\"" + Embed(picture, ctx) +
            "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>";
  if (!effects.empty()) blipFill = BlipFillWithEffects(blipFill, effects);
  return "<pic:pic><pic:nvPicPr><pic:cNvPr id=\"" + IntText(id) + "\" name=\"" + XmlEscape(name) + "\"" +
         Descr(altText) +
         "/><pic:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></pic:cNvPicPr></pic:nvPicPr>" +
         blipFill + "<pic:spPr>" + xfrm + PresetGeometry("rect") + line +
         (kept ? kept->effects : std::string()) + "</pic:spPr></pic:pic>";
}

bool IsPicture(const ShapeData& s) {
  return (s.type == kShapePicture || s.type == kShapeEmbeddedOle) && s.picture.has_value();
}

std::string ShapePicXml(const ShapeData& s, uint32_t id, DrawingContext& ctx, bool inGroup) {
  return PicXml(*s.picture, id, s.name, s.altText, Xfrm(s, model::Bounds(s), inGroup),
                s.kept ? ShapeLine(s) : LineXml(s.line), s.effects, ctx, s.kept.get());
}

std::string GroupXml(const ShapeData& g, DrawingContext& ctx, bool nested);

// One item of a group, back to front.
std::string GroupItemXml(const ShapeData& s, DrawingContext& ctx) {
  if (s.type == kShapeGroup) return GroupXml(s, ctx, true);
  if (IsPicture(s)) return ShapePicXml(s, ctx.nextDocPrId++, ctx, true);
  return WspXml(s, ctx, true);
}

// A group: its box with the child box equal to it, so the items keep page
// coordinates in EMU. The top-level group is wpg:wgp, nested ones
// wpg:grpSp with their own name.
std::string GroupXml(const ShapeData& g, DrawingContext& ctx, bool nested) {
  Box box = model::Bounds(g);
  std::string off = "x=\"" + IntText(Emu(box.left)) + "\" y=\"" + IntText(Emu(box.top)) + "\"";
  std::string ext = "cx=\"" + IntText(Size(box.width)) + "\" cy=\"" + IntText(Size(box.height)) + "\"";
  int64_t rot = Rot(g.rotation);
  const char* tag = nested ? "wpg:grpSp" : "wpg:wgp";
  std::string out = std::string("<") + tag + ">";
  if (nested) out += CNvPr("wpg", ctx.nextDocPrId++, g);
  out += "<wpg:cNvGrpSpPr/><wpg:grpSpPr><a:xfrm" +
         (rot ? " rot=\"" + IntText(rot) + "\"" : std::string()) + (g.flipH ? " flipH=\"1\"" : "") +
         (g.flipV ? " flipV=\"1\"" : "") + "><a:off " + off +
         "/><a:ext " + ext + "/><a:chOff " + off + "/><a:chExt " + ext +
         "/></a:xfrm></wpg:grpSpPr>";
  for (const auto& child : g.children)
    if (child && !child->deleted) out += GroupItemXml(*child, ctx);
  return out + "</" + tag + ">";
}

std::string Graphic(const char* uri, const std::string& content) {
  return std::string("<a:graphic><a:graphicData uri=\"") + uri + "\">" + content +
         "</a:graphicData></a:graphic>";
}

std::string WrapPolygon() {
  // The whole box, in the format's 21600ths of the extent.
  return "<wp:wrapPolygon edited=\"0\"><wp:start x=\"0\" y=\"0\"/><wp:lineTo x=\"0\" "
         "y=\"21600\"/><wp:lineTo x=\"21600\" y=\"21600\"/><wp:lineTo x=\"21600\" y=\"0\"/>"
         "<wp:lineTo x=\"0\" y=\"0\"/></wp:wrapPolygon>";
}

std::string WrapXml(int type) {
  switch (type) {
    case 0: return "<wp:wrapSquare wrapText=\"bothSides\"/>";
    case 1: return "<wp:wrapTight wrapText=\"bothSides\">" + WrapPolygon() + "</wp:wrapTight>";
    case 2:
      return "<wp:wrapThrough wrapText=\"bothSides\">" + WrapPolygon() + "</wp:wrapThrough>";
    case 4: return "<wp:wrapTopAndBottom/>";
    default: return "<wp:wrapNone/>";  // in front of text, behind text, inline
  }
}

bool EndsWith(const char* name, const char* suffix) {
  size_t n = std::strlen(name), k = std::strlen(suffix);
  return n >= k && std::strcmp(name + n - k, suffix) == 0;
}

// A positioned VML shape's z-index set to the stacking value z, keeping
// its sign (negative stands behind the text); VML without one is left as
// it is.
void SetVmlStacking(pugi::xml_node shape, uint32_t z) {
  pugi::xml_attribute style = shape.attribute("style");
  std::string text = style.as_string();
  size_t at = text.find("z-index:");
  if (at == std::string::npos) return;
  size_t value = at + 8, end = text.find(';', value);
  if (end == std::string::npos) end = text.size();
  bool behind = text.find('-', value) < end;
  text.replace(value, end - value, (behind ? "-" : "") + std::to_string(z));
  style = text.c_str();
}

// A drawing kept as read, with fresh drawing ids (ids must be unique in
// the document, and new drawings take theirs from the context) and the
// stacking order the shape now has, in DrawingML and in VML.
std::string KeptDrawingXml(const std::string& xml, uint32_t z, DrawingContext& ctx) {
  pugi::xml_document d;
  if (!d.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata)) return xml;
  std::vector<pugi::xml_node> stack{d.document_element()};
  while (!stack.empty()) {
    pugi::xml_node n = stack.back();
    stack.pop_back();
    if (std::strcmp(n.name(), "wp:docPr") == 0 || EndsWith(n.name(), ":cNvPr"))
      if (pugi::xml_attribute id = n.attribute("id")) id = ctx.nextDocPrId++;
    if (std::strcmp(n.name(), "wp:anchor") == 0)
      if (pugi::xml_attribute h = n.attribute("relativeHeight")) h = z;
    if (std::strcmp(n.name(), "w:pict") == 0)
      for (pugi::xml_node shape : n.children())
        if (std::strncmp(shape.name(), "v:", 2) == 0) SetVmlStacking(shape, z);
    for (pugi::xml_node c = n.last_child(); c; c = c.previous_sibling())
      if (c.type() == pugi::node_element) stack.push_back(c);
  }
  std::ostringstream os;
  d.document_element().print(os, "", pugi::format_raw);
  return os.str();
}

}  // namespace

std::string FloatingShapeXml(const model::ShapeData& shape, DrawingContext& ctx) {
  if (shape.source && model::Fingerprint(shape) == shape.source->fingerprint)
    return KeptDrawingXml(shape.source->xml, ctx.nextRelativeHeight++, ctx);
  Box box = model::Bounds(shape);
  int wrap = shape.wrap.Type.value_or(3);
  // A shape kept against its paragraph is written as its distance from the
  // paragraph's top, which does not change when the paragraph moves.
  const bool byParagraph = shape.paragraphRelative && shape.anchor;
  const double top = byParagraph ? box.top - shape.paragraphTop : box.top;
  uint32_t id = ctx.nextDocPrId++;
  uint32_t z = ctx.nextRelativeHeight++;
  bool picture = IsPicture(shape);

  std::string graphic;
  if (shape.type == kShapeGroup)
    graphic = Graphic(kUriGroup, GroupXml(shape, ctx, false));
  else if (picture)
    graphic = Graphic(kUriPicture, ShapePicXml(shape, id, ctx, false));
  else
    graphic = Graphic(kUriShape, WspXml(shape, ctx, false));

  return std::string("<w:drawing") + kNamespaces +
         "><wp:anchor distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\" simplePos=\"0\" "
         "relativeHeight=\"" + IntText(z) + "\" behindDoc=\"" + (wrap == 5 ? "1" : "0") +
         "\" locked=\"0\" layoutInCell=\"1\" allowOverlap=\"" +
         (shape.wrap.AllowOverlap.value_or(true) ? "1" : "0") +
         "\"><wp:simplePos x=\"0\" y=\"0\"/><wp:positionH relativeFrom=\"page\"><wp:posOffset>" +
         IntText(Emu(box.left)) +
         "</wp:posOffset></wp:positionH><wp:positionV relativeFrom=\"" + (byParagraph ? "paragraph" : "page") +
         "\"><wp:posOffset>" + IntText(Emu(top)) + "</wp:posOffset></wp:positionV><wp:extent cx=\"" +
         IntText(Size(box.width)) + "\" cy=\"" + IntText(Size(box.height)) +
         "\"/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>" + WrapXml(wrap) +
         "<wp:docPr id=\"" + IntText(id) + "\" name=\"" + XmlEscape(shape.name) + "\"" +
         Descr(shape.altText) + "/>" +
         (picture ? "<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/>"
                    "</wp:cNvGraphicFramePr>"
                  : "<wp:cNvGraphicFramePr/>") +
         graphic + "</wp:anchor></w:drawing>";
}

std::pair<int64_t, int64_t> RotatedOverhang(double width, double height, double degrees) {
  const double a = static_cast<double>(Rot(degrees)) / 60000 * std::numbers::pi / 180;
  const double w = std::abs(width * std::cos(a)) + std::abs(height * std::sin(a));
  const double h = std::abs(width * std::sin(a)) + std::abs(height * std::cos(a));
  return {std::max<int64_t>(0, Emu((w - width) / 2)), std::max<int64_t>(0, Emu((h - height) / 2))};
}

std::string InlinePictureXml(const model::InlineObject& picture, DrawingContext& ctx) {
  uint32_t id = ctx.nextDocPrId++;
  std::wstring name = L"图片 " + std::to_wstring(id);
  std::string cx = IntText(Size(picture.width)), cy = IntText(Size(picture.height));
  const int64_t rot = Rot(picture.rotation);
  std::string xfrm = (rot ? "<a:xfrm rot=\"" + IntText(rot) + "\">" : std::string("<a:xfrm>")) +
                     "<a:off x=\"0\" y=\"0\"/><a:ext cx=\"" + cx + "\" cy=\"" + cy + "\"/></a:xfrm>";
  const auto [dx, dy] = RotatedOverhang(picture.width, picture.height, picture.rotation);
  // A bordered picture gets the host's default thin black outline.
  std::string line = picture.borders ? LineXml(LineFormat{}) : std::string();
  std::string pic = PicXml(picture, id, name, picture.altText, xfrm, line, picture.effects, ctx);
  return std::string("<w:drawing") + kNamespaces +
         "><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" + cx +
         "\" cy=\"" + cy + "\"/><wp:effectExtent l=\"" + IntText(dx) + "\" t=\"" + IntText(dy) + "\" r=\"" +
         IntText(dx) + "\" b=\"" + IntText(dy) + "\"/><wp:docPr id=\"" +
         IntText(id) + "\" name=\"" + XmlEscape(name) + "\"" + Descr(picture.altText) +
         "/><wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/>"
         "</wp:cNvGraphicFramePr>" + Graphic(kUriPicture, pic) + "</wp:inline></w:drawing>";
}

}  // namespace plx::docif::ooxml
