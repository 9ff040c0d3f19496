#pragma once
// A shape's properties read and written in one call each: over the bridge
// every call is a round trip to the office's process, and a graph sets
// several properties on hundreds of shapes. Also the surface's line, fill,
// wrap and text frame values as Writer's drawing properties.
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/text/XTextFrame.hpp>

#include "docif/formats.hpp"
#include "docif/uno/writer_story.hpp"

namespace plx::docif::lo {

using ShapeRef = Reference<css::drawing::XShape>;

// Property values to set together, in the order given (Writer resets an
// orient position when its relation is set after it); a later value of a
// name replaces an earlier one in its place.
class PropertyBatch {
 public:
  PropertyBatch& Put(const char* name, const css::uno::Any& value);
  void ApplyTo(const Reference<css::uno::XInterface>& object) const;

 private:
  std::vector<std::pair<rtl::OUString, css::uno::Any>> values_;
};

// Several properties read at once; a property the object lacks reads as empty.
class PropertyRead {
 public:
  PropertyRead(const Reference<css::uno::XInterface>& object, std::initializer_list<const char*> names);
  template <class T>
  std::optional<T> Get(const char* name) const {
    auto it = values_.find(rtl::OUString::createFromAscii(name));
    T value{};
    if (it == values_.end() || !(it->second >>= value)) return std::nullopt;
    return value;
  }
  template <class T>
  T Or(const char* name, T fallback) const { return Get<T>(name).value_or(fallback); }

 private:
  std::map<rtl::OUString, css::uno::Any> values_;
};

// The surface's colours hold red in the low byte; Writer's in the high one.
sal_Int32 ToUnoColor(uint32_t rgb);
uint32_t FromUnoColor(sal_Int32 color);

LineFormat ReadLine(const ShapeRef& shape);
// Only the members set change; the arrowheads are sized for the line's
// width as it is after the change, and kept in the document's table.
void WriteLine(const ShapeRef& shape, const Reference<css::uno::XInterface>& document, const LineFormat& line,
               PropertyBatch& batch);
FillFormat ReadFill(const ShapeRef& shape);
void WriteFill(const FillFormat& fill, PropertyBatch& batch);
WrapFormat ReadWrap(const ShapeRef& shape);
void WriteWrap(const WrapFormat& wrap, PropertyBatch& batch);
// The Writer text frame attached to a shape (a text box's text); none when it has none.
Reference<css::text::XTextFrame> FrameOf(const ShapeRef& shape);
TextFrameFormat ReadTextFrame(const ShapeRef& shape);
void WriteTextFrame(const ShapeRef& shape, const TextFrameFormat& frame);

}  // namespace plx::docif::lo
