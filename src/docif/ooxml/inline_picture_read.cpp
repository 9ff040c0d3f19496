#include "docif/ooxml/inline_picture.hpp"

#include <cmath>
#include <cstring>

#include "common/text.hpp"
#include "docif/ooxml/picture_adjust.hpp"
#include "docif/ooxml/vml_read.hpp"

namespace plx::docif::ooxml {
namespace {

// An outline that draws: a:ln with a fill other than none. Without a fill
// of its own a picture's outline does not show (pictures have no style
// to give one).
bool VisibleOutline(const pugi::xml_node& ln) {
  for (pugi::xml_node c : ln.children()) {
    const char* name = c.name();
    if (std::strcmp(name, "a:solidFill") == 0 || std::strcmp(name, "a:gradFill") == 0 ||
        std::strcmp(name, "a:pattFill") == 0)
      return true;
  }
  return false;
}

// A wp:inline whose graphic is one picture. Other inline graphics that show
// a picture (a shape filled with one, a group) stay as read: written as a
// plain picture they would lose the rest.
bool ReadDrawingMl(const pugi::xml_node& drawing, model::InlineObject& o) {
  pugi::xml_node inl = drawing.child("wp:inline");
  pugi::xml_node pic = inl.child("a:graphic").child("a:graphicData").child("pic:pic");
  pugi::xml_node blip = pic.child("pic:blipFill").child("a:blip");
  if (!blip) return false;
  o.type = kInlineShapePicture;
  o.relId = blip.attribute("r:embed").as_string();
  o.width = o.readWidth = inl.child("wp:extent").attribute("cx").as_double() / 12700;
  o.height = o.readHeight = inl.child("wp:extent").attribute("cy").as_double() / 12700;
  o.altText = o.readAltText = Utf8ToWide(inl.child("wp:docPr").attribute("descr").as_string());
  pugi::xml_node spPr = pic.child("pic:spPr");
  double rotation = std::fmod(spPr.child("a:xfrm").attribute("rot").as_double() / 60000, 360.0);
  o.rotation = o.readRotation = rotation < 0 ? rotation + 360 : rotation;
  o.borders = o.readBorders = VisibleOutline(spPr.child("a:ln"));
  o.effects = o.readEffects = ReadPictureEffects(blip);
  return true;
}

}  // namespace

bool ReadInlinePicture(const pugi::xml_node& content, model::InlineObject& o) {
  if (std::strcmp(content.name(), "w:drawing") == 0) return ReadDrawingMl(content, o);
  if (std::strcmp(content.name(), "w:pict") == 0) return ReadVmlInlinePicture(content, o);
  return false;
}

bool UnchangedSinceRead(const model::InlineObject& o) {
  return o.width == o.readWidth && o.height == o.readHeight && o.rotation == o.readRotation &&
         o.altText == o.readAltText && o.borders == o.readBorders && o.effects == o.readEffects;
}

}  // namespace plx::docif::ooxml
