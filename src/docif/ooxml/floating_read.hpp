#pragma once
// The floating drawings of a document being read, turned into the model's
// shapes. The document reader offers each run child that may be one; the
// shapes join the document once its main text is in place, since their
// anchors and positions relative to the text need it.
//
// A drawing that cannot be read (a chart, a diagram, a picture whose data
// is missing, VML the model has no shape for) is declined and stays the
// object kept as read. A shape read keeps its run content as it stood, so
// saving without a change writes it back as it was.
#include <pugixml.hpp>

#include <map>
#include <string>
#include <vector>

#include "docif/ooxml/drawing_read.hpp"

namespace plx::docif::ooxml {

// Theme colours of the package's theme part by scheme name ("accent1").
std::map<std::string, uint32_t> ThemeColours(const std::string& themeXml);

class FloatingShapes {
 public:
  explicit FloatingShapes(DrawingSource src) : src_(std::move(src)) {}

  // A w:drawing holding a wp:anchor, an mc:AlternateContent (its DrawingML
  // choice, else its VML fallback) or a w:pict with a positioned VML
  // shape, anchored at story position `at` of the main text. True when it
  // became a shape; false leaves the node to the caller. Drawings inside a
  // text box being read are declined: shapes anchor in the main text.
  bool Read(const pugi::xml_node& node, long at);

  // Adds the shapes read to the document, whose main story is assigned:
  // anchors, positions relative to the anchor's text, stacking order and
  // unique names.
  void Finish(model::DocData& doc);

 private:
  struct Pending {
    model::ShapeDataPtr shape;
    long at;
    Placement where;
    std::string xml;
  };
  DrawingSource src_;
  std::vector<Pending> pending_;
  bool reading_ = false;
};

}  // namespace plx::docif::ooxml
