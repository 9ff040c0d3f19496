#pragma once
// Reading one floating drawing of a .docx into a model shape. DrawingML
// (wp:anchor holding a wps:wsp shape or text box, a wpg:wgp group or a
// pic:pic picture) is read here, VML (w:pict) in vml_read. Coordinates
// become page points; what the model does not represent is kept with the
// shape (KeptDrawing) so that saving writes it back.
//
// Elements are matched by the prefixes word processors write (wp, a, wps,
// wpg, pic, v, o, w10); a drawing using others is not read.
#include <pugixml.hpp>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "docif/model/model_shapes.hpp"

namespace plx::docif::ooxml {

// What reading a drawing needs from the document being read.
struct DrawingSource {
  PageSetup page;
  // Theme colours by scheme name ("accent1", "dk1"), red in the low byte.
  std::map<std::string, uint32_t> themeColours;
  // The story of a text box's w:txbxContent.
  std::function<std::shared_ptr<model::Story>(const pugi::xml_node&)> textBox;
  // The picture a relationship id names, without size; none when missing.
  std::function<std::optional<model::InlineObject>(const std::string&)> picture;
};

// The lowest stacking value (wp:anchor relativeHeight) word processors use.
constexpr long long kDrawingStackBase = 251658240;

// Where a shape's page coordinates still lack the anchor's own position,
// known only once the text is laid out, and how it stacks.
struct Placement {
  bool xFromAnchor = false;  // x counts from the anchor character's left
  bool yFromAnchor = false;  // y counts from the anchor paragraph's top
  bool yFromLine = false;    // ... from the anchor character's line instead
  int64_t z = 0;             // higher is in front
};

// A drawing the reader cannot turn into shapes; it is then kept as read.
class UnreadableDrawing : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The shape of a wp:anchor. Raises UnreadableDrawing for content the model
// has no shape for (charts, diagrams, ink, missing pictures).
model::ShapeDataPtr ReadAnchorDrawing(const pugi::xml_node& anchor, const DrawingSource& src,
                                      Placement& where);

// The story of a text box's w:txbxContent. Raises UnreadableDrawing for
// content a text box story cannot hold (bookmarks belong to the main text
// in the model): such a text box stays as read.
std::shared_ptr<model::Story> ReadTextBox(const pugi::xml_node& content, const DrawingSource& src);

// An element printed with the namespace declarations it inherits from its
// ancestors below the document root, so that it parses wherever it is
// written back.
std::string KeptXml(const pugi::xml_node& n);

// A node coordinate in points as the model keeps it: values far off any
// page (or no number at all) are clamped, never converted out of range.
float NodeCoordinate(double points);

// Colours of "RRGGBB" text and a few colour names; false for others.
bool ParseColour(const std::string& text, uint32_t& rgb);

}  // namespace plx::docif::ooxml
