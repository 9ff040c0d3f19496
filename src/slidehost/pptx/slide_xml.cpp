#include "slidehost/pptx/slide_xml.hpp"

#include <pugixml.hpp>

#include <cmath>
#include <sstream>

#include "common/text.hpp"
#include "slidehost/pptx/slide_motion.hpp"

namespace plx::slides::pptx {

long long Emu(double points) { return std::llround(points * 12700); }

namespace {

using model::ShapeData;

constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

class Writer {
 public:
  Writer(int& next) : next_(next) {
    rels_ = relsDoc_.append_child("Relationships");
    rels_.append_attribute("xmlns") = "http://schemas.openxmlformats.org/package/2006/relationships";
    Relate("slideLayout", "../slideLayouts/slideLayout1.xml");
  }

  // Adds the part and its relationship; returns the relationship id.
  std::string Asset(const char* type, const std::string& folder, const std::string& stem, const std::string& ext,
                    std::string bytes) {
    const std::string file = stem + std::to_string(next_++) + "." + ext;
    assets_.push_back({"ppt/" + folder + "/" + file, std::move(bytes)});
    return Relate(type, "../" + folder + "/" + file);
  }

  std::string Relate(const char* type, const std::string& target) {
    const std::string id = "rId" + std::to_string(++rid_);
    auto r = rels_.append_child("Relationship");
    r.append_attribute("Id") = id.c_str();
    r.append_attribute("Type") = (std::string(kRel) + type).c_str();
    r.append_attribute("Target") = target.c_str();
    return id;
  }

  std::string Rels() {
    std::ostringstream out;
    relsDoc_.save(out, "", pugi::format_raw);
    return out.str();
  }
  std::vector<SlideAsset> TakeAssets() { return std::move(assets_); }

