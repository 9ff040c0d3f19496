#pragma once
// The text of a text box or auto shape as a surface range. Writer keeps a
// text box's text in a frame of its own; the range counts its characters
// as the model counts a text box's story (paragraph marks as "\r") over a
// mirror of that text, read again whenever Writer's differs.
#include <memory>

#include <com/sun/star/text/XText.hpp>

#include "docif/range.hpp"
#include "docif/uno/uno_shape_geometry.hpp"

namespace plx::docif::lo {

// The text of a shape: its own, or its Writer text box's when it has one.
Reference<css::text::XText> ShapeText(const ShapeRef& shape);
// A range over all of the text but its final paragraph mark.
RangePtr MakeShapeTextRange(const std::shared_ptr<WriterDoc>& doc, const Reference<css::text::XText>& text);

}  // namespace plx::docif::lo
