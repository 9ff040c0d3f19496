#pragma once
// The shapes of one figure (number line, polygon, grid, sector, vertical
// calculation, chart): each made through the host, named by the shape-name
// rule and kept in the figure's register, so that the figure is grouped as
// one object and placed at the insertion point when it is finished.
//
// The rule has 999 numbers for the shapes of one role made within one
// second. A figure of many like shapes (grid paper of up to 10,000 cells)
// needs more: once they are used, the numbers go on from 1000, so every
// name stays unique.
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "docif/shapes.hpp"
#include "graph/frame/frame.hpp"
#include "graph/frame/graph_context.hpp"

namespace plx {
class AddinContext;
}

namespace plx::figures {

class FigureShapes {
 public:
  explicit FigureShapes(AddinContext& ctx) : ctx_(ctx) {}

  docif::ShapePtr Line(const std::wstring& role, double x1, double y1, double x2, double y2,
                       const docif::LineFormat& look = {.ForeColor = 0});
  // An auto shape (oval, rectangle) with a black outline and the fill given
  // (none when `fill` is empty).
  docif::ShapePtr Shape(const std::wstring& role, int autoShapeType, double left, double top, double width,
                        double height, std::optional<uint32_t> fill);
  // A freeform of straight segments through the points.
  docif::ShapePtr Freeform(const std::wstring& role, const std::vector<docif::PointF>& points,
                           const docif::LineFormat& look = {.ForeColor = 0});
  // A label box: no fill, no line, in front of the text, centred paragraph.
  docif::ShapePtr TextBox(const std::wstring& role, double left, double top, double width, double height,
                          const std::wstring& text, bool italic = false);
  // A label box holding the formula text as an EQ field.
  docif::ShapePtr FormulaBox(const std::wstring& role, double left, double top, double width, double height,
                             const std::wstring& formula);
  // Gives a shape made elsewhere the fixed name (or, when the document has
  // a shape of that name already, the rule's name for that role) and keeps
  // it in the register.
  void KeepNamed(const docif::ShapePtr& shape, const std::wstring& name);
  // Names a shape made elsewhere for its role and keeps it in the register.
  void Keep(const docif::ShapePtr& shape, const std::wstring& role);

  int Count() const { return g_.ShapeCount; }
  // Removes the shapes of the unfinished figure, so that a command that
  // fails part-way leaves nothing behind, and empties the register.
  void Discard();
  // Groups the figure's shapes and names the group for `role` (a single
  // shape stays as it is, with its own name), puts it in front of the text and, when given, moves
  // it to `at`. The register is emptied; nothing happens for an empty figure.
  docif::ShapePtr Finish(const std::wstring& role, std::optional<graph::InsertPoint> at);
  void Reset();

 private:
  // A name past the rule's 999 numbers for the role, unique in the document.
  std::wstring WiderName(const std::wstring& role);

  AddinContext& ctx_;
  graph::GraphContext g_;
  std::vector<docif::ShapePtr> drawn_;          // the shapes of the register
  std::unordered_set<std::wstring> named_;      // their names
  std::unordered_map<std::wstring, int> wider_;  // by role, the next number past 999
};

// Whether a label text is typeset as a formula: it holds "/", "gh", "^",
// "ln", "sin", "cos", "tan", "cot", "sqr", "@" or "pi".
bool IsFormulaText(const std::wstring& text);

}  // namespace plx::figures