 private:
  int& next_;
  int rid_ = 0;
  pugi::xml_document relsDoc_;
  pugi::xml_node rels_;
  std::vector<SlideAsset> assets_;
};

void Xfrm(pugi::xml_node parent, const char* name, const ShapeData& s) {
  auto x = parent.append_child(name);
  auto off = x.append_child("a:off");
  off.append_attribute("x") = Emu(s.left);
  off.append_attribute("y") = Emu(s.top);
  auto ext = x.append_child("a:ext");
  ext.append_attribute("cx") = Emu(s.width);
  ext.append_attribute("cy") = Emu(s.height);
}

void RectGeometry(pugi::xml_node spPr) {
  auto g = spPr.append_child("a:prstGeom");
  g.append_attribute("prst") = "rect";
  g.append_child("a:avLst");
}

void CNvPr(pugi::xml_node parent, int id, const std::string& name) {
  auto c = parent.append_child("p:cNvPr");
  c.append_attribute("id") = id;
  c.append_attribute("name") = name.c_str();
}

void RunProperties(pugi::xml_node rPr, const ShapeData& s) {
  rPr.append_attribute("lang") = "zh-CN";
  rPr.append_attribute("altLang") = "en-US";
  rPr.append_attribute("sz") = static_cast<int>(std::lround(s.fontSize * 100));
  const std::string font = WideToUtf8(s.fontName);
  rPr.append_child("a:latin").append_attribute("typeface") = font.c_str();
  rPr.append_child("a:ea").append_attribute("typeface") = font.c_str();
}

// The text as paragraphs at CR (or LF), line breaks at vertical tabs;
// other control characters of a word processor's text (field marks, cell
// ends, object anchors) are left out.
void TextBody(pugi::xml_node sp, const ShapeData& s) {
  auto body = sp.append_child("p:txBody");
  auto bodyPr = body.append_child("a:bodyPr");
  bodyPr.append_attribute("wrap") = "square";
  bodyPr.append_attribute("rtlCol") = "0";
  bodyPr.append_child("a:spAutoFit");
  body.append_child("a:lstStyle");
  std::wstring text = s.text;
  if (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  std::vector<std::wstring> paragraphs{L""};
  for (wchar_t c : text) {
    if (c == L'\r' || c == L'\n') paragraphs.emplace_back();
    else if (c == L'\v' || c == L'\t' || c >= 0x20) paragraphs.back() += c;
  }
  for (const auto& para : paragraphs) {
    auto p = body.append_child("a:p");
    size_t from = 0;
    while (from <= para.size()) {
      size_t br = para.find(L'\v', from);
      const std::wstring piece = para.substr(from, br == std::wstring::npos ? std::wstring::npos : br - from);
      if (!piece.empty()) {
        auto r = p.append_child("a:r");
        RunProperties(r.append_child("a:rPr"), s);
        r.append_child("a:t").text() = WideToUtf8(piece).c_str();
      }
      if (br == std::wstring::npos) break;
      RunProperties(p.append_child("a:br").append_child("a:rPr"), s);
      from = br + 1;
    }
    RunProperties(p.append_child("a:endParaRPr"), s);
  }
}

void TextBox(pugi::xml_node tree, const ShapeData& s) {
  auto sp = tree.append_child("p:sp");
  auto nv = sp.append_child("p:nvSpPr");
  CNvPr(nv, s.id, "TextBox " + std::to_string(s.id));
  nv.append_child("p:cNvSpPr").append_attribute("txBox") = "1";
  nv.append_child("p:nvPr");
  auto spPr = sp.append_child("p:spPr");
  Xfrm(spPr, "a:xfrm", s);
  RectGeometry(spPr);
  spPr.append_child("a:noFill");
  TextBody(sp, s);
}

void Picture(pugi::xml_node parent, const ShapeData& s, const std::string& imageRel, int id, const std::string& name) {
  auto pic = parent.append_child("p:pic");
  auto nv = pic.append_child("p:nvPicPr");
  CNvPr(nv, id, name);
  nv.append_child("p:cNvPicPr").append_child("a:picLocks").append_attribute("noChangeAspect") = "1";
  nv.append_child("p:nvPr");
  auto fill = pic.append_child("p:blipFill");
  fill.append_child("a:blip").append_attribute("r:embed") = imageRel.c_str();
  fill.append_child("a:stretch").append_child("a:fillRect");
  auto spPr = pic.append_child("p:spPr");
  Xfrm(spPr, "a:xfrm", s);
  RectGeometry(spPr);
}

// An embedded document: the object with the picture that stands for it.
void OleObject(pugi::xml_node tree, const ShapeData& s, Writer& w) {
  const std::string object = w.Asset("package", "embeddings", "Microsoft_Word_Document", "docx", s.package);
  const std::string image = w.Asset("image", "media", "image", "png", s.png);
  auto frame = tree.append_child("p:graphicFrame");
  auto nv = frame.append_child("p:nvGraphicFramePr");
  CNvPr(nv, s.id, "Object " + std::to_string(s.id));
  nv.append_child("p:cNvGraphicFramePr").append_child("a:graphicFrameLocks").append_attribute("noChangeAspect") = "1";
  nv.append_child("p:nvPr");
  Xfrm(frame, "p:xfrm", s);
  auto data = frame.append_child("a:graphic").append_child("a:graphicData");
  data.append_attribute("uri") = "http://schemas.openxmlformats.org/presentationml/2006/ole";
  auto ole = data.append_child("p:oleObj");
  ole.append_attribute("name") = "Document";
  ole.append_attribute("r:id") = object.c_str();
  ole.append_attribute("imgW") = Emu(s.width);
  ole.append_attribute("imgH") = Emu(s.height);
  ole.append_attribute("progId") = WideToUtf8(s.progId).c_str();
  ole.append_child("p:embed");
  Picture(ole, s, image, 0, "");
}

std::string Hex(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return buf;
}

// A slide of its own background: the picture (seen through its
// transparency over the fore colour) or the fore colour alone.
void Background(pugi::xml_node cSld, const model::BackgroundData& bg, Writer& w) {
  auto bgPr = cSld.append_child("p:bg").append_child("p:bgPr");
  if (!bg.visible) {
    bgPr.append_child("a:noFill");
  } else if (!bg.picture.empty()) {
    const std::string rel = w.Asset("image", "media", "image", bg.pictureExtension == "png" ? "png" : "jpeg",
                                    bg.picture);
    auto fill = bgPr.append_child("a:blipFill");
    fill.append_attribute("dpi") = 0;
    fill.append_attribute("rotWithShape") = 1;
    auto blip = fill.append_child("a:blip");
    blip.append_attribute("r:embed") = rel.c_str();
    if (bg.transparency > 0)
      blip.append_child("a:alphaModFix").append_attribute("amt") =
          static_cast<int>(std::lround((1 - bg.transparency) * 100000));
    fill.append_child("a:srcRect");
    fill.append_child("a:stretch").append_child("a:fillRect");
  } else {
    bgPr.append_child("a:solidFill").append_child("a:srgbClr").append_attribute("val") = Hex(bg.foreRGB).c_str();
  }
  bgPr.append_child("a:effectLst");
}

}  // namespace

SlidePart WriteSlide(const model::SlideData& slide, int& next) {
  Writer w(next);
  pugi::xml_document doc;
  auto decl = doc.append_child(pugi::node_declaration);
  decl.append_attribute("version") = "1.0";
  decl.append_attribute("encoding") = "UTF-8";
  decl.append_attribute("standalone") = "yes";
  auto sld = doc.append_child("p:sld");
  sld.append_attribute("xmlns:a") = "http://schemas.openxmlformats.org/drawingml/2006/main";
  sld.append_attribute("xmlns:r") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  sld.append_attribute("xmlns:p") = "http://schemas.openxmlformats.org/presentationml/2006/main";
  if (!slide.displayMasterShapes) sld.append_attribute("showMasterSp") = "0";
  auto cSld = sld.append_child("p:cSld");
  if (!slide.followMasterBackground) Background(cSld, slide.background, w);
  auto tree = cSld.append_child("p:spTree");
  auto group = tree.append_child("p:nvGrpSpPr");
  CNvPr(group, 1, "");
  group.append_child("p:cNvGrpSpPr");
  group.append_child("p:nvPr");
  ShapeData none;
  Xfrm(tree.append_child("p:grpSpPr"), "a:xfrm", none);
  for (const auto& s : slide.shapes) {
    switch (s->kind) {
      case ShapeData::Kind::TextBox: TextBox(tree, *s); break;
      case ShapeData::Kind::Picture:
        Picture(tree, *s, w.Asset("image", "media", "image", "png", s->png), s->id, "Picture " + std::to_string(s->id));
        break;
      case ShapeData::Kind::OleObject: OleObject(tree, *s, w); break;
    }
  }
  sld.append_child("p:clrMapOvr").append_child("a:masterClrMapping");
  AppendTransition(sld, slide.entryEffect);
  AppendTiming(sld, slide);
  std::ostringstream out;
  doc.save(out, "", pugi::format_raw);
  return {out.str(), w.Rels(), w.TakeAssets()};
}

}  // namespace plx::slides::pptx
