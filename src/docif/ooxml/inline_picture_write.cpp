#include "docif/ooxml/inline_picture.hpp"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "common/text.hpp"
#include "docif/ooxml/picture_adjust.hpp"
#include "docif/ooxml/vml_read.hpp"
#include "docif/ooxml/xml_text.hpp"

namespace plx::docif::ooxml {
namespace {

constexpr unsigned kParse = pugi::parse_default | pugi::parse_ws_pcdata;

void Set(pugi::xml_node n, const char* name, const std::string& value) {
  pugi::xml_attribute a = n.attribute(name);
  if (!a) a = n.append_attribute(name);
  a.set_value(value.c_str());
}

std::string Text(const pugi::xml_node& n) {
  std::ostringstream out;
  n.print(out, "", pugi::format_raw);
  return out.str();
}

// Puts the element `xml` in place of `old`, or before `before` when there
// is no old one, or last in `parent` when there is neither.
void Put(pugi::xml_node parent, pugi::xml_node old, pugi::xml_node before, const std::string& xml) {
  pugi::xml_document fragment;
  if (!fragment.load_string(xml.c_str(), kParse)) return;
  if (old) {
    parent.insert_copy_before(fragment.first_child(), old);
    parent.remove_child(old);
  } else if (before) {
    parent.insert_copy_before(fragment.first_child(), before);
  } else {
    parent.append_copy(fragment.first_child());
  }
}

// The first child of the shape properties that comes after the outline.
pugi::xml_node AfterOutline(const pugi::xml_node& spPr) {
  for (pugi::xml_node c : spPr.children())
    for (const char* name : {"a:effectLst", "a:effectDag", "a:scene3d", "a:sp3d", "a:extLst"})
      if (std::strcmp(c.name(), name) == 0) return c;
  return {};
}

// The picture's transform; made, first in the shape properties, when the
// drawing had none.
pugi::xml_node Xfrm(pugi::xml_node spPr) {
  if (pugi::xml_node xfrm = spPr.child("a:xfrm")) return xfrm;
  pugi::xml_node xfrm = spPr.prepend_child("a:xfrm");
  pugi::xml_node off = xfrm.append_child("a:off");
  off.append_attribute("x") = "0";
  off.append_attribute("y") = "0";
  return xfrm;
}

// A VML picture as the DrawingML picture it reads as, with every property
// as it was read and its crop, parsed into `doc`; false when its picture's
// data is not in the package (nothing else could be written for it).
bool VmlAsDrawing(const pugi::xml_node& pict, const model::InlineObject& o, DrawingContext& ctx,
                  pugi::xml_document& doc) {
  if (o.bytes.empty()) return false;
  model::InlineObject asRead = o;
  asRead.width = o.readWidth;
  asRead.height = o.readHeight;
  asRead.rotation = o.readRotation;
  asRead.altText = o.readAltText;
  asRead.borders = o.readBorders;
  asRead.effects = o.readEffects;
  pugi::xml_node image = pict.find_node([](const pugi::xml_node& n) { return std::strcmp(n.name(), "v:imagedata") == 0; });
  const auto crop = VmlPictureCrop(image);
  const std::string drawing = InlinePictureXml(asRead, ctx);
  if (!doc.load_string(drawing.c_str(), kParse)) return false;
  if (crop != decltype(crop){}) {
    pugi::xml_node blipFill = doc.select_node("//pic:blipFill").node();
    pugi::xml_node rect = blipFill.insert_child_after("a:srcRect", blipFill.child("a:blip"));
    const char* sides[] = {"l", "t", "r", "b"};
    for (size_t i = 0; i < crop.size(); ++i)
      if (crop[i] != 0) rect.append_attribute(sides[i]) = static_cast<long long>(crop[i]);
  }
  return true;
}

}  // namespace

std::string EditedInlinePictureXml(const model::InlineObject& o, DrawingContext& ctx) {
  // Content that is no picture drawing after all: a new picture when its
  // data is at hand, else as read.
  auto fresh = [&] { return o.bytes.empty() ? o.rawXml : InlinePictureXml(o, ctx); };
  pugi::xml_document doc;
  if (!doc.load_string(o.rawXml.c_str(), kParse)) return fresh();
  if (std::strcmp(doc.first_child().name(), "w:pict") == 0) {
    pugi::xml_document drawing;
    if (!VmlAsDrawing(doc.first_child(), o, ctx, drawing)) return o.rawXml;
    doc.reset(drawing);
  }
  pugi::xml_node inl = doc.first_child().child("wp:inline");
  pugi::xml_node pic = inl.child("a:graphic").child("a:graphicData").child("pic:pic");
  if (!pic) return fresh();
  pugi::xml_node spPr = pic.child("pic:spPr");
  if (!spPr) spPr = pic.append_child("pic:spPr");

  const bool resized = o.width != o.readWidth || o.height != o.readHeight;
  const bool turned = o.rotation != o.readRotation;
  if (resized) {
    const std::string cx = std::to_string(std::max<int64_t>(0, Emu(o.width)));
    const std::string cy = std::to_string(std::max<int64_t>(0, Emu(o.height)));
    pugi::xml_node extent = inl.child("wp:extent");
    if (!extent) extent = inl.prepend_child("wp:extent");
    Set(extent, "cx", cx);
    Set(extent, "cy", cy);
    pugi::xml_node xfrm = Xfrm(spPr);
    pugi::xml_node ext = xfrm.child("a:ext");
    if (!ext) ext = xfrm.append_child("a:ext");
    Set(ext, "cx", cx);
    Set(ext, "cy", cy);
  }
  if (turned) {
    pugi::xml_node xfrm = Xfrm(spPr);
    if (int64_t rot = Rot(o.rotation)) Set(xfrm, "rot", std::to_string(rot));
    else xfrm.remove_attribute("rot");
    if (!xfrm.child("a:ext")) {
      pugi::xml_node ext = xfrm.append_child("a:ext");
      Set(ext, "cx", std::to_string(Emu(o.width)));
      Set(ext, "cy", std::to_string(Emu(o.height)));
    }
  }
  // The room a turned picture takes on its line follows its size and turn.
  if (turned || (resized && o.rotation != 0)) {
    const auto [dx, dy] = RotatedOverhang(o.width, o.height, o.rotation);
    pugi::xml_node extent = inl.child("wp:effectExtent");
    if (!extent) extent = inl.insert_child_after("wp:effectExtent", inl.child("wp:extent"));
    Set(extent, "l", std::to_string(dx));
    Set(extent, "r", std::to_string(dx));
    Set(extent, "t", std::to_string(dy));
    Set(extent, "b", std::to_string(dy));
  }
  if (o.altText != o.readAltText) {
    const std::string descr = WideToUtf8(o.altText);
    for (pugi::xml_node n : {inl.child("wp:docPr"), pic.child("pic:nvPicPr").child("pic:cNvPr")})
      if (n) Set(n, "descr", descr);
  }
  if (o.borders != o.readBorders) {
    // On: the host's default thin black outline; off: none, in place of
    // whatever outline the picture had.
    Put(spPr, spPr.child("a:ln"), AfterOutline(spPr), LineXml(LineFormat{.Visible = o.borders}));
  }
  if (o.effects != o.readEffects) {
    if (pugi::xml_node blipFill = pic.child("pic:blipFill"))
      Put(pic, blipFill, {}, BlipFillWithEffects(Text(blipFill), o.effects));
  }
  return Text(doc.first_child());
}

}  // namespace plx::docif::ooxml
