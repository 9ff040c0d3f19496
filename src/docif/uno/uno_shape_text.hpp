#pragma once
// The text of a text box or auto shape as a surface range. A shape with a
// Writer text frame attached (a text box read from a file, or made in
// Writer) holds Writer text: its range is a range of the frame's own
// story, as the main text's are. A drawing's own text (the add-in's text
// boxes and auto shapes) is counted as the model counts a text box's story
// (paragraph marks as "\r") over a mirror of that text, read again
// whenever Writer's differs. What only Writer's text offers (fields,
// formulas, pictures, tables, where the lines fall) moves a drawing's text
// into a frame of its own first.
#include <memory>
#include <vector>

#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/text/XText.hpp>

#include "docif/range.hpp"
#include "docif/uno/uno_shape_geometry.hpp"

namespace plx::docif::lo {

// A range over all of a shape's text but its final paragraph mark.
RangePtr MakeShapeTextRange(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& shape);

// LibreOffice 7.4 cannot let go of its record of grouping or ungrouping
// shapes that hold text frames (the office ends when that undo step is
// dropped, undone or its document closed afterwards): the text boxes are
// grouped and ungrouped without their frames and given new ones
// afterwards, with their text, margins and direction.
struct DetachedText {
  size_t index;  // among the shapes given
  Reference<css::datatransfer::XTransferable> text;
  css::uno::Any writingMode;
};
// Moves a drawing's own text into a Writer frame of its own (nothing when
// it has one), as its first field does: for text that runs up or down,
// which LibreOffice keeps in a .docx only in a frame.
void FrameText(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& shape);
// Whether any of `shapes` holds a text frame.
bool AnyFramed(const std::vector<ShapeRef>& shapes);
// Takes the frames off those of `shapes` that have one.
std::vector<DetachedText> DetachFrames(const std::shared_ptr<WriterDoc>& doc, const std::vector<ShapeRef>& shapes);
// Gives `shapes` (the same shapes, as Writer now holds them) their frames again.
void AttachFrames(const std::shared_ptr<WriterDoc>& doc, const std::vector<ShapeRef>& shapes,
                  const std::vector<DetachedText>& detached);

}  // namespace plx::docif::lo
