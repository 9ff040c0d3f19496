#include "docif/ooxml/format_xml.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <vector>

#include "common/text.hpp"
#include "docif/ooxml/xml_text.hpp"

namespace plx::docif::ooxml {
namespace {

// Element orders of rPr and pPr: word processors reject properties out of
// schema order.
const std::vector<std::string> kRunOrder = {
    "w:rStyle", "w:rFonts", "w:b", "w:bCs", "w:i", "w:iCs", "w:caps", "w:smallCaps", "w:strike",
    "w:dstrike", "w:outline", "w:shadow", "w:emboss", "w:imprint", "w:noProof", "w:snapToGrid",
    "w:vanish", "w:webHidden", "w:color", "w:spacing", "w:w", "w:kern", "w:position", "w:sz",
    "w:szCs", "w:highlight", "w:u", "w:effect", "w:bdr", "w:shd", "w:fitText", "w:vertAlign",
    "w:rtl", "w:cs", "w:em", "w:lang", "w:eastAsianLayout", "w:specVanish", "w:oMath"};
const std::vector<std::string> kParagraphOrder = {
    "w:pStyle", "w:keepNext", "w:keepLines", "w:pageBreakBefore", "w:framePr", "w:widowControl",
    "w:numPr", "w:suppressLineNumbers", "w:pBdr", "w:shd", "w:tabs", "w:suppressAutoHyphens",
    "w:kinsoku", "w:wordWrap", "w:overflowPunct", "w:topLinePunct", "w:autoSpaceDE", "w:autoSpaceDN",
    "w:bidi", "w:adjustRightInd", "w:snapToGrid", "w:spacing", "w:ind", "w:contextualSpacing",
    "w:mirrorIndents", "w:suppressOverlap", "w:jc", "w:textDirection", "w:textAlignment",
    "w:textboxTightWrap", "w:outlineLvl", "w:divId", "w:cnfStyle", "w:rPr", "w:sectPr", "w:pPrChange"};

using Items = std::vector<std::pair<std::string, std::string>>;

// Adds the children of an XML fragment (as written in `extra`) to items.
void AddExtra(const std::string& extra, Items& items) {
  if (extra.empty()) return;
  pugi::xml_document doc;
  std::string wrapped = "<x xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">" + extra + "</x>";
  if (!doc.load_buffer(wrapped.data(), wrapped.size())) return;
  for (pugi::xml_node c : doc.first_child().children()) {
    std::ostringstream os;
    c.print(os, "", pugi::format_raw);
    items.emplace_back(c.name(), os.str());
  }
}

std::string Ordered(Items items, const std::vector<std::string>& order) {
  auto rank = [&](const std::string& name) {
    auto it = std::find(order.begin(), order.end(), name);
    return it == order.end() ? order.size() : static_cast<size_t>(it - order.begin());
  };
  std::stable_sort(items.begin(), items.end(),
                   [&](const auto& a, const auto& b) { return rank(a.first) < rank(b.first); });
  std::string out;
  for (auto& [name, xml] : items) out += xml;
  return out;
}

bool OnOff(const pugi::xml_node& n) {
  std::string v = n.attribute("w:val").as_string("true");
  return !(v == "0" || v == "false" || v == "off");
}

std::string Extra(const pugi::xml_node& n) {
  std::ostringstream os;
  n.print(os, "", pugi::format_raw);
  return os.str();
}

}  // namespace

std::string RunPropertiesXml(const model::CharFormat& f) {
  Items items;
  items.emplace_back("w:rFonts", "<w:rFonts w:ascii=\"" + XmlEscape(f.ascii) + "\" w:hAnsi=\"" +
                                     XmlEscape(f.ascii) + "\" w:eastAsia=\"" + XmlEscape(f.farEast) + "\"/>");
  items.emplace_back("w:b", f.bold ? "<w:b/>" : "<w:b w:val=\"0\"/>");
  items.emplace_back("w:i", f.italic ? "<w:i/>" : "<w:i w:val=\"0\"/>");
  if (f.hidden) items.emplace_back("w:vanish", "<w:vanish/>");
  items.emplace_back("w:color", "<w:color w:val=\"" +
                                    (f.color == model::kAutoColor ? std::string("auto") : HexColor(f.color)) + "\"/>");
  std::string half = Num(f.size * 2);
  if (f.position != 0)
    items.emplace_back("w:position", "<w:position w:val=\"" + std::to_string(std::lround(f.position * 2)) + "\"/>");
  items.emplace_back("w:sz", "<w:sz w:val=\"" + half + "\"/>");
  if (f.underline) items.emplace_back("w:u", "<w:u w:val=\"single\"/>");
  if (f.superscript) items.emplace_back("w:vertAlign", "<w:vertAlign w:val=\"superscript\"/>");
  if (f.subscript) items.emplace_back("w:vertAlign", "<w:vertAlign w:val=\"subscript\"/>");
  Items extra;
  AddExtra(f.extra, extra);
  for (auto& e : extra) {
    bool replaced = std::any_of(items.begin(), items.end(), [&](const auto& i) { return i.first == e.first; });
    if (!replaced) items.push_back(e);
  }
  return "<w:rPr>" + Ordered(items, kRunOrder) + "</w:rPr>";
}

std::string ParagraphPropertiesXml(const model::ParaFormat& p, const std::string& styleId,
                                   const std::string& numPr, const std::string& markRunProperties,
                                   const std::string& sectPr) {
  Items items;
  if (!sectPr.empty()) items.emplace_back("w:sectPr", sectPr);
  if (!styleId.empty()) items.emplace_back("w:pStyle", "<w:pStyle w:val=\"" + XmlEscape(styleId) + "\"/>");
  if (!numPr.empty()) items.emplace_back("w:numPr", numPr);
  if (!p.tabs.empty()) {
    static const char* kinds[] = {"left", "center", "right", "decimal"};
    std::string tabs = "<w:tabs>";
    for (const auto& t : p.tabs)
      tabs += std::string("<w:tab w:val=\"") + kinds[std::clamp(t.Alignment, 0, 3)] + "\" w:pos=\"" +
              std::to_string(Twips(t.Position)) + "\"/>";
    items.emplace_back("w:tabs", tabs + "</w:tabs>");
  }
  std::string spacing = "<w:spacing w:before=\"" + std::to_string(Twips(p.spaceBefore)) + "\" w:after=\"" +
                        std::to_string(Twips(p.spaceAfter)) + "\"";
  switch (p.lineSpacingRule) {
    case kSpace1pt5: spacing += " w:line=\"360\" w:lineRule=\"auto\""; break;
    case kSpaceDouble: spacing += " w:line=\"480\" w:lineRule=\"auto\""; break;
    case kSpaceAtLeast: spacing += " w:line=\"" + std::to_string(Twips(p.lineSpacing)) + "\" w:lineRule=\"atLeast\""; break;
    case kSpaceExactly: spacing += " w:line=\"" + std::to_string(Twips(p.lineSpacing)) + "\" w:lineRule=\"exact\""; break;
    case kSpaceMultiple:
      spacing += " w:line=\"" + std::to_string(std::lround(p.lineSpacing / 12.0 * 240)) + "\" w:lineRule=\"auto\"";
      break;
    default: spacing += " w:line=\"240\" w:lineRule=\"auto\"";
  }
  items.emplace_back("w:spacing", spacing + "/>");
  std::string ind = "<w:ind w:left=\"" + std::to_string(Twips(p.leftIndent)) + "\" w:right=\"" +
                    std::to_string(Twips(p.rightIndent)) + "\"";
  if (p.charIndent != 0) {
    ind += " w:firstLineChars=\"" + std::to_string(std::lround(p.charIndent * 100)) + "\" w:firstLine=\"" +
           std::to_string(Twips(p.charIndent * 10.5)) + "\"";
  } else if (p.firstIndent < 0) {
    ind += " w:hanging=\"" + std::to_string(Twips(-p.firstIndent)) + "\"";
  } else {
    ind += " w:firstLine=\"" + std::to_string(Twips(p.firstIndent)) + "\"";
  }
  items.emplace_back("w:ind", ind + "/>");
  static const char* aligns[] = {"left", "center", "right", "both", "distribute"};
  items.emplace_back("w:jc", std::string("<w:jc w:val=\"") + aligns[std::clamp(p.alignment, 0, 4)] + "\"/>");
  if (p.baseline != kBaselineAuto) {
    static const char* kinds[] = {"top", "center", "baseline", "bottom", "auto"};
    items.emplace_back("w:textAlignment", std::string("<w:textAlignment w:val=\"") +
                                              kinds[std::clamp(p.baseline, 0, 4)] + "\"/>");
  }
  if (p.outlineLevel >= 1 && p.outlineLevel <= 9)
    items.emplace_back("w:outlineLvl", "<w:outlineLvl w:val=\"" + std::to_string(p.outlineLevel - 1) + "\"/>");
  if (!markRunProperties.empty()) items.emplace_back("w:rPr", markRunProperties);
  Items extra;
  AddExtra(p.extra, extra);
  for (auto& e : extra) {
    bool replaced = std::any_of(items.begin(), items.end(), [&](const auto& i) { return i.first == e.first; });
    if (!replaced) items.push_back(e);
  }
  return Ordered(items, kParagraphOrder);
}

void ApplyRunProperties(const pugi::xml_node& rPr, model::CharFormat& f, bool keepExtra) {
  for (pugi::xml_node c : rPr.children()) {
    std::string name = c.name();
    if (name == "w:rFonts") {
      std::string ascii = c.attribute("w:ascii").as_string(c.attribute("w:hAnsi").as_string());
      if (!ascii.empty()) f.ascii = Utf8ToWide(ascii);
      std::string eastAsia = c.attribute("w:eastAsia").as_string();
      if (!eastAsia.empty()) f.farEast = Utf8ToWide(eastAsia);
    } else if (name == "w:b") {
      f.bold = OnOff(c);
    } else if (name == "w:i") {
      f.italic = OnOff(c);
    } else if (name == "w:vanish") {
      f.hidden = OnOff(c);
    } else if (name == "w:color") {
      std::string v = c.attribute("w:val").as_string();
      uint32_t rgb;
      f.color = ParseHexColor(v, rgb) ? rgb : model::kAutoColor;
    } else if (name == "w:sz") {
      double half = c.attribute("w:val").as_double(0);
      if (half > 0) f.size = half / 2;
    } else if (name == "w:position") {
      f.position = c.attribute("w:val").as_double(0) / 2;
    } else if (name == "w:u") {
      std::string v = c.attribute("w:val").as_string("single");
      f.underline = v == "none" ? 0 : 1;
    } else if (name == "w:vertAlign") {
      std::string v = c.attribute("w:val").as_string();
      f.superscript = v == "superscript";
      f.subscript = v == "subscript";
    } else if (keepExtra && name != "w:rPrChange") {
      f.extra += Extra(c);
    }
  }
}

void ApplyParagraphProperties(const pugi::xml_node& pPr, model::ParaFormat& p, bool keepExtra) {
  for (pugi::xml_node c : pPr.children()) {
    std::string name = c.name();
    if (name == "w:pStyle" || name == "w:numPr" || name == "w:rPr" || name == "w:sectPr" ||
        name == "w:pPrChange") {
      continue;  // the reader handles these itself
    } else if (name == "w:jc") {
      std::string v = c.attribute("w:val").as_string();
      p.alignment = v == "center" ? kAlignCenter : (v == "right" || v == "end") ? kAlignRight
                  : v == "both" ? kAlignJustify : v == "distribute" ? kAlignDistribute : kAlignLeft;
    } else if (name == "w:spacing") {
      if (auto a = c.attribute("w:before")) p.spaceBefore = a.as_double() / 20;
      if (auto a = c.attribute("w:after")) p.spaceAfter = a.as_double() / 20;
      if (auto line = c.attribute("w:line")) {
        std::string rule = c.attribute("w:lineRule").as_string("auto");
        double v = line.as_double();
        if (rule == "exact") p.lineSpacingRule = kSpaceExactly, p.lineSpacing = v / 20;
        else if (rule == "atLeast") p.lineSpacingRule = kSpaceAtLeast, p.lineSpacing = v / 20;
        else if (v == 240) p.lineSpacingRule = kSpaceSingle, p.lineSpacing = 12;
        else if (v == 360) p.lineSpacingRule = kSpace1pt5, p.lineSpacing = 18;
        else if (v == 480) p.lineSpacingRule = kSpaceDouble, p.lineSpacing = 24;
        else p.lineSpacingRule = kSpaceMultiple, p.lineSpacing = v / 240 * 12;
      }
    } else if (name == "w:ind") {
      if (auto a = c.attribute("w:left"); a) p.leftIndent = a.as_double() / 20;
      else if (auto s = c.attribute("w:start"); s) p.leftIndent = s.as_double() / 20;
      if (auto a = c.attribute("w:right"); a) p.rightIndent = a.as_double() / 20;
      else if (auto e = c.attribute("w:end"); e) p.rightIndent = e.as_double() / 20;
      if (auto a = c.attribute("w:firstLineChars"); a && a.as_double() != 0) {
        p.charIndent = a.as_double() / 100;
        p.firstIndent = 0;
      } else if (auto h = c.attribute("w:hanging"); h) {
        p.firstIndent = -h.as_double() / 20;
        p.charIndent = 0;
      } else if (auto f = c.attribute("w:firstLine"); f) {
        p.firstIndent = f.as_double() / 20;
        p.charIndent = 0;
      }
    } else if (name == "w:textAlignment") {
      std::string v = c.attribute("w:val").as_string();
      p.baseline = v == "top" ? kBaselineTop : v == "center" ? kBaselineCenter
                 : v == "baseline" ? kBaselineBaseline : v == "bottom" ? kBaselineFarEast50 : kBaselineAuto;
    } else if (name == "w:outlineLvl") {
      p.outlineLevel = c.attribute("w:val").as_int(9) + 1;
    } else if (name == "w:tabs") {
      p.tabs.clear();
      for (pugi::xml_node t : c.children("w:tab")) {
        std::string v = t.attribute("w:val").as_string("left");
        if (v == "clear") continue;
        int kind = v == "center" ? 1 : (v == "right" || v == "end") ? 2 : v == "decimal" ? 3 : 0;
        p.tabs.push_back({t.attribute("w:pos").as_double() / 20, kind});
      }
    } else if (keepExtra) {
      p.extra += Extra(c);
    }
  }
}

std::string WithoutChildren(const std::string& element, const char* name) {
  pugi::xml_document doc;
  if (element.empty() || !doc.load_buffer(element.data(), element.size(), pugi::parse_default | pugi::parse_ws_pcdata_single))
    return element;
  // The element is rebuilt from the children it keeps (copying and
  // printing walk the tree without recursion, whatever its shape).
  pugi::xml_node source = doc.document_element();
  pugi::xml_document kept;
  pugi::xml_node copy = kept.append_child(source.name());
  for (pugi::xml_attribute a : source.attributes()) copy.append_copy(a);
  for (pugi::xml_node c : source.children())
    if (std::strcmp(c.name(), name) != 0) copy.append_copy(c);
  return Extra(copy);
}

std::string WithTableBorders(const std::string& tblPr, const std::string& borders) {
  pugi::xml_document doc, part;
  if (!doc.load_buffer(tblPr.data(), tblPr.size()) || !part.load_buffer(borders.data(), borders.size())) return tblPr;
  pugi::xml_node props = doc.document_element();
  props.remove_child("w:tblBorders");
  // The elements that follow w:tblBorders in table properties.
  pugi::xml_node before;
  for (pugi::xml_node c : props.children()) {
    const std::string name = c.name();
    if (name == "w:shd" || name == "w:tblLayout" || name == "w:tblCellMar" || name == "w:tblLook" ||
        name == "w:tblCaption" || name == "w:tblDescription") {
      before = c;
      break;
    }
  }
  if (before) props.insert_copy_before(part.document_element(), before);
  else props.append_copy(part.document_element());
  return Extra(props);
}

}  // namespace plx::docif::ooxml
