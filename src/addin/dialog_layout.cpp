#include "addin/dialog_layout.hpp"

#include <algorithm>
#include <cstddef>

namespace plx {
namespace {

LayoutNode Node(LayoutNode::Kind kind, std::vector<LayoutNode> children) {
  LayoutNode n;
  n.kind = kind;
  n.children = std::move(children);
  return n;
}

LayoutNode Captioned(LayoutNode::Kind kind, const std::wstring& caption, std::vector<LayoutNode> children) {
  LayoutNode n = Node(kind, std::move(children));
  n.caption = caption;
  return n;
}

}  // namespace

LayoutNode LayoutNode::Chars(int n) const {
  LayoutNode c = *this;
  c.chars = n;
  return c;
}

LayoutNode LayoutNode::Lines(int n) const {
  LayoutNode c = *this;
  c.lines = n;
  return c;
}

LayoutNode LayoutNode::Width(int w) const {
  LayoutNode c = *this;
  c.width = w;
  return c;
}

LayoutNode LayoutNode::Size(int w, int h) const {
  LayoutNode c = *this;
  c.width = w;
  c.height = h;
  return c;
}

LayoutNode LayoutNode::Columns(int n) const {
  LayoutNode c = *this;
  c.columns = n;
  return c;
}

LayoutNode LayoutNode::Stretch() const {
  LayoutNode c = *this;
  c.stretch = true;
  return c;
}

LayoutNode LayoutNode::CaptionAbove() const {
  LayoutNode c = *this;
  c.captionAt = CaptionAt::Above;
  return c;
}

LayoutNode LayoutNode::NoCaption() const {
  LayoutNode c = *this;
  c.captionAt = CaptionAt::None;
  return c;
}

namespace layout {

LayoutNode Field(const std::wstring& control) {
  LayoutNode n = Node(LayoutNode::Kind::Control, {});
  n.name = control;
  return n;
}

LayoutNode Row(std::vector<LayoutNode> children) { return Node(LayoutNode::Kind::Row, std::move(children)); }

LayoutNode Column(std::vector<LayoutNode> children) { return Node(LayoutNode::Kind::Column, std::move(children)); }

LayoutNode Frame(const std::wstring& caption, std::vector<LayoutNode> children) {
  return Captioned(LayoutNode::Kind::Frame, caption, std::move(children));
}

LayoutNode Tabs(const std::wstring& strip, std::vector<LayoutNode> pages) {
  LayoutNode n = Node(LayoutNode::Kind::Tabs, std::move(pages));
  n.name = strip;
  return n;
}

LayoutNode Page(const std::wstring& caption, std::vector<LayoutNode> children) {
  return Captioned(LayoutNode::Kind::Page, caption, std::move(children));
}

LayoutNode FrameOf(const std::wstring& label, std::vector<LayoutNode> children) {
  LayoutNode n = Node(LayoutNode::Kind::Frame, std::move(children));
  n.name = label;
  return n;
}

LayoutNode PageOf(const std::wstring& label, std::vector<LayoutNode> children) {
  LayoutNode n = Node(LayoutNode::Kind::Page, std::move(children));
  n.name = label;
  return n;
}

LayoutNode Area(const std::wstring& name, int width, int height) {
  LayoutNode n = Node(LayoutNode::Kind::Area, {});
  n.name = name;
  n.width = width;
  n.height = height;
  return n;
}

LayoutNode Scroll(const std::wstring& caption, int height, std::vector<LayoutNode> children) {
  LayoutNode n = Captioned(LayoutNode::Kind::Scroll, caption, std::move(children));
  n.height = height;
  return n;
}

LayoutNode Fields(const std::vector<std::wstring>& controls) {
  std::vector<LayoutNode> row;
  for (const auto& c : controls) row.push_back(Field(c));
  return Row(std::move(row));
}

LayoutNode Grid(const std::vector<std::wstring>& controls, size_t perRow) {
  std::vector<LayoutNode> rows;
  for (size_t i = 0; i < controls.size(); i += perRow)
    rows.push_back(Fields({controls.begin() + static_cast<std::ptrdiff_t>(i),
                           controls.begin() + static_cast<std::ptrdiff_t>(std::min(controls.size(), i + perRow))}));
  return Column(std::move(rows));
}

}  // namespace layout
}  // namespace plx
